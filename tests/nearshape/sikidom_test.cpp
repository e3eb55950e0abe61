#include "exact.h"
#include "nearest_vertex.h"
#include "polygon.h"
#include "sikidom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>

namespace {

using namespace nearest_vertex;

Sikidom figure(double x, double y, int n, double size)  // n == 0: a circle
{
    Sokszog s;
    s.place(x, y);
    s.set_side_number(n);
    s.set_side_length(size);
    return s;
}

double expected_distance(double x, double y, int n, double size, double px, double py)
{
    return n == 0 ? circle(x, y, size, px, py) : reference(x, y, n, size, px, py);
}

// Built for a processor with fused multiply-add too, the build fuses no multiplication and
// addition into one rounding, which would break the exact products of the double-doubles.
TEST(Distance, NoFusedMultiplyAdd)
{
    volatile double x = 1 + 0x1p-30;
    const double square = x * x;
    EXPECT_EQ(x * x - square, 0);  // fused: minus the rounding error of the square, -2^-60
}

// A fixed-point quotient is cut off below its last word only: a third, to the last bit.
TEST(Distance, FixedPointQuotient)
{
    exact::Fixed third = exact::integer(1, 3);
    EXPECT_EQ((third /= 3).word[0], 0x55555555u);
}

// Distances known exactly: each the true one rounded to nearest, to the bit.
TEST(Distance, WorkedValues)
{
    struct {
        double x, y;
        int n;
        double size, px, py, expected;
    } worked[] = {
        {3, 4, 0, 1, 0, 0, 4},
        {0, 0, 0, 2, 2, 0, 0},
        {0, 0, 0, 2, 1, 0, -1},
        {0, 0, 0, 2, 0, 0, -2},
        {3, 4, 0, 0, 0, 0, 5},
        {0, 0, 0, 5, 3, 4, 0},
        {1e200, 0, 0, 1, 0, 0, 1e200},
        {0, 0, 0, 0, 1e-200, 0, 1e-200},
        {0, 0, 0, 0x8ffffffffffffp-1074, 0x9p-1026, 0x3p-1050, 0x1p-1074},  // 1.5 - 2^-54.2 least doubles: down
        {-DBL_MAX, 0, 0, 0, DBL_MAX, 0, INFINITY},
        {0, 0, 4, 2, 0, 0, std::sqrt(2.0)},
        {0, 0, 4, 2, -1, -1, 0},
        {0, 0x1p-200, 4, 2, 1, 1, 0x1p-200},
        {0, 0, 4, 2, 0, -3, std::sqrt(5.0)},
        {0, 0, 4, 2, 10, -10, std::sqrt(162.0)},  // the last vertex is the nearest
        {0, 0, 4, -2, -10, 10, std::sqrt(162.0)},
        {1e160, 0, 4, 2, 0, 0, 1e160},
        {0, 0, 4, 1, 1e-300, 0, std::sqrt(0.5)},  // P a hair from the centre: R sets the scale
        {-1e308, 0, 1000, 1e306, 1.5e308, 1e308, 0x1.39957c87718ddp+1023},  // the offset overflows
        {-0x1.d14a9895bd4acp+23, -0x1.20458d6e112c5p+27, 2147483647, 0x1.c71d46bddd0ebp-2, 0x1.1cbdf7c5d46ep-33,
         -0x1.daef66753c95bp-28, 0x1.aa716f8e61731p-85},  // P 2^-112 R from a vertex
        {3, 4, 7, 0, 0, 0, 5},
        {3, 4, 2, 2, 0, 4, 2},
        {3, 4, 1, 0, 0, 0, 5},
        {3, 4, 1, 2, 0, 0, INFINITY},
        {3, 4, -5, 2, 0, 0, 0},
    };
    for (const auto& w : worked)
        EXPECT_EQ(figure(w.x, w.y, w.n, w.size).get_distance(w.px, w.py), w.expected)
            << w.x << ' ' << w.y << ' ' << w.n << ' ' << w.size << ' ' << w.px << ' ' << w.py;
    Sokszog unset;  // no side number: measures as a circle whose radius is the side length
    unset.place(3, 4);
    unset.set_side_length(2);
    EXPECT_EQ(unset.get_distance(0, 0), 3);
}

// Against the high-precision distance where the plain formulas fail: P at or near the centre,
// figures tiny beside their coordinates, squares below the normal range, coordinates and sizes
// near the largest double, P nearer to a vertex or the rim than the rounding of its offset
// from the centre, or than 2^-105 of the size.
TEST(Distance, WherePlainFormulasFail)
{
    const double top = DBL_MAX, least = 5e-324;
    struct {
        double x, y;
        int n;
        double size, px, py;
    } cases[] = {
        {1e6, 0, 1000000, 1e-12, 1e6, 0},
        {1e6, 0, 1000000, -1e-12, 1e6, 0},
        {1e6, 0, 1000000, 1e-12, 1e6, 1.5e-7},
        {1e6, 1e6, 6, 1e-9, 1e6, 1e6},
        {1e6, 1e6, 4, 1e-9, 1e6, 1e6},
        {3, -4, 2147483647, 50, 3, -4},
        {3, -4, 2147483647, -50, 3.001, -4.002},
        {1.5, 1.5, 1000000, 7.25e-22, 1, 1},
        {0, 0, 1000, 3e-164, -1e-160, -2e-160},
        {1e300, -1e300, 2147483647, 1e290, -1e300, 1e300},
        {1e308, 0, 2147483647, 5.85e299, -1e308, 0},
        {0, 0, 1000000, 1e294, 2e299, 0},
        {0, 0, 3, top, top, -top},
        {top, top, 0, 0, -top, -top},
        {8973.065361138384, -886489407406.1482, 430149894, 0.006798206025995817, -456435.3952377909,
         -886489407406.1482},
        {0, 1.1805916207174113e+21, 402, 1.86399151096558, -119.2599259849944, 1.1805916207174113e+21},
        {0, 0, 136494, 0x1.d45c2a2a72cd0p+18, 0x1.2737b67fda495p+31, 0x1.2d9a39a64e052p+33},
        {least, 0, 1000, 1e-320, -4e-323, 0},
        {least, -least, 2147483647, 3 * least, 0, 0},
        {-1e-300, 1e300, 1002, 1e-300, -1e-300 + 1e-300 / (2 * std::sin(turn / 2004)), 1e300},
        {1e6, 1e6, 0, 1e-9, 1e6 + 1e-9, 1e6},
        {0, 0, 0, 1, std::nextafter(0.6, 1.0), 0.8},
        {0, 0, 0, 1e-300, 3e-301, std::sqrt(1 - 0.09) * 1e-300},
        {1e300, 0, 0, 1e-300, 1e300, 1e-300},
        {-top, 0, 0, top, top, 0},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(within_ulp(figure(c.x, c.y, c.n, c.size).get_distance(c.px, c.py),
                               expected_distance(c.x, c.y, c.n, c.size, c.px, c.py)))
            << "n=" << c.n << " size=" << c.size << " px=" << c.px;
}

// Inputs the dialogue never passes: side numbers of 0 and below, infinities and NaN.
TEST(Distance, EveryInput)
{
    for (int n : {0, -1, INT_MIN})
        EXPECT_EQ(polygon::distance(0, 0, 1, n, 1, 1), 0) << n;
    const double inf = INFINITY, nan = NAN;
    struct {
        double x, y, size;
        int n;
        double px, py, expected;
    } limits[] = {
        {0, 0, inf, 1000, 1, 1, inf},    {0, 0, -inf, 2147483647, 0, 0, inf}, {0, 0, 1, 1000, inf, 1, inf},
        {-inf, 0, 1, 1000, 1, 1, inf},   {0, 0, inf, 5, 0, 0, inf},           {0, 0, 1, 5, 0, -inf, inf},
        {0, 0, nan, 1000, 1, 1, nan},    {0, 0, 1, 1000, nan, 1, nan},        {inf, 0, 1, 1000, inf, 1, nan},
        {0, 0, inf, 1000, 0, -inf, nan}, {0, 0, 1, 0, inf, 0, inf},           {0, 0, inf, 0, 1, 0, -inf},
        {inf, 0, 1, 0, 1, 1, inf},
    };
    for (const auto& l : limits) {
        const double d = figure(l.x, l.y, l.n, l.size).get_distance(l.px, l.py);
        EXPECT_TRUE(std::isnan(l.expected) ? std::isnan(d) : d == l.expected) << l.x << ' ' << l.size << ' ' << l.px;
    }
}

// 10^5 random circles and polygons of 3 to 2^31 - 1 sides against the high-precision distance,
// in equal shares: P anywhere from 2^-30 to 2^10 times the size from the centre; a few ulps
// from a vertex, the rim, or the rim halfway between two vertices; figures 2^20 to 2^50 times smaller than their
// coordinates; all of these scaled to the ends of the doubles (where offsets and distances overflow, and squares
// underflow); and random bits. Every distance within an ulp of the true one, and nearly all of them the true one
// rounded to nearest.
TEST(Distance, AgainstHighPrecision)
{
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> unit(0, 1);
    const auto sign = [&] { return unit(random) < 0.5 ? -1.0 : 1.0; };
    const auto bits = [&] {
        double v;
        do {
            const std::uint64_t b = random();
            std::memcpy(&v, &b, sizeof v);
        } while (!std::isfinite(v));
        return v;
    };
    int cases = 0, wrong = 0, off_by_one = 0, huge = 0, tiny = 0;
    for (int run = 0; cases < 100000 && run < 120000; ++run) {
        const int kind = run % 5;
        const int n = run % 3 == 0 ? 0 : static_cast<int>(std::min(2147483647.0, std::exp2(1.6 + 29.5 * unit(random))));
        double size = std::exp2(60 * unit(random) - 30) * (run % 7 ? 1 : -1);
        const double R = n == 0 ? std::fabs(size) : std::fabs(size / (2 * std::sin(turn / 2 / n)));
        double x = R * std::exp2(18 * unit(random)) * sign(), y = R * std::exp2(18 * unit(random)) * sign();
        if (kind == 2)
            x *= std::exp2(20 + 30 * unit(random)), y *= std::exp2(20 + 30 * unit(random));
        double r = R * std::exp2(40 * unit(random) - 30);  // P from the centre
        if (kind == 1 || unit(random) < 0.3)
            r = R * (1 + static_cast<int>(random() % 9 - 4) * 0x1p-52);  // on the rim or at a vertex
        double phi = turn * unit(random);
        if (n != 0 && r != 0 && unit(random) < 0.5)
            phi = turn / n * (static_cast<double>(random() % static_cast<unsigned>(n)) + (run % 2 ? 0.5 : 0))
                + (size < 0 ? turn / 2 : 0);  // towards a vertex, or halfway between two
        double px = x - r * std::sin(phi), py = y - r * std::cos(phi);
        int largest = INT_MIN;
        for (double v : {x, y, size, px, py})
            largest = std::max(largest, std::ilogb(v));
        if (kind == 3) {  // the largest number near the top of the doubles, or below 2^-1000
            const int e = run % 2 ? 1023 - largest - static_cast<int>(random() % 4)
                                  : -1000 - largest - static_cast<int>(random() % 70);
            for (double* v : {&x, &y, &size, &px, &py})
                *v = std::ldexp(*v, e);
        } else if (kind == 4) {
            x = bits(), y = bits(), size = bits(), px = bits(), py = bits();
        }
        const double expected = expected_distance(x, y, n, size, px, py);
        if (std::isnan(expected))
            continue;
        ++cases;
        largest = INT_MIN;
        for (double v : {x, y, size, px, py})
            largest = std::max(largest, std::ilogb(v));
        huge += largest > 1000;
        tiny += largest < -1000;
        const double actual = figure(x, y, n, size).get_distance(px, py);
        off_by_one += actual != expected;
        if (!within_ulp(actual, expected) && ++wrong <= 10)
            ADD_FAILURE() << std::hexfloat << "n=" << n << " size=" << size << " x=" << x << " y=" << y << " px=" << px
                          << " py=" << py << " got " << actual << " expected " << expected;
    }
    EXPECT_EQ(cases, 100000);
    EXPECT_EQ(wrong, 0);
    EXPECT_LT(off_by_one, 100);
    EXPECT_GT(huge, 5000);
    EXPECT_GT(tiny, 5000);
}

}  // namespace
