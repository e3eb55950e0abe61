#include "tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdlib>
#include <iterator>
#include <new>
#include <numeric>
#include <random>
#include <sstream>
#include <streambuf>
#include <string>
#include <utility>
#include <vector>

#include "actions.h"
#include "dot.h"

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

// The slow reference: plain insertion by descent, into nodes kept in insertion order with
// their links (left, middle, right) as indices, -1 for none.
struct PlainTree {
    void Insert(int value)
    {
        int* link = nullptr;
        for (int at = nodes.empty() ? -1 : 0; at >= 0; at = *link) {
            link = &nodes[at].link[value < nodes[at].value ? 0 : value > nodes[at].value ? 2 : 1];
        }
        if (link)
            *link = static_cast<int>(nodes.size());
        nodes.push_back({value, {-1, -1, -1}});
    }
    void DropLast()
    {  // the last node is always a leaf: dropping it undoes its insertion
        for (auto& node : nodes)
            std::replace(node.link, node.link + 3, int(nodes.size()) - 1, -1);
        nodes.pop_back();
    }
    // The values in the order of a walk that visits a node once it is done with `visit_at` of
    // its links: 0 pre-order, 1 in-order, 3 post-order.
    std::vector<int> Walk(int visit_at) const
    {
        std::vector<int> seen;
        std::vector<std::pair<int, int>> path;  // nodes with how many of their links are done
        if (!nodes.empty())
            path.push_back({0, 0});
        while (!path.empty()) {
            const auto [at, done] = path.back();
            if (done == visit_at)
                seen.push_back(nodes[at].value);
            if (done == 3) {
                path.pop_back();
            } else if (++path.back().second, nodes[at].link[done] >= 0) {
                path.push_back({nodes[at].link[done], 0});
            }
        }
        return seen;
    }
    struct PlainNode {
        int value, link[3];
    };
    std::vector<PlainNode> nodes;
};

// Records the values a walk hands it; throws, instead, at the visit it is told to.
struct Recorder final : Action<int> {
    void Exec(Node<int>* node) override
    {
        if (seen.size() == throw_at)
            throw 0;
        seen.push_back(node->GetValue());
    }
    std::vector<int> seen;
    std::size_t throw_at = std::size_t(-1);
};

// Whether the tree under `top` is the reference, node for node: the same value in every node,
// the same links present.
bool Same(const PlainTree& plain, LinkedNode<int>* top)
{
    std::vector<std::pair<LinkedNode<int>*, int>> pending{{top, plain.nodes.empty() ? -1 : 0}};
    std::size_t compared = 0;
    for (; !pending.empty(); ++compared) {
        const auto [node, at] = pending.back();
        pending.pop_back();
        if ((node == nullptr) != (at < 0))
            return false;
        if (!node)
            continue;
        if (node->GetValue() != plain.nodes[at].value)
            return false;
        const int* link = plain.nodes[at].link;
        pending.insert(pending.end(), {{node->left, link[0]}, {node->middle, link[1]}, {node->right, link[2]}});
    }
    return compared == 3 * plain.nodes.size() + 1;  // every node and every empty link
}

Values Visit(IntTree& tree)
{
    Recorder recorder;
    tree.PreOrder(&recorder);
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

TEST(Tree, CopiesHangDownTheMiddleAndOnlyALeafHoldingTheBottomOneIsRemoved)
{
    const std::size_t live_before = live;
    IntTree tree;
    EXPECT_EQ((Values{IntTree::RemoveFailed, IntTree::AlreadyEmpty}), (Values{0, 1}));  // thrown as these numbers
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
    tree.Insert(7);
    EXPECT_EQ(live, live_before + 1);  // a new block: no place of the emptied tree, not even a removed node's
    tree.Insert(7), tree.Insert(7);
    for (const Values& rest : {Values{7, 7}, Values{7}, Values{}}) {
        tree.Remove(7);
        EXPECT_EQ(Visit(tree), rest);
    }
    EXPECT_TRUE(tree.IsEmpty());
    EXPECT_EQ(live, live_before);  // the last removal gave back the nodes' memory
}

// Values that own memory are destroyed by a removal, the emptying and the destructor alike.
TEST(Tree, DestroysEveryValue)
{
    const std::size_t live_before = live;
    {
        std::vector<std::string> values;
        for (char digit : {'5', '3', '8', '5', '1'})
            values.emplace_back(32, digit);  // too long to be kept inside the string
        Tree<std::string> tree;
        tree.Insert(values.begin(), values.end());
        tree.Remove(values[4]);
        tree.Empty();
        tree.Insert(values.begin(), values.end());
    }
    EXPECT_EQ(live, live_before);
}

// A value that counts the live ones and whose copies fail from the one it is told to on, as
// memory that has run out stays out. A build of values in order (a chain) or not, failing at
// each of its copies in turn, leaves the tree empty and no value or block behind.
struct Fragile {
    Fragile(int value) : value(value) { ++alive; }
    Fragile(const Fragile& other) : value(other.value)
    {
        if (--copies_left == 0)
            throw copies_left++;
        ++alive;
    }
    ~Fragile() { --alive; }
    bool operator<(const Fragile& other) const { return value < other.value; }
    bool operator>(const Fragile& other) const { return value > other.value; }
    int value;
    static inline int alive = 0, copies_left = 0;  // 0: copies never fail
};

TEST(Tree, ABuildWhoseCopiesFailLeavesNothing)
{
    for (const Values& order : {Values{1, 3, 5, 5, 8}, Values{5, 3, 8, 5, 1}}) {
        const std::vector<Fragile> values(order.begin(), order.end());
        const std::size_t live_before = live;
        bool built = false;
        for (int failing = 1; !built; ++failing) {
            Fragile::copies_left = failing;
            Tree<Fragile> tree;
            try {
                tree.Insert(values.begin(), values.end());
                built = true;
            } catch (int) {
                EXPECT_TRUE(tree.IsEmpty()) << failing;
            }
            Fragile::copies_left = 0;
            EXPECT_EQ(Fragile::alive, built ? 10 : 5) << failing;
        }
        EXPECT_EQ(live, live_before);
    }
}

// 20,000 values ascending, descending, in a comb (a chain of left links, each node with a
// right child too) and at random with many repeats, and 100,000 from the whole range, about
// three copies of each, the ends of the range among them, many more copies: a build
// that runs out of memory, at any of its allocations, leaves nothing; the build matches the
// reference, also after a removal and more values; each walk visits in the reference's order,
// allocates nothing and leaves no link changed, also when its action throws; emptying gives
// back every block.
TEST(Tree, BuildsAndWalksTheTreeOfPlainInsertionByDescent)
{
    Values ascending(20000), descending(20000), comb(20000), repeats(20000), wide(100000);
    for (int i = 0; i < 20000; ++i) {
        ascending[i] = i - i / 7 - 10000;  // every 7th one a copy
        comb[i] = i % 2 ? 2 - i : -i;      // 0 1 -2 -1 -4 -3 ...
    }
    std::reverse_copy(ascending.begin(), ascending.end(), descending.begin());
    std::mt19937 random(2024);
    for (int& value : repeats)
        value = static_cast<int>(random() % 4001) - 2000;
    for (int& value : wide)  // spread by a multiplier; the ends come as INT_MAX - 1, INT_MAX and INT_MIN
        value = static_cast<int>(random() % 64 ? random() % 30000 * 2654435761u : random() % 3 + INT_MAX - 1u);
    for (const Values& values : {ascending, descending, comb, repeats, wide}) {
        const int size = static_cast<int>(values.size());
        PlainTree plain;
        for (int value : values)
            plain.Insert(value);
        IntTree tree;
        const std::size_t live_before = live;
        for (std::size_t before_failure = 0;; ++before_failure) {  // the first allocation fails, then the second, ...
            allowed = before_failure;
            try {
                tree.Insert(values.begin(), values.end());
                break;
            } catch (const std::bad_alloc&) {
                EXPECT_TRUE(tree.IsEmpty());
                EXPECT_EQ(live, live_before);
            }
        }
        allowed = std::size_t(-1);
        EXPECT_TRUE(Same(plain, tree.Find(values[0])));
        const std::pair<void (IntTree::*)(Action<int>*), int> walks[] = {
            {&IntTree::PreOrder, 0}, {&IntTree::InOrder, 1}, {&IntTree::PostOrder, 3}};
        for (const auto& [traversal, visit_at] : walks) {
            Recorder recorder, thrower;
            recorder.seen.reserve(size);
            thrower.throw_at = size / 2;
            const std::size_t before = allocations;
            (tree.*traversal)(&recorder);
            EXPECT_EQ(allocations, before);
            EXPECT_EQ(recorder.seen, plain.Walk(visit_at));
            EXPECT_THROW((tree.*traversal)(&thrower), int);
            EXPECT_TRUE(Same(plain, tree.Find(values[0])));
        }
        tree.Remove(values.back());
        plain.DropLast();
        EXPECT_TRUE(Same(plain, tree.Find(values[0])));
        const int more[] = {values.back(), values.back(), values[10000] + 1, 20000, -20000};
        tree.Insert(std::begin(more), std::end(more));  // into a tree that is not empty: one by one
        for (int value : more)
            plain.Insert(value);
        EXPECT_TRUE(Same(plain, tree.Find(values[0])));
        const std::size_t before = allocations;
        const int count = tree.GetElementCount();
        tree.Empty();  // a post-order walk that frees each node it visits
        EXPECT_EQ(allocations, before);
        EXPECT_EQ(count, size + 4);
        EXPECT_EQ(live, live_before);
    }
}

// Thousands of small trees of few distinct values and a few from the whole range, each built
// partly one by one and the rest from a range, which an input iterator (reading a stream) hands
// over once and can't go back over: each is the tree of plain insertion, and each walk, also
// one whose action throws part way, visits in its order.
TEST(Tree, SmallTreesOfEveryShapeAreThoseOfPlainInsertion)
{
    std::mt19937 random(7);
    for (int round = 0; round < 20000; ++round) {
        Values values(random() % 24);
        for (int& value : values)
            value = random() % 16 ? static_cast<int>(random() % 16) - 8 : static_cast<int>(random());
        const std::size_t singly = std::min<std::size_t>(random() % 4, values.size());
        PlainTree plain;
        IntTree tree;
        for (std::size_t i = 0; i < values.size(); ++i)
            (plain.Insert(values[i]), i < singly ? tree.Insert(values[i]) : void());
        std::stringstream text;
        for (std::size_t i = singly; i < values.size(); ++i)
            text << values[i] << ' ';
        if (round % 2)
            tree.Insert(std::istream_iterator<int>(text), std::istream_iterator<int>());
        else
            tree.Insert(values.begin() + singly, values.end());
        ASSERT_TRUE(Same(plain, values.empty() ? nullptr : tree.Find(values[0]))) << round;
        for (int visit_at : {0, 1, 3}) {
            Recorder recorder, thrower;
            thrower.throw_at = random() % (values.size() + 1);
            const auto walk = visit_at ? visit_at == 1 ? &IntTree::InOrder : &IntTree::PostOrder : &IntTree::PreOrder;
            (tree.*walk)(&recorder);
            ASSERT_EQ(recorder.seen, plain.Walk(visit_at)) << round;
            try {
                (tree.*walk)(&thrower);
            } catch (int) {
            }
            ASSERT_EQ(thrower.seen, Values(recorder.seen.begin(), recorder.seen.begin() + thrower.throw_at)) << round;
        }
        ASSERT_EQ(tree.GetElementCount(), static_cast<int>(values.size()));
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

// Counts the lines written to it, through a buffer of its own, so that it allocates nothing.
struct LineCounter final : std::streambuf {
    LineCounter() { setp(buffer, buffer + sizeof buffer); }
    int_type overflow(int_type c) override
    {
        lines += std::count(pbase(), pptr(), '\n') + (c == '\n');
        setp(buffer, buffer + sizeof buffer);
        return c;
    }
    int sync() override { return overflow(traits_type::eof()), 0; }
    long long lines = 0;
    char buffer[4096];
};

// Nodes are named after their value and copy; a chain of a million, as tall as it is, is
// written by a walk that allocates nothing: a line per node and three per node with children.
TEST(Dot, NamesTheNodesByValueAndCopyAndWritesAnyTreeWithoutAllocating)
{
    IntTree tree;
    std::ostringstream small;
    WriteDot(small, tree);
    EXPECT_EQ(small.str(), "digraph tree {\n  label=\"A fa ures.\";\n  fontname=\"Helvetica\";\n}\n");
    for (int value : {0, INT_MIN, INT_MIN})
        tree.Insert(value);
    WriteDot(small, tree);
    for (const char* line : {"  vm2147483648_2 [label=\"-2147483648\", style=solid];\n",
                             "  vm2147483648 -> vm2147483648_2 [style=dashed];\n",
                             "  v0 -> vm2147483648 [tailport=sw];\n", "  v0 -> v0_r [style=invis];\n"})
        EXPECT_NE(small.str().find(line), std::string::npos) << line;

    Values chain(1000000);
    std::iota(chain.begin(), chain.end(), -500000);
    chain.push_back(chain.back());  // and a copy at the bottom
    tree.Empty();
    tree.Insert(chain.begin(), chain.end());
    LineCounter counter;
    std::ostream out(&counter);
    const std::size_t before = allocations;
    WriteDot(out, tree);
    out.flush();
    EXPECT_EQ(allocations, before);
    EXPECT_EQ(counter.lines, 4 + 1000001 + 3 * 1000000 + 1);
}

}  // namespace
