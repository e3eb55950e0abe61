#include "sikidom.h"

#include "exact.h"
#include "polygon.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using namespace exact;

// |P - C| - r for the exact doubles given, rounded to the nearest double (where it lies
// within 2^-90 of halfway between two doubles, either of them).
//
// Every length is measured in units of 2^k, chosen so that the largest of the offset P - C
// and r lies between 1/2 and 1: nothing overflows, and what underflows is below 2^-1074 of a
// unit. The offset is exact as two doubles a part; its length in double-double is within
// 2^-100 of the unit, and so is the difference. Where that leaves the rounding open, P lies
// all but on the circle (or the distance all but halfway between two doubles), and the
// difference is (|P - C|^2 - r^2) / (|P - C| + r), with the numerator exact in fixed point.
double circle_distance(double x, double y, double r, double px, double py)
{
    const double from[2] = {px, py}, to[2] = {x, y};
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(r) || !std::isfinite(px) || !std::isfinite(py))
        return std::sqrt((x - px) * (x - px) + (y - py) * (y - py)) - r;
    // Each part of the offset as two doubles: the rounded difference and its rounding error,
    // or where the difference overflows, P's coordinate and minus the centre's.
    double part[2][2];
    int top = r == 0 ? std::numeric_limits<int>::min() : std::ilogb(r) + 1;
    for (int i = 0; i < 2; ++i) {
        const Wide e = two_sum(from[i], -to[i]);
        const bool finite = std::isfinite(e.hi);
        part[i][0] = finite ? e.hi : from[i];
        part[i][1] = finite ? e.lo : -to[i];
        if (e.hi != 0)
            top = std::max(top, finite ? std::ilogb(e.hi) + 1 : std::numeric_limits<double>::max_exponent + 1);
    }
    if (top == std::numeric_limits<int>::min())
        return 0;  // P at the centre of a circle of radius 0
    const int k = top;
    const Wide ex = two_sum(scaled(part[0][0], -k), scaled(part[0][1], -k));
    const Wide ey = two_sum(scaled(part[1][0], -k), scaled(part[1][1], -k));
    const double radius = scaled(r, -k);
    const Wide length = sqrt(ex * ex + ey * ey);
    const Range range = around(length + Wide{-radius, 0}, 0x1p-96, k);
    if (range.settled() || r < 0)
        return range.settled() ? range.high : range.nearest;  // a negative radius cancels nothing

    // Exactly: enough fraction bits for every bit of the squares.
    const std::size_t words = exact_words({part[0][0], part[0][1], part[1][0], part[1][1], r}, k);
    const auto exactly = [&](double a, double b) { return fixed(a, k, words) + fixed(b, k, words); };
    const Fixed fx = exactly(part[0][0], part[0][1]), fy = exactly(part[1][0], part[1][1]), fr = fixed(r, k, words);
    const Fixed numerator = fx * fx + fy * fy - fr * fr;
    int exponent;
    const Wide quotient = leading(numerator, exponent) / (length + Wide{radius, 0});
    const Range exact = around(negative(numerator) ? -quotient : quotient, quotient.hi * 0x1p-92, k + exponent);
    return exact.settled() ? exact.high : exact.nearest;
}

}  // namespace

double Sikidom::get_distance(double px, double py) const
{
    if (side_number == 0)
        return circle_distance(x, y, size, px, py);
    return polygon::distance(x, y, size, side_number, px, py);
}
