// branchwork: builds a three-way search tree from typed integers, prints it in three orders,
// looks for a positive value after a run of negatives, removes a leaf, counts, searches and
// empties the tree.
#include <cstdlib>
#include <iostream>
#include <new>
#include <vector>

#include "actions.h"
#include "console.h"
#include "tree.h"

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

// Thrown when standard input can't deliver the integer asked for.
struct ReadFailed {};

int ReadInt()
{
    int value;
    if (!(std::cin >> value))
        throw ReadFailed();
    return value;
}

// Asks until the answer is at least `minimum`, complaining after each one below it.
int AskAtLeast(const char* prompt, int minimum, const char* complaint)
{
    for (;;) {
        std::cout << '\n' << prompt;
        const int answer = ReadInt();
        if (answer >= minimum)
            return answer;
        std::cout << '\n' << complaint << '\n';
    }
}

// Memory has run out. There may be none left even for the exception that would carry this
// to main, so the run ends right where the allocation failed.
[[noreturn]] void OutOfMemory()
{
    std::cout << '\n' << "Nincs eleg memoria!" << '\n';
    std::cout.flush();  // _Exit flushes nothing
    std::_Exit(4);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1)
        return AnswerArguments(argc, argv, "branchwork", kUsage);
    open_console();
    std::set_new_handler(OutOfMemory);
    try {
        std::cout << "MUVELETEK 3-ARIS FAKKAL" << '\n';
        std::cout << "(Integer ertekekkel dolgozom)" << '\n';
        const int count = AskAtLeast("A fa elemszama: ", 0, "Nem adhat meg negativ erteket!");

        Tree<int> tree;
        {
            // All the values are read first: built from all of them at once, the tree costs
            // O(n log n) whatever their order. What comes out is the same.
            std::vector<int> values;
            for (int i = 0; i < count; ++i) {  // from 0, so a count of the largest int can't overflow i
                std::cout << i + 1 << ". elem: ";
                values.push_back(ReadInt());
            }
            tree.Insert(values.begin(), values.end());
        }
        std::cout << '\n';
        Fa_Kiir(tree);

        std::cout << '\n';
        std::cout << "Hany negativ ertek utan talaljak egy pozitivat?" << '\n';
        std::cout << "(Inorder bejarassal dolgozom)" << '\n';
        const int answer = AskAtLeast("Valasz: ", 1, "Minimum ertek: 1.");
        Negatives negatives;
        negatives.SetNumber(answer);
        tree.InOrder(&negatives);
        std::cout << '\n';
        if (negatives.found) {
            std::cout << "Talaltam: " << negatives.result << "." << '\n';
        } else {
            std::cout << "Nem talaltam." << '\n';
        }

        std::cout << '\n' << "Level torlese (ertek szerint): ";
        const int leaf = ReadInt();
        std::cout << '\n';
        try {
            tree.Remove(leaf);
            Fa_Kiir(tree);
        } catch (Tree<int>::Exception) {
            std::cout << "A torles nem sikerult!" << '\n';
        }

        std::cout << '\n' << "A fa elemszama: " << tree.GetElementCount() << '\n';

        std::cout << '\n' << "Keressuk: ";
        const int sought = ReadInt();
        std::cout << '\n';
        if (tree.IsElement(sought)) {
            std::cout << "Megtalaltam." << '\n';
        } else {
            std::cout << "Nem talalom." << '\n';
        }

        std::cout << '\n' << "Fa kiuritese..." << '\n' << '\n';
        try {
            tree.Empty();
            std::cout << "Kiurites utan:" << '\n' << '\n';
            Fa_Kiir(tree);
        } catch (Tree<int>::Exception) {
            std::cout << "A fa mar ures." << '\n';
        }
    } catch (const ReadFailed&) {
        std::cout << '\n' << "Hibas vagy hianyzo bemenet!" << '\n';
        return 3;
    } catch (const std::bad_alloc&) {
        std::cout << '\n' << "Nincs eleg memoria!" << '\n';
        return 4;
    }
    return 0;
}
