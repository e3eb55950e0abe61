// The tree as a graph in Graphviz's DOT language, for `dot -Tsvg` and the like.
#ifndef BRANCHWORK_DOT_H
#define BRANCHWORK_DOT_H

#include <charconv>
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
    explicit Writer(std::ostream& out) : out(*out.rdbuf()) {}

    // The node's lines are put together here and handed to the stream's buffer at once.
    void Exec(Node<int>* node) override
    {
        LinkedNode<int>* const linked = static_cast<LinkedNode<int>*>(node);
        const int value = node->GetValue();
        copy = any && value == previous ? copy + 1 : 1;
        previous = value;
        any = true;
        char text[400];  // four lines of at most 100 characters
        char* at = Name(Put(text, "  "), value, copy);
        at = Put(std::to_chars(Put(at, " [label=\""), text + sizeof text, value).ptr, "\", style=solid];\n");
        if (!linked->IsLeaf()) {
            at = Link(at, value, linked->left, 1, "_l", "tailport=sw");
            at = Link(at, value, linked->middle, copy + 1, "_m", "style=dashed");
            at = Link(at, value, linked->right, 1, "_r", "tailport=se");
        }
        out.sputn(text, at - text);
    }

private:
    static char* Put(char* at, const char* text)
    {
        while (*text)
            *at++ = *text++;
        return at;
    }

    static char* Name(char* at, int value, long long copy_number)
    {
        *at++ = 'v';
        if (value < 0)
            *at++ = 'm';
        at = std::to_chars(at, at + 12, value < 0 ? -static_cast<long long>(value) : value).ptr;
        if (copy_number > 1)
            at = std::to_chars(Put(at, "_"), at + 21, copy_number).ptr;
        return at;
    }

    // The link to one of the current node's three places: to the child there, or to an
    // invisible placeholder that keeps the place (a node named here first, and so invisible).
    char* Link(char* at, int value, LinkedNode<int>* child, long long child_copy, const char* place, const char* style)
    {
        at = Put(Name(Put(at, "  "), value, copy), " -> ");
        if (child)
            return Put(Put(Put(Name(at, child->GetValue(), child_copy), " ["), style), "];\n");
        return Put(Put(Name(at, value, copy), place), " [style=invis];\n");
    }

    std::streambuf& out;
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
