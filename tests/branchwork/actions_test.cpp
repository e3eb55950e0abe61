#include "actions.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

// A Negatives after it has been handed the values in order, as a traversal would.
Negatives RunOver(int number, std::initializer_list<int> values) {
  Negatives negatives;
  negatives.SetNumber(number);
  for (int value : values) {
    Node<int> node(value);
    negatives.Exec(&node);
  }
  return negatives;
}

TEST(Negatives, MatchesTheFirstValueAfterALongEnoughRun) {
  const Negatives zero = RunOver(2, {-3, -1, 0, 2});
  EXPECT_TRUE(zero.found);
  EXPECT_EQ(zero.result, 0);
  EXPECT_EQ(RunOver(2, {-1, 5, -2, -3, 4}).result, 4);  // 5 resets the run of one
  EXPECT_EQ(RunOver(1, {-1, 3, -1, -1, 9}).result, 3);  // the first match stays
}

TEST(Negatives, FindsNothingWithoutAValueAfterALongEnoughRun) {
  EXPECT_FALSE(RunOver(3, {-3, -1, 0, 2}).found);
  EXPECT_FALSE(RunOver(2, {-5, -2}).found);
  EXPECT_FALSE(RunOver(1, {1, 2, 3}).found);
  Tree<int> empty;
  Negatives negatives;
  empty.InOrder(&negatives);
  EXPECT_FALSE(negatives.found);
}

}  // namespace
