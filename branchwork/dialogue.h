// branchwork's dialogue: builds a three-way search tree from typed integers, prints it in
// three orders, looks for a positive value after a run of negatives, removes a leaf, counts,
// searches and empties the tree.
#ifndef BRANCHWORK_DIALOGUE_H
#define BRANCHWORK_DIALOGUE_H

#include "console/input.h"
#include "console/output.h"

// Runs the whole dialogue on the answers and returns the exit status; a failed read throws
// console::ReadFailed.
int run(console::Input& in, console::Output& out);

#endif
