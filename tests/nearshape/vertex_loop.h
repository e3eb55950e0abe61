// The slow reference for the polygon distance, shared by the unit tests and the fuzz targets.
#ifndef TESTS_NEARSHAPE_VERTEX_LOOP_H
#define TESTS_NEARSHAPE_VERTEX_LOOP_H

#include <cmath>

// Vertices first to last (taken modulo n; all n of them by default or when last < first)
// measured in turn, as the polygon is defined: (0, -R) turned about the centre; the smallest
// distance.
inline double vertex_loop(double x, double y, int n, double a, double px, double py, long long first = 0,
                          long long last = -1)
{
    const double alpha = 4 * std::asin(1.0) / n, R = a / (2 * std::sin(alpha / 2)), dx = 0, dy = -R;
    if (last < first)
        last = first + n - 1;
    double result = 0;
    for (long long k = first; k <= last; ++k) {
        const int i = static_cast<int>((k % n + n) % n);
        const double theta = alpha / 2 + i * alpha;
        const double vx = x + dx * std::cos(theta) + dy * std::sin(theta);
        const double vy = y - dx * std::sin(theta) + dy * std::cos(theta);
        const double d = std::sqrt((vx - px) * (vx - px) + (vy - py) * (vy - py));
        if (k == first || d < result)
            result = d;
    }
    return result;
}

#endif
