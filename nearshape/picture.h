// A drawing of a search for the nearest figure, in SVG: the point P, every figure, and the
// nearest one standing out, with a line from P to its nearest point labelled with the
// distance.
#ifndef NEARSHAPE_PICTURE_H
#define NEARSHAPE_PICTURE_H

#include "lista.h"
#include "sikidom.h"

#include <ostream>

// A polygon of more sides is drawn as the circle through its vertices (and says so in its
// title): drawn across the whole picture, such a polygon strays from that circle by less
// than a quarter of a unit of the 1000-unit drawing.
constexpr int most_sides_drawn = 100;

// Figures are numbered in the drawing when there are at most this many.
constexpr int most_numbered = 50;

// Writes the drawing of P = (px, py) and the figures, with the figure at the 0-based
// position `nearest` standing out and `distance` (its distance as the report gives it) as
// the line's label. The figures are drawn in a view of at most 1000 by 1000 units fitted to
// P and all figures, y upwards, so any coordinates, from the tiniest to the largest a double
// holds, come out drawable; a figure or a point that is not a finite number is left out of
// the view and not drawn. Walks the list three times, in time linear in the figures and
// their drawn vertices, using a fixed amount of memory; leaves its cursor on the last figure.
void write_svg(std::ostream& out, double px, double py, lista<Sikidom>& figures, int nearest, double distance);

#endif
