// The tree as a graph in Graphviz's DOT language, for `dot -Tsvg` and the like.
#ifndef BRANCHWORK_DOT_H
#define BRANCHWORK_DOT_H

#include <ostream>

#include "tree.h"

namespace dot {

// Writes one node's part of the graph. The nodes come in in-order, where all copies of a
// value stand together, top copy first, so the count of equal values met so far tells which
// copy a node is: a node's name is its value ("v5", "vm5" for -5) and, from the second copy
// on, its place in the middle chain ("v5_2"). Its children's names follow from its own: a
// left or right child is the first copy of its value, a middle child the next copy.
// In-order hands over every node with its own three links as they stand in the tree.
class Writer final : public Action<int> {
public:
    explicit Writer(std::ostream& out) : out(out) {}

    void Exec(Node<int>* node) override
    {
        LinkedNode<int>* const linked = static_cast<LinkedNode<int>*>(node);
        const int value = node->GetValue();
        copy = any && value == previous ? copy + 1 : 1;
        previous = value;
        any = true;
        out << "  ";
        Name(value, copy);
        out << " [label=\"" << value << "\", style=solid];\n";
        if (linked->IsLeaf())
            return;
        Link(value, linked->left, 1, 'l', "tailport=sw");
        Link(value, linked->middle, copy + 1, 'm', "style=dashed");
        Link(value, linked->right, 1, 'r', "tailport=se");
    }

private:
    void Name(int value, long long copy_number)
    {
        out << 'v';
        if (value < 0)
            out << 'm' << -static_cast<long long>(value);
        else
            out << value;
        if (copy_number > 1)
            out << '_' << copy_number;
    }

    // The link to one of the current node's three places: to the child there, or to an
    // invisible placeholder that keeps the place.
    void Link(int value, LinkedNode<int>* child, long long child_copy, char place, const char* style)
    {
        out << "  ";
        Name(value, copy);
        out << " -> ";
        if (child) {
            Name(child->GetValue(), child_copy);
            out << " [" << style << "];\n";
        } else {  // a node named here first, and so a placeholder
            Name(value, copy);
            out << '_' << place << " [style=invis];\n";
        }
    }

    std::ostream& out;
    bool any = false;    // whether a node came before
    int previous = 0;    // the value of the node before
    long long copy = 0;  // which copy of its value the current node is, from 1
};

}  // namespace dot

// Writes the tree as a DOT graph: one node per tree node, labelled with its value; a left
// link leaves its node at the lower left and a right link at the lower right, a middle link
// (to a copy) straight down and dashed. A node with children has all three places filled,
// the empty ones with invisible placeholders, so that a lone child is drawn on its own side.
// An empty tree gives a graph without nodes, labelled "A fa ures.". One in-order walk,
// which takes constant memory whatever the tree's height and allocates nothing.
inline void WriteDot(std::ostream& out, Tree<int>& tree)
{
    out << "digraph tree {\n";
    if (tree.IsEmpty()) {
        out << "  label=\"A fa ures.\";\n  fontname=\"Helvetica\";\n";
    } else {
        // Nodes are invisible placeholders unless they say otherwise.
        out << "  ordering=out;\n  node [shape=circle, fontname=\"Helvetica\", style=invis, label=\"\", width=0.4];\n"
            << "  edge [arrowhead=none];\n";
        dot::Writer writer(out);
        tree.InOrder(&writer);
    }
    out << "}\n";
}

#endif
