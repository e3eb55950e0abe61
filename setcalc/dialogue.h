// setcalc's dialogue: reads two or more sets of reals, prints each one, the difference and
// symmetric difference of every consecutive pair, the union and intersection of all of them,
// then removes a value from the intersection and checks whether another value belongs to it.
#ifndef SETCALC_DIALOGUE_H
#define SETCALC_DIALOGUE_H

#include "console/input.h"
#include "console/output.h"

// Runs the whole dialogue on the answers and returns the exit status; a failed read throws
// console::ReadFailed.
int run(console::Input& in, console::Output& out);

#endif
