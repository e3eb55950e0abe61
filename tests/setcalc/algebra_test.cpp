#include "algebra.h"
#include "sets.h"

#include <gtest/gtest.h>

// What a+b, a-b, b-a, a*b, metszet(a, b) and szim_dif(a, b) print, in that order.
static std::string table(const halmaz& a, const halmaz& b)
{
    return shown(a + b) + " " + shown(a - b) + " " + shown(b - a) + " " + shown(a * b) + " " +
           shown(metszet(a, b)) + " " + shown(szim_dif(a, b));
}

TEST(Algebra, OverlappingAndDisjointSetsGiveAscendingResults)
{
    EXPECT_EQ(table(make({1, 2, 3}), make({2, 3, 4})), "{1, 2, 3, 4} {1} {4} {2, 3} {2, 3} {1, 4}");
    EXPECT_EQ(table(make({5}), make({1, 9})), "{1, 5, 9} {5} {1, 9} ureshalmaz ureshalmaz {1, 5, 9}");
}

TEST(Algebra, EmptyOperands)
{
    const halmaz a = make({1, 2});
    EXPECT_EQ(table(a, halmaz()), "{1, 2} {1, 2} ureshalmaz ureshalmaz ureshalmaz {1, 2}");
    EXPECT_EQ(table(halmaz(), a), "{1, 2} ureshalmaz {1, 2} ureshalmaz ureshalmaz {1, 2}");
    EXPECT_EQ(table(halmaz(), halmaz()), "ureshalmaz ureshalmaz ureshalmaz ureshalmaz ureshalmaz ureshalmaz");
}

TEST(Algebra, EqualSetsAndOneOperandUsedTwice)
{
    const halmaz a = make({-1, 0.5, 7});
    const std::string equal = "{-1, 0.5, 7} ureshalmaz ureshalmaz {-1, 0.5, 7} {-1, 0.5, 7} ureshalmaz";
    EXPECT_EQ(table(a, make({7, 0.5, -1})), equal);
    EXPECT_EQ(table(a, a), equal);
    EXPECT_EQ(shown(a), "{-1, 0.5, 7}");
}

TEST(Algebra, UnionKeepsTheRightZeroIntersectionsTheLeft)
{
    EXPECT_EQ(table(make({-0.0}), make({0})), "{0} ureshalmaz ureshalmaz {-0} {-0} ureshalmaz");
    EXPECT_EQ(table(make({0, 1}), make({-0.0})), "{-0, 1} {1} ureshalmaz {0} {0} {1}");
}

TEST(Algebra, ShowResultPrintsAnEmptyLineTheCaptionAndTheSet)
{
    EXPECT_EQ(captured([] { show_result(make({1, 2}), "A halmazok unioja:"); }),
              "\nA halmazok unioja:\n{1, 2}\n");
}
