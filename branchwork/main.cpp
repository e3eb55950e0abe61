// branchwork: builds a three-way search tree from typed integers, prints it in three orders,
// looks for a positive value after a run of negatives, removes a leaf, counts, searches and
// empties the tree.
#include "console/program.h"
#include "dialogue.h"

namespace {

const char* const kUsage = "Hasznalat: branchwork [-h | --help | --version]\n"
                           "\n"
                           "Egesz szamokbol harmas elagazasu keresofat epit (a kisebb ertekek balra, az\n"
                           "egyenlok kozepre, a nagyobbak jobbra kerulnek), es kiirja harom bejarasi\n"
                           "sorrendben. Inorder sorrendben megkeresi az elso nemnegativ erteket, amely\n"
                           "kozvetlenul legalabb adott szamu negativ ertek utan kovetkezik, majd torol egy\n"
                           "levelet, megszamolja az elemeket, keres egy erteket, vegul kiuriti a fat.\n"
                           "A valaszokat a szabvanyos bemenetrol olvassa.\n"
                           "\n"
                           "Kapcsolok:\n"
                           "  -h, --help  ez a leiras\n"
                           "  --version   a program neve es verzioja\n"
                           "\n"
                           "Kilepesi kodok:\n"
                           "  0   rendben lefutott\n"
                           "  3   hibas vagy hianyzo bemenet\n"
                           "  4   nincs eleg memoria\n"
                           "  64  ismeretlen argumentum\n";

}  // namespace

int main(int argc, char** argv) { return console::run_program(argc, argv, {"branchwork", kUsage, {}}, run); }
