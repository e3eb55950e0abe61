// Building, search and in-order traversal of the ternary tree, on random values and on
// ascending values (the latter build a chain of right links, the tree's worst shape).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

#include "tree.h"

namespace {

std::vector<int> Values(benchmark::State& state, bool ascending)
{
    std::vector<int> values(static_cast<std::size_t>(state.range(0)));
    std::iota(values.begin(), values.end(), 0);
    if (!ascending)
        std::shuffle(values.begin(), values.end(), std::mt19937(42));
    return values;
}

void Fill(Tree<int>& tree, const std::vector<int>& values) { tree.Insert(values.begin(), values.end()); }

class Sum final : public Action<int> {
public:
    void Exec(Node<int>* node) override { total += node->GetValue(); }
    long long total = 0;
};

// Builds and frees a whole tree per iteration.
void Build(benchmark::State& state, bool ascending)
{
    const std::vector<int> values = Values(state, ascending);
    for (auto _ : state) {
        Tree<int> tree;
        Fill(tree, values);
        benchmark::DoNotOptimize(tree.IsEmpty());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Looks every stored value up once, in random order.
void Search(benchmark::State& state, bool ascending)
{
    const std::vector<int> values = Values(state, ascending);
    std::vector<int> queries = values;
    std::shuffle(queries.begin(), queries.end(), std::mt19937(7));
    Tree<int> tree;
    Fill(tree, values);
    for (auto _ : state) {
        for (int query : queries)
            benchmark::DoNotOptimize(tree.Find(query));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Traverse(benchmark::State& state, bool ascending)
{
    Tree<int> tree;
    Fill(tree, Values(state, ascending));
    for (auto _ : state) {
        Sum sum;
        tree.InOrder(&sum);
        benchmark::DoNotOptimize(sum.total);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK_CAPTURE(Build, random, false)->Range(1 << 10, 1 << 16);
BENCHMARK_CAPTURE(Build, ascending, true)->Range(1 << 10, 1 << 16);
BENCHMARK_CAPTURE(Search, random, false)->Range(1 << 10, 1 << 16);
BENCHMARK_CAPTURE(Search, ascending, true)->Range(1 << 10, 1 << 13);
BENCHMARK_CAPTURE(Traverse, random, false)->Range(1 << 10, 1 << 16);
BENCHMARK_CAPTURE(Traverse, ascending, true)->Range(1 << 10, 1 << 16);
