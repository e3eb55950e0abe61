#include "exact.h"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace exact {

Wide operator/(Wide a, Wide b)
{
    const double q1 = a.hi / b.hi;
    Wide rest = a + -(b * q1);
    const double q2 = rest.hi / b.hi;
    rest = rest + -(b * q2);
    return fast_two_sum(q1, q2) + Wide{rest.hi / b.hi, 0};
}

Wide sqrt(Wide a)
{
    if (a.hi <= 0)
        return {0, 0};
    const double s = std::sqrt(a.hi);
    const Wide rest = a + -two_product(s, s);
    return fast_two_sum(s, rest.hi / (2 * s));
}

namespace {

// 1/k! to double-double precision, for the Taylor series of sin and cos.
struct InverseFactorials {
    InverseFactorials()
    {
        of[0] = {1, 0};
        for (int k = 1; k < 32; ++k)
            of[k] = of[k - 1] / static_cast<double>(k);
    }
    Wide of[32];
};
const InverseFactorials inverse_factorial;

// sin and cos of rho, |rho| <= pi/4, from their Taylor series, summed from the last term
// that still counts at double-double precision.
void series(Wide rho, Wide& sine, Wide& cosine)
{
    const Wide square = rho * rho;
    int last = 0;  // the terms go up to rho^(2 last + 1) / (2 last + 1)!, at most the 29th power
    for (double next = square.hi / 2; next > 0x1p-110 && last < 14; ++last)
        next *= square.hi / ((2 * last + 3) * (2 * last + 4));
    const auto term = [](int k) { return k % 4 < 2 ? inverse_factorial.of[k] : -inverse_factorial.of[k]; };
    Wide s = term(2 * last + 1), c = term(2 * last);
    for (int i = last - 1; i >= 0; --i) {
        s = term(2 * i + 1) + square * s;
        c = term(2 * i) + square * c;
    }
    sine = s * rho;
    cosine = c;
}

const Wide pi_1024{0x1.921fb54442d18p-9, 0x1.1a62633145c07p-63};  // pi/1024

// sin and cos of rho, |rho| <= pi/2048, to double-double precision: with q = rho^2, sin is
// rho (1 - q/3! + q^2/5! - q^3/7! + q^4/9!) and cos 1 - q/2! + q^2/4! - q^3/6! + q^4/8!
// (the next terms below 2^-115), where the last two terms, below 2^-65, are summed in doubles.
void short_series(Wide rho, Wide& sine, Wide& cosine)
{
    const Wide q = rho * rho;
    const Wide* f = inverse_factorial.of;
    const auto sum = [&](int a) {
        const double tail = q.hi * (f[a + 6].hi - q.hi * f[a + 8].hi);
        return f[a] + -(q * (f[a + 2] + -(q * (f[a + 4] + Wide{-tail, 0}))));
    };
    sine = sum(1) * rho;
    cosine = sum(0);
}

// sin and cos of p pi/1024 for p = 0 to 256, up to an eighth turn, made when first needed.
struct Steps {
    Steps()
    {
        for (int p = 0; p <= 256; ++p)
            series(pi_1024 * static_cast<double>(p), sine[p], cosine[p]);
    }
    Wide sine[257], cosine[257];
};

}  // namespace

// The angle is split exactly, in integers, into steps of pi/1024 and a rest of at most half a
// step; the rest is summed from its series, and turned by the steps.
void sin_cos(long long k, int n, Wide& sine, Wide& cosine)
{
    static const Steps steps;
    const long long whole = (2048 * k + n) / (2LL * n);  // 1024k/n rounded: 0 to 2048 steps
    const long long m = 1024 * k - whole * n;            // the rest is (m/n) pi/1024, |m| <= n/2
    Wide s, c;
    short_series(pi_1024 * (Wide{static_cast<double>(m), 0} / static_cast<double>(n)), s, c);
    // Turned by p = 0 to 511 steps within the quarter turn (beyond 256 steps by symmetry) ...
    const int p = static_cast<int>(whole % 512);
    const Wide& step_sine = p <= 256 ? steps.sine[p] : steps.cosine[512 - p];
    const Wide& step_cosine = p <= 256 ? steps.cosine[p] : steps.sine[512 - p];
    const Wide turned_sine = step_sine * c + step_cosine * s;
    const Wide turned_cosine = step_cosine * c + -(step_sine * s);
    // ... and by whole quarter turns.
    switch (whole / 512 % 4) {
    case 0: sine = turned_sine, cosine = turned_cosine; break;
    case 1: sine = turned_cosine, cosine = -turned_sine; break;
    case 2: sine = -turned_sine, cosine = -turned_cosine; break;
    default: sine = -turned_cosine, cosine = turned_sine; break;
    }
}

namespace {

// (v.hi + v.lo) 2^k rounded to the nearest double, ties to even, for v.hi the sum rounded to
// 53 bits (as every double-double here leaves it): in the normal range that is v.hi 2^k.
// Below it ldexp rounds v.hi once more to the coarser grid, which is v's rounding too unless
// v.hi lies exactly halfway between two grid points; there v.lo decides.
double round_scaled(Wide v, int k)
{
    if (v.hi == 0 || !std::isfinite(v.hi))
        return v.hi;
    const int e = std::ilogb(v.hi) + k;
    if (e > std::numeric_limits<double>::max_exponent - 1)
        return std::copysign(std::numeric_limits<double>::infinity(), v.hi);
    double t = scaled(v.hi, k);
    if (e >= std::numeric_limits<double>::min_exponent - 1 || v.lo == 0)
        return t;
    const double back = scaled(t, -k), grid = std::ldexp(1.0, -1074 - k);
    if (std::fabs(v.hi - back) == grid / 2 && (v.hi > back) == (v.lo > 0))
        t = std::nextafter(t, v.lo > 0 ? 1.0 : -1.0);
    return t;
}

}  // namespace

Range around(Wide v, double error, int k)
{
    const double infinity = std::numeric_limits<double>::infinity();
    if (!std::isfinite(error) || v.hi == 0)
        return {-infinity, infinity, round_scaled(v, k), false};
    const int e = std::ilogb(v.hi);  // the ulp of v 2^k, in units of 2^k
    const double ulp = e + k - 52 >= -1074 ? scaled(1.0, e - 52) : std::ldexp(1.0, -1074 - k);
    return {round_scaled(v + Wide{-error, 0}, k), round_scaled(v + Wide{error, 0}, k), round_scaled(v, k),
            error <= ulp / 8};
}

Range nearer(Range a, Range b)
{
    return {std::min(a.low, b.low), std::min(a.high, b.high), std::min(a.nearest, b.nearest), a.narrow && b.narrow};
}

Fixed integer(Word v, std::size_t words)  // v < 2^31
{
    Fixed x{std::vector<Word>(words, 0)};
    x.word.back() = v;
    return x;
}

bool negative(const Fixed& a) { return a.word.back() >> 31; }

bool is_zero(const Fixed& a)
{
    return std::all_of(a.word.begin(), a.word.end(), [](Word w) { return w == 0; });
}

// The series below run on non-negative numbers in place, allocating only for products.
Fixed& operator+=(Fixed& a, const Fixed& b)
{
    std::uint64_t carry = 0;
    for (std::size_t i = 0; i < a.word.size(); ++i) {
        carry += std::uint64_t{a.word[i]} + b.word[i];
        a.word[i] = static_cast<Word>(carry);
        carry >>= 32;
    }
    return a;
}

Fixed& operator-=(Fixed& a, const Fixed& b)
{
    std::uint64_t borrow = 0;
    for (std::size_t i = 0; i < a.word.size(); ++i) {
        const std::uint64_t difference = std::uint64_t{a.word[i]} - b.word[i] - borrow;
        a.word[i] = static_cast<Word>(difference);
        borrow = difference >> 63;
    }
    return a;
}

Fixed operator-(const Fixed& a)
{
    Fixed zero = integer(0, a.word.size());
    return zero -= a;
}

Fixed& operator*=(Fixed& a, Word m)  // a >= 0
{
    std::uint64_t carry = 0;
    for (Word& w : a.word) {
        carry += std::uint64_t{w} * m;
        w = static_cast<Word>(carry);
        carry >>= 32;
    }
    return a;
}

Fixed& operator/=(Fixed& a, Word d)  // a >= 0
{
    std::uint64_t rest = 0;
    for (std::size_t i = a.word.size(); i-- > 0;) {
        rest = rest << 32 | a.word[i];
        a.word[i] = static_cast<Word>(rest / d);
        rest %= d;
    }
    return a;
}

namespace {

// a = a b for a, b >= 0, the full product made in `product`.
void multiply(Fixed& a, const Fixed& b, std::vector<Word>& product)
{
    const std::size_t size = a.word.size();
    product.assign(2 * size, 0);
    for (std::size_t i = 0; i < size; ++i) {
        std::uint64_t carry = 0;
        for (std::size_t j = 0; j < size; ++j) {
            carry += std::uint64_t{a.word[i]} * b.word[j] + product[i + j];
            product[i + j] = static_cast<Word>(carry);
            carry >>= 32;
        }
        product[i + size] = static_cast<Word>(carry);
    }
    std::copy(product.begin() + static_cast<std::ptrdiff_t>(size - 1), product.end() - 1, a.word.begin());
}

}  // namespace

Fixed operator*(const Fixed& a, const Fixed& b)
{
    if (negative(a))
        return -(-a * b);
    if (negative(b))
        return -(a * -b);
    Fixed result = a;
    std::vector<Word> product;
    multiply(result, b, product);
    return result;
}

Fixed operator+(Fixed a, const Fixed& b) { return a += b; }

Fixed operator-(Fixed a, const Fixed& b) { return a -= b; }

Fixed fixed(double v, int k, std::size_t words)
{
    Fixed x{std::vector<Word>(words, 0)};
    if (v == 0)
        return x;
    int e;
    auto mantissa = static_cast<std::uint64_t>(std::ldexp(std::frexp(std::fabs(v), &e), 53));
    // The mantissa's lowest bit, counted from the lowest bit of the last word.
    long long position = e - 53LL - k + 32LL * static_cast<long long>(words - 1);
    if (position < 0) {
        mantissa = position <= -64 ? 0 : mantissa >> -position;
        position = 0;
    }
    const auto first = static_cast<std::size_t>(position / 32);
    const int shift = static_cast<int>(position % 32);
    const Word parts[3] = {static_cast<Word>(mantissa << shift), static_cast<Word>((mantissa << shift) >> 32),
                           static_cast<Word>(shift ? mantissa >> (64 - shift) : 0)};
    for (std::size_t i = 0; i < 3 && first + i < words; ++i)
        x.word[first + i] = parts[i];
    return v < 0 ? -x : x;
}

Wide leading(const Fixed& a, int& exponent)
{
    const Fixed x = negative(a) ? -a : a;
    auto top = static_cast<long long>(x.word.size());
    while (top > 0 && x.word[top - 1] == 0)
        --top;
    Wide v{0, 0};
    for (long long i = top - 1; i >= top - 4; --i)
        v = v * 4294967296.0 + Wide{i >= 0 ? static_cast<double>(x.word[i]) : 0, 0};
    exponent = static_cast<int>(32 * (top - static_cast<long long>(x.word.size()) - 3));
    return v;
}

std::size_t exact_words(std::initializer_list<double> values, int k)
{
    int lowest = 0;  // the lowest bit any value can hold, in units of 2^k
    for (double v : values)
        if (v != 0)
            lowest = std::min(lowest, std::max(std::ilogb(v) - 52, -1074) - k);
    return static_cast<std::size_t>(4 - 2 * lowest / 32);
}

Range square_root(const Fixed& a, int k)
{
    if (is_zero(a))
        return {0, 0, 0, true};
    int exponent;
    Wide v = leading(a, exponent);
    if (exponent % 2 != 0)
        v = v * 2.0, --exponent;
    const Wide root = sqrt(v);
    return around(root, root.hi * 0x1p-92, k + exponent / 2);
}

// pi = 16 atan(1/5) - 4 atan(1/239), kept once computed for a precision: most of the cost of
// a fixed-point distance lies in these series.
Fixed fixed_pi(std::size_t words)
{
    thread_local std::vector<Fixed> known;
    for (const Fixed& pi : known)
        if (pi.word.size() == words)
            return pi;
    const auto arctangent_of_inverse = [words](Word m, Word times) {
        Fixed power = integer(1, words), sum = integer(0, words);
        for (Word k = 0; !is_zero(power /= k ? m * m : m); ++k) {
            Fixed term = power;
            term /= 2 * k + 1;
            (k % 2 ? sum -= term : sum += term);
        }
        return sum *= times;
    };
    Fixed pi = arctangent_of_inverse(5, 16);
    known.push_back(pi -= arctangent_of_inverse(239, 4));
    return known.back();
}

// sin and cos of k pi / n, 0 < k < 2n, in fixed point: whole quarter turns split off exactly,
// in integers, and the rest, at most an eighth turn, summed from its series.
void fixed_sin_cos(long long k, int n, const Fixed& pi, Fixed& sine, Fixed& cosine)
{
    const std::size_t words = pi.word.size();
    const long long quarters = (4 * k + n) / (2LL * n);  // 2k/n rounded: 0 to 4
    const long long m = 2 * k - quarters * n;            // the rest is m pi / (2n), |m| <= n/2
    Fixed rest = integer(static_cast<Word>(m < 0 ? -m : m), words);
    rest = pi * (rest /= static_cast<Word>(2LL * n));
    Fixed s = integer(0, words), c = s, term = integer(1, words);  // term: |rest|^i / i!
    std::vector<Word> product;
    for (Word i = 0; !is_zero(term); ++i) {
        switch (i % 4) {
        case 0: c += term; break;
        case 1: s += term; break;
        case 2: c -= term; break;
        default: s -= term; break;
        }
        multiply(term, rest, product);
        term /= i + 1;
    }
    if (m < 0)
        s = -s;
    switch (quarters % 4) {
    case 0: sine = s, cosine = c; break;
    case 1: sine = c, cosine = -s; break;
    case 2: sine = -s, cosine = -c; break;
    default: sine = -c, cosine = s; break;
    }
}

}  // namespace exact
