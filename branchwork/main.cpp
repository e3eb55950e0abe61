// branchwork: builds a three-way search tree from typed integers, prints it in three orders,
// looks for a positive value after a run of negatives, removes a leaf, counts, searches and
// empties the tree.
#include "console/program.h"
#include "dialogue.h"

namespace {

const console::Program program = {
    "branchwork",
    "Egesz szamokbol harmas elagazasu keresofat epit (a kisebb ertekek balra, az\n"
    "egyenlok kozepre, a nagyobbak jobbra kerulnek), es kiirja harom bejarasi\n"
    "sorrendben. Inorder sorrendben megkeresi az elso nemnegativ erteket, amely\n"
    "kozvetlenul legalabb adott szamu negativ ertek utan kovetkezik, majd torol egy\n"
    "levelet, megszamolja az elemeket, keres egy erteket, vegul kiuriti a fat.\n"
    "A valaszokat a szabvanyos bemenetrol olvassa.\n",
    {{5, "a kep nem irhato"}},
    {{"--dot", "a fa DOT nyelven a FAJL-ba, az osszes elem beszurasa utan"}},
};

}  // namespace

int main(int argc, char** argv)
{
    return console::run_program(argc, argv, program,
                                [](console::Input& in, console::Output& out, const console::Arguments& arguments) {
                                    return run(in, out, arguments.file("--dot"));
                                });
}
