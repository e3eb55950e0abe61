#ifndef NEARSHAPE_POLYGON_H
#define NEARSHAPE_POLYGON_H

// The distance from a point P to the nearest vertex of a regular polygon, at a bounded cost
// for every side number.
//
// The polygon has its centre at (x, y), n sides of length `side` and the circumradius
// R = side / (2 sin(alpha/2)), alpha = 2 pi / n. Vertex i is the lowest point of the
// circumscribed circle turned clockwise about the centre by alpha/2 + i alpha; a negative side
// length gives a negative R and so turns the polygon inside out. The vertex loop measures
// every vertex in that order in double precision and keeps the first smallest distance.
namespace polygon {

// The most vertices one distance measures. A polygon of at most this many sides is measured
// by the whole vertex loop.
constexpr long long max_measured = 256;

// Vertex indices first to last, taken modulo n; empty when first > last.
struct Window {
    long long first, last;
};

// The vertices of a polygon of n >= 1 sides that can hold the vertex loop's result for P:
// every vertex outside the window is, as the loop computes it, provably no nearer than the
// nearest one inside. Empty when more than max_measured vertices lie within rounding error of
// the nearest: rounding, not geometry, picks the loop's minimum there. Empty too for n <= 0.
Window window(double x, double y, double side, int n, double px, double py);

// The distance from P to the polygon's nearest vertex: the vertex loop's result where the
// window holds it (always for n <= max_measured), and otherwise the distance from P to the
// truly nearest vertex of the polygon that the doubles given describe exactly, rounded to the
// nearest double however near P lies to a vertex (where that distance lies within 2^-90 of
// halfway between two doubles, either of them). 0 when n <= 0: there is no vertex to
// measure, as the loop measures none. Any double is accepted: +inf where P or the polygon (its
// centre or side length) lies at infinity and the other doesn't; NaN where an argument is NaN
// or both lie at infinity.
double distance(double x, double y, double side, int n, double px, double py);

}  // namespace polygon

#endif
