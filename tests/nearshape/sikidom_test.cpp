#include "nearest_vertex.h"
#include "polygon.h"
#include "sikidom.h"
#include "vertex_loop.h"

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

// |(a - b) - the double nearest to it|
double rounding_error(double a, double b)
{
    const double s = a - b, bv = s - a;
    return std::fabs((a - (s - bv)) + (-b - bv));
}

double step(double v, int ulps)
{
    for (; ulps != 0; ulps -= ulps > 0 ? 1 : -1)
        v = std::nextafter(v, ulps > 0 ? INFINITY : -INFINITY);
    return v;
}

// Built for a processor with fused multiply-add too, the build fuses no multiplication and
// addition into one rounding, which would change the vertex loop's results with the processor.
TEST(Distance, NoFusedMultiplyAdd)
{
    volatile double x = 1 + 0x1p-30;
    const double square = x * x;
    EXPECT_EQ(x * x - square, 0);  // fused: minus the rounding error of the square, -2^-60
}

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
        {0, 0, 4, 2, 0, 0, std::sqrt(2.0)},
        {0, 0, 4, 2, -1, -1, 0},
        {0, 0, 4, 2, 0, -3, std::sqrt(5.0)},
        {0, 0, 3, std::sqrt(3.0), 0, 5, 4},
        {3, 4, 7, 0, 0, 0, 5},
        {3, 4, -5, 2, 0, 0, 0},
    };
    for (const auto& w : worked)
        EXPECT_NEAR(figure(w.x, w.y, w.n, w.size).get_distance(w.px, w.py), w.expected, 1e-15);
    // A polygon of side length 0 is its centre, measured as the loop measures it.
    EXPECT_EQ(figure(-0.1, -1, 1000, 0).get_distance(3, 5.8), vertex_loop(-0.1, -1, 1000, 0, 3, 5.8));
    Sokszog unset;  // no side number: measures as a circle whose radius is the side length
    unset.place(3, 4);
    unset.set_side_length(2);
    EXPECT_EQ(unset.get_distance(0, 0), 3);
}

// Where rounding decides: P at or near the centre, polygons tiny beside their coordinates,
// squares below the normal range, coordinates near the largest double, and P nearer to a
// vertex than the rounding of its offset from the centre or than 2^-105 of the circumradius.
// The distance is the true one rounded to nearest.
TEST(Distance, RoundingDecides)
{
    struct {
        double x, y;
        int n;
        double size, px, py;
    } cases[] = {
        {1e6, 0, 1000000, 1e-12, 1e6, 0},
        {1e6, 0, 1000000, 1e-12, 1e6, 1.5e-7},
        {3, -4, 2147483647, 50, 3, -4},
        {3, -4, 2147483647, -50, 3.001, -4.002},
        {1.5, 1.5, 1000000, 7.25e-22, 1, 1},
        {0, 0, 1000, 3e-164, -1e-160, -2e-160},
        {1e300, -1e300, 2147483647, 1e290, -1e300, 1e300},
        {1e308, 0, 2147483647, 5.85e299, -1e308, 0},
        {8973.065361138384, -886489407406.1482, 430149894, 0.006798206025995817, -456435.3952377909,
         -886489407406.1482},
        {3.135240000808192e+246, -3.0451399195807892e+271, 4562, 4.7627465205528083e+260, 3.458063113187572e+263,
         -3.0451399195807892e+271},
        {0, 1.1805916207174113e+21, 1000002, 1.4651490536644267, -233186.18062891823, 1.1805916207174113e+21},
        {0, 1.1805916207174113e+21, 402, 1.86399151096558, -119.2599259849944, 1.1805916207174113e+21},
    };
    for (const auto& c : cases) {
        const polygon::Window window = polygon::window(c.x, c.y, c.size, c.n, c.px, c.py);
        EXPECT_GT(window.first, window.last) << "n=" << c.n << " size=" << c.size;
        EXPECT_TRUE(within_ulp(figure(c.x, c.y, c.n, c.size).get_distance(c.px, c.py),
                               reference(c.x, c.y, c.n, c.size, c.px, c.py)))
            << "n=" << c.n << " size=" << c.size;
    }
    const double R = 1e-12 / (2 * std::sin(turn / 2 / 1000000));  // P exactly at the centre
    EXPECT_EQ(figure(1e6, 0, 1000000, 1e-12).get_distance(1e6, 0), R);
    EXPECT_EQ(figure(1e6, 0, 1000000, -1e-12).get_distance(1e6, 0), R);
}

// Inputs the dialogue never passes: side numbers of 0 and below, infinities, NaN, subnormals,
// and offsets and distances beyond the largest double. (The polygon_window fuzz target
// compares the distance with the vertex loop where geometry decides and with the truly
// nearest vertex where rounding decides, on polygons and points of every size.)
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
        {0, 0, inf, 1000, 0, -inf, nan},
    };
    for (const auto& l : limits) {
        const double d = polygon::distance(l.x, l.y, l.size, l.n, l.px, l.py);
        EXPECT_TRUE(std::isnan(l.expected) ? std::isnan(d) : d == l.expected) << l.x << ' ' << l.size << ' ' << l.px;
    }
    const double top = DBL_MAX, least = 5e-324;
    struct {
        double x, y, size;
        int n;
        double px, py;
    } extremes[] = {
        {-top, 0, 4 * std::sin(turn / 2 / 1002) * top, 1002, top, 0},  // a vertex near P, 2 DBL_MAX from the centre
        {-top, 0, 1e-300, 1000, top, 0},
        {-top, -top, top, 2147483647, top, top},
        {0, 0, top, 2147483647, top, -top},
        {least, 0, 1e-320, 1000, -4e-323, 0},
        {least, -least, 3 * least, 2147483647, 0, 0},
        {0, 0, 1e-320, 1000, 1e-320, 0},
        {-1e-300, 1e300, 1e-300, 1002, -1e-300 + 1e-300 / (2 * std::sin(turn / 2004)), 1e300},
    };
    for (const auto& e : extremes)
        EXPECT_TRUE(within_ulp(polygon::distance(e.x, e.y, e.size, e.n, e.px, e.py),
                               reference(e.x, e.y, e.n, e.size, e.px, e.py)))
            << e.x << ' ' << e.size << ' ' << e.px;
}

// Where rounding decides, 10^5 random polygons of 2^9 to 2^31 - 1 sides and side lengths from
// 2^-30 to 2^30, their centres up to 2^18 R away from the origin, with P: next to the vertex
// straight left of or above the centre, on that axis (the nearest double to the vertex, or a
// few ulps from it) while its other coordinate is huge; a few ulps from any vertex; a few ulps
// from the circumscribed circle; or anywhere from 2^-30 R to 2^10 R from the centre. Every
// distance is the true one rounded to nearest, whether P is nearer to a vertex than 2^-40 R or
// nearer than the rounding of its offset from the centre.
TEST(Distance, RoundingDecidesAtRandom)
{
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> unit(0, 1);
    const auto sign = [&] { return unit(random) < 0.5 ? -1.0 : 1.0; };
    int cases = 0, wrong = 0, near_vertex = 0, near_circle = 0, finer = 0;
    for (int run = 0; cases < 100000 && run < 300000; ++run) {
        const int kind = run % 4;
        int n = static_cast<int>(
            std::min(2147483647.0, std::exp2(kind == 0 ? 9 + 22 * unit(random) : 22 + 9 * unit(random))));
        const double a = std::exp2(60 * unit(random) - 30) * (run % 7 ? 1 : -1), mirror = a < 0 ? -1 : 1;
        const double R = std::fabs(a / (2 * std::sin(turn / 2 / n)));
        const double size = R * std::exp2(28 * unit(random) - 10);
        double x = size * sign() * unit(random), y = size * sign(), px, py;
        const int ulps = static_cast<int>(random() % 7) - 3;
        if (kind == 0) {
            n = n / 4 * 4 + (run % 8 < 4 ? 2 : 1);  // a vertex straight left, or straight up
            const double far = R * std::exp2(40 + 30 * unit(random)) * sign();
            const double along = unit(random) < 0.1 ? 0 : R * std::exp2(10 * unit(random) - 8) * sign();
            const int moved = run % 3 ? 0 : ulps;
            if (n % 2 == 0) {
                y = py = far, x = along;
                px = step(beside_vertex(x, n, a), moved);
            } else {
                x = px = far, y = along;
                py = step(-beside_vertex(-y, n, a), moved);
            }
        } else if (kind == 1) {
            const double theta = turn / n * (random() % n + 0.5);
            px = step(x - mirror * R * std::sin(theta), ulps);
            py = step(y - mirror * R * std::cos(theta), static_cast<int>(random() % 7) - 3);
        } else {
            const double phi = turn * unit(random);
            const double r = kind == 2 ? R * (1 + ulps * 0x1p-52) : R * std::exp2(40 * unit(random) - 30);
            px = x - r * std::sin(phi), py = y - r * std::cos(phi);
        }
        const polygon::Window window = polygon::window(x, y, a, n, px, py);
        if (window.first <= window.last)
            continue;
        ++cases;
        const double expected = reference(x, y, n, a, px, py);
        const double rounding = rounding_error(px, x) + rounding_error(py, y);  // of P's offset from the centre
        near_vertex += expected < 0x1p-40 * R;
        near_circle += kind == 2;
        finer += expected < rounding;
        if (!within_ulp(polygon::distance(x, y, a, n, px, py), expected) && ++wrong <= 10)
            ADD_FAILURE() << "n=" << n << " a=" << a << " x=" << x << " y=" << y << " px=" << px << " py=" << py;
    }
    EXPECT_EQ(cases, 100000);
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(near_vertex, 40000);
    EXPECT_GT(near_circle, 10000);
    EXPECT_GT(finer, 8000);
}

}  // namespace
