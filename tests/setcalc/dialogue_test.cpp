#include "dialogue.h"

#include "worked_example.h"

TEST(Dialogue, RunsInMemory) { expect_case(run, "setcalc/cases/worked_example.case"); }
