// Set algebra over halmaz: each operation is one merge walk over the two ascending arrays and
// builds a new set, leaving its operands untouched.
#ifndef SETCALC_ALGEBRA_H
#define SETCALC_ALGEBRA_H

#include "console/output.h"
#include "halmaz.h"

#include <string>

// Union; of two equal elements the right operand's is kept.
halmaz operator+(const halmaz& a, const halmaz& b);
// The elements of a that are not in b.
halmaz operator-(const halmaz& a, const halmaz& b);
// Intersection built in place; of two equal elements the left operand's is kept.
halmaz operator*(const halmaz& a, const halmaz& b);
// The same intersection, gathered in a scratch buffer.
halmaz metszet(halmaz a, halmaz b);
// (a + b) - (a * b)
halmaz szim_dif(halmaz a, halmaz b);
// An empty line, the caption, and the set on a line of its own.
void show_result(halmaz h, std::string caption, console::Output& out);

#endif
