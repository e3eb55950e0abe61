// Cost of a polygon's distance from P against its side number: it should stay flat.
#include "sikidom.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

Sokszog polygon(int n)
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
    const Sokszog figure = polygon(n);
    const double R = circumradius(n);
    double step = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(figure.get_distance(1.5 + 1.3 * R + step, -2 + 0.4 * R));
        step += 1e-3 * R;
    }
}

// P at the centre: every vertex is equally near, the most vertices are measured.
void PolygonDistanceFromCentre(benchmark::State& state)
{
    const Sokszog figure = polygon(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(figure.get_distance(1.5, -2));
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

}  // namespace

BENCHMARK(PolygonDistance)->Arg(3)->Arg(1000)->Arg(1000000)->Arg(2147483647);
BENCHMARK(PolygonDistanceFromCentre)->Arg(3)->Arg(1000)->Arg(1000000)->Arg(2147483647);
BENCHMARK(CircleDistance);
