#include "tree.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

using Values = std::vector<int>;
using IntTree = Tree<int>;

// Records the values a traversal hands over, in order.
class Recorder final : public Action<int> {
 public:
  void Exec(Node<int>* node) override { seen.push_back(node->GetValue()); }
  Values seen;
};

void Fill(IntTree& tree, std::initializer_list<int> values) {
  for (int value : values) tree.Insert(value);
}

Values Visit(IntTree& tree, void (IntTree::*traversal)(Action<int>*)) {
  Recorder recorder;
  (tree.*traversal)(&recorder);
  return recorder.seen;
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
  ASSERT_NE(top, nullptr);
  ASSERT_NE(top->left, nullptr);
  EXPECT_EQ(top->left->GetValue(), 3);
  EXPECT_EQ(top->left->left->GetValue(), 1);
  EXPECT_EQ(top->middle->GetValue(), 5);
  EXPECT_TRUE(top->middle->IsLeaf());
  EXPECT_EQ(top->right->GetValue(), 8);
  EXPECT_EQ(tree.Find(1), top->left->left);
  EXPECT_FALSE(tree.IsElement(7));
  EXPECT_EQ(tree.GetElementCount(), 5);
}

TEST(Tree, TraversalsVisitInTheirOwnOrders) {
  IntTree small;
  Fill(small, {5, 3, 8, 5, 1});
  EXPECT_EQ(Visit(small, &IntTree::PreOrder), (Values{5, 3, 1, 5, 8}));
  EXPECT_EQ(Visit(small, &IntTree::InOrder), (Values{1, 3, 5, 5, 8}));
  EXPECT_EQ(Visit(small, &IntTree::PostOrder), (Values{1, 3, 5, 8, 5}));

  IntTree copies;  // middle chains beside left and right subtrees
  Fill(copies, {50, 30, 70, 30, 20, 40, 30, 60, 80, 70});
  EXPECT_EQ(Visit(copies, &IntTree::PreOrder), (Values{50, 30, 20, 30, 30, 40, 70, 60, 70, 80}));
  EXPECT_EQ(Visit(copies, &IntTree::InOrder), (Values{20, 30, 30, 30, 40, 50, 60, 70, 70, 80}));
  EXPECT_EQ(Visit(copies, &IntTree::PostOrder), (Values{20, 30, 30, 40, 30, 60, 70, 80, 70, 50}));

  IntTree signs;
  Fill(signs, {0, -2, 4});
  EXPECT_EQ(Visit(signs, &IntTree::InOrder), (Values{-2, 0, 4}));
}

TEST(Tree, RemoveFreesOnlyALeafHoldingTheBottomCopy) {
  IntTree tree;
  Fill(tree, {5, 3, 8, 5, 1});
  LinkedNode<int>* top = tree.Find(5);
  tree.Remove(5);
  EXPECT_EQ(top->middle, nullptr);
  EXPECT_EQ(Thrown([&] { tree.Remove(5); }), IntTree::RemoveFailed);  // has 3 and 8 below
  EXPECT_EQ(Thrown([&] { tree.Remove(3); }), IntTree::RemoveFailed);  // has 1 below
  EXPECT_EQ(Thrown([&] { tree.Remove(7); }), IntTree::RemoveFailed);  // absent
  tree.Remove(1);
  EXPECT_EQ(top->left->left, nullptr);
  tree.Remove(8);
  EXPECT_EQ(top->right, nullptr);
  EXPECT_EQ(Visit(tree, &IntTree::PreOrder), (Values{5, 3}));
}

TEST(Tree, CopiesLeaveFromTheBottomOfTheMiddleChain) {
  IntTree tree;
  Fill(tree, {7, 7, 7});
  LinkedNode<int>* top = tree.Find(7);
  ASSERT_NE(top->middle, nullptr);
  ASSERT_NE(top->middle->middle, nullptr);
  EXPECT_TRUE(top->middle->middle->IsLeaf());
  EXPECT_EQ(Visit(tree, &IntTree::InOrder), (Values{7, 7, 7}));
  tree.Remove(7);
  EXPECT_TRUE(top->middle->IsLeaf());
  tree.Remove(7);
  EXPECT_TRUE(top->IsLeaf());
  tree.Remove(7);
  EXPECT_TRUE(tree.IsEmpty());
  EXPECT_EQ(Thrown([&] { tree.Remove(7); }), IntTree::RemoveFailed);
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
  Fill(tree, {-4});
  EXPECT_EQ(tree.GetElementCount(), 1);
}

}  // namespace
