#include "tree.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

using Values = std::vector<int>;
using IntTree = Tree<int>;

// Records the values a traversal hands over, in order.
struct Recorder final : Action<int> {
  void Exec(Node<int>* node) override { seen.push_back(node->GetValue()); }
  Values seen;
};

Values Visit(IntTree& tree, void (IntTree::*traversal)(Action<int>*)) {
  Recorder recorder;
  (tree.*traversal)(&recorder);
  return recorder.seen;
}

void Fill(IntTree& tree, std::initializer_list<int> values) {
  for (int value : values) tree.Insert(value);
}

// The Exception value that `operation` throws, or -1 when it returns.
template <typename Operation>
int Thrown(Operation operation) {
  try {
    operation();
  } catch (IntTree::Exception exception) {
    return exception;
  }
  return -1;
}

TEST(Tree, InsertBuildsTheThreeWayShapeAndFindStopsAtTheFirstCopy) {
  IntTree tree;
  Fill(tree, {5, 3, 8, 5, 1});
  LinkedNode<int>* top = tree.Find(5);
  ASSERT_TRUE(top && top->left && top->middle && top->right && top->left->left);
  EXPECT_EQ((Values{top->left->GetValue(), top->middle->GetValue(), top->right->GetValue(),
                    top->left->left->GetValue()}),
            (Values{3, 5, 8, 1}));
  EXPECT_TRUE(top->middle->IsLeaf());
  EXPECT_FALSE(tree.IsElement(7));
  EXPECT_EQ(tree.GetElementCount(), 5);
}

TEST(Tree, TraversalsVisitInTheirOwnOrders) {
  IntTree tree;  // middle chains beside left and right subtrees
  Fill(tree, {50, 30, 70, 30, 20, 40, 30, 60, 80, 70});
  EXPECT_EQ(Visit(tree, &IntTree::PreOrder), (Values{50, 30, 20, 30, 30, 40, 70, 60, 70, 80}));
  EXPECT_EQ(Visit(tree, &IntTree::InOrder), (Values{20, 30, 30, 30, 40, 50, 60, 70, 70, 80}));
  EXPECT_EQ(Visit(tree, &IntTree::PostOrder), (Values{20, 30, 30, 40, 30, 60, 70, 80, 70, 50}));
  IntTree signs;
  Fill(signs, {0, -2, 4});
  EXPECT_EQ(Visit(signs, &IntTree::InOrder), (Values{-2, 0, 4}));
}

TEST(Tree, RemoveFreesOnlyALeafHoldingTheBottomCopy) {
  IntTree tree;
  Fill(tree, {5, 3, 8, 5, 1});
  tree.Remove(5);
  EXPECT_EQ(Thrown([&] { tree.Remove(5); }), IntTree::RemoveFailed);  // 3 and 8 below it
  EXPECT_EQ(Thrown([&] { tree.Remove(3); }), IntTree::RemoveFailed);  // 1 below it
  EXPECT_EQ(Thrown([&] { tree.Remove(7); }), IntTree::RemoveFailed);  // absent
  EXPECT_EQ(Visit(tree, &IntTree::PreOrder), (Values{5, 3, 1, 8}));
  tree.Remove(1);
  tree.Remove(8);
  EXPECT_EQ(Visit(tree, &IntTree::PreOrder), (Values{5, 3}));

  IntTree copies;
  Fill(copies, {7, 7, 7});
  LinkedNode<int>* top = copies.Find(7);
  EXPECT_EQ(Visit(copies, &IntTree::InOrder), (Values{7, 7, 7}));
  copies.Remove(7);
  ASSERT_NE(top->middle, nullptr);
  EXPECT_TRUE(top->middle->IsLeaf());
  copies.Remove(7);
  EXPECT_TRUE(top->IsLeaf());
  copies.Remove(7);
  EXPECT_TRUE(copies.IsEmpty());
  EXPECT_EQ(Thrown([&] { copies.Remove(7); }), IntTree::RemoveFailed);
}

TEST(Tree, EmptyFreesEveryNodeAndRefusesAnEmptyTree) {
  IntTree tree;
  EXPECT_EQ(Thrown([&] { tree.Empty(); }), IntTree::AlreadyEmpty);
  EXPECT_EQ(Visit(tree, &IntTree::PostOrder), Values{});
  Fill(tree, {50, 30, 70, 30, 20, 40, 30, 60, 80, 70});
  tree.Empty();
  EXPECT_TRUE(tree.IsEmpty());
  EXPECT_EQ(tree.GetElementCount(), 0);
  EXPECT_EQ(Thrown([&] { tree.Empty(); }), IntTree::AlreadyEmpty);
}

}  // namespace
