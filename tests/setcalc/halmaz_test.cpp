#include "sets.h"

#include <gtest/gtest.h>

#include <utility>

TEST(Halmaz, NewSetIsEmpty)
{
    const halmaz h;
    EXPECT_TRUE(h.ures());
    EXPECT_EQ(h.elemszam(), 0);
    EXPECT_FALSE(h.eleme(0));
    EXPECT_EQ(shown(h), "ureshalmaz");
}

TEST(Halmaz, InsertKeepsAscendingOrderWithoutDuplicates)
{
    halmaz h = make({3, 1, 2, 1});
    EXPECT_EQ(shown(h), "{1, 2, 3}");
    EXPECT_EQ(h.elemszam(), 3);
    h.insert(-7);
    h.insert(1e6);
    h.insert(2.5);
    EXPECT_EQ(shown(h), "{-7, 1, 2, 2.5, 3, 1e+06}");
    EXPECT_TRUE(h.eleme(2.5));
    EXPECT_FALSE(h.eleme(2.6));
    EXPECT_FALSE(h.eleme(1e7));
}

TEST(Halmaz, SignedZerosAreOneElementAndTheFirstStays)
{
    EXPECT_EQ(shown(make({0, -0.0})), "{0}");
    EXPECT_EQ(shown(make({-0.0, 0})), "{-0}");
    EXPECT_TRUE(make({0}).eleme(-0.0));
    EXPECT_EQ(make({0.1, 0.10000001}).elemszam(), 2);
}

TEST(Halmaz, DisposeRemovesOrThrowsWithoutChange)
{
    halmaz h;
    EXPECT_THROW(h.dispose(1), halmaz::exception);
    try {
        h.dispose(1);
    } catch (halmaz::exception e) {
        EXPECT_EQ(e, halmaz::ures_halmaz);
    }
    h = make({1, 2, 3});
    try {
        h.dispose(7);
        ADD_FAILURE() << "no exception";
    } catch (halmaz::exception e) {
        EXPECT_EQ(e, halmaz::nem_eleme);
    }
    EXPECT_EQ(shown(h), "{1, 2, 3}");
    h.dispose(2);
    EXPECT_EQ(shown(h), "{1, 3}");
    h.dispose(1);
    h.dispose(3);
    EXPECT_EQ(shown(h), "ureshalmaz");
    EXPECT_EQ(h.elemszam(), 0);
    h.insert(4);
    EXPECT_EQ(shown(h), "{4}");
}

TEST(Halmaz, CopiesAreIndependentBothWays)
{
    halmaz b = make({1, 2});
    halmaz a;
    a = b;
    a.insert(3);
    b.dispose(1);
    EXPECT_EQ(shown(a), "{1, 2, 3}");
    EXPECT_EQ(shown(b), "{2}");

    halmaz c(a);
    c.dispose(3);
    a.insert(4);
    EXPECT_EQ(shown(c), "{1, 2}");
    EXPECT_EQ(shown(a), "{1, 2, 3, 4}");

    a = halmaz();
    EXPECT_TRUE(a.ures());
    EXPECT_EQ(shown(a), "ureshalmaz");
}

TEST(Halmaz, SelfAssignmentKeepsTheElements)
{
    halmaz a = make({5, 6});
    halmaz& same = a;
    a = same;
    a = std::move(same);
    EXPECT_EQ(shown(a), "{5, 6}");
}
