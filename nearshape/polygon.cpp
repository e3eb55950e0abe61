#include "polygon.h"

#include "exact.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace polygon {
namespace {

using namespace exact;

const double pi = 0x1.921fb54442d18p+1;

// sin and cos of k pi / n, kept for the angles met last: a file's polygons mostly share a few
// side numbers, and with them a few vertex angles.
void known_sin_cos(long long k, int n, Wide& sine, Wide& cosine)
{
    struct Known {
        long long k = 0;
        int n = 0;
        Wide sine, cosine;
    };
    thread_local Known known[256];
    Known& slot = known[(static_cast<unsigned long long>(n) * 16 + static_cast<unsigned long long>(k)) % 256];
    if (slot.n != n || slot.k != k) {
        sin_cos(k, n, slot.sine, slot.cosine);
        slot.k = k, slot.n = n;
    }
    sine = slot.sine, cosine = slot.cosine;
}

// sin(pi/n) and 1 / (2 sin(pi/n)), the circumradius of a polygon of side length 1, kept for the
// side numbers met last.
void half_angle(int n, Wide& sine, Wide& inverse)
{
    struct Known {
        int n = 0;
        Wide sine, inverse;
    };
    thread_local Known known[64];
    Known& slot = known[static_cast<unsigned>(n) % 64];
    if (slot.n != n) {
        Wide cosine;
        sin_cos(1, n, slot.sine, cosine);
        slot.inverse = Wide{1, 0} / (slot.sine * 2.0);
        slot.n = n;
    }
    sine = slot.sine, inverse = slot.inverse;
}

// The polygon set up for both ways of measuring. Both measure every length in units of 2^k,
// chosen so that the offset's parts and R are below 1 and the largest of them at least 1/4:
// nothing then overflows, and nothing that matters underflows.
struct Setup {
    int n;
    int k;
    double offset[2][2];  // the offset P - centre: each part the exact sum of two doubles
    double side;          // |side length|
    Wide sine_half;       // sin(pi/n)
    Wide radius;          // 1 / (2 sin(pi/n))
    double direction[2];  // the offset rounded (halved where it overflows): P's direction
};

// The distance from P to vertex j in double-double, and the range that its error bound gives.
// With every length below 1: sin and cos of the vertex angle come out within 2^-100, R within
// 2^-102 (sin(pi/n), its inverse and the product each within 2^-104 of themselves), R sin and
// R cos within 2^-99.5, and their sums with the exact offset within 2^-99.3; so the distance
// is within 2^-98.8, and its own three operations add 2^-102 of itself; scaling the offset's
// parts loses at most 2^-1074 of them to underflow. The range allows 2^-94 and 2^-94 of the
// distance: the fixed point takes over only where P lies within about 2^-40 of the scale from
// a vertex, or the distance within 2^-94 of halfway between two doubles.
Range fast_range(const Setup& setup, long long j)
{
    const int k = setup.k;
    const Wide ex = two_sum(scaled(setup.offset[0][0], -k), scaled(setup.offset[0][1], -k));
    const Wide ey = two_sum(scaled(setup.offset[1][0], -k), scaled(setup.offset[1][1], -k));
    const Wide R = setup.radius * scaled(setup.side, -k);
    Wide sine, cosine;
    known_sin_cos(2 * j + 1, setup.n, sine, cosine);  // the vertex lies at R (-sin, -cos) from the centre
    const Wide dx = ex + R * sine, dy = ey + R * cosine;
    const Wide d = sqrt(dx * dx + dy * dy);
    return around(d, 0x1p-94 + d.hi * 0x1p-94, k);
}

// The same with `words` words of fixed point, of which all but the top one are fraction: F bits.
// pi, sin(pi/n) and the sines and cosines of the vertex angles come out within 4 F^2 units of
// the last word, 2^(30-F) for F up to 2^14 (the series' terms each within a few units, their
// count below F, and pi's error, scaled by at most 1/4 in the angle, carried through at most
// 2.2 times). Measured from 2 sin(pi/n) times P, where no division is needed, the offset from
// vertex j, 2 sin(pi/n) (e + R (sin, cos)) = 2 sin(pi/n) e + side (sin, cos), is within
// 2^(33-F) in each part. Dividing by 2 sin(pi/n) >= 2^-30 gives the distance within 2^(63-F),
// and the double-doubles on the way add below 2^-93 of the distance. The range allows 2^(64-F)
// and 2^-90 of the distance.
Range exact_range(const Setup& setup, const Fixed& pi, const Fixed& sine_half, long long j)
{
    const std::size_t words = pi.word.size();
    const int fraction = 32 * static_cast<int>(words - 1);
    const Fixed ex = fixed(setup.offset[0][0], setup.k, words) + fixed(setup.offset[0][1], setup.k, words);
    const Fixed ey = fixed(setup.offset[1][0], setup.k, words) + fixed(setup.offset[1][1], setup.k, words);
    const Fixed side = fixed(setup.side, setup.k, words);
    Fixed twice = sine_half;
    twice *= 2;
    Fixed sine, cosine;
    fixed_sin_cos(2 * j + 1, setup.n, pi, sine, cosine);
    const Fixed dx = twice * ex + side * sine, dy = twice * ey + side * cosine;
    if (is_zero(dx) && is_zero(dy))
        return around(Wide{0, 0}, 0, setup.k);
    int ex_dx, ex_dy, ex_sine;
    Wide x = leading(dx, ex_dx), y = leading(dy, ex_dy);
    const int e = std::max(ex_dx, ex_dy);  // both in units of 2^e
    x = Wide{std::ldexp(x.hi, ex_dx - e), std::ldexp(x.lo, ex_dx - e)};
    y = Wide{std::ldexp(y.hi, ex_dy - e), std::ldexp(y.lo, ex_dy - e)};
    const Wide scale = leading(twice, ex_sine);
    const Wide d = sqrt(x * x + y * y) / scale;
    const int unit = e - ex_sine;  // d is in units of 2^unit of 2^k
    return around(d, std::ldexp(1.0, 64 - fraction - unit) + d.hi * 0x1p-90, setup.k + unit);
}

// Vertex j at (a, b) halves of the side length from the centre: every vertex of a square and
// of a 2-gon, and a hexagon's left and right vertices. P can lie exactly on one, at distance 0,
// which no number of bits of the sines would settle: such a vertex is measured exactly.
bool rational(int n, long long j, int& a, int& b)
{
    static const int square[4][2] = {{-1, -1}, {-1, 1}, {1, 1}, {1, -1}};
    if (n == 4) {
        a = square[j][0], b = square[j][1];
        return true;
    }
    if (n != 2 && !(n == 6 && (j == 1 || j == 4)))
        return false;
    a = (j <= 1 ? -1 : 1) * (n == 6 ? 2 : 1), b = 0;
    return true;
}

Range exact_vertex(const Setup& setup, int a, int b)
{
    const int k = setup.k;
    const std::size_t words =
        exact_words({setup.offset[0][0], setup.offset[0][1], setup.offset[1][0], setup.offset[1][1], setup.side}, k)
        + 1;
    const Fixed half = fixed(setup.side, k + 1, words);
    const auto part = [&](int i, int halves) {
        Fixed step = half;
        step *= static_cast<Word>(halves < 0 ? -halves : halves);
        const Fixed e = fixed(setup.offset[i][0], k, words) + fixed(setup.offset[i][1], k, words);
        return halves < 0 ? e + step : e - step;
    };
    const Fixed dx = part(0, a), dy = part(1, b);
    return square_root(dx * dx + dy * dy, k);
}

// The distance from P to the truly nearest vertex: the one whose angle is nearest to P's
// direction, or either of two where P lies all but halfway between them. Every argument
// finite, n >= 1. The double-double estimate settles nearly every distance; the fixed point
// takes the rest.
double nearest_vertex(double x, double y, double side, int n, double px, double py)
{
    if (n == 1 && side != 0)
        return std::numeric_limits<double>::infinity();  // sin(pi) = 0: the vertex lies at infinity
    if (n == 1)
        n = 2;  // side length 0: every vertex is the centre, whatever the side number
    Setup setup;
    setup.n = n;
    setup.side = std::fabs(side);
    half_angle(n, setup.sine_half, setup.radius);
    // The offset exactly: the rounded difference and its rounding error, or where the
    // difference overflows, P's coordinate and minus the centre's. The vertices lie opposite
    // for a negative side length: P is mirrored through the centre instead.
    const double from[2] = {px, py}, to[2] = {x, y}, mirror = side < 0 ? -1 : 1;
    const Wide e[2] = {two_sum(px, -x), two_sum(py, -y)};
    const bool overflow = !std::isfinite(e[0].hi) || !std::isfinite(e[1].hi);
    int top = std::numeric_limits<int>::min();  // every length is below 2^top
    for (int i = 0; i < 2; ++i) {
        const bool finite = std::isfinite(e[i].hi);
        setup.offset[i][0] = mirror * (finite ? e[i].hi : from[i]);
        setup.offset[i][1] = mirror * (finite ? e[i].lo : -to[i]);
        setup.direction[i] = mirror * (overflow ? from[i] / 2 - to[i] / 2 : e[i].hi);
        if (e[i].hi != 0)
            top = std::max(top, finite ? std::ilogb(e[i].hi) + 1 : std::numeric_limits<double>::max_exponent + 1);
    }
    if (setup.side != 0)  // R = side / (2 sin(pi/n))
        top = std::max(top, std::ilogb(setup.side) - std::ilogb(setup.sine_half.hi));
    if (top == std::numeric_limits<int>::min())
        return 0;  // P at the centre of a polygon of side length 0
    setup.k = top;

    // P's direction in steps between vertices, counted from vertex 0: within 2^-18 steps of
    // the true one, however many sides.
    const double step = std::atan2(-setup.direction[0], -setup.direction[1]) / (2 * pi / n) - 0.5;
    const double rounded = std::nearbyint(step);
    const long long j = (static_cast<long long>(rounded) % n + n) % n;
    const bool halfway = std::fabs(step - rounded) > 0.5 - 0x1p-10;
    const long long other = ((step > rounded ? j + 1 : j - 1) % n + n) % n;

    if (!overflow && e[0].hi == 0 && e[1].hi == 0) {  // P at the centre: R from every vertex
        const Wide R = setup.radius * scaled(setup.side, -setup.k);
        const Range range = around(R, R.hi * 0x1p-94, setup.k);
        if (range.settled())
            return range.high;
    } else {
        Range range = fast_range(setup, j);
        if (halfway)
            range = nearer(range, fast_range(setup, other));
        if (range.settled())
            return range.high;
    }
    Range range{};
    for (std::size_t words = 7; words <= 385; words = 2 * words - 1) {  // 192 to 12288 bits of fraction
        const Fixed half_turn = fixed_pi(words);
        Fixed sine_half, cosine_half;
        fixed_sin_cos(1, n, half_turn, sine_half, cosine_half);
        const auto measure = [&](long long v) {
            int a, b;
            return rational(n, v, a, b) ? exact_vertex(setup, a, b) : exact_range(setup, half_turn, sine_half, v);
        };
        range = halfway ? nearer(measure(j), measure(other)) : measure(j);
        if (range.settled() || range.narrow)
            break;
    }
    return range.settled() ? range.high : range.nearest;
}

}  // namespace

double distance(double x, double y, double side, int n, double px, double py)
{
    if (n <= 0)
        return 0;
    const bool far_point = std::isinf(px) || std::isinf(py),
               far_polygon = std::isinf(x) || std::isinf(y) || std::isinf(side);
    if (std::isnan(x) || std::isnan(y) || std::isnan(side) || std::isnan(px) || std::isnan(py)
        || (far_point && far_polygon))
        return std::numeric_limits<double>::quiet_NaN();
    if (far_point || far_polygon)
        return std::numeric_limits<double>::infinity();
    return nearest_vertex(x, y, side, n, px, py);
}

}  // namespace polygon
