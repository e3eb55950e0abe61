#include "polygon.h"

#include <algorithm>
#include <cmath>
#include <limits>

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
// an ulp, each of the four roundings up to the difference within half an ulp, the squares,
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

Wide split(double a)
{
    const double t = 134217729.0 * a;  // 2^27 + 1
    const double high = t - (t - a);
    return {high, a - high};
}

Wide two_product(double a, double b)
{
    const double p = a * b;
    const Wide as = split(a), bs = split(b);
    return {p, ((as.hi * bs.hi - p) + as.hi * bs.lo + as.lo * bs.hi) + as.lo * bs.lo};
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

int exponent(double v) { return v == 0 ? -100000 : std::ilogb(v); }

// Distance from P, at the offset (ex, ey) from the centre and r from it, to vertex j of the
// polygon of circumradius R > 0. Along the vertex direction P lies at r cos d from the centre
// and across it at r sin d (d the angle between them), and
//   |P - V|^2 = (r - R)^2 + 4 r R sin^2(d/2) = (r - R)^2 + 2 R across^2 / (r + along).
// `across` is tiny beside r when P's direction is near the vertex, so it is computed to
// double-double precision, as is r - R, which is tiny when P is near the circumscribed circle.
double from_vertex(long long j, int n, double ex, double ey, Wide r, Wide R, double& across)
{
    Wide sine, cosine;
    vertex_angle(j, n, sine, cosine);  // the vertex lies at R (-sin, -cos) from the centre
    across = (cosine * ex + -(sine * ey)).hi;
    const double along = -(ex * sine.hi + ey * cosine.hi);
    const double radial = (r + -R).hi;
    return std::sqrt(radial * radial + 2 * R.hi * across * across / (r.hi + along));
}

// The distance from P to the truly nearest vertex: the one whose angle is nearest to P's
// direction.
double nearest_vertex(double x, double y, double side, int n, double px, double py)
{
    double ex = px - x, ey = py - y, size = std::fabs(side);
    int e = 0;
    if (!std::isfinite(ex) || !std::isfinite(ey)) {  // an offset beyond the range: all halved
        ex = px / 2 - x / 2;
        ey = py / 2 - y / 2;
        size /= 2;
        e = 1;
    }
    if (side < 0) {  // the vertices lie opposite: mirror P through the centre instead
        ex = -ex;
        ey = -ey;
    }
    Wide sine_half, cosine_half;  // of half the central angle
    vertex_angle(0, n, sine_half, cosine_half);
    // Everything is scaled by a power of two so that the largest of |ex|, |ey| and R is near
    // 1: nothing overflows or underflows on the way, and the scaling itself is exact.
    const int shift = std::max({exponent(ex), exponent(ey), exponent(size) - exponent(sine_half.hi) - 1});
    e += shift;
    ex = std::ldexp(ex, -shift);
    ey = std::ldexp(ey, -shift);
    const Wide R = Wide{std::ldexp(size, -shift), 0} / (sine_half * 2.0);
    if (ex == 0 && ey == 0)
        return std::ldexp(R.hi, e);

    const Wide r = sqrt(two_product(ex, ex) + two_product(ey, ey));
    const double phi = std::atan2(-ex, -ey);  // P's direction, clockwise from straight down
    long long j = std::llround(phi / (2 * pi / n) - 0.5) % n;
    if (j < 0)
        j += n;
    // atan2 may have missed P's direction by an ulp, and with it the nearest vertex by one when
    // P is all but halfway between two: then both are measured.
    double across;
    double d = from_vertex(j, n, ex, ey, r, R, across);
    if (std::fabs(across) >= (1 - 0x1p-20) * r.hi * sine_half.hi) {
        double unused;
        const long long neighbour = across > 0 ? (j + n - 1) % n : (j + 1) % n;
        d = std::min(d, from_vertex(neighbour, n, ex, ey, r, R, unused));
    }
    return std::ldexp(d, e);
}

}  // namespace

Window window(double x, double y, double side, int n, double px, double py)
{
    return measured(Vertices(x, y, side, n), n, px, py);
}

double distance(double x, double y, double side, int n, double px, double py)
{
    if (n < 0)
        return 0;
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
