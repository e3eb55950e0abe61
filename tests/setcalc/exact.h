// What a set holds, exactly, and the slow way of building one: shared by the unit tests and
// the fuzz targets.
#ifndef TESTS_SETCALC_EXACT_H
#define TESTS_SETCALC_EXACT_H

#include "halmaz.h"

#include <sstream>
#include <string>
#include <vector>

// The set as kiir writes it, every element in hexadecimal floating point, which tells any two
// doubles apart (0 and -0 included): equal texts mean equal sets, bit for bit.
inline std::string exact(const halmaz& h)
{
    std::ostringstream out;
    out.setf(std::ios::fixed | std::ios::scientific, std::ios::floatfield);
    h.kiir(out);
    return out.str();
}

// The values inserted one by one, in their order: what halmaz::from_values must build.
inline halmaz inserted(const std::vector<double>& values)
{
    halmaz h;
    for (double v : values)
        h.insert(v);
    return h;
}

#endif
