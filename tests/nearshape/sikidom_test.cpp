#include "polygon.h"
#include "sikidom.h"
#include "vertex_loop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

Sikidom figure(double x, double y, int n, double size)  // n == 0: a circle
{
    Sokszog s;
    s.place(x, y);
    s.set_side_number(n);
    s.set_side_length(size);
    return s;
}

// Quadruple precision, with sin and cos from their series: the reference for the distance to
// the truly nearest vertex.
using quad = __float128;
const quad pi = quad(0x1.921fb54442d18p+1) + quad(0x1.1a62633145c07p-53) + quad(-0x1.f1976b7ed8fbcp-109);
const double turn = 4 * std::asin(1.0);

quad length(quad dx, quad dy)
{
    const quad large = std::max(dx, -dx) > std::max(dy, -dy) ? std::max(dx, -dx) : std::max(dy, -dy);
    if (large == 0)
        return 0;
    const quad v = (dx / large) * (dx / large) + (dy / large) * (dy / large);  // 1 to 2
    quad s = std::sqrt(static_cast<double>(v));
    for (int i = 0; i < 3; ++i)
        s = (s + v / s) / 2;
    return large * s;
}

void sin_cos(quad angle, quad& sine, quad& cosine)
{
    const long quarters = std::lround(static_cast<double>(angle / (pi / 2)));
    const quad rest = angle - quarters * (pi / 2);
    quad s = 0, c = 0, term = 1;
    for (int k = 0; k < 60; ++k) {
        (k % 2 ? s : c) += k % 4 < 2 ? term : -term;
        term = term * rest / (k + 1);
    }
    const quad turned[4][2] = {{s, c}, {c, -s}, {-s, -c}, {-c, s}};
    sine = turned[quarters & 3][0];
    cosine = turned[quarters & 3][1];
}

// P's offset from the centre as the program rounds it (taken by halves, which rounds alike
// and reaches beyond the range of a double); then every vertex near P's direction placed and
// measured in quadruple precision.
double true_distance(double x, double y, int n, double a, double px, double py)
{
    const quad ex = 2 * quad(px / 2 - x / 2), ey = 2 * quad(py / 2 - y / 2);
    quad sine, cosine;
    sin_cos(pi / n, sine, cosine);
    const quad R = quad(a) / (2 * sine);
    const double dx = static_cast<double>(ex / 2), dy = static_cast<double>(ey / 2);
    const double phi = a < 0 ? std::atan2(dx, dy) : std::atan2(-dx, -dy);
    const long long nearest = std::llround(phi / (turn / n) - 0.5);
    quad best = -1;
    for (long long j = nearest - 2; j <= nearest + 2; ++j) {
        sin_cos((2 * j + 1) * pi / n, sine, cosine);
        const quad d = length(ex + R * sine, ey + R * cosine);
        if (best < 0 || d < best)
            best = d;
    }
    return static_cast<double>(best);
}

double ulps(double actual, double expected)
{
    return std::fabs(actual - expected) / (std::nextafter(expected, INFINITY) - expected);
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
// squares below the normal range, coordinates near the largest double.
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
    };
    for (const auto& c : cases) {
        const polygon::Window window = polygon::window(c.x, c.y, c.size, c.n, c.px, c.py);
        EXPECT_GT(window.first, window.last) << "n=" << c.n << " size=" << c.size;
        EXPECT_LE(ulps(figure(c.x, c.y, c.n, c.size).get_distance(c.px, c.py),
                       true_distance(c.x, c.y, c.n, c.size, c.px, c.py)),
                  2)
            << "n=" << c.n << " size=" << c.size;
    }
    const double R = 1e-12 / (2 * std::sin(turn / 2 / 1000000));  // P exactly at the centre
    EXPECT_EQ(figure(1e6, 0, 1000000, 1e-12).get_distance(1e6, 0), R);
    EXPECT_EQ(figure(1e6, 0, 1000000, -1e-12).get_distance(1e6, 0), R);
}

// Random polygons with P at every distance from the centre, within a millionth of R and near
// the circumscribed circle included, in a random direction, towards a vertex or halfway
// between two. Where the window shows that geometry decides, the distance is the vertex
// loop's to the bit; elsewhere it is within a few ulps of the truly nearest vertex. Side
// numbers reach a million, and where rounding decides (the loop is not run) 2147483647.
TEST(Distance, GeometryOrRounding)
{
    std::mt19937_64 random(20261206);
    std::uniform_real_distribution<double> unit(0, 1);
    const auto sign = [&] { return unit(random) < 0.5 ? -1 : 1; };
    int geometry = 0, near_centre = 0, rounding = 0;
    for (int run = 0; run < 4000; ++run) {
        const bool loop_affordable = run % 8 == 0;  // else mostly polygons that rounding blurs
        const double wide = loop_affordable ? 0 : 6;
        const int n = std::max(3, static_cast<int>(std::pow(loop_affordable ? 1e6 : 2147483647.0, unit(random))));
        const double x = std::pow(10, 10 * unit(random) - 3) * sign(), y = std::pow(10, 10 * unit(random) - 3) * sign();
        const double a = std::pow(10, (12 + wide) * unit(random) - 6 - wide) * (run % 7 ? 1 : -1);
        const double R = std::fabs(a / (2 * std::sin(turn / 2 / n)));
        const double angle = run % 3 ? turn * unit(random) : turn / n * (random() % n + (run % 2) / 2.0);
        const double r = R * (run % 5 ? std::pow(10, 11 * unit(random) - 8) : 1 + 1e-6 * (unit(random) - 0.5));
        const double px = x - r * std::sin(angle), py = y - r * std::cos(angle);
        const double actual = figure(x, y, n, a).get_distance(px, py);
        const polygon::Window window = polygon::window(x, y, a, n, px, py);
        if (window.first > window.last) {
            ++rounding;
            EXPECT_LE(ulps(actual, true_distance(x, y, n, a, px, py)), 2) << "n=" << n << " r/R=" << r / R;
        } else if (loop_affordable) {
            ++geometry;
            near_centre += n > polygon::max_measured && r < 1e-6 * R;
            EXPECT_LE(window.last - window.first + 1, polygon::max_measured);
            EXPECT_EQ(actual, vertex_loop(x, y, n, a, px, py)) << "n=" << n << " r/R=" << r / R;
        }
    }
    EXPECT_GT(geometry, 300);
    EXPECT_GT(near_centre, 10);
    EXPECT_GT(rounding, 1000);
}

}  // namespace
