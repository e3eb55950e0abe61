// setcalc: reads two or more sets of reals, prints each one, the difference and symmetric
// difference of every consecutive pair, the union and intersection of all of them, then
// removes a value from the intersection and checks whether another value belongs to it.
#include "console/program.h"
#include "dialogue.h"

namespace {

const console::Program program = {
    "setcalc",
    "Valos szamok halmazait olvassa be, es kiirja rendezve a tartalmukat, az\n"
    "egymast koveto halmazok kulonbseget es szimmetrikus differenciajat, vegul az\n"
    "osszes halmaz uniojat es metszetet. Ha a metszet nem ures, kivesz belole egy\n"
    "erteket, majd megnezi, hogy egy masik ertek eleme-e a metszetnek. A valaszokat\n"
    "a szabvanyos bemenetrol olvassa.\n",
    {{1, "ketnel kevesebb halmaz"}, {2, "negativ elemszam"}},
    {},
};

}  // namespace

int main(int argc, char** argv) { return console::run_program(argc, argv, program, run); }
