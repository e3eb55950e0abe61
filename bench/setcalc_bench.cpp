// Costs of the set algebra at growing sizes (each operation should scale linearly) and of
// reading one 20,000-element set value by value.
#include "algebra.h"
#include "halmaz.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

// The set {step * first, step * (first + 1), ...} of n elements. Built by merging halves,
// because inserting one by one costs time quadratic in n.
halmaz progression(int first, int n, double step)
{
    if (n == 1) {
        halmaz h;
        h.insert(step * first);
        return h;
    }
    const int half = n / 2;
    return progression(first, half, step) + progression(first + half, n - half, step);
}

// Operands of n elements each, overlapping in about a third of their elements.
template <typename Operation>
void run(benchmark::State& state, Operation operation)
{
    const int n = static_cast<int>(state.range(0));
    const halmaz a = progression(0, n, 2);
    const halmaz b = progression(0, n, 3);
    for (auto _ : state)
        benchmark::DoNotOptimize(operation(a, b).elemszam());
    state.SetComplexityN(n);
}

void Union(benchmark::State& state)
{
    run(state, [](const halmaz& a, const halmaz& b) { return a + b; });
}

void Difference(benchmark::State& state)
{
    run(state, [](const halmaz& a, const halmaz& b) { return a - b; });
}

void Intersection(benchmark::State& state)
{
    run(state, [](const halmaz& a, const halmaz& b) { return a * b; });
}

void Metszet(benchmark::State& state)
{
    run(state, [](const halmaz& a, const halmaz& b) { return metszet(a, b); });
}

void SzimDif(benchmark::State& state)
{
    run(state, [](const halmaz& a, const halmaz& b) { return szim_dif(a, b); });
}

// Reading a set: 20,000 distinct values in random order, inserted one by one.
void Insert20000(benchmark::State& state)
{
    std::vector<double> values(20000);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = 0.5 * static_cast<double>(i);
    std::shuffle(values.begin(), values.end(), std::mt19937(12345));
    for (auto _ : state) {
        halmaz h;
        for (double v : values)
            h.insert(v);
        benchmark::DoNotOptimize(h.elemszam());
    }
}

}  // namespace

BENCHMARK(Union)->Arg(1000)->Arg(10000)->Arg(100000)->Complexity(benchmark::oN);
BENCHMARK(Difference)->Arg(1000)->Arg(10000)->Arg(100000)->Complexity(benchmark::oN);
BENCHMARK(Intersection)->Arg(1000)->Arg(10000)->Arg(100000)->Complexity(benchmark::oN);
BENCHMARK(Metszet)->Arg(1000)->Arg(10000)->Arg(100000)->Complexity(benchmark::oN);
BENCHMARK(SzimDif)->Arg(1000)->Arg(10000)->Arg(100000)->Complexity(benchmark::oN);
BENCHMARK(Insert20000)->Unit(benchmark::kMillisecond);
