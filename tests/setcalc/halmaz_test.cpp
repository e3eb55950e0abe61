#include "sets.h"

#include <gtest/gtest.h>

#include <utility>

// The value dispose throws, or -1 when it removes v.
static int thrown(halmaz& h, double v)
{
    try { h.dispose(v); } catch (halmaz::exception e) { return e; }
    return -1;
}

TEST(Halmaz, InsertKeepsAscendingOrderWithoutDuplicates)
{
    const halmaz empty;
    EXPECT_TRUE(empty.ures() && !empty.eleme(0));
    EXPECT_EQ(shown(empty), "ureshalmaz");
    const halmaz h = make({3, 1, 2, 1});
    EXPECT_EQ(shown(h), "{1, 2, 3}");
    EXPECT_EQ(h.elemszam(), 3);
    const halmaz wider = make({3, 1, 2, 1, -7, 1e6, 2.5});
    EXPECT_EQ(shown(wider), "{-7, 1, 2, 2.5, 3, 1e+06}");
    EXPECT_TRUE(wider.eleme(2.5) && !wider.eleme(2.6) && !wider.eleme(1e7));
}

TEST(Halmaz, SignedZerosAreOneElementAndTheFirstStays)
{
    EXPECT_EQ(shown(make({0, -0.0})), "{0}");
    EXPECT_EQ(shown(make({-0.0, 0})), "{-0}");
    EXPECT_TRUE(make({0}).eleme(-0.0));
}

TEST(Halmaz, DisposeRemovesOrThrowsWithoutChange)
{
    halmaz h;
    EXPECT_EQ(thrown(h, 1), halmaz::ures_halmaz);
    h = make({1, 2, 3});
    EXPECT_EQ(thrown(h, 7), halmaz::nem_eleme);
    EXPECT_EQ(shown(h), "{1, 2, 3}");
    h.dispose(2);
    EXPECT_EQ(shown(h), "{1, 3}");
    h.dispose(1);
    h.dispose(3);
    EXPECT_TRUE(h.ures());
    h.insert(4);
    EXPECT_EQ(shown(h), "{4}");
}

TEST(Halmaz, CopiesAreIndependentBothWaysAndSelfAssignmentIsHarmless)
{
    halmaz b = make({1, 2});
    halmaz a;
    a = b;
    a.insert(3);
    b.dispose(1);
    halmaz c(a);
    c.dispose(3);
    a.insert(4);
    EXPECT_EQ(shown(a) + shown(b) + shown(c), "{1, 2, 3, 4}{2}{1, 2}");

    halmaz& same = a;
    a = same;
    a = std::move(same);
    EXPECT_EQ(shown(a), "{1, 2, 3, 4}");
    a = halmaz();
    EXPECT_EQ(shown(a), "ureshalmaz");
}
