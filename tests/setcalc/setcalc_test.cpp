#include "algebra.h"
#include "exact.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <iostream>
#include <sstream>
#include <vector>

static halmaz make(std::initializer_list<double> values)
{
    halmaz h;
    for (double v : values)
        h.insert(v);
    return h;
}

static std::string shown(const halmaz& h)
{
    std::ostringstream out;
    std::streambuf* saved = std::cout.rdbuf(out.rdbuf());
    h.kiir();
    std::cout.rdbuf(saved);
    return out.str();
}

// The value dispose throws, or -1 when it removes v.
static int thrown(halmaz& h, double v)
{
    try {
        h.dispose(v);
    } catch (halmaz::exception e) {
        return e;
    }
    return -1;
}

TEST(Halmaz, InsertKeepsAscendingOrderWithoutDuplicatesAndTheFirstOfTwoZeros)
{
    const halmaz h = make({3, 1, 2, 1, -7, 1e6, 2.5, 2});
    EXPECT_EQ(shown(h), "{-7, 1, 2, 2.5, 3, 1e+06}");
    EXPECT_TRUE(h.eleme(2.5) && !h.eleme(2.6) && !h.eleme(1e7) && !halmaz().eleme(0));
    EXPECT_EQ(shown(make({0, -0.0})) + shown(make({-0.0, 0})), "{0}{-0}");
    EXPECT_TRUE(make({0}).eleme(-0.0));
}

TEST(Halmaz, DisposeRemovesOrThrowsWithoutChange)
{
    halmaz h;
    EXPECT_EQ(thrown(h, 1), halmaz::ures_halmaz);
    h = make({1, 2, 3});
    for (double absent : {0.5, 2.5, 7.0})
        EXPECT_EQ(thrown(h, absent), halmaz::nem_eleme);
    EXPECT_EQ(shown(h), "{1, 2, 3}");
    h.dispose(2);
    EXPECT_EQ(shown(h), "{1, 3}");
    for (double v : {1, 3})
        h.dispose(v);
    h.insert(4);
    EXPECT_EQ(shown(h), "{4}");
}

TEST(Halmaz, CopiesAreIndependentBothWaysAndSelfAssignmentIsHarmless)
{
    halmaz a, b = make({1, 2});
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
    EXPECT_EQ(shown(a = halmaz()), "ureshalmaz");
}

// Building a set from all its values at once must give exactly what inserting them one by one
// gives, bit for bit: either zero may come first. (The set_build fuzz target compares the two
// on inputs of every shape.)
TEST(Halmaz, FromValuesBuildsWhatInsertingOneByOneBuilds)
{
    std::vector<double> values(100000);
    for (std::size_t i = 0; i < values.size(); ++i)  // 61 values, the zero typed either way
        values[i] = (i / 61 % 2 ? -1.0 : 1.0) * (static_cast<double>(i * 7919 % 61) - 30);
    for (const std::vector<double>& some : {std::vector<double>{}, {0.0, -0.0, 1}, {-0.0, 2, 0.0}, values})
        EXPECT_EQ(exact(halmaz::from_values(some)), exact(inserted(some))) << some.size() << " values";
}

// What a+b, a-b, b-a, a*b, metszet(a, b) and szim_dif(a, b) print, in that order.
static std::string table(const halmaz& a, const halmaz& b)
{
    return shown(a + b) + " " + shown(a - b) + " " + shown(b - a) + " " + shown(a * b) + " " + shown(metszet(a, b))
        + " " + shown(szim_dif(a, b));
}

// Of two equal zeros the union keeps the right operand's, both intersections the left's.
TEST(Algebra, ResultsAreAscendingAndLeaveTheOperandsUnchanged)
{
    const halmaz a = make({1, 2}), none;
    EXPECT_EQ(table(make({1, 2, 3}), make({2, 3, 4})), "{1, 2, 3, 4} {1} {4} {2, 3} {2, 3} {1, 4}");
    EXPECT_EQ(table(make({5}), make({1, 9})), "{1, 5, 9} {5} {1, 9} ureshalmaz ureshalmaz {1, 5, 9}");
    EXPECT_EQ(table(a, none), "{1, 2} {1, 2} ureshalmaz ureshalmaz ureshalmaz {1, 2}");
    EXPECT_EQ(table(none, a), "{1, 2} ureshalmaz {1, 2} ureshalmaz ureshalmaz {1, 2}");
    EXPECT_EQ(table(none, none), "ureshalmaz ureshalmaz ureshalmaz ureshalmaz ureshalmaz ureshalmaz");
    EXPECT_EQ(table(a, a), "{1, 2} ureshalmaz ureshalmaz {1, 2} {1, 2} ureshalmaz");
    EXPECT_EQ(shown(a), "{1, 2}");
    EXPECT_EQ(table(make({-0.0}), make({0})), "{0} ureshalmaz ureshalmaz {-0} {-0} ureshalmaz");
    EXPECT_EQ(table(make({0, 1}), make({-0.0})), "{-0, 1} {1} ureshalmaz {0} {0} {1}");
}
