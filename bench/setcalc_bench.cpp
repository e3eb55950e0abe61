// Costs of the set algebra at growing sizes (each operation should scale linearly: about ten
// times the time for ten times the elements), of copying a set (what every by-value operand
// costs: plain memory traffic, whose growth follows the caches rather than the code) and of
// making a set of the values typed for it. What a user waits for is measured on whole runs by
// bench/scale.sh.
#include "algebra.h"
#include "halmaz.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

namespace {

// The set {step * first, step * (first + 1), ...} of n elements.
halmaz progression(int first, int n, double step)
{
    std::vector<double> values(n);
    for (int i = 0; i < n; ++i)
        values[i] = step * (first + i);
    return halmaz::from_values(std::move(values));
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

void Copy(benchmark::State& state)
{
    run(state, [](const halmaz& a, const halmaz&) { return halmaz(a); });
}

// Making a set of n values typed in random order, a quarter of them repeats.
void FromValues(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    std::vector<double> values(n);
    for (int i = 0; i < n; ++i)
        values[i] = 0.5 * (i - i % 4 / 3);
    std::shuffle(values.begin(), values.end(), std::mt19937(12345));
    for (auto _ : state)
        benchmark::DoNotOptimize(halmaz::from_values(values).elemszam());
    state.SetComplexityN(n);
}

}  // namespace

BENCHMARK(Union)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity(benchmark::oN);
BENCHMARK(Difference)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity(benchmark::oN);
BENCHMARK(Intersection)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity(benchmark::oN);
BENCHMARK(Metszet)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity(benchmark::oN);
BENCHMARK(SzimDif)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity(benchmark::oN);
BENCHMARK(Copy)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity(benchmark::oN);
BENCHMARK(FromValues)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity(benchmark::oNLogN);
