// The program's visitors and its three-order tree print.
#ifndef BRANCHWORK_ACTIONS_H
#define BRANCHWORK_ACTIONS_H

#include "console/output.h"
#include "tree.h"

// Looks, in the order nodes are handed over, for the first value of at least 0 that comes
// directly after a run of at least `number` negative values. The first match is final.
class Negatives final : public Action<int> {
public:
    void SetNumber(int n) { number = n; }

    void Exec(Node<int>* node) override
    {
        if (!node || found)
            return;
        const int value = node->GetValue();
        if (value < 0) {
            ++count;
            return;
        }
        if (count >= number) {
            result = value;
            found = true;
        }
        count = 0;
    }

private:
    int count = 0;   // negative values since the last one that was not negative
    int number = 1;  // how many must come directly before a match

public:
    bool found = false;
    int result = 0;  // the match; meaningful only once found
};

// Writes each value it is handed in parentheses, with nothing between them.
template <typename T>
class Printer final : public Action<T> {
public:
    explicit Printer(console::Output& out) : out(out) {}

    void Exec(Node<T>* node) override { out << '(' << node->GetValue() << ')'; }

private:
    console::Output& out;
};

// Prints the tree's content in pre-, post- and in-order.
template <typename T>
void Fa_Kiir(Tree<T>& tree, console::Output& out)
{
    Printer<T> printer(out);
    if (tree.IsEmpty()) {
        out << "A fa ures." << '\n';
        return;
    }
    out << "A fa tartalma:" << '\n' << '\n';
    out << "Preorder bejarassal: ";
    tree.PreOrder(&printer);
    out << '\n';
    out << "Postorder bejarassal: ";
    tree.PostOrder(&printer);
    out << '\n';
    out << "Inorder bejarassal: ";
    tree.InOrder(&printer);
    out << '\n';
}

#endif
