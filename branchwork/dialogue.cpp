#include "dialogue.h"

#include "actions.h"
#include "console/picture_file.h"
#include "dot.h"
#include "tree.h"

#include <optional>
#include <vector>

namespace {

// Asks until the answer is at least `minimum`, complaining after each one below it.
int AskAtLeast(console::Input& in, console::Output& out, const char* prompt, int minimum, const char* complaint)
{
    for (;;) {
        out << '\n' << prompt;
        const int answer = in.read<int>();
        if (answer >= minimum)
            return answer;
        out << '\n' << complaint << '\n';
    }
}

}  // namespace

int run(console::Input& in, console::Output& out, const std::string* dot)
{
    out << "MUVELETEK 3-ARIS FAKKAL" << '\n';
    out << "(Integer ertekekkel dolgozom)" << '\n';
    const int count = AskAtLeast(in, out, "A fa elemszama: ", 0, "Nem adhat meg negativ erteket!");

    Tree<int> tree;
    {
        // All the values are read first: built from all of them at once, the tree costs
        // O(n log n) whatever their order. What comes out is the same.
        std::vector<int> values;
        for (int i = 0; i < count; ++i) {  // from 0, so a count of the largest int can't overflow i
            out << i + 1 << ". elem: ";
            values.push_back(in.read<int>());
        }
        tree.Insert(values.begin(), values.end());
    }
    // The graph is drawn now, before anything is removed, into a temporary file that only a
    // normal end keeps.
    std::optional<console::PictureFile> picture;
    if (dot) {
        picture.emplace(*dot);
        picture->write([&tree](std::ostream& graph) { WriteDot(graph, tree); });
    }
    out << '\n';
    Fa_Kiir(tree, out);

    out << '\n';
    out << "Hany negativ ertek utan talaljak egy pozitivat?" << '\n';
    out << "(Inorder bejarassal dolgozom)" << '\n';
    const int answer = AskAtLeast(in, out, "Valasz: ", 1, "Minimum ertek: 1.");
    Negatives negatives;
    negatives.SetNumber(answer);
    tree.InOrder(&negatives);
    out << '\n';
    if (negatives.found) {
        out << "Talaltam: " << negatives.result << "." << '\n';
    } else {
        out << "Nem talaltam." << '\n';
    }

    out << '\n' << "Level torlese (ertek szerint): ";
    const int leaf = in.read<int>();
    out << '\n';
    try {
        tree.Remove(leaf);
        Fa_Kiir(tree, out);
    } catch (Tree<int>::Exception) {
        out << "A torles nem sikerult!" << '\n';
    }

    out << '\n' << "A fa elemszama: " << tree.GetElementCount() << '\n';

    out << '\n' << "Keressuk: ";
    const int sought = in.read<int>();
    out << '\n';
    if (tree.IsElement(sought)) {
        out << "Megtalaltam." << '\n';
    } else {
        out << "Nem talalom." << '\n';
    }

    out << '\n' << "Fa kiuritese..." << '\n' << '\n';
    try {
        tree.Empty();
        out << "Kiurites utan:" << '\n' << '\n';
        Fa_Kiir(tree, out);
    } catch (Tree<int>::Exception) {
        out << "A fa mar ures." << '\n';
    }
    return picture ? picture->keep("branchwork", out) : 0;
}
