// nearshape's dialogue: finds, among circles and regular polygons typed at the keyboard or
// read from a figure file, the one nearest to a point P.
#ifndef NEARSHAPE_DIALOGUE_H
#define NEARSHAPE_DIALOGUE_H

#include "console/input.h"
#include "console/output.h"

#include <string>

// Runs the whole dialogue on the answers and returns the exit status; a failed read throws
// console::ReadFailed. With `svg`, a run that ends normally then writes its drawing into the
// file of that name (status 5 when it can't).
int run(console::Input& in, console::Output& out, const std::string* svg);
inline int run(console::Input& in, console::Output& out) { return run(in, out, nullptr); }

#endif
