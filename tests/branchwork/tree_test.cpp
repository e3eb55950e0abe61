#include "tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <random>
#include <utility>
#include <vector>

#include "actions.h"
#include "plain_tree.h"

// Every allocation of this test program goes through these, so a test can tell how many
// blocks an operation allocated and left allocated, and make an allocation fail. (Once they
// are inlined, GCC takes the std::free in operator delete for a mismatch with operator new.)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
namespace {
std::size_t allocations = 0, live = 0, allowed = std::size_t(-1);  // allowed: before one fails
}  // namespace

void* operator new(std::size_t size)
{
    void* block = allowed ? std::malloc(size ? size : 1) : nullptr;
    if (!block)
        throw std::bad_alloc();
    --allowed, ++allocations, ++live;
    return block;
}
void operator delete(void* block) noexcept
{
    live -= block != nullptr;
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept { operator delete(block); }

namespace {

using Values = std::vector<int>;
using IntTree = Tree<int>;

// Records the values a traversal hands over, in order.
struct Recorder final : Action<int> {
    void Exec(Node<int>* node) override { seen.push_back(node->GetValue()); }
    Values seen;
};

Values Visit(IntTree& tree, void (IntTree::*traversal)(Action<int>*) = &IntTree::PreOrder)
{
    Recorder recorder;
    (tree.*traversal)(&recorder);
    return recorder.seen;
}

// The Exception value that `operation` throws, or -1 when it returns.
template <typename Operation>
int Thrown(Operation operation)
try {
    operation();
    return -1;
} catch (IntTree::Exception exception) {
    return exception;
}

TEST(Tree, TraversalsVisitInTheirOwnOrders)
{
    const struct {
        Values inserted, pre, in, post;
    } cases[] = {
        {{5, 3, 8, 5, 1}, {5, 3, 1, 5, 8}, {1, 3, 5, 5, 8}, {1, 3, 5, 8, 5}},
        {{50, 30, 70, 30, 20, 40, 30, 60, 80, 70},  // middle chains beside left and right subtrees
         {50, 30, 20, 30, 30, 40, 70, 60, 70, 80},
         {20, 30, 30, 30, 40, 50, 60, 70, 70, 80},
         {20, 30, 30, 40, 30, 60, 70, 80, 70, 50}},
        {{0, -2, 4}, {0, -2, 4}, {-2, 0, 4}, {-2, 4, 0}},
    };
    for (const auto& c : cases) {
        IntTree tree;
        for (int value : c.inserted)
            tree.Insert(value);
        EXPECT_EQ(Visit(tree), c.pre);
        EXPECT_EQ(Visit(tree, &IntTree::InOrder), c.in);
        EXPECT_EQ(Visit(tree, &IntTree::PostOrder), c.post);
        EXPECT_EQ(tree.GetElementCount(), static_cast<int>(c.inserted.size()));
    }
}

TEST(Tree, CopiesHangDownTheMiddleAndOnlyALeafHoldingTheBottomOneIsRemoved)
{
    IntTree tree;
    EXPECT_EQ(Thrown([&] { tree.Remove(5); }), IntTree::RemoveFailed);
    for (int value : {5, 3, 8, 5, 1})
        tree.Insert(value);
    EXPECT_EQ(tree.Find(5)->middle->GetValue(), 5);  // the first copy, with the second below it
    tree.Remove(5);
    for (int value : {5, 3, 7})  // 3 and 8 below the 5, 1 below the 3, no 7
        EXPECT_EQ(Thrown([&] { tree.Remove(value); }), IntTree::RemoveFailed) << value;
    EXPECT_EQ(Visit(tree), (Values{5, 3, 1, 8}));
    tree.Empty();
    EXPECT_EQ(tree.GetElementCount(), 0);
    EXPECT_EQ(Thrown([&] { tree.Empty(); }), IntTree::AlreadyEmpty);
    for (int value : {7, 7, 7})
        tree.Insert(value);
    for (const Values& rest : {Values{7, 7}, Values{7}, Values{}}) {
        tree.Remove(7);
        EXPECT_EQ(Visit(tree), rest);
    }
    EXPECT_TRUE(tree.IsEmpty());
}

// Counts the nodes it is handed.
struct Counter final : Action<int> {
    void Exec(Node<int>*) override { ++count; }
    int count = 0;
};

// 20,000 values ascending, descending and at random, with many repeats: a build that runs out
// of memory leaves nothing; the build matches the reference, also after a removal and more
// values; no walk allocates or leaves a link changed. (The tree_build fuzz target compares
// builds and walks, also with an action that throws, on inputs of every shape.)
TEST(Tree, BuildsAndWalksTheTreeOfPlainInsertionByDescent)
{
    Values ascending(20000), descending(20000), repeats(20000);
    for (int i = 0; i < 20000; ++i)
        ascending[i] = i - i / 7 - 10000;  // every 7th one a copy
    std::reverse_copy(ascending.begin(), ascending.end(), descending.begin());
    std::mt19937 random(2024);
    for (int& value : repeats)
        value = static_cast<int>(random() % 4001) - 2000;
    for (const Values& values : {ascending, descending, repeats}) {
        PlainTree plain;
        for (int value : values)
            plain.Insert(value);
        IntTree tree;
        const std::size_t live_before = live;
        allowed = 10000;
        EXPECT_THROW(tree.Insert(values.begin(), values.end()), std::bad_alloc);
        allowed = std::size_t(-1);
        EXPECT_TRUE(tree.IsEmpty());
        EXPECT_EQ(live, live_before);
        tree.Insert(values.begin(), values.end());
        EXPECT_TRUE(Same(plain, tree.Find(values[0])));
        for (auto traversal : {&IntTree::PreOrder, &IntTree::InOrder, &IntTree::PostOrder}) {
            Counter counter;
            const std::size_t before = allocations;
            (tree.*traversal)(&counter);
            EXPECT_EQ(allocations, before);
            EXPECT_EQ(counter.count, 20000);
            EXPECT_TRUE(Same(plain, tree.Find(values[0])));
        }
        tree.Remove(values.back());
        plain.DropLast();
        EXPECT_TRUE(Same(plain, tree.Find(values[0])));
        const Values more = {values.back(), values.back(), values[10000] + 1, 20000, -20000};
        tree.Insert(more.begin(), more.end());  // into a tree that is not empty: one by one
        for (int value : more)
            plain.Insert(value);
        EXPECT_TRUE(Same(plain, tree.Find(values[0])));
        const std::size_t before = allocations;
        const int count = tree.GetElementCount();
        tree.Empty();  // a post-order walk that frees each node it visits
        EXPECT_EQ(allocations, before);
        EXPECT_EQ(count, 20004);
    }
}

// What Negatives matches when handed the values in order, as a traversal would; -1 for none.
int Match(int number, const Values& values)
{
    Negatives negatives;
    negatives.SetNumber(number);
    for (int value : values) {
        Node<int> node(value);
        negatives.Exec(&node);
    }
    return negatives.found ? negatives.result : -1;
}

TEST(Negatives, MatchesTheFirstValueDirectlyAfterALongEnoughRun)
{
    EXPECT_EQ(Match(2, {-3, -1, 0, 2}), 0);
    EXPECT_EQ(Match(3, {-3, -1, 0, 2}), -1);
    EXPECT_EQ(Match(2, {-1, 5, -2, -3, 4}), 4);                    // 5 follows a run of one only
    EXPECT_EQ(Match(2, {-1, 0, -1, 2, -1, -1, 3, -1, -1, 9}), 3);  // runs restart; first one holds
    EXPECT_EQ(Match(2, {-5, -2}), -1);                             // a run with nothing after it
    EXPECT_EQ(Match(1, {}), -1);                                   // an empty traversal
    EXPECT_EQ(Match(1, {0, 3}), -1);                               // no negative value at all
}

}  // namespace
