#ifndef NEARSHAPE_POLYGON_H
#define NEARSHAPE_POLYGON_H

// The distance from a point P to the nearest vertex of a regular polygon.
//
// The polygon has its centre at (x, y), n sides of length `side` and the circumradius
// R = side / (2 sin(pi/n)). Vertex i is the lowest point of the circumscribed circle turned
// clockwise about the centre by (2i + 1) pi / n; a negative side length gives a negative R
// and so turns the polygon inside out.
namespace polygon {

// The distance from P to the truly nearest vertex of the polygon that the doubles given
// describe exactly, rounded to the nearest double however near P lies to a vertex and however
// large or small the numbers are (where that distance lies within 2^-90 of halfway between two
// doubles, either of them): +inf only where it exceeds the largest double. 0 when n <= 0:
// there is no vertex to measure. +inf for n = 1 and a side length other than 0 (the vertex
// lies at infinity). Any double is accepted: +inf where P or the polygon (its centre or side
// length) lies at infinity and the other doesn't; NaN where an argument is NaN or both lie at
// infinity.
double distance(double x, double y, double side, int n, double px, double py);

}  // namespace polygon

#endif
