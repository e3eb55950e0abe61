// setcalc: reads two or more sets of reals, prints each one, the difference and symmetric
// difference of every consecutive pair, the union and intersection of all of them, then
// removes a value from the intersection and checks whether another value belongs to it.
#include "console/program.h"
#include "dialogue.h"

namespace {

const char* const usage = "Hasznalat: setcalc [-h | --help | --version]\n"
                          "\n"
                          "Valos szamok halmazait olvassa be, es kiirja rendezve a tartalmukat, az\n"
                          "egymast koveto halmazok kulonbseget es szimmetrikus differenciajat, vegul az\n"
                          "osszes halmaz uniojat es metszetet. Ha a metszet nem ures, kivesz belole egy\n"
                          "erteket, majd megnezi, hogy egy masik ertek eleme-e a metszetnek. A valaszokat\n"
                          "a szabvanyos bemenetrol olvassa.\n"
                          "\n"
                          "Kapcsolok:\n"
                          "  -h, --help  ez a leiras\n"
                          "  --version   a program neve es verzioja\n"
                          "\n"
                          "Kilepesi kodok:\n"
                          "  0   rendben lefutott\n"
                          "  1   ketnel kevesebb halmaz\n"
                          "  2   negativ elemszam\n"
                          "  3   hibas vagy hianyzo bemenet\n"
                          "  4   nincs eleg memoria\n"
                          "  64  ismeretlen argumentum\n";

}  // namespace

int main(int argc, char** argv) { return console::run_program(argc, argv, {"setcalc", usage, {}}, run); }
