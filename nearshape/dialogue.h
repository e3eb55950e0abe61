// nearshape's dialogue: finds, among circles and regular polygons typed at the keyboard or
// read from a figure file, the one nearest to a point P.
#ifndef NEARSHAPE_DIALOGUE_H
#define NEARSHAPE_DIALOGUE_H

#include "console/input.h"
#include "console/output.h"

// Runs the whole dialogue on the answers and returns the exit status; a failed read throws
// console::ReadFailed.
int run(console::Input& in, console::Output& out);

#endif
