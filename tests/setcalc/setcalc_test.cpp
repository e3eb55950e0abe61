#include "algebra.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

// The set as kiir writes it, every element in hexadecimal floating point, which tells any two
// doubles apart (0 and -0 included): equal texts mean equal sets, bit for bit.
static std::string exact(const halmaz& h)
{
    std::ostringstream out;
    out.setf(std::ios::fixed | std::ios::scientific, std::ios::floatfield);
    h.kiir(out);
    return out.str();
}

// The values inserted one by one, in their order: the slow way, and what halmaz::from_values
// must build.
static halmaz inserted(const std::vector<double>& values)
{
    halmaz h;
    for (double v : values)
        h.insert(v);
    return h;
}

static std::string shown(const halmaz& h)
{
    std::ostringstream out;
    h.kiir(out);
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
    const halmaz h = inserted({3, 1, 2, 1, -7, 1e6, 2.5, 2});
    EXPECT_EQ(shown(h), "{-7, 1, 2, 2.5, 3, 1e+06}");
    EXPECT_TRUE(h.eleme(2.5) && !h.eleme(2.6) && !h.eleme(1e7) && !halmaz().eleme(0));
    EXPECT_EQ(shown(inserted({0, -0.0})) + shown(inserted({-0.0, 0})), "{0}{-0}");
    EXPECT_TRUE(inserted({0}).eleme(-0.0));
}

TEST(Halmaz, DisposeRemovesOrThrowsWithoutChange)
{
    halmaz h;
    EXPECT_EQ(thrown(h, 1), 0);  // halmaz::ures_halmaz, thrown as this number
    h = inserted({1, 2, 3});
    for (double absent : {0.5, 2.5, 7.0})
        EXPECT_EQ(thrown(h, absent), 1);  // halmaz::nem_eleme
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
    halmaz a, b = inserted({1, 2});
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

// Random values from a pool of `distinct` values (both zeros, the extremes, quarters and reals
// of every size), both zeros as likely as any other value.
static std::vector<double> random_values(std::mt19937_64& bits, std::size_t distinct, std::size_t n)
{
    const double inf = std::numeric_limits<double>::infinity(), tiny = std::numeric_limits<double>::denorm_min(),
                 huge = std::numeric_limits<double>::max();
    std::vector<double> pool = {0.0, -0.0, inf, -inf, tiny, -tiny, huge, -huge};
    std::uniform_real_distribution<double> real(-1, 1);
    while (pool.size() < distinct)
        pool.push_back(pool.size() % 2 ? std::round(real(bits) * 4000) / 4
                                       : std::ldexp(real(bits), static_cast<int>(bits() % 200) - 100));
    std::vector<double> values(n);
    for (double& v : values)
        v = pool[bits() % std::min(distinct, pool.size())];
    return values;
}

// Building a set from all its values at once must give exactly what inserting them one by one
// gives: on random values with many repeats, either zero typed first, small and large inputs.
// NaNs are left out.
TEST(Halmaz, FromValuesBuildsWhatInsertingOneByOneBuilds)
{
    EXPECT_EQ(shown(halmaz::from_values({})), "ureshalmaz");
    EXPECT_EQ(shown(halmaz::from_values({std::nan(""), 2, -std::nan(""), 1, std::nan("")})), "{1, 2}");
    std::mt19937_64 bits(8);
    struct {
        std::size_t distinct, values;
        double first;
    } rounds[] = {{2, 1000, -0.0}, {60, 100000, 0.0}, {5000, 200000, -0.0}, {20000, 20000, 0.0}, {300, 400, -0.0}};
    for (const auto& round : rounds) {
        std::vector<double> values = random_values(bits, round.distinct, round.values);
        values.front() = round.first;
        const halmaz reference = inserted(values);
        values.insert(values.begin() + values.size() / 2, std::nan(""));
        EXPECT_TRUE(exact(halmaz::from_values(values)) == exact(reference))
            << round.distinct << " distinct of " << round.values;
    }
    // Keys that differ in only some of their 11-bit digits, which the radix sort passes over:
    // digit 1; digits 0 and 3; the lowest three; the lowest four; 600 down to 1 (the top three).
    for (std::uint64_t varying : {0x7FFull << 11, 0x7FFull << 33 | 0x7FF, (1ull << 33) - 1, (1ull << 44) - 1, 0ull}) {
        std::vector<double> values(600);
        for (std::size_t i = 0; i < values.size(); ++i) {
            const std::uint64_t key = 0x3FF0000000000000 | (bits() & varying);
            std::memcpy(&values[i], &key, sizeof key);
            values[i] = varying ? values[i] : static_cast<double>(values.size() - i);
        }
        EXPECT_TRUE(exact(halmaz::from_values(values)) == exact(inserted(values))) << std::hex << varying;
    }
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
    const halmaz a = inserted({1, 2}), none;
    EXPECT_EQ(table(inserted({1, 2, 3}), inserted({2, 3, 4})), "{1, 2, 3, 4} {1} {4} {2, 3} {2, 3} {1, 4}");
    EXPECT_EQ(table(inserted({5}), inserted({1, 9})), "{1, 5, 9} {5} {1, 9} ureshalmaz ureshalmaz {1, 5, 9}");
    EXPECT_EQ(table(a, none), "{1, 2} {1, 2} ureshalmaz ureshalmaz ureshalmaz {1, 2}");
    EXPECT_EQ(table(none, a), "{1, 2} ureshalmaz {1, 2} ureshalmaz ureshalmaz {1, 2}");
    EXPECT_EQ(table(none, none), "ureshalmaz ureshalmaz ureshalmaz ureshalmaz ureshalmaz ureshalmaz");
    EXPECT_EQ(table(a, a), "{1, 2} ureshalmaz ureshalmaz {1, 2} {1, 2} ureshalmaz");
    EXPECT_EQ(shown(a), "{1, 2}");
    EXPECT_EQ(table(inserted({-0.0}), inserted({0})), "{0} ureshalmaz ureshalmaz {-0} {-0} ureshalmaz");
    EXPECT_EQ(table(inserted({0, 1}), inserted({-0.0})), "{-0, 1} {1} ureshalmaz {0} {0} {1}");
    // insert takes a NaN, which breaks the ascending order: what the algebra makes of such a set
    // is unspecified, but it must stay within its arrays (as the sanitized build checks).
    halmaz odd = inserted({3, 1, 2});
    odd.insert(std::nan(""));
    for (const halmaz& other : {inserted({0.5, 1, 3, 4}), odd, inserted({std::nan(""), 7, -7})})
        table(odd, other) + table(other, odd);
}

// Every result must be what membership tests element by element give, on random sets with
// common elements, both zeros and operands of very different sizes.
TEST(Algebra, MergeWalksGiveWhatMembershipTestsGive)
{
    std::mt19937_64 bits(9);
    for (auto [na, nb] : {std::pair{3000, 2000}, {1, 700}, {900, 0}, {2500, 2500}}) {
        const std::vector<double> va = random_values(bits, 4000, na), vb = random_values(bits, 4000, nb);
        const halmaz a = halmaz::from_values(va), b = halmaz::from_values(vb);
        halmaz sum = b, difference, common, one_side;  // of two equal elements the union keeps b's
        for (double v : va) {
            sum.insert(v);
            (b.eleme(v) ? common : difference).insert(v);
            if (!b.eleme(v))
                one_side.insert(v);
        }
        for (double v : vb)
            if (!a.eleme(v))
                one_side.insert(v);
        EXPECT_TRUE(exact(a + b) + exact(a - b) + exact(a * b) + exact(metszet(a, b)) + exact(szim_dif(a, b))
                    == exact(sum) + exact(difference) + exact(common) + exact(common) + exact(one_side))
            << na << " and " << nb << " values";
    }
}
