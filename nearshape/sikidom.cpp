#include "sikidom.h"

#include <cmath>
#include <limits>

namespace {

// The vertices of a regular polygon: vertex i is the lowest point of the circumscribed
// circle, (0, -R) from the centre, turned clockwise about the centre by alpha/2 + i*alpha.
struct Vertices {
    double x, y;    // centre
    double alpha;   // central angle
    double radius;  // circumradius

    double distance(long long i, double px, double py) const
    {
        const double theta = alpha / 2 + static_cast<int>(i) * alpha;
        // With the offset exactly (0, -R) the turn (x + dx cos + dy sin, y - dx sin + dy cos)
        // comes to these two expressions bit for bit.
        const double vx = x - radius * std::sin(theta);
        const double vy = y - radius * std::cos(theta);
        return std::sqrt((vx - px) * (vx - px) + (vy - py) * (vy - py));
    }
};

// The nearest vertex lies in the direction of P as seen from the centre, and the true
// vertex distances grow with the angle away from that direction. Only the vertices whose
// true distance can come within rounding noise of the smallest one are measured, so the
// result is the one a walk over every vertex gives, at a cost independent of the side
// number. The window is capped. Within a millionth of the circumradius of the centre every
// vertex is at almost the same distance, and a modest window gives the smallest one to a few
// units in the last place. Elsewhere the window only grows wide when rounding blurs vertices
// that lie far apart (a polygon with a huge side number, tiny beside its coordinates), and
// the larger cap keeps the result exact there too, short of the most extreme cases.
constexpr long long near_centre_half_window = 1 << 16;
constexpr long long max_half_window = 1 << 22;

double polygon_distance(double x, double y, double side, int n, double px, double py)
{
    if (n < 0)
        return 0;
    const double pi = 2 * std::asin(1.0);
    const double alpha = 4 * std::asin(1.0) / n;
    const Vertices vertices{x, y, alpha, side / (2 * std::sin(alpha / 2))};
    const double radius = std::fabs(vertices.radius);

    const double ex = px - x, ey = py - y;
    const double r = std::hypot(ex, ey);
    // Bound on the rounding error of one computed vertex distance (the last term covers the
    // precision lost when the squares become subnormal), and the resulting uncertainty of the
    // direction of P.
    const double noise = 64 * std::numeric_limits<double>::epsilon()
                             * (std::fabs(x) + std::fabs(y) + std::fabs(px) + std::fabs(py) + radius)
                         + 4 * std::sqrt(std::numeric_limits<double>::denorm_min());
    const double slack = noise / r;
    // A vertex further than `reach` from the direction of P is, by 1 - cos t >= 2 t^2 / pi^2,
    // farther from P than the nearest vertex by more than twice the noise.
    const double inner = alpha / 2 + slack;
    const double reach = std::sqrt(pi * pi / 2 * (inner * inner / 2 + 2 * noise * (r + radius) / (r * radius)))
                         + slack;
    const double steps = std::ceil(reach / alpha) + 1;
    const long long cap = r < 1e-6 * radius ? near_centre_half_window : max_half_window;
    const long long half = steps < cap ? static_cast<long long>(steps) : cap;

    long long first = 0, last = n - 1LL;
    if (2 * half + 1 < n) {
        // Angle of P measured like the vertex angles: clockwise from straight down, and on
        // the opposite side when a negative side length turns the polygon inside out.
        double phi = vertices.radius >= 0 ? std::atan2(-ex, -ey) : std::atan2(ex, ey);
        if (phi < 0)
            phi += 2 * pi;
        const long long nearest = std::llround((phi - alpha / 2) / alpha);
        first = nearest - half;
        last = nearest + half;
    }
    double best = vertices.distance(((first % n) + n) % n, px, py);
    for (long long i = first + 1; i <= last; ++i) {
        const double d = vertices.distance(((i % n) + n) % n, px, py);
        if (d < best)
            best = d;
    }
    return best;
}

}  // namespace

double Sikidom::get_distance(double px, double py) const
{
    if (side_number == 0)
        return std::sqrt((x - px) * (x - px) + (y - py) * (y - py)) - size;
    return polygon_distance(x, y, size, side_number, px, py);
}
