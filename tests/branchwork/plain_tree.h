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
    // The values in the order of a walk that visits a node once it is done with `visit_at` of
    // its links: 0 pre-order, 1 in-order, 3 post-order.
    std::vector<int> Walk(int visit_at) const
    {
        std::vector<int> seen;
        std::vector<std::pair<int, int>> path;  // nodes with how many of their links are done
        if (!nodes.empty())
            path.push_back({0, 0});
        while (!path.empty()) {
            const auto [at, done] = path.back();
            if (done == visit_at)
                seen.push_back(nodes[at].value);
            if (done == 3) {
                path.pop_back();
            } else if (++path.back().second, nodes[at].link[done] >= 0) {
                path.push_back({nodes[at].link[done], 0});
            }
        }
        return seen;
    }
    struct PlainNode {
        int value, link[3];
    };
    std::vector<PlainNode> nodes;
};

// Records the values a walk hands it; throws, instead, at the visit it is told to.
struct Recorder final : Action<int> {
    void Exec(Node<int>* node) override
    {
        if (seen.size() == throw_at)
            throw 0;
        seen.push_back(node->GetValue());
    }
    std::vector<int> seen;
    std::size_t throw_at = std::size_t(-1);
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
