#ifndef NEARSHAPE_EXACT_H
#define NEARSHAPE_EXACT_H

// The arithmetic behind the distances: double-double numbers (about 106 bits) for the fast
// estimate with its error bound, fixed-point numbers of any length where that bound can't
// settle the rounding, sines and cosines of k pi / n in both, and the rounding of a range
// known to hold the true value. Nothing here calls the maths library's sin, cos or the like,
// so every result is the same on every machine.
//
// The double-doubles are built from exact transformations: they must not be compiled with
// reassociating or contracting floating-point optimisations.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace exact {

// An unevaluated sum hi + lo with |lo| at most half an ulp of hi.
struct Wide {
    double hi, lo;
};

// v 2^k, rounded as ldexp rounds it: one multiplication where 2^k is a normal double.
inline double scaled(double v, int k)
{
    if (k < -1022 || k > 1023)
        return std::ldexp(v, k);
    const std::uint64_t bits = static_cast<std::uint64_t>(k + 1023) << 52;
    double power;
    std::memcpy(&power, &bits, sizeof power);
    return v * power;
}

inline Wide two_sum(double a, double b)
{
    const double s = a + b, t = s - a;
    return {s, (a - (s - t)) + (b - t)};
}

inline Wide fast_two_sum(double a, double b)  // |a| >= |b|
{
    const double s = a + b;
    return {s, b - (s - a)};
}

// a b exactly, as the rounded product and its rounding error. With a fused multiply-add in the
// hardware the error is one fma. Without one, Dekker's splitting gives it, which holds only
// while no multiplication and addition are fused: the build turns contraction off, and
// without the instruction there is nothing to fuse them into.
inline Wide two_product(double a, double b)
{
    const double p = a * b;
#if defined(__FP_FAST_FMA) || defined(__FMA__) || defined(__ARM_FEATURE_FMA)
    return {p, std::fma(a, b, -p)};
#else
    const auto split = [](double v) {
        const double t = 134217729.0 * v;  // 2^27 + 1
        const double high = t - (t - v);
        return Wide{high, v - high};
    };
    const Wide as = split(a), bs = split(b);
    return {p, ((as.hi * bs.hi - p) + as.hi * bs.lo + as.lo * bs.hi) + as.lo * bs.lo};
#endif
}

inline Wide operator+(Wide a, Wide b)
{
    const Wide s = two_sum(a.hi, b.hi), t = two_sum(a.lo, b.lo);
    const Wide u = fast_two_sum(s.hi, s.lo + t.hi);
    return fast_two_sum(u.hi, u.lo + t.lo);
}

inline Wide operator-(Wide a) { return {-a.hi, -a.lo}; }

inline Wide operator*(Wide a, Wide b)
{
    const Wide p = two_product(a.hi, b.hi);
    return fast_two_sum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

inline Wide operator*(Wide a, double b)
{
    const Wide p = two_product(a.hi, b);
    return fast_two_sum(p.hi, p.lo + a.lo * b);
}

inline Wide operator/(Wide a, double b)
{
    const double q = a.hi / b;
    const Wide rest = a + -two_product(q, b);
    return fast_two_sum(q, rest.hi / b);
}

Wide operator/(Wide a, Wide b);
Wide sqrt(Wide a);

// sin and cos of k pi / n, 0 < k < 2n, within 2^-100.
void sin_cos(long long k, int n, Wide& sine, Wide& cosine);

// A range known to hold a true value, by the doubles nearest to its ends: where they agree,
// that double is the value rounded to nearest. Where they don't, though the range is narrow,
// the value lies all but halfway between two doubles, and the one nearest to the estimate is
// within an ulp of it (more bits would settle it only as far as it lies from halfway, which
// can be thousands of bits away).
struct Range {
    double low, high;  // the ends, rounded
    double nearest;    // the estimate, rounded
    bool narrow;       // the error at most an eighth of an ulp of the estimate
    bool settled() const { return low == high; }
};

// The range v - error to v + error, with v and error in units of 2^k: no overflow or
// underflow on the way, the ends rounded once each.
Range around(Wide v, double error, int k);

// The range of the smaller of two values from the ranges of both.
Range nearer(Range a, Range b);

// Fixed-point numbers: 32-bit words in two's complement, least significant first, the top
// word holding the integer part. Products and quotients drop the bits below the last word,
// so each is off by less than one unit of it; sums and differences are exact.
using Word = std::uint32_t;

struct Fixed {
    std::vector<Word> word;
};

Fixed integer(Word v, std::size_t words);  // v < 2^31
bool negative(const Fixed& a);
bool is_zero(const Fixed& a);
Fixed& operator+=(Fixed& a, const Fixed& b);
Fixed& operator-=(Fixed& a, const Fixed& b);
Fixed operator-(const Fixed& a);
Fixed& operator*=(Fixed& a, Word m);  // a >= 0
Fixed& operator/=(Fixed& a, Word d);  // a >= 0
Fixed operator*(const Fixed& a, const Fixed& b);
Fixed operator+(Fixed a, const Fixed& b);
Fixed operator-(Fixed a, const Fixed& b);

// v 2^-k, |v 2^-k| < 2^31, without its bits below the last word.
Fixed fixed(double v, int k, std::size_t words);

// Words enough that sums of the values given, in units of 2^k, and their products hold every
// bit: Fixed arithmetic on them is then exact.
std::size_t exact_words(std::initializer_list<double> values, int k);

// The square root of a >= 0 in units of 2^(2k), as a range in units of 2^k: 0 exactly where
// a is 0, and otherwise within 2^-92 of the root.
Range square_root(const Fixed& a, int k);

// |a| as a double-double times 2^exponent, from its leading 128 bits: within 2^-95 of it.
Wide leading(const Fixed& a, int& exponent);

// pi, within 2^(30-F) for F fraction bits.
Fixed fixed_pi(std::size_t words);

// sin and cos of k pi / n, 0 < k < 2n, within 2^(30-F) for F fraction bits up to 2^14.
void fixed_sin_cos(long long k, int n, const Fixed& pi, Fixed& sine, Fixed& cosine);

}  // namespace exact

#endif
