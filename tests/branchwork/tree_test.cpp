#include "tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <numeric>
#include <random>
#include <tuple>
#include <vector>

#include "actions.h"

// Every allocation of this test program goes through these, so a test can tell how many
// blocks an operation allocated and left allocated, and make an allocation fail. (Once they
// are inlined, GCC takes the std::free in operator delete for a mismatch with operator new.)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
namespace {
std::size_t allocations = 0;           // blocks allocated so far
std::size_t live = 0;                  // blocks allocated and not freed
std::size_t allowed = std::size_t(-1);  // allocations that may still succeed

void* Allocate(std::size_t size) noexcept {
  if (allowed == 0) return nullptr;
  void* block = std::malloc(size ? size : 1);
  if (block) --allowed, ++allocations, ++live;
  return block;
}
}  // namespace

void* operator new(std::size_t size) {
  if (void* block = Allocate(size)) return block;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* block) noexcept {
  if (block) --live;
  std::free(block);
}
void operator delete[](void* block) noexcept { operator delete(block); }
void operator delete(void* block, std::size_t) noexcept { operator delete(block); }
void operator delete[](void* block, std::size_t) noexcept { operator delete(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { operator delete(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { operator delete(block); }

namespace {

using Values = std::vector<int>;
using IntTree = Tree<int>;

// Records the values a traversal hands over, in order.
struct Recorder final : Action<int> {
  void Exec(Node<int>* node) override { seen.push_back(node->GetValue()); }
  Values seen;
};

Values Visit(IntTree& tree, void (IntTree::*traversal)(Action<int>*) = &IntTree::PreOrder) {
  Recorder recorder;
  (tree.*traversal)(&recorder);
  return recorder.seen;
}

// The Exception value that `operation` throws, or -1 when it returns.
template <typename Operation>
int Thrown(Operation operation) try {
  operation();
  return -1;
} catch (IntTree::Exception exception) {
  return exception;
}

TEST(Tree, TraversalsVisitInTheirOwnOrders) {
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
    for (int value : c.inserted) tree.Insert(value);
    EXPECT_EQ(Visit(tree), c.pre);
    EXPECT_EQ(Visit(tree, &IntTree::InOrder), c.in);
    EXPECT_EQ(Visit(tree, &IntTree::PostOrder), c.post);
    EXPECT_EQ(tree.GetElementCount(), static_cast<int>(c.inserted.size()));
  }
}

TEST(Tree, CopiesHangDownTheMiddleAndOnlyALeafHoldingTheBottomOneIsRemoved) {
  IntTree tree;
  EXPECT_EQ(Thrown([&] { tree.Remove(5); }), IntTree::RemoveFailed);
  for (int value : {5, 3, 8, 5, 1}) tree.Insert(value);
  LinkedNode<int>* top = tree.Find(5);  // the first copy, not the one below it
  ASSERT_TRUE(top && top->left && top->middle && top->right && top->left->left);
  EXPECT_EQ((Values{top->left->GetValue(), top->middle->GetValue(), top->right->GetValue(),
                    top->left->left->GetValue()}),
            (Values{3, 5, 8, 1}));
  tree.Remove(5);
  for (int value : {5, 3, 7})  // 3 and 8 below the 5, 1 below the 3, no 7
    EXPECT_EQ(Thrown([&] { tree.Remove(value); }), IntTree::RemoveFailed) << value;
  EXPECT_EQ(Visit(tree), (Values{5, 3, 1, 8}));
  tree.Empty();
  EXPECT_TRUE(tree.IsEmpty());
  EXPECT_EQ(tree.GetElementCount(), 0);
  EXPECT_EQ(Thrown([&] { tree.Empty(); }), IntTree::AlreadyEmpty);

  for (int value : {7, 7, 7}) tree.Insert(value);
  for (const Values& rest : {Values{7, 7}, Values{7}, Values{}}) {
    tree.Remove(7);
    EXPECT_EQ(Visit(tree), rest);
  }
  EXPECT_TRUE(tree.IsEmpty());
}

// Every node reachable from `top` with its three links, in a fixed order.
using Shape = std::vector<std::tuple<LinkedNode<int>*, LinkedNode<int>*, LinkedNode<int>*,
                                     LinkedNode<int>*>>;

Shape ShapeOf(LinkedNode<int>* top) {
  Shape shape;
  std::vector<LinkedNode<int>*> pending{top};
  while (!pending.empty()) {
    LinkedNode<int>* node = pending.back();
    pending.pop_back();
    if (!node) continue;
    shape.emplace_back(node, node->left, node->middle, node->right);
    pending.insert(pending.end(), {node->left, node->middle, node->right});
  }
  return shape;
}

// The reference: a tree built by plain insertion by descent, node i being the i-th value
// inserted. Its last node is always a leaf, so dropping it undoes its insertion.
class PlainTree {
 public:
  void Insert(int value) {
    int parent = -1, side = 0;
    for (int at = nodes.empty() ? -1 : 0; at >= 0; at = nodes[parent].link[side]) {
      parent = at;
      side = value < nodes[at].value ? 0 : value > nodes[at].value ? 2 : 1;
    }
    if (parent >= 0) nodes[parent].link[side] = static_cast<int>(nodes.size());
    nodes.push_back({value, {-1, -1, -1}, parent, side});
  }

  void DropLast() {
    if (nodes.back().parent >= 0) nodes[nodes.back().parent].link[nodes.back().side] = -1;
    nodes.pop_back();
  }

  // Walks both trees side by side: the same value in every node, the same links present.
  void ExpectSameAs(LinkedNode<int>* top) const {
    std::vector<std::pair<LinkedNode<int>*, int>> pending{{top, nodes.empty() ? -1 : 0}};
    std::size_t compared = 0;
    while (!pending.empty()) {
      const auto [node, at] = pending.back();
      pending.pop_back();
      ASSERT_EQ(node == nullptr, at < 0);
      if (!node) continue;
      ASSERT_EQ(node->GetValue(), nodes[at].value);
      pending.insert(pending.end(), {{node->left, nodes[at].link[0]},
                                     {node->middle, nodes[at].link[1]},
                                     {node->right, nodes[at].link[2]}});
      ++compared;
    }
    EXPECT_EQ(compared, nodes.size());
  }

  std::vector<int> Values() const {
    std::vector<int> values;
    for (const auto& node : nodes) values.push_back(node.value);
    return values;
  }

 private:
  struct PlainNode {
    int value;
    int link[3];  // left, middle, right; -1 for none
    int parent, side;
  };
  std::vector<PlainNode> nodes;
};

TEST(Tree, BuildsTheSameTreeAsPlainInsertionByDescent) {
  const int n = 20000;
  Values ascending(n), descending(n), repeats(n);
  std::iota(ascending.begin(), ascending.end(), -n / 2);
  std::reverse_copy(ascending.begin(), ascending.end(), descending.begin());
  std::mt19937 random(2024);
  for (int& value : repeats) value = static_cast<int>(random() % 601) - 300;
  for (const Values& values : {ascending, descending, repeats}) {
    IntTree tree;
    tree.Insert(values.begin(), values.end());
    PlainTree plain;
    for (int value : values) plain.Insert(value);
    plain.ExpectSameAs(tree.Find(values[0]));
    // The last value inserted is a leaf; later insertions go on from the tree without it.
    tree.Remove(values.back());
    plain.DropLast();
    plain.ExpectSameAs(tree.Find(values[0]));
    const Values more = {values.back(), values.back(), values[n / 2] + 1, n, -n};
    tree.Insert(more.begin(), more.end());
    for (int value : more) plain.Insert(value);
    plain.ExpectSameAs(tree.Find(values[0]));
    // Emptied, the tree is built the same again.
    tree.Empty();
    const Values all = plain.Values();
    tree.Insert(all.begin(), all.end());
    plain.ExpectSameAs(tree.Find(values[0]));
  }
}

TEST(Tree, ABuildThatRunsOutOfMemoryLeavesTheTreeEmptyAndFreesWhatItMade) {
  Values values(1000);
  std::mt19937 random(11);
  for (int& value : values) value = static_cast<int>(random() % 301) - 150;
  // The sorted copy of the values first, then the nodes one by one.
  for (std::size_t succeeding : {0, 1, 2, 3, 400, 999, 1000}) {
    IntTree tree;
    const std::size_t before = live;
    allowed = succeeding;
    EXPECT_THROW(tree.Insert(values.begin(), values.end()), std::bad_alloc) << succeeding;
    allowed = std::size_t(-1);
    EXPECT_TRUE(tree.IsEmpty());
    EXPECT_EQ(live, before) << succeeding;
  }
}

// Counts the nodes it is handed; allocates nothing.
struct Counter final : Action<int> {
  void Exec(Node<int>*) override { ++count; }
  int count = 0;
};

// Throws at the node it is told to.
struct Thrower final : Action<int> {
  explicit Thrower(int at) : at(at) {}
  void Exec(Node<int>*) override {
    if (at-- == 0) throw at;
  }
  int at;
};

// The allocations that `operation` makes.
template <typename Operation>
std::size_t AllocationsOf(Operation operation) {
  const std::size_t before = allocations;
  operation();
  return allocations - before;
}

TEST(Tree, WalksAllocateNothingAndLeaveEveryLinkAsTheyFoundIt) {
  IntTree tree;
  std::mt19937 random(7);
  for (int i = 0; i < 3000; ++i) tree.Insert(static_cast<int>(random() % 801) - 400);
  for (int i = 0; i < 2000; ++i) tree.Insert(1000 + i);  // a tall chain of right links
  LinkedNode<int>* const top = tree.Find(static_cast<int>(std::mt19937(7)() % 801) - 400);
  const Shape shape = ShapeOf(top);
  for (auto traversal : {&IntTree::PreOrder, &IntTree::InOrder, &IntTree::PostOrder}) {
    Counter counter;
    EXPECT_EQ(AllocationsOf([&] { (tree.*traversal)(&counter); }), 0u);
    EXPECT_EQ(counter.count, 5000);
    EXPECT_EQ(ShapeOf(top), shape);
    for (int at : {0, 1, 2500, 4999}) {  // an action that throws leaves the links restored
      Thrower thrower(at);
      EXPECT_THROW((tree.*traversal)(&thrower), int);
      EXPECT_EQ(ShapeOf(top), shape);
    }
  }
  int count = 0;
  EXPECT_EQ(AllocationsOf([&] { count = tree.GetElementCount(); }), 0u);
  EXPECT_EQ(count, 5000);
  // Emptying is a post-order walk that frees each node it visits.
  EXPECT_EQ(AllocationsOf([&] { tree.Empty(); }), 0u);
}

// What Negatives matches when handed the values in order, as a traversal would; -1 for none.
int Match(int number, const Values& values) {
  Negatives negatives;
  negatives.SetNumber(number);
  for (int value : values) {
    Node<int> node(value);
    negatives.Exec(&node);
  }
  return negatives.found ? negatives.result : -1;
}

TEST(Negatives, MatchesTheFirstValueDirectlyAfterALongEnoughRun) {
  EXPECT_EQ(Match(2, {-3, -1, 0, 2}), 0);
  EXPECT_EQ(Match(3, {-3, -1, 0, 2}), -1);
  EXPECT_EQ(Match(2, {-1, 5, -2, -3, 4}), 4);                    // 5 follows a run of one only
  EXPECT_EQ(Match(2, {-1, 0, -1, 2, -1, -1, 3, -1, -1, 9}), 3);  // runs restart; first one holds
  EXPECT_EQ(Match(2, {-5, -2}), -1);                             // a run with nothing after it
  EXPECT_EQ(Match(1, {}), -1);                                   // an empty traversal
  EXPECT_EQ(Match(1, {0, 3}), -1);                               // no negative value at all
}

}  // namespace
