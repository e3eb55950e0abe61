// Cost of a figure's distance from P against its side number and P's place: it should stay
// flat, and every worst case within about 100 microseconds.
#include "sikidom.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <limits>

namespace {

Sokszog polygon_of(int n)
{
    Sokszog s;
    s.place(1.5, -2);
    s.set_side_number(n);
    s.set_side_length(0.75);
    return s;
}

double circumradius(int n) { return 0.75 / (2 * std::sin(2 * std::asin(1.0) / n)); }

// P outside the polygon, at a slightly different place each time.
void PolygonDistance(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const Sokszog figure = polygon_of(n);
    const double R = circumradius(n);
    double step = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(figure.get_distance(1.5 + 1.3 * R + step, -2 + 0.4 * R));
        step += 1e-3 * R;
    }
}

// P at the centre: every vertex is equally near.
void PolygonDistanceFromCentre(benchmark::State& state)
{
    const Sokszog figure = polygon_of(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(figure.get_distance(1.5, -2));
}

// P within a thousandth of the circumradius of the centre, at a slightly different place
// each time.
void PolygonDistanceNearCentre(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const Sokszog figure = polygon_of(n);
    const double R = circumradius(n);
    double step = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(figure.get_distance(1.5 + 1e-3 * R * std::sin(step), -2 + 1e-3 * R * std::cos(step)));
        step += 0.1;
    }
}

// P within a few ulps of a vertex of a polygon of 2147483647 sides, off its centre by less than
// rounding can tell the vertices apart: the double-double bound can't settle the rounding,
// and the distance is computed once more in 192-bit fixed point. Rare: P must lie within
// about 2^-40 of the circumradius (or of its offset from the centre) from a vertex.
void PolygonDistanceAtVertex(benchmark::State& state)
{
    Sokszog figure;
    figure.place(1e10, -1e10);
    figure.set_side_number(2147483647);
    figure.set_side_length(50);
    const double half_turn = 2 * std::asin(1.0), R = 50 / (2 * std::sin(half_turn / 2147483647));
    const double theta = 800000001 * half_turn / 2147483647;  // vertex 400000000
    const double px = 1e10 - R * std::sin(theta), py = -1e10 - R * std::cos(theta);
    for (auto _ : state)
        benchmark::DoNotOptimize(figure.get_distance(px, py));
}

void CircleDistance(benchmark::State& state)
{
    Kor circle;
    circle.place(1.5, -2);
    circle.set_radius(0.75);
    double px = 3;
    for (auto _ : state) {
        benchmark::DoNotOptimize(circle.get_distance(px, 4));
        px += 0.001;
    }
}

// P a hair from the rim: the double-double bound can't settle the rounding, and |P - C|^2 - r^2
// is computed exactly. Slowest where the numbers span the whole range of the doubles.
void CircleDistanceAtRim(benchmark::State& state)
{
    const double top = std::numeric_limits<double>::max(), least = std::numeric_limits<double>::denorm_min();
    Kor circle;
    circle.place(state.range(0) ? least : 0, 0);
    circle.set_radius(state.range(0) ? top : 1);
    const double px = state.range(0) ? -top : std::nextafter(0.6, 1.0), py = state.range(0) ? least : 0.8;
    for (auto _ : state)
        benchmark::DoNotOptimize(circle.get_distance(px, py));
}

}  // namespace

BENCHMARK(PolygonDistance)->Arg(3)->Arg(1000)->Arg(1000000)->Arg(2147483647);
BENCHMARK(PolygonDistanceFromCentre)->Arg(3)->Arg(256)->Arg(1000000)->Arg(2147483647);
BENCHMARK(PolygonDistanceNearCentre)->Arg(1000000)->Arg(2147483647);
BENCHMARK(PolygonDistanceAtVertex);
BENCHMARK(CircleDistance);
BENCHMARK(CircleDistanceAtRim)->Arg(0)->Arg(1);
