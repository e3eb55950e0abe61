// The ternary tree's own work in a run, without the I/O: building from all the values at
// once (ascending values make a chain of right links, descending ones of left links, random
// ones a tree of logarithmic height), the walks, counting, searching and freeing.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "tree.h"

namespace {

enum Order { kAscending, kDescending, kRandom };

// The values of the scale benchmark's inputs: 1..n up or down, or random in +-10^9.
std::vector<int> Values(benchmark::State& state, Order order)
{
    const int n = static_cast<int>(state.range(0));
    std::vector<int> values(n);
    std::mt19937_64 bits(20261206);
    for (int i = 0; i < n; ++i) {
        values[i] = order == kAscending ? i + 1
            : order == kDescending      ? n - i
                                        : static_cast<int>(bits() % 2000000001) - 1000000000;
    }
    return values;
}

class Sum final : public Action<int> {
public:
    void Exec(Node<int>* node) override { total += node->GetValue(); }
    std::int64_t total = 0;
};

// Builds and frees a whole tree per iteration.
void Build(benchmark::State& state, Order order)
{
    const std::vector<int> values = Values(state, order);
    for (auto _ : state) {
        Tree<int> tree;
        tree.Insert(values.begin(), values.end());
        benchmark::DoNotOptimize(tree.IsEmpty());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// One walk of a tree built once.
void Walk(benchmark::State& state, Order order, void (Tree<int>::*walk)(Action<int>*))
{
    const std::vector<int> values = Values(state, order);
    Tree<int> tree;
    tree.Insert(values.begin(), values.end());
    for (auto _ : state) {
        Sum sum;
        (tree.*walk)(&sum);
        benchmark::DoNotOptimize(sum.total);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The tree's whole work in a run: the build, the three walks of the print, the count and
// the emptying.
void Lifetime(benchmark::State& state, Order order)
{
    const std::vector<int> values = Values(state, order);
    for (auto _ : state) {
        Tree<int> tree;
        tree.Insert(values.begin(), values.end());
        Sum sum;
        tree.PreOrder(&sum);
        tree.PostOrder(&sum);
        tree.InOrder(&sum);
        benchmark::DoNotOptimize(sum.total + tree.GetElementCount());
        tree.Empty();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Looks every stored value up once, in random order.
void Search(benchmark::State& state, Order order)
{
    const std::vector<int> values = Values(state, order);
    std::vector<int> queries = values;
    std::shuffle(queries.begin(), queries.end(), std::mt19937(7));
    Tree<int> tree;
    tree.Insert(values.begin(), values.end());
    for (auto _ : state) {
        for (int query : queries)
            benchmark::DoNotOptimize(tree.Find(query));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK_CAPTURE(Build, ascending, kAscending)->Range(1 << 10, 1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Build, descending, kDescending)->Range(1 << 10, 1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Build, random, kRandom)->Range(1 << 10, 1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Walk, pre_random, kRandom, &Tree<int>::PreOrder)
    ->Range(1 << 10, 1 << 20)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Walk, in_random, kRandom, &Tree<int>::InOrder)
    ->Range(1 << 10, 1 << 20)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Walk, post_random, kRandom, &Tree<int>::PostOrder)
    ->Range(1 << 10, 1 << 20)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Walk, in_ascending, kAscending, &Tree<int>::InOrder)
    ->Range(1 << 10, 1 << 20)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Lifetime, ascending, kAscending)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Lifetime, descending, kDescending)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Lifetime, random, kRandom)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Search, random, kRandom)->Range(1 << 10, 1 << 16);
BENCHMARK_CAPTURE(Search, ascending, kAscending)->Range(1 << 10, 1 << 13);
