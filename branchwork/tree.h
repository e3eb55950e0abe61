// Unbalanced three-way search tree: smaller values to the left, copies of a value down the
// middle, greater values to the right. Whole-tree work is done by visitor objects (Action<T>)
// that a traversal hands every node to.
#ifndef BRANCHWORK_TREE_H
#define BRANCHWORK_TREE_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <limits>
#include <type_traits>
#include <utility>
#include <vector>

// Holds one value, fixed at construction.
template <typename T>
class Node {
public:
    explicit Node(const T& value) : value(value) {}
    T GetValue() { return value; }

private:
    T value;
};

// A node of the tree with its three links; a null link means no child there.
template <typename T>
class LinkedNode : public Node<T> {
public:
    LinkedNode(const T& value, LinkedNode* left, LinkedNode* middle, LinkedNode* right)
        : Node<T>(value), left(left), middle(middle), right(right)
    {
    }

    bool IsLeaf() const { return !left && !middle && !right; }

    LinkedNode* left;    // values less than this one
    LinkedNode* middle;  // the next copy of this value
    LinkedNode* right;   // values greater than this one
};

// A visitor: a traversal calls Exec once for every node, in its own order.
template <typename T>
class Action {
public:
    virtual void Exec(Node<T>* node) = 0;

protected:
    // Actions are automatic objects lent to a traversal, never deleted through this base.
    Action() = default;
    Action(const Action&) = default;
    Action& operator=(const Action&) = default;
    ~Action() = default;
};

template <typename T>
class Tree {
public:
    enum Exception { RemoveFailed = 0, AlreadyEmpty = 1 };

    Tree() = default;
    ~Tree() { FreeAll(); }
    Tree(const Tree&) = delete;
    Tree& operator=(const Tree&) = delete;

    // The node is created before the tree is touched, so a failed allocation changes nothing.
    void Insert(const T& value)
    {
        LinkedNode<T>* node = new LinkedNode<T>(value, nullptr, nullptr, nullptr);
        LinkedNode<T>** link = &root;
        while (*link)
            link = &Branch(*link, value);
        *link = node;
    }

    // Inserts the values in their order: the tree becomes exactly what inserting them one by
    // one gives, but into an empty tree it is built in O(n log n) whatever their order, where
    // one by one costs up to O(n) a value. Values already in order, up or down, make a chain:
    // each new value hangs on the side of the one before, and copies go down the middle. Any
    // other order is sorted first (see Build).
    template <typename Iterator>
    void Insert(Iterator first, Iterator last)
    {
        using Category = typename std::iterator_traits<Iterator>::iterator_category;
        constexpr bool kForward = std::is_base_of_v<std::forward_iterator_tag, Category>;
        if constexpr (kForward) {
            const auto down = [](const T& a, const T& b) { return b < a; };
            if (!root && (std::is_sorted(first, last) || std::is_sorted(first, last, down))) {
                Chain(first, last);
                return;
            }
        }
        if (!root) {
            std::vector<std::pair<T, Place>> sorted;  // each value with its place in the input
            if constexpr (kForward) {
                sorted.reserve(std::min<std::size_t>(std::distance(first, last), kMostPlaces));
            }
            for (; first != last && sorted.size() < kMostPlaces; ++first) {
                sorted.emplace_back(*first, static_cast<Place>(sorted.size()));
            }
            std::sort(sorted.begin(), sorted.end());
            Build(sorted);
        }
        for (; first != last; ++first)
            Insert(*first);  // into a tree that is not empty
    }

    // The topmost node holding the value; copies further down the middle are never looked at.
    LinkedNode<T>* Find(const T& value)
    {
        LinkedNode<T>* node = root;
        while (node) {
            const T here = node->GetValue();
            if (value < here) {
                node = node->left;
            } else if (value > here) {
                node = node->right;
            } else {
                return node;
            }
        }
        return nullptr;
    }

    bool IsElement(const T& value) { return Find(value) != nullptr; }

    // Frees the bottom copy of the value, provided that node is a leaf.
    void Remove(const T& value)
    {
        LinkedNode<T>* parent = nullptr;
        LinkedNode<T>* node = root;
        while (node) {
            const T here = node->GetValue();
            LinkedNode<T>* next;
            if (value < here) {
                next = node->left;
            } else if (value > here) {
                next = node->right;
            } else if (node->middle) {
                next = node->middle;
            } else {
                break;
            }
            parent = node;
            node = next;
        }
        if (!node || !node->IsLeaf())
            throw RemoveFailed;
        (parent ? Branch(parent, value) : root) = nullptr;
        delete node;
    }

    void Empty()
    {
        if (!root)
            throw AlreadyEmpty;
        FreeAll();
    }

    bool IsEmpty() const { return root == nullptr; }

    int GetElementCount()
    {
        Element element;
        PreOrder(&element);
        return element.count;
    }

    // Each hands every node to the action with the node's own three links as they stand in the tree.
    void PreOrder(Action<T>* action) { Pre(root, action); }
    void InOrder(Action<T>* action) { In(root, action); }
    void PostOrder(Action<T>* action) { Post(root, action); }

private:
    class Element final : public Action<T> {
    public:
        void Exec(Node<T>*) override { ++count; }
        int count = 0;
    };

    // Every node it is handed was created by Insert as a LinkedNode<T>.
    class DelAction final : public Action<T> {
    public:
        void Exec(Node<T>* node) override { delete static_cast<LinkedNode<T>*>(node); }
    };

    // Builds the tree, empty so far, from values that are already in order, up or down. Each
    // node is linked in as soon as it exists, so should an allocation fail, all that was
    // built can be freed.
    template <typename Iterator>
    void Chain(Iterator first, Iterator last)
    {
        LinkedNode<T>* top = nullptr;     // the first copy of the value before
        LinkedNode<T>* bottom = nullptr;  // its last copy
        try {
            for (; first != last; ++first) {
                LinkedNode<T>* node = new LinkedNode<T>(*first, nullptr, nullptr, nullptr);
                LinkedNode<T>*& link = top ? Branch(top, *first) : root;
                if (top && &link == &top->middle) {
                    bottom = bottom->middle = node;
                } else {
                    link = node;
                    top = bottom = node;
                }
            }
        } catch (...) {  // out of memory: what was built goes, and the tree stays empty
            FreeAll();
            throw;
        }
    }

    // A value's place in the input of a whole-range Insert. Beyond the places it can count, the
    // values are inserted one by one.
    using Place = std::uint32_t;
    static constexpr std::size_t kMostPlaces = std::numeric_limits<Place>::max();

    // Builds the tree, empty so far, from its values sorted by (value, place), which it may
    // overwrite. Inserted one by one, each value ends up below every earlier value it passes on
    // its way down, on the side its search order says. So the first copies of the values, in
    // value order, form a Cartesian tree by place: the earliest is the root, those less than it
    // form its left subtree, those greater its right, and so on down; the later copies of a
    // value chain down the middle in order. The nodes are created in value order, so each
    // subtree lies close together in memory for the walks.
    // The pass keeps the right spine of the tree built so far, the path from the root down
    // through right links. A new value is greater than all before it, so it joins that spine:
    // the spine nodes that came later than it become its left subtree, and it hangs as the
    // right child of the rest. The spine needs no memory of its own: while it is built, each
    // spine node's right link holds the node above it, and the places of the spine nodes, from
    // the root down, are kept at the front of `sorted`, which the pass has read already.
    void Build(std::vector<std::pair<T, Place>>& sorted)
    {
        LinkedNode<T>* lowest = nullptr;  // the spine's last node
        std::size_t length = 0;           // how many nodes the spine has
        LinkedNode<T>* bottom = nullptr;  // the last copy of the value before
        try {
            for (std::size_t i = 0; i < sorted.size(); ++i) {
                const T& value = sorted[i].first;
                const Place place = sorted[i].second;
                if (bottom && !(bottom->GetValue() < value)) {  // another copy of that value
                    bottom = bottom->middle = new LinkedNode<T>(value, nullptr, nullptr, nullptr);
                    continue;
                }
                LinkedNode<T>* node = new LinkedNode<T>(value, nullptr, nullptr, nullptr);
                for (; length > 0 && sorted[length - 1].second > place; --length) {
                    LinkedNode<T>* later = lowest;  // off the spine, with the spine nodes below it
                    lowest = later->right;
                    later->right = node->left;
                    node->left = later;
                }
                node->right = lowest;
                lowest = node;
                sorted[length++].second = place;
                bottom = node;
            }
        } catch (...) {  // out of memory: what was built goes, and the tree stays empty
            root = Straighten(lowest);
            FreeAll();
            throw;
        }
        root = Straighten(lowest);
    }

    // Gives the spine that ends in `lowest` its right links back; returns its first node.
    static LinkedNode<T>* Straighten(LinkedNode<T>* lowest)
    {
        LinkedNode<T>* below = nullptr;
        while (lowest) {
            LinkedNode<T>* above = lowest->right;
            lowest->right = below;
            below = lowest;
            lowest = above;
        }
        return below;
    }

    enum class Order { Pre, In, Post };

    // The links of the current node that a walk has finished with.
    enum class Done { Nothing, Left, Middle, Right };

    // The link of `node` that a value goes on through: less left, greater right, equal middle.
    static LinkedNode<T>*& Branch(LinkedNode<T>* node, const T& value)
    {
        const T here = node->GetValue();
        if (value < here)
            return node->left;
        if (value > here)
            return node->right;
        return node->middle;
    }

    static void Pre(LinkedNode<T>* node, Action<T>* action) { Walk(node, action, Order::Pre); }
    static void In(LinkedNode<T>* node, Action<T>* action) { Walk(node, action, Order::In); }
    static void Post(LinkedNode<T>* node, Action<T>* action) { Walk(node, action, Order::Post); }

    // Depth-first walk in constant extra memory, so it can't fail, however tall the tree. The
    // way back up is kept in the tree itself (pointer reversal): going down a link, the link is
    // made to hold the node above. Coming back up from a child, the search order tells which
    // link that was (the child's value is below, equal to or above its parent's), and the link
    // gets the child back, so every link is as before once the walk is over. In post-order a
    // node is visited only once the walk has left it for good, so the action may free it.
    // Should an action throw, the links are restored on the way out.
    static void Walk(LinkedNode<T>* node, Action<T>* action, Order order)
    {
        LinkedNode<T>* above = nullptr;
        Done done = Done::Nothing;
        try {
            while (node) {
                switch (done) {
                case Done::Nothing:
                    if (order == Order::Pre)
                        action->Exec(node);
                    if (node->left) {
                        Down(node, above, node->left);
                        continue;
                    }
                    [[fallthrough]];
                case Done::Left:
                    if (order == Order::In)
                        action->Exec(node);
                    if (node->middle) {
                        Down(node, above, node->middle);
                        done = Done::Nothing;
                        continue;
                    }
                    [[fallthrough]];
                case Done::Middle:
                    if (node->right) {
                        Down(node, above, node->right);
                        done = Done::Nothing;
                        continue;
                    }
                    [[fallthrough]];
                case Done::Right: {
                    // Up first: a post-order action may free the node.
                    LinkedNode<T>* finished = node;
                    done = Up(node, above);
                    if (order == Order::Post)
                        action->Exec(finished);
                }
                }
            }
        } catch (...) {
            while (above)
                Up(node, above);
            throw;
        }
    }

    // Goes down `link`, a link of `node`, leaving in it the node above.
    static void Down(LinkedNode<T>*& node, LinkedNode<T>*& above, LinkedNode<T>*& link)
    {
        LinkedNode<T>* child = link;
        link = above;
        above = node;
        node = child;
    }

    // Goes up from `node` to the node above (null above the top), gives back the link that led
    // down to it, and tells which one that was.
    static Done Up(LinkedNode<T>*& node, LinkedNode<T>*& above)
    {
        LinkedNode<T>* child = node;
        node = above;
        if (!node)
            return Done::Right;
        LinkedNode<T>*& link = Branch(node, child->GetValue());
        above = link;
        link = child;
        return &link == &node->left ? Done::Left : &link == &node->middle ? Done::Middle : Done::Right;
    }

    // Frees every node in post-order, each after all nodes below it. The walk allocates
    // nothing, so the destructor can't fail even when memory is exhausted.
    void FreeAll()
    {
        DelAction free_node;
        Post(root, &free_node);
        root = nullptr;
    }

    LinkedNode<T>* root = nullptr;
};

#endif
