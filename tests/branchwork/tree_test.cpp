#include "tree.h"

#include <gtest/gtest.h>

#include <vector>

#include "actions.h"

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
