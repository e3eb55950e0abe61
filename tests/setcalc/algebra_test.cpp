#include "algebra.h"
#include "sets.h"

#include <gtest/gtest.h>

// What each operation prints for a and b, in the order: a+b, a-b, b-a, a*b, metszet, szim_dif.
static std::string table(const halmaz& a, const halmaz& b)
{
    return shown(a + b) + " " + shown(a - b) + " " + shown(b - a) + " " + shown(a * b) + " " +
           shown(metszet(a, b)) + " " + shown(szim_dif(a, b));
}

TEST(Algebra, OverlappingSets)
{
    EXPECT_EQ(table(make({1, 2, 3}), make({2, 3, 4})),
              "{1, 2, 3, 4} {1} {4} {2, 3} {2, 3} {1, 4}");
    EXPECT_EQ(table(make({5}), make({1, 9})), "{1, 5, 9} {5} {1, 9} ureshalmaz ureshalmaz {1, 5, 9}");
}

TEST(Algebra, EmptyOperands)
{
    const halmaz a = make({1, 2});
    EXPECT_EQ(table(a, halmaz()), "{1, 2} {1, 2} ureshalmaz ureshalmaz ureshalmaz {1, 2}");
    EXPECT_EQ(table(halmaz(), a), "{1, 2} ureshalmaz {1, 2} ureshalmaz ureshalmaz {1, 2}");
    EXPECT_EQ(table(halmaz(), halmaz()),
              "ureshalmaz ureshalmaz ureshalmaz ureshalmaz ureshalmaz ureshalmaz");
}

TEST(Algebra, DisjointInterleavedSets)
{
    EXPECT_EQ(table(make({1, 3, 5}), make({2, 4, 6, 8})),
              "{1, 2, 3, 4, 5, 6, 8} {1, 3, 5} {2, 4, 6, 8} ureshalmaz ureshalmaz {1, 2, 3, 4, 5, 6, 8}");
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

TEST(Algebra, ShowResultPrintsAnEmptyLineCaptionAndSet)
{
    EXPECT_EQ(captured([] { show_result(make({1, 2}), "A halmazok unioja:"); }),
              "\nA halmazok unioja:\n{1, 2}\n");
    EXPECT_EQ(captured([] { show_result(halmaz(), "X:"); }), "\nX:\nureshalmaz\n");
}
