#include "polygon.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace polygon {
namespace {

const double pi = 2 * std::asin(1.0);
constexpr double unit_roundoff = std::numeric_limits<double>::epsilon() / 2;

// The polygon as the vertex loop computes it.
struct Vertices {
    Vertices(double x, double y, double side, int n)
        : x(x), y(y), alpha(4 * std::asin(1.0) / n), radius(side / (2 * std::sin(alpha / 2)))
    {
    }

    // Distance of P from vertex i, 0 <= i < n: (0, -R) from the centre turned clockwise by
    // alpha/2 + i alpha. With the offset exactly (0, -R) the turn (x + dx cos + dy sin,
    // y - dx sin + dy cos) comes to these two expressions bit for bit.
    double distance(long long i, double px, double py) const
    {
        const double theta = alpha / 2 + static_cast<int>(i) * alpha;
        const double vx = x - radius * std::sin(theta);
        const double vy = y - radius * std::cos(theta);
        return std::sqrt((vx - px) * (vx - px) + (vy - py) * (vy - py));
    }

    double x, y;    // centre
    double alpha;   // central angle
    double radius;  // circumradius, negative for a negative side length
};

// The nearest vertex lies in the direction of P as seen from the centre, and the true vertex
// distances grow with the angle away from that direction. A computed vertex distance is off
// from the true distance of the point it stands for by at most `noise`: sin and cos are within
// an ulp, each of the six roundings up to the differences within half an ulp, the squares,
// the sum and the square root within 2.5 units of roundoff u of the distance, and squares in
// the subnormal range lose at most half the smallest subnormal each. That comes to below
// 8u (|x| + |y| + |px| + |py| + 2R) + 3 sqrt(smallest subnormal); `noise` doubles it.
// A vertex at the angle t from P's direction, with the nearest vertex at most s away, is then
// farther by more than twice the noise as soon as t > pi sqrt(s^2/4 + noise (1/R + 1/r))
// (from D_t^2 - D_s^2 = 2 r R (cos s - cos t), 1 - cos t >= 2 t^2 / pi^2 and D_t + D_s <= 2(r + R)),
// so no vertex beyond that angle can hold the loop's minimum.
Window measured(const Vertices& vertices, int n, double px, double py)
{
    const Window none{0, -1};
    if (n <= max_measured)
        return {0, n - 1LL};
    if (vertices.radius == 0)
        return {0, 0};  // every vertex is the centre, and every one is computed alike
    const double R = std::fabs(vertices.radius), alpha = vertices.alpha;
    const double scale = std::fabs(vertices.x) + std::fabs(vertices.y) + std::fabs(px) + std::fabs(py) + 2 * R;
    if (!(scale < 0x1p500))
        return none;  // the squares might overflow, which the noise bound leaves out
    const double noise = 16 * unit_roundoff * scale + 6 * std::sqrt(std::numeric_limits<double>::denorm_min());
    const double ex = px - vertices.x, ey = py - vertices.y;
    const double r = std::hypot(ex, ey);
    // Error allowance for the angles: P's direction as atan2 gives it, and the vertex angles
    // as the loop rounds them, modulo a full turn.
    const double slack = 64 * unit_roundoff * pi;
    const double inner = alpha / 2 + slack;
    const double reach = pi * std::sqrt(inner * inner / 4 + noise / R + noise / r) + slack;
    // In vertices, with one more on each side for the rounding of the index.
    const double half = reach / alpha + 1;
    if (!(2 * half + 3 <= max_measured))
        return none;  // also when P is at the centre (r = 0)

    // Angle of P measured like the vertex angles: clockwise from straight down, and on the
    // opposite side when a negative side length turns the polygon inside out.
    double phi = vertices.radius > 0 ? std::atan2(-ex, -ey) : std::atan2(ex, ey);
    if (phi < 0)
        phi += 2 * pi;
    const double centre = (phi - alpha / 2) / alpha;
    return {static_cast<long long>(std::floor(centre - half)), static_cast<long long>(std::ceil(centre + half))};
}

// Double-double arithmetic: an unevaluated sum hi + lo with |lo| at most half an ulp of hi,
// good to about 106 bits. Built from exact transformations, so it must not be compiled with
// reassociating floating-point optimisations.
struct Wide {
    double hi, lo;
};

Wide two_sum(double a, double b)
{
    const double s = a + b, t = s - a;
    return {s, (a - (s - t)) + (b - t)};
}

Wide fast_two_sum(double a, double b)  // |a| >= |b|
{
    const double s = a + b;
    return {s, b - (s - a)};
}

// a b exactly, as the rounded product and its rounding error. With a fused multiply-add in the
// hardware the error is one fma. Without one, Dekker's splitting gives it, which holds only
// while no multiplication and addition are fused: the build turns contraction off, and
// without the instruction there is nothing to fuse them into.
Wide two_product(double a, double b)
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

Wide operator+(Wide a, Wide b)
{
    const Wide s = two_sum(a.hi, b.hi), t = two_sum(a.lo, b.lo);
    const Wide u = fast_two_sum(s.hi, s.lo + t.hi);
    return fast_two_sum(u.hi, u.lo + t.lo);
}

Wide operator-(Wide a) { return {-a.hi, -a.lo}; }

Wide operator*(Wide a, Wide b)
{
    const Wide p = two_product(a.hi, b.hi);
    return fast_two_sum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

Wide operator*(Wide a, double b)
{
    const Wide p = two_product(a.hi, b);
    return fast_two_sum(p.hi, p.lo + a.lo * b);
}

Wide operator/(Wide a, double b)
{
    const double q = a.hi / b;
    const Wide rest = a + -two_product(q, b);
    return fast_two_sum(q, rest.hi / b);
}

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

const Wide pi_64{0x1.921fb54442d18p-5, 0x1.1a62633145c07p-59};  // pi/64

// sin and cos of p pi/64 for p = 0 to 16, up to an eighth turn.
struct Steps {
    Steps()
    {
        for (int p = 0; p <= 16; ++p)
            series(pi_64 * static_cast<double>(p), sine[p], cosine[p]);
    }
    Wide sine[17], cosine[17];
};
const Steps steps;

// sin and cos of (2j + 1) pi / n, the angle of vertex j, to double-double precision. The angle
// is split exactly, in integers, into steps of pi/64 and a rest of at most half a step; the
// rest is summed from its series, and turned by the steps.
void vertex_angle(long long j, int n, Wide& sine, Wide& cosine)
{
    const long long k = 2 * j + 1;                      // the angle is k pi/n, 0 < k < 2n
    const long long whole = (128 * k + n) / (2LL * n);  // 64k/n rounded: 0 to 128 steps
    const long long m = 64 * k - whole * n;             // the rest is (m/n) pi/64, |m| <= n/2
    Wide s, c;
    series(pi_64 * (Wide{static_cast<double>(m), 0} / static_cast<double>(n)), s, c);
    // Turned by p = 0 to 31 steps within the quarter turn (beyond 16 steps by symmetry) ...
    const int p = static_cast<int>(whole % 32);
    const Wide& step_sine = p <= 16 ? steps.sine[p] : steps.cosine[32 - p];
    const Wide& step_cosine = p <= 16 ? steps.cosine[p] : steps.sine[32 - p];
    const Wide turned_sine = step_sine * c + step_cosine * s;
    const Wide turned_cosine = step_cosine * c + -(step_sine * s);
    // ... and by whole quarter turns.
    switch (whole / 32 % 4) {
    case 0: sine = turned_sine, cosine = turned_cosine; break;
    case 1: sine = turned_cosine, cosine = -turned_sine; break;
    case 2: sine = -turned_sine, cosine = -turned_cosine; break;
    default: sine = -turned_cosine, cosine = turned_sine; break;
    }
}

// Where rounding decides, the distance is that of the exact doubles given to the truly nearest
// vertex, rounded to the nearest double. It is first computed in double-double precision with
// a bound on its error; where the bound leaves the rounding open, in fixed point of 192 bits,
// then 384 and on while the bound exceeds an eighth of an ulp. Either way the result is a range
// known to hold the true distance, given by the doubles nearest to its ends: where they agree,
// that double is the distance rounded to nearest. Where they don't, though the range is that
// narrow, the distance lies all but halfway between two doubles, and the one nearest to the
// estimate is within an ulp of it (more bits would settle it only as far as it lies from
// halfway, which for a polygon tiny beside its distance can be thousands of bits).
struct Range {
    double low, high;  // the ends, rounded
    double nearest;    // the estimate, rounded
    bool narrow;       // the error at most an eighth of an ulp of the estimate
    bool settled() const { return low == high; }
};

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
    double t = std::ldexp(v.hi, k);
    if (e >= std::numeric_limits<double>::min_exponent - 1 || v.lo == 0)
        return t;
    const double back = std::ldexp(t, -k), grid = std::ldexp(1.0, -1074 - k);
    if (std::fabs(v.hi - back) == grid / 2 && (v.hi > back) == (v.lo > 0))
        t = std::nextafter(t, v.lo > 0 ? 1.0 : -1.0);
    return t;
}

// The range v - error to v + error, with v and error in units of 2^k.
Range around(Wide v, double error, int k)
{
    const double infinity = std::numeric_limits<double>::infinity();
    if (!std::isfinite(error) || v.hi == 0)
        return {-infinity, infinity, round_scaled(v, k), false};
    const double ulp = std::max(std::ldexp(1.0, std::ilogb(v.hi) - 52), std::ldexp(1.0, -1074 - k));
    return {round_scaled(v + Wide{-error, 0}, k), round_scaled(v + Wide{error, 0}, k), round_scaled(v, k),
            error <= ulp / 8};
}

// The range of the nearer of two vertices from the ranges of both.
Range nearer(Range a, Range b)
{
    return {std::min(a.low, b.low), std::min(a.high, b.high), std::min(a.nearest, b.nearest), a.narrow && b.narrow};
}

// Fixed-point numbers for the distances double-double can't settle: 32-bit words in two's
// complement, least significant first, the top word holding the integer part. Products and
// quotients drop the bits below the last word, so each is off by less than one unit of it.
using Word = std::uint32_t;

struct Fixed {
    std::vector<Word> word;
};

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

// v 2^-k, |v 2^-k| < 2^31.
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

// |a| as a double-double times 2^exponent, from its leading 128 bits: within 2^-95 of it.
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
void fixed_angle(long long k, int n, const Fixed& pi, Fixed& sine, Fixed& cosine)
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

// The polygon where rounding decides, set up for both ways of measuring. Both measure every
// length in units of 2^k, chosen so that the offset's parts and R are below 1 and the largest
// of them at least 1/4: nothing then overflows, and nothing that matters underflows.
struct Setup {
    int n;
    int k;
    double offset[2][2];  // the offset P - centre: each part the exact sum of two doubles
    double side;          // |side length|
    Wide sine_half;       // sin(pi/n)
    double direction[2];  // the offset rounded (halved where it overflows): P's direction
};

// The distance from P to vertex j in double-double, and the range that its error bound gives.
// With every length below 1: sin and cos of the vertex angle come out within 2^-100, R within
// 2^-102 (sin(pi/n) and the quotient each within 2^-104 of themselves), R sin and R cos within
// 2^-99.5, and their sums with the exact offset within 2^-99.3; so the distance is within
// 2^-98.8, and its own three operations add 2^-102 of itself. The range allows 2^-94 and 2^-94
// of the distance: the fixed point takes over only where P lies within about 2^-40 of the
// scale from a vertex, or the distance within 2^-94 of halfway between two doubles.
Range fast_range(const Setup& setup, long long j)
{
    const int k = setup.k;
    const Wide ex{std::ldexp(setup.offset[0][0], -k), std::ldexp(setup.offset[0][1], -k)};
    const Wide ey{std::ldexp(setup.offset[1][0], -k), std::ldexp(setup.offset[1][1], -k)};
    const Wide R = Wide{std::ldexp(setup.side, -k), 0} / (setup.sine_half * 2.0);
    Wide sine, cosine;
    vertex_angle(j, setup.n, sine, cosine);  // the vertex lies at R (-sin, -cos) from the centre
    const Wide dx = ex + R * sine, dy = ey + R * cosine;
    const Wide d = sqrt(dx * dx + dy * dy);
    return around(d, 0x1p-94 + d.hi * 0x1p-94, k);
}

// The same with `words` words of fixed point, of which all but the top one are fraction: F bits.
// pi, sin(pi/n) and the sines and cosines of the vertex angles come out within 4 F^2 units of
// the last word, 2^(30-F) for F up to 2^14 (the series' terms each within a few units, their
// count below F, and pi's error, scaled by at most 1/4 in the angle, carried through at most
// 2.2 times). Measured from 2 sin(pi/n) times P, where no division is needed, the offset from
// vertex j, 2 sin(pi/n) (e + R (sin, cos)) = 2 sin(pi/n) e + side (sin, cos), is within
// 2^(33-F) in each part. Dividing by 2 sin(pi/n) >= 2^-30 gives the distance within 2^(63-F),
// and the double-doubles on the way add below 2^-93 of the distance. The range allows 2^(64-F)
// and 2^-90 of the distance.
Range exact_range(const Setup& setup, const Fixed& pi, const Fixed& sine_half, long long j)
{
    const std::size_t words = pi.word.size();
    const int fraction = 32 * static_cast<int>(words - 1);
    const Fixed ex = fixed(setup.offset[0][0], setup.k, words) + fixed(setup.offset[0][1], setup.k, words);
    const Fixed ey = fixed(setup.offset[1][0], setup.k, words) + fixed(setup.offset[1][1], setup.k, words);
    const Fixed side = fixed(setup.side, setup.k, words);
    Fixed twice = sine_half;
    twice *= 2;
    Fixed sine, cosine;
    fixed_angle(2 * j + 1, setup.n, pi, sine, cosine);
    const Fixed dx = twice * ex + side * sine, dy = twice * ey + side * cosine;
    if (is_zero(dx) && is_zero(dy))
        return around(Wide{0, 0}, 0, setup.k);
    int ex_dx, ex_dy, ex_sine;
    Wide x = leading(dx, ex_dx), y = leading(dy, ex_dy);
    const int e = std::max(ex_dx, ex_dy);  // both in units of 2^e
    x = Wide{std::ldexp(x.hi, ex_dx - e), std::ldexp(x.lo, ex_dx - e)};
    y = Wide{std::ldexp(y.hi, ex_dy - e), std::ldexp(y.lo, ex_dy - e)};
    const Wide scale = leading(twice, ex_sine);
    const Wide d = sqrt(x * x + y * y) / scale;
    const int unit = e - ex_sine;  // d is in units of 2^unit of 2^k
    return around(d, std::ldexp(1.0, 64 - fraction - unit) + d.hi * 0x1p-90, setup.k + unit);
}

// The distance from P to the truly nearest vertex: the one whose angle is nearest to P's
// direction, or either of two where P lies all but halfway between them. Every argument
// finite, n > max_measured.
double nearest_vertex(double x, double y, double side, int n, double px, double py)
{
    Setup setup;
    setup.n = n;
    setup.side = std::fabs(side);
    Wide unused;
    vertex_angle(0, n, setup.sine_half, unused);
    // The offset exactly: the rounded difference and its rounding error, or where the
    // difference overflows, P's coordinate and minus the centre's. The vertices lie opposite
    // for a negative side length: P is mirrored through the centre instead.
    const double from[2] = {px, py}, to[2] = {x, y}, mirror = side < 0 ? -1 : 1;
    const Wide e[2] = {two_sum(px, -x), two_sum(py, -y)};
    const bool overflow = !std::isfinite(e[0].hi) || !std::isfinite(e[1].hi);
    int top = std::numeric_limits<int>::min();  // every length is below 2^top
    for (int i = 0; i < 2; ++i) {
        const bool finite = std::isfinite(e[i].hi);
        setup.offset[i][0] = mirror * (finite ? e[i].hi : from[i]);
        setup.offset[i][1] = mirror * (finite ? e[i].lo : -to[i]);
        setup.direction[i] = mirror * (overflow ? from[i] / 2 - to[i] / 2 : e[i].hi);
        if (e[i].hi != 0)
            top = std::max(top, finite ? std::ilogb(e[i].hi) + 1 : std::numeric_limits<double>::max_exponent + 1);
    }
    if (setup.side != 0)  // R = side / (2 sin(pi/n))
        top = std::max(top, std::ilogb(setup.side) - std::ilogb(setup.sine_half.hi));
    if (top == std::numeric_limits<int>::min())
        return 0;  // P at the centre of a polygon of side length 0
    setup.k = top;

    // P's direction in steps between vertices, counted from vertex 0: within 2^-18 steps of
    // the true one, however many sides.
    const double step = std::atan2(-setup.direction[0], -setup.direction[1]) / (2 * pi / n) - 0.5;
    const double rounded = std::nearbyint(step);
    const long long j = (static_cast<long long>(rounded) % n + n) % n;
    const bool halfway = std::fabs(step - rounded) > 0.5 - 0x1p-10;
    const long long other = ((step > rounded ? j + 1 : j - 1) % n + n) % n;

    if (!overflow && e[0].hi == 0 && e[1].hi == 0) {  // P at the centre: R from every vertex
        const Wide R = Wide{std::ldexp(setup.side, -setup.k), 0} / (setup.sine_half * 2.0);
        const Range range = around(R, R.hi * 0x1p-94, setup.k);
        if (range.settled())
            return range.high;
    } else if (!overflow) {
        Range range = fast_range(setup, j);
        if (halfway)
            range = nearer(range, fast_range(setup, other));
        if (range.settled())
            return range.high;
    }
    Range range{};
    for (std::size_t words = 7; words <= 385; words = 2 * words - 1) {  // 192 to 12288 bits of fraction
        const Fixed half_turn = fixed_pi(words);
        Fixed sine_half, cosine_half;
        fixed_angle(1, n, half_turn, sine_half, cosine_half);
        range = exact_range(setup, half_turn, sine_half, j);
        if (halfway)
            range = nearer(range, exact_range(setup, half_turn, sine_half, other));
        if (range.settled() || range.narrow)
            break;
    }
    return range.settled() ? range.high : range.nearest;
}

}  // namespace

Window window(double x, double y, double side, int n, double px, double py)
{
    return measured(Vertices(x, y, side, n), n, px, py);
}

double distance(double x, double y, double side, int n, double px, double py)
{
    if (n <= 0)
        return 0;
    const bool far_point = std::isinf(px) || std::isinf(py),
               far_polygon = std::isinf(x) || std::isinf(y) || std::isinf(side);
    if (std::isnan(x) || std::isnan(y) || std::isnan(side) || std::isnan(px) || std::isnan(py)
        || (far_point && far_polygon))
        return std::numeric_limits<double>::quiet_NaN();
    if (far_point || far_polygon)
        return std::numeric_limits<double>::infinity();
    const Vertices vertices(x, y, side, n);
    const Window measure = measured(vertices, n, px, py);
    if (measure.first > measure.last)
        return nearest_vertex(x, y, side, n, px, py);
    double best = vertices.distance(((measure.first % n) + n) % n, px, py);
    for (long long i = measure.first + 1; i <= measure.last; ++i) {
        const double d = vertices.distance(((i % n) + n) % n, px, py);
        if (d < best)
            best = d;
    }
    return best;
}

}  // namespace polygon
