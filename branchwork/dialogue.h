// branchwork's dialogue: builds a three-way search tree from typed integers, prints it in
// three orders, looks for a positive value after a run of negatives, removes a leaf, counts,
// searches and empties the tree.
#ifndef BRANCHWORK_DIALOGUE_H
#define BRANCHWORK_DIALOGUE_H

#include "console/input.h"
#include "console/output.h"

#include <string>

// Runs the whole dialogue on the answers and returns the exit status; a failed read throws
// console::ReadFailed. With `dot`, a run that ends normally then leaves in the file of that
// name the tree as it stood once every value was in (status 5 when it can't).
int run(console::Input& in, console::Output& out, const std::string* dot);
inline int run(console::Input& in, console::Output& out) { return run(in, out, nullptr); }

#endif
