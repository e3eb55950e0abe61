#include "sikidom.h"

#include "polygon.h"

#include <cmath>

double Sikidom::get_distance(double px, double py) const
{
    if (side_number == 0)
        return std::sqrt((x - px) * (x - px) + (y - py) * (y - py)) - size;
    return polygon::distance(x, y, size, side_number, px, py);
}
