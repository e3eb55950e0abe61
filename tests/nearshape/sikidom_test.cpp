#include "sikidom.h"

#include <gtest/gtest.h>

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

// Every vertex measured in turn, as the polygon is defined: (0, -R) turned about the centre.
double vertex_loop(double x, double y, int n, double a, double px, double py)
{
    const double alpha = 4 * std::asin(1.0) / n, R = a / (2 * std::sin(alpha / 2)), dx = 0, dy = -R;
    double result = 0;
    for (int i = 0; i < n; ++i) {
        const double theta = alpha / 2 + i * alpha;
        const double vx = x + dx * std::cos(theta) + dy * std::sin(theta);
        const double vy = y - dx * std::sin(theta) + dy * std::cos(theta);
        const double d = std::sqrt((vx - px) * (vx - px) + (vy - py) * (vy - py));
        if (i == 0 || d < result)
            result = d;
    }
    return result;
}

TEST(Distance, WorkedValues)
{
    struct { double x, y; int n; double size, px, py, expected; } worked[] = {
        {3, 4, 0, 1, 0, 0, 4}, {0, 0, 0, 2, 2, 0, 0}, {0, 0, 0, 2, 1, 0, -1}, {0, 0, 0, 2, 0, 0, -2},
        {3, 4, 0, 0, 0, 0, 5}, {0, 0, 4, 2, 0, 0, std::sqrt(2.0)}, {0, 0, 4, 2, -1, -1, 0},
        {0, 0, 4, 2, 0, -3, std::sqrt(5.0)}, {0, 0, 3, std::sqrt(3.0), 0, 5, 4}, {3, 4, 7, 0, 0, 0, 5},
        {3, 4, -5, 2, 0, 0, 0},
    };
    for (const auto& w : worked)
        EXPECT_NEAR(figure(w.x, w.y, w.n, w.size).get_distance(w.px, w.py), w.expected, 1e-15);
    Sokszog unset;  // no side number: measures as a circle whose radius is the side length
    unset.place(3, 4);
    unset.set_side_length(2);
    EXPECT_EQ(unset.get_distance(0, 0), 3);
}

// Only the vertices near the direction of P are measured; the result must be the very bits
// that measuring every vertex gives, ties between vertices included.
TEST(Distance, MatchesTheFullVertexLoop)
{
    std::mt19937_64 random(20261206);
    std::uniform_real_distribution<double> unit(0, 1);
    const auto coordinate = [&] { return std::pow(10, 8 * unit(random) - 2) * (unit(random) < 0.5 ? -1 : 1); };
    const double turn = 4 * std::asin(1.0);
    for (int run = 0; run < 1500; ++run) {
        const int n = run % 2 ? 3 + static_cast<int>(random() % 60) : static_cast<int>(std::pow(10, 1 + 4 * unit(random)));
        const double x = coordinate(), y = coordinate(), a = std::pow(10, 8 * unit(random) - 4) * (run % 7 ? 1 : -1);
        const double R = std::fabs(a / (2 * std::sin(turn / n / 2)));
        // P in a random direction or on the axis between two vertices.
        const double angle = run % 3 ? turn * unit(random) : turn / n * (random() % n);
        const double r = R * std::pow(10, 10 * unit(random) - 7);
        const double px = x - r * std::sin(angle), py = y - r * std::cos(angle);
        const double expected = vertex_loop(x, y, n, a, px, py), actual = figure(x, y, n, a).get_distance(px, py);
        if (r >= 1e-6 * R)
            EXPECT_EQ(actual, expected) << "n=" << n << " r/R=" << r / R;
        else
            EXPECT_NEAR(actual, expected, 4 * (std::nextafter(R, 2 * R) - R));
    }
    // Squares below the normal range, and vertices blurred together by rounding.
    EXPECT_EQ(figure(0, 0, 1000, 3e-164).get_distance(-1e-160, -2e-160), vertex_loop(0, 0, 1000, 3e-164, -1e-160, -2e-160));
    EXPECT_EQ(figure(1.5, 1.5, 1000000, 7.25e-22).get_distance(1, 1), vertex_loop(1.5, 1.5, 1000000, 7.25e-22, 1, 1));
}

}  // namespace
