// The slow reference for the tree, shared by the unit tests and the fuzz targets: plain
// insertion by descent, into nodes kept in insertion order with their links (left, middle,
// right) as indices, -1 for none.
#ifndef TESTS_BRANCHWORK_PLAIN_TREE_H
#define TESTS_BRANCHWORK_PLAIN_TREE_H

#include "tree.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

struct PlainTree {
    void Insert(int value)
    {
        int* link = nullptr;
        for (int at = nodes.empty() ? -1 : 0; at >= 0; at = *link) {
            link = &nodes[at].link[value < nodes[at].value ? 0 : value > nodes[at].value ? 2 : 1];
        }
        if (link)
            *link = static_cast<int>(nodes.size());
        nodes.push_back({value, {-1, -1, -1}});
    }
    void DropLast()
    {  // the last node is always a leaf: dropping it undoes its insertion
        for (auto& node : nodes)
            std::replace(node.link, node.link + 3, int(nodes.size()) - 1, -1);
        nodes.pop_back();
    }
    // The values in pre-order (order 0), in-order (1) or post-order (2): the node before its
    // links, after the left one, or after all three.
    void Walk(int order, std::vector<int>& seen, int at = 0) const
    {
        if (at < 0 || nodes.empty())
            return;
        const int visit = order == 2 ? 3 : order;  // before link 0, 1 or after link 2
        for (int i = 0; i <= 3; ++i) {
            if (i == visit)
                seen.push_back(nodes[at].value);
            if (i < 3)
                Walk(order, seen, nodes[at].link[i]);
        }
    }
    struct PlainNode {
        int value, link[3];
    };
    std::vector<PlainNode> nodes;
};

// Whether the tree under `top` is the reference, node for node: the same value in every node,
// the same links present.
inline bool Same(const PlainTree& plain, LinkedNode<int>* top)
{
    std::vector<std::pair<LinkedNode<int>*, int>> pending{{top, plain.nodes.empty() ? -1 : 0}};
    std::size_t compared = 0;
    for (; !pending.empty(); ++compared) {
        const auto [node, at] = pending.back();
        pending.pop_back();
        if ((node == nullptr) != (at < 0))
            return false;
        if (!node)
            continue;
        if (node->GetValue() != plain.nodes[at].value)
            return false;
        const int* link = plain.nodes[at].link;
        pending.insert(pending.end(), {{node->left, link[0]}, {node->middle, link[1]}, {node->right, link[2]}});
    }
    return compared == 3 * plain.nodes.size() + 1;  // every node and every empty link
}

#endif
