// Helpers of the setcalc unit tests: a set from a list, and what an action prints.
#pragma once
#include "halmaz.h"

#include <initializer_list>
#include <iostream>
#include <sstream>
#include <string>

inline halmaz make(std::initializer_list<double> values)
{
    halmaz h;
    for (double v : values) h.insert(v);
    return h;
}

template <typename Action>
std::string captured(Action action)
{
    std::ostringstream out;
    std::streambuf* saved = std::cout.rdbuf(out.rdbuf());
    action();
    std::cout.rdbuf(saved);
    return out.str();
}

inline std::string shown(const halmaz& h) { return captured([&] { h.kiir(); }); }
