// The high-precision references for the distances, shared by the unit tests and the fuzz
// targets: for a polygon the distance to the truly nearest vertex, for a circle the distance
// to its centre less the radius, of the exact doubles given, computed with MPFR.
#ifndef TESTS_NEARSHAPE_NEAREST_VERTEX_H
#define TESTS_NEARSHAPE_NEAREST_VERTEX_H

#include <mpfr.h>

#include <algorithm>
#include <cmath>

namespace nearest_vertex {

class Real {
public:
    explicit Real(mpfr_prec_t bits = 320) { mpfr_init2(value, bits); }
    ~Real() { mpfr_clear(value); }
    Real(const Real&) = delete;
    Real& operator=(const Real&) = delete;
    operator mpfr_ptr() { return value; }

private:
    mpfr_t value;
};

const double turn = 4 * std::asin(1.0);

// R = a / (2 sin(pi/n)), negative for a negative a; sin and cos of pi/n beside it.
inline void circumradius(int n, double a, Real& R, Real& sine, Real& cosine)
{
    mpfr_const_pi(R, MPFR_RNDN);
    mpfr_div_si(R, R, n, MPFR_RNDN);
    mpfr_sin_cos(sine, cosine, R, MPFR_RNDN);
    mpfr_set_d(R, a, MPFR_RNDN);
    mpfr_div(R, R, sine, MPFR_RNDN);
    mpfr_div_2ui(R, R, 1, MPFR_RNDN);
}

// The distance from P to the truly nearest vertex for the exact doubles given, rounded to
// nearest: the offset P - centre exact in 2200 bits, and the three vertices around P's
// direction placed in 320 bits, the first from its angle, the others turned from it by 2pi/n.
// NaN where 320 bits might not hold the distance to 60 bits.
inline double reference(double x, double y, int n, double a, double px, double py)
{
    static Real ex(2200), ey(2200), R, sine, cosine, turn_sine, turn_cosine, t, dx, dy, d, best;
    mpfr_set_d(ex, px, MPFR_RNDN);
    mpfr_sub_d(ex, ex, x, MPFR_RNDN);
    mpfr_set_d(ey, py, MPFR_RNDN);
    mpfr_sub_d(ey, ey, y, MPFR_RNDN);
    circumradius(n, a, R, turn_sine, turn_cosine);
    mpfr_mul(t, turn_sine, turn_cosine, MPFR_RNDN);
    mpfr_sqr(turn_cosine, turn_sine, MPFR_RNDN);
    mpfr_mul_2ui(turn_sine, t, 1, MPFR_RNDN);              // sin(2pi/n)
    mpfr_mul_2ui(turn_cosine, turn_cosine, 1, MPFR_RNDN);  // 1 - cos(2pi/n)
    mpfr_ui_sub(turn_cosine, 1, turn_cosine, MPFR_RNDN);   // cos(2pi/n)
    const double ux = mpfr_get_d(ex, MPFR_RNDN), uy = mpfr_get_d(ey, MPFR_RNDN);
    const double phi = a < 0 ? std::atan2(ux, uy) : std::atan2(-ux, -uy);  // clockwise from straight down
    const long long first = std::llround(phi / (turn / n) - 0.5) - 1;
    mpfr_const_pi(t, MPFR_RNDN);
    mpfr_mul_si(t, t, 2 * first + 1, MPFR_RNDN);
    mpfr_div_si(t, t, n, MPFR_RNDN);
    mpfr_sin_cos(sine, cosine, t, MPFR_RNDN);
    for (int i = 0; i < 3; ++i) {  // vertex at R (-sin, -cos) from the centre
        mpfr_fma(dx, R, sine, ex, MPFR_RNDN);
        mpfr_fma(dy, R, cosine, ey, MPFR_RNDN);
        mpfr_hypot(d, dx, dy, MPFR_RNDN);
        if (i == 0 || mpfr_less_p(d, best))
            mpfr_set(best, d, MPFR_RNDN);
        mpfr_mul(t, sine, turn_cosine, MPFR_RNDN);
        mpfr_fma(t, cosine, turn_sine, t, MPFR_RNDN);
        mpfr_mul(cosine, cosine, turn_cosine, MPFR_RNDN);
        mpfr_fms(cosine, sine, turn_sine, cosine, MPFR_RNDN);
        mpfr_neg(cosine, cosine, MPFR_RNDN);
        mpfr_set(sine, t, MPFR_RNDN);
    }
    if (mpfr_zero_p(best) || (!mpfr_zero_p(R) && mpfr_get_exp(best) < mpfr_get_exp(R) - 250))
        return NAN;
    return mpfr_get_d(best, MPFR_RNDN);
}

// |P - C| - r for the exact doubles given, rounded to nearest: the offset and its length in
// 4400 bits, enough for every bit of the squares. NaN where that might not hold the
// difference to 60 bits.
inline double circle(double x, double y, double r, double px, double py)
{
    static Real ex(4400), ey(4400), d(4400);
    mpfr_set_d(ex, px, MPFR_RNDN);
    mpfr_sub_d(ex, ex, x, MPFR_RNDN);
    mpfr_set_d(ey, py, MPFR_RNDN);
    mpfr_sub_d(ey, ey, y, MPFR_RNDN);
    mpfr_hypot(d, ex, ey, MPFR_RNDN);
    if (mpfr_zero_p(d))
        return -r;
    const long scale = std::max(mpfr_get_exp(d), static_cast<long>(std::ilogb(r)));
    mpfr_sub_d(d, d, r, MPFR_RNDN);
    if (!mpfr_zero_p(d) && mpfr_get_exp(d) < scale - 4300)
        return NAN;
    return mpfr_get_d(d, MPFR_RNDN);
}

// The distance measured is the true one rounded to nearest, or its neighbour where the true one
// lies all but halfway between them.
inline bool within_ulp(double actual, double expected)
{
    return actual == expected || actual == std::nextafter(expected, INFINITY)
        || actual == std::nextafter(expected, -INFINITY);
}

}  // namespace nearest_vertex

#endif
