#include "dialogue.h"

#include "worked_example.h"

TEST(Dialogue, RunsInMemoryFromTheKeyboardAndFromAFile)
{
    expect_case(run, "nearshape/cases/keyboard_one_circle.case");
    expect_case(run, "nearshape/cases/file_circle_and_square.case");
}
