// Unbalanced three-way search tree: smaller values to the left, copies of a value down the
// middle, greater values to the right. Whole-tree work is done by visitor objects (Action<T>)
// that a traversal hands every node to.
#ifndef BRANCHWORK_TREE_H
#define BRANCHWORK_TREE_H

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <limits>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#if __has_include(<sys/mman.h>)
#include <sys/mman.h>
#endif

template <typename T>
class Tree;

// Holds one value, fixed at construction.
template <typename T>
class Node {
public:
    explicit Node(const T& value) : value(value) {}
    T GetValue() { return value; }

private:
    friend class Tree<T>;  // which compares with the value where it stands, without a copy
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

// The memory of one tree's nodes: blocks handed out a node's place at a time, the places of
// removed nodes first. Its user creates each node in its place and destroys it there; the
// blocks go back all at once.
template <typename T>
class NodePool {
public:
    NodePool() = default;
    NodePool(const NodePool&) = delete;
    NodePool& operator=(const NodePool&) = delete;
    ~NodePool() { Release(); }

    // The place for one node. A new block doubles the places, up to kLargestBlock at a time.
    void* Take()
    {
        if (vacant) {
            Vacant* place = vacant;
            vacant = place->next;
            return place;
        }
        if (used == capacity)
            Grow(std::clamp(total, kFirstBlock, kLargestBlock));
        return Places(blocks) + used++;
    }

    // The places for `count` nodes side by side, in a block of their own, all handed out.
    LinkedNode<T>* TakeRun(std::size_t count)
    {
        Grow(count);
        used = count;
        return Places(blocks);
    }

    // Takes back the place of a node that has been destroyed.
    void Give(void* place) { vacant = new (place) Vacant{vacant}; }

    // Frees every block; the nodes in them must have been destroyed.
    void Release()
    {
        while (blocks) {
            Block* next = blocks->next;
            ::operator delete(blocks);
            blocks = next;
        }
        vacant = nullptr;
        used = capacity = total = 0;
    }

private:
    struct Block {
        Block* next;
    };
    struct Vacant {
        Vacant* next;
    };
    static_assert(alignof(LinkedNode<T>) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__
                  && sizeof(Vacant) <= sizeof(LinkedNode<T>));
    static constexpr std::size_t kHeader = (sizeof(Block) + alignof(LinkedNode<T>) - 1) / alignof(LinkedNode<T>)
        * alignof(LinkedNode<T>);  // the places start after the block's link, aligned
    static constexpr std::size_t kFirstBlock = 16, kLargestBlock = std::size_t(1) << 16;

    static LinkedNode<T>* Places(Block* block)
    {
        return reinterpret_cast<LinkedNode<T>*>(reinterpret_cast<char*>(block) + kHeader);
    }

    // A new block of `count` places becomes the one handed out from; the pool is unchanged
    // should it fail.
    void Grow(std::size_t count)
    {
        if (count > (std::numeric_limits<std::size_t>::max() - kHeader) / sizeof(LinkedNode<T>))
            throw std::bad_array_new_length();
        const std::size_t bytes = kHeader + count * sizeof(LinkedNode<T>);
        void* memory = ::operator new(bytes);
        AskForLargePages(memory, bytes);
        blocks = new (memory) Block{blocks};
        used = 0;
        capacity = count;
        total += count;
    }

    // Asks for the whole large pages inside a new block to be mapped as such, where the system
    // offers them, before the block is first touched: a million nodes then cost some tens of
    // page faults instead of thousands. It is only advice; should it fail, nothing changes.
    static void AskForLargePages([[maybe_unused]] void* memory, [[maybe_unused]] std::size_t bytes)
    {
#ifdef MADV_HUGEPAGE
        constexpr std::uintptr_t kLargePage = std::uintptr_t(1) << 21;
        const std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(memory) + kLargePage - 1) & ~(kLargePage - 1);
        const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(memory) + bytes) & ~(kLargePage - 1);
        if (begin < end)
            madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#endif
    }

    Block* blocks = nullptr;             // the newest first
    Vacant* vacant = nullptr;            // the places of removed nodes, chained through them
    std::size_t used = 0, capacity = 0;  // places of the newest block
    std::size_t total = 0;               // places of all blocks
};

template <typename T>
class Tree {
public:
    enum Exception { RemoveFailed = 0, AlreadyEmpty = 1 };

    Tree() = default;
    ~Tree() { FreeAll(); }
    Tree(const Tree&) = delete;
    Tree& operator=(const Tree&) = delete;

    // The node is created before the tree is touched, so a failed allocation or copy changes
    // nothing.
    void Insert(const T& value)
    {
        LinkedNode<T>* node = NewNode(value);
        LinkedNode<T>** link = &root;
        while (*link)
            link = &Branch(*link, value);
        *link = node;
    }

    // Inserts the values in their order: the tree becomes exactly what inserting them one by
    // one gives, but into an empty tree it is built in O(n log n) whatever their order, where
    // one by one costs up to O(n) a value. The nodes take one block, in pre-order, so that
    // every walk goes through memory mostly forward. Values already in order, up or down, make
    // a chain: each new value hangs on the side of the one before, and copies go down the
    // middle. Any other order is sorted first (see Build). Should an allocation or a copy of a
    // value fail (T's comparisons must not throw), a tree that was empty is left empty, and one
    // that was not keeps the values before the failing one; nothing is leaked.
    template <typename Iterator>
    void Insert(Iterator first, Iterator last)
    {
        using Category = typename std::iterator_traits<Iterator>::iterator_category;
        constexpr bool kForward = std::is_base_of_v<std::forward_iterator_tag, Category>;
        if constexpr (kForward) {
            const auto down = [](const T& a, const T& b) { return b < a; };
            if (!root && (std::is_sorted(first, last) || std::is_sorted(first, last, down))) {
                Chain(first, last, static_cast<std::size_t>(std::distance(first, last)));
                return;
            }
        }
        if (!root) {
            std::vector<Item> sorted;  // each value with its place in the input
            if constexpr (kForward) {
                sorted.reserve(std::min<std::size_t>(std::distance(first, last), kMostPlaces));
            }
            for (; first != last && sorted.size() < kMostPlaces; ++first) {
                sorted.emplace_back(*first, static_cast<Place>(sorted.size()));
            }
            Sort(sorted);
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
        node->~LinkedNode();
        if (root) {
            pool.Give(node);
        } else {
            pool.Release();
        }
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

    // Every node it is handed was created by Insert as a LinkedNode<T> in the tree's pool;
    // the pool's blocks go back once every node is destroyed.
    class DelAction final : public Action<T> {
    public:
        void Exec(Node<T>* node) override { static_cast<LinkedNode<T>*>(node)->~LinkedNode(); }
    };

    // A new unlinked node in the pool; should it fail, the pool takes its place back.
    LinkedNode<T>* NewNode(const T& value)
    {
        void* place = pool.Take();
        try {
            return new (place) LinkedNode<T>(value, nullptr, nullptr, nullptr);
        } catch (...) {
            pool.Give(place);
            throw;
        }
    }

    // Builds the tree, empty so far, from `count` values that are already in order, up or
    // down. The nodes lie in one block in the values' order, each next to the node it hangs
    // from or to that one's copies. Each is linked in as soon as it exists, so should one
    // fail, all that was built can be freed.
    template <typename Iterator>
    void Chain(Iterator first, Iterator last, std::size_t count)
    {
        if (count == 0)
            return;
        LinkedNode<T>* place = pool.TakeRun(count);
        LinkedNode<T>* top = nullptr;     // the first copy of the value before
        LinkedNode<T>* bottom = nullptr;  // its last copy
        try {
            for (; first != last; ++first) {
                LinkedNode<T>* node = new (place++) LinkedNode<T>(*first, nullptr, nullptr, nullptr);
                LinkedNode<T>*& link = top ? Branch(top, *first) : root;
                if (top && &link == &top->middle) {
                    bottom = bottom->middle = node;
                } else {
                    link = node;
                    top = bottom = node;
                }
            }
        } catch (...) {  // what was built goes, and the tree stays empty
            FreeAll();
            throw;
        }
    }

    // A value's place in the input of a whole-range Insert, and an index into its sorted
    // copy. Beyond the places it can count, the values are inserted one by one.
    using Place = std::uint32_t;
    static constexpr std::size_t kMostPlaces = std::numeric_limits<Place>::max();
    static constexpr Place kNone = std::numeric_limits<Place>::max();  // no index
    using Item = std::pair<T, Place>;                                  // a value with its place

    // Sorts by (value, place). Integers go by a radix sort of the value alone, which keeps
    // equal values in their input order.
    static void Sort(std::vector<Item>& items)
    {
        if constexpr (std::is_integral_v<T> && !std::is_same_v<T, bool>) {
            RadixSort(items);
        } else {
            std::sort(items.begin(), items.end());
        }
    }

    // Sorts by value in passes that each move the items by one digit of their key (the value
    // with the sign bit flipped, so that negatives come first) and keep items with the same
    // digit in order, so equal values keep their input order. The first pass takes the highest
    // kTopBits into buckets; each bucket, which mostly fits in the cache, is then sorted by the
    // rest of the key.
    static void RadixSort(std::vector<Item>& items)
    {
        constexpr int kTop = KeyBits() - kTopBits;        // where the highest digit starts
        std::array<Place, (1 << kTopBits) + 1> bounds{};  // bucket b is [bounds[b], bounds[b + 1])
        for (const Item& item : items)
            ++bounds[Digit<kTopBits>(item.first, kTop) + 1];
        for (std::size_t b = 1; b < bounds.size(); ++b)
            bounds[b] += bounds[b - 1];
        std::vector<Item> other(items.size());
        std::array<Place, (1 << kTopBits)> next;
        std::copy(bounds.begin(), bounds.end() - 1, next.begin());
        for (const Item& item : items)
            other[next[Digit<kTopBits>(item.first, kTop)]++] = item;
        for (std::size_t b = 0; b + 1 < bounds.size(); ++b)
            SortBucket(other.data() + bounds[b], items.data() + bounds[b], bounds[b + 1] - bounds[b]);
    }

    static constexpr int KeyBits() { return 8 * sizeof(T); }
    static constexpr int kTopBits = KeyBits() < 11 ? KeyBits() : 11;
    static constexpr int kLowBits = 8;  // a digit of the rest of the key

    // The `bits` bits of the key of `value` that start at bit `shift`.
    template <int bits>
    static std::size_t Digit(const T& value, int shift)
    {
        using Key = std::make_unsigned_t<T>;
        constexpr Key kSign = std::is_signed_v<T> ? Key(Key(1) << (KeyBits() - 1)) : Key(0);
        return static_cast<std::size_t>(static_cast<Key>(static_cast<Key>(value) ^ kSign) >> shift)
            & ((std::size_t(1) << bits) - 1);
    }

    // Sorts the `count` items at `from`, whose keys agree in their highest digit, into `to`;
    // `from` may be overwritten. A few items are sorted by insertion, more by the lower digits,
    // from the lowest; a pass that would move nothing is skipped.
    static void SortBucket(Item* from, Item* to, std::size_t count)
    {
        if (count < 64) {
            for (std::size_t i = 0; i < count; ++i) {
                std::size_t j = i;
                for (; j > 0 && from[i].first < to[j - 1].first; --j)
                    to[j] = to[j - 1];
                to[j] = from[i];
            }
            return;
        }
        constexpr int kDigits = (KeyBits() - kTopBits + kLowBits - 1) / kLowBits;
        std::array<std::array<Place, (1 << kLowBits)>, kDigits> counts{};
        for (std::size_t i = 0; i < count; ++i) {
            for (int d = 0; d < kDigits; ++d)
                ++counts[d][Digit<kLowBits>(from[i].first, d * kLowBits)];
        }
        Item* const target = to;
        for (int d = 0; d < kDigits; ++d) {
            std::array<Place, (1 << kLowBits)>& starts = counts[d];
            if (starts[Digit<kLowBits>(from[0].first, d * kLowBits)] == count)
                continue;
            Place start = 0;
            for (Place& digit_count : starts)
                start += std::exchange(digit_count, start);
            for (std::size_t i = 0; i < count; ++i)
                to[starts[Digit<kLowBits>(from[i].first, d * kLowBits)]++] = from[i];
            std::swap(from, to);
        }
        if (from != target)
            std::copy(from, from + count, target);
    }

    // The children of a first copy of a value in the sorted input, by index; kNone for none.
    struct Children {
        Place left, right;
    };

    // Builds the tree, empty so far, from its values sorted by (value, place), which it may
    // overwrite. Inserted one by one, each value ends up below every earlier value it passes on
    // its way down, on the side its search order says. So the first copies of the values, in
    // value order, form a Cartesian tree by place: the earliest is the root, those less than it
    // form its left subtree, those greater its right, and so on down; the later copies of a
    // value chain down the middle in order. Shape finds that tree by index, Lay makes its nodes
    // in pre-order.
    void Build(std::vector<Item>& sorted)
    {
        if (sorted.empty())
            return;
        std::vector<Children> children(sorted.size());
        const Place top = Shape(sorted, children);
        Lay(sorted, children, top);
    }

    // The index of the first value greater than the one at index i.
    static std::size_t NextValue(const std::vector<Item>& sorted, std::size_t i)
    {
        std::size_t next = i + 1;
        while (next < sorted.size() && !(sorted[i].first < sorted[next].first))
            ++next;
        return next;
    }

    // Gives each first copy its children; returns the root's index. The pass keeps the right
    // spine of the tree built so far, the path from the root down through right links. A new
    // value is greater than all before it, so it joins that spine: the spine nodes that came
    // later than it become its left subtree, and it hangs as the right child of the rest.
    // While the spine is built, each spine node's right child holds the node above it, and the
    // places of the spine nodes, from the root down, are kept at the front of `sorted`, which
    // the pass has read already.
    static Place Shape(std::vector<Item>& sorted, std::vector<Children>& children)
    {
        Place lowest = kNone;    // the spine's last node
        std::size_t length = 0;  // how many nodes the spine has
        for (std::size_t i = 0; i < sorted.size(); i = NextValue(sorted, i)) {
            const Place place = sorted[i].second;
            Place left = kNone;
            for (; length > 0 && sorted[length - 1].second > place; --length) {
                const Place later = lowest;  // off the spine, with the spine nodes below it
                lowest = children[later].right;
                children[later].right = left;
                left = later;
            }
            children[i] = {left, lowest};
            lowest = static_cast<Place>(i);
            sorted[length++].second = place;
        }
        Place below = kNone;  // the spine gets its right children back
        while (lowest != kNone) {
            const Place above = children[lowest].right;
            children[lowest].right = below;
            below = lowest;
            lowest = above;
        }
        return below;
    }

    // Makes the nodes of the shape whose root is at index `top`, in pre-order, one after the
    // other in a block: each node, its left subtree, its copies, its right subtree. Each is
    // linked in as soon as it exists, so should one fail, all that was made can be freed. The
    // nodes waiting for their copies and right subtree, while their left subtree is made, are
    // chained through their left child's index, and each one's place in the block is kept in
    // its place in the input, which is no longer needed.
    void Lay(std::vector<Item>& sorted, std::vector<Children>& children, Place top)
    {
        LinkedNode<T>* const places = pool.TakeRun(sorted.size());
        Place made = 0;      // nodes made so far
        Place back = kNone;  // the innermost node waiting
        Place at = top;      // the index of the node to make next
        LinkedNode<T>** link = &root;
        try {
            for (;;) {
                LinkedNode<T>* node;
                for (;;) {  // the node at `at`, and down its left children
                    node = new (places + made) LinkedNode<T>(sorted[at].first, nullptr, nullptr, nullptr);
                    *link = node;
                    const Place left = children[at].left;
                    if (left == kNone) {
                        ++made;
                        break;
                    }
                    sorted[at].second = made++;
                    children[at].left = std::exchange(back, at);
                    link = &node->left;
                    at = left;
                }
                for (;;) {  // the copies of `node`, at `at`, then its right subtree or the next one waiting
                    LinkedNode<T>* bottom = node;
                    const std::size_t next = NextValue(sorted, at);
                    for (std::size_t copy = at + 1; copy < next; ++copy) {
                        bottom = bottom->middle =
                            new (places + made) LinkedNode<T>(sorted[copy].first, nullptr, nullptr, nullptr);
                        ++made;
                    }
                    if (children[at].right != kNone)
                        break;
                    if (back == kNone)
                        return;
                    at = std::exchange(back, children[back].left);
                    node = places + sorted[at].second;
                }
                link = &node->right;
                at = children[at].right;
            }
        } catch (...) {  // what was made goes, and the tree stays empty
            FreeAll();
            throw;
        }
    }

    enum class Order { Pre, In, Post };

    // The links of the current node that a walk has finished with.
    enum class Done { Nothing, Left, Middle, Right };

    // The link of `node` that a value goes on through: less left, greater right, equal middle.
    // It copies no value, so it can't fail: the walk that frees the tree uses it too.
    static LinkedNode<T>*& Branch(LinkedNode<T>* node, const T& value)
    {
        const T& here = node->value;
        if (value < here)
            return node->left;
        if (value > here)
            return node->right;
        return node->middle;
    }

    // Pre-order never needs to come back to a node once its action is done, so it keeps the
    // subtrees still to be walked in a small array of its own instead of climbing back up
    // through the tree, which saves a comparison on every way up. Should the array fill up,
    // the subtree at hand is walked by pointer reversal (Walk): a walk survives any height.
    static void Pre(LinkedNode<T>* node, Action<T>* action)
    {
        constexpr std::size_t kPending = 64;
        LinkedNode<T>* pending[kPending];
        pending[0] = nullptr;  // taken when nothing is left: the walk ends
        std::size_t count = 1;
        while (node) {
            if (count > kPending - 2) {
                Walk<Order::Pre>(node, action);
                node = pending[--count];
                continue;
            }
            action->Exec(node);
            LinkedNode<T>* const left = node->left;
            LinkedNode<T>* const middle = node->middle;
            LinkedNode<T>* const right = node->right;
            pending[count] = right;  // waits, unless it is the one to go on with
            count += right && (left || middle);
            pending[count] = middle;
            count += middle && left;
            node = left ? left : middle ? middle : right ? right : pending[--count];
        }
    }

    // In-order likewise keeps in a small array the nodes whose left subtree is being walked.
    // A node gets its action once its left subtree is done, and the walk goes on down its
    // middle and then its right subtree; with both, the right one waits in the array, marked
    // as whole. One place in the array is always kept for that.
    static void In(LinkedNode<T>* node, Action<T>* action)
    {
        constexpr std::size_t kPending = 64;
        LinkedNode<T>* pending[kPending];
        bool whole[kPending];  // a subtree yet to be walked, not a node whose left one is
        std::size_t count = 0;
        for (;;) {
            for (; node && node->left && count + 1 < kPending; node = node->left) {
                pending[count] = node;
                whole[count++] = false;
            }
            if (node && node->left) {  // no room: the rest of this subtree by pointer reversal
                Walk<Order::In>(node, action);
                node = nullptr;
            }
            if (!node) {
                if (count == 0)
                    return;
                node = pending[--count];
                if (whole[count])
                    continue;
            }
            action->Exec(node);
            if (node->middle && node->right) {
                pending[count] = node->right;
                whole[count++] = true;
            }
            node = node->middle ? node->middle : node->right;
        }
    }

    // Post-order comes back to every node after its children in any case, so it climbs back
    // by pointer reversal throughout.
    static void Post(LinkedNode<T>* node, Action<T>* action) { Walk<Order::Post>(node, action); }

    // Depth-first walk in constant extra memory, so it can't fail, however tall the tree. The
    // way back up is kept in the tree itself (pointer reversal): going down a link, the link is
    // made to hold the node above. Coming back up from a child, the search order tells which
    // link that was (the child's value is below, equal to or above its parent's), and the link
    // gets the child back, so every link is as before once the walk is over. In post-order a
    // node is visited only once the walk has left it for good, so the action may free it.
    // Should an action throw, the links are restored on the way out.
    template <Order order>
    static void Walk(LinkedNode<T>* node, Action<T>* action)
    {
        LinkedNode<T>* above = nullptr;
        Done done = Done::Nothing;
        try {
            while (node) {
                switch (done) {
                case Done::Nothing:
                    if constexpr (order == Order::Pre)
                        action->Exec(node);
                    if (node->left) {
                        Down(node, above, node->left);
                        continue;
                    }
                    [[fallthrough]];
                case Done::Left:
                    if constexpr (order == Order::In)
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
                    if constexpr (order == Order::Post)
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
        LinkedNode<T>*& link = Branch(node, child->value);
        above = link;
        link = child;
        return &link == &node->left ? Done::Left : &link == &node->middle ? Done::Middle : Done::Right;
    }

    // Destroys every node in post-order, each after all nodes below it, then frees their
    // memory. Nodes whose destruction does nothing are not walked. Nothing here allocates or
    // copies a value, so the destructor can't fail even when memory is exhausted.
    void FreeAll()
    {
        if constexpr (!std::is_trivially_destructible_v<LinkedNode<T>>) {
            DelAction destroy;
            Post(root, &destroy);
        }
        root = nullptr;
        pool.Release();
    }

    LinkedNode<T>* root = nullptr;
    NodePool<T> pool;  // every node's memory
};

#endif
