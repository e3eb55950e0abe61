// Unbalanced three-way search tree: smaller values to the left, copies of a value down the
// middle, greater values to the right. Whole-tree work is done by visitor objects (Action<T>)
// that a traversal hands every node to.
#ifndef BRANCHWORK_TREE_H
#define BRANCHWORK_TREE_H

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
      : Node<T>(value), left(left), middle(middle), right(right) {}

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
  void Insert(const T& value) {
    LinkedNode<T>* node = new LinkedNode<T>(value, nullptr, nullptr, nullptr);
    LinkedNode<T>** link = &root;
    while (*link) link = &Branch(*link, value);
    *link = node;
  }

  // The topmost node holding the value; copies further down the middle are never looked at.
  LinkedNode<T>* Find(const T& value) {
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
  void Remove(const T& value) {
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
    if (!node || !node->IsLeaf()) throw RemoveFailed;
    (parent ? Branch(parent, value) : root) = nullptr;
    delete node;
  }

  void Empty() {
    if (!root) throw AlreadyEmpty;
    FreeAll();
  }

  bool IsEmpty() const { return root == nullptr; }

  int GetElementCount() {
    Element element;
    PreOrder(&element);
    return element.count;
  }

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

  enum class Order { Pre, In, Post };

  // The link of `node` that a value goes on through: less left, greater right, equal middle.
  static LinkedNode<T>*& Branch(LinkedNode<T>* node, const T& value) {
    const T here = node->GetValue();
    if (value < here) return node->left;
    if (value > here) return node->right;
    return node->middle;
  }

  static void Pre(LinkedNode<T>* node, Action<T>* action) { Walk(node, action, Order::Pre); }
  static void In(LinkedNode<T>* node, Action<T>* action) { Walk(node, action, Order::In); }
  static void Post(LinkedNode<T>* node, Action<T>* action) { Walk(node, action, Order::Post); }

  // Depth-first walk with its stack on the heap, so a tree as tall as its element count can
  // be walked. A step either opens a subtree or visits a node; opening pushes the children
  // and the node's own visit so that they come off as left, middle, right with the visit
  // before (pre), after left (in) or after right (post). A node's links are read when it is
  // opened, before its visit, so an action may free the node it is handed.
  static void Walk(LinkedNode<T>* node, Action<T>* action, Order order) {
    struct Step {
      LinkedNode<T>* node;
      bool visit;
    };
    std::vector<Step> steps;
    if (node) steps.push_back({node, false});
    while (!steps.empty()) {
      const Step step = steps.back();
      steps.pop_back();
      if (step.visit) {
        action->Exec(step.node);
        continue;
      }
      if (order == Order::Post) steps.push_back({step.node, true});
      if (step.node->right) steps.push_back({step.node->right, false});
      if (step.node->middle) steps.push_back({step.node->middle, false});
      if (order == Order::In) steps.push_back({step.node, true});
      if (step.node->left) steps.push_back({step.node->left, false});
      if (order == Order::Pre) steps.push_back({step.node, true});
    }
  }

  static LinkedNode<T>** FirstLink(LinkedNode<T>* node) {
    if (node->left) return &node->left;
    if (node->middle) return &node->middle;
    if (node->right) return &node->right;
    return nullptr;
  }

  // Frees every node in post-order through a DelAction without allocating anything, so the
  // destructor can't fail even when memory is exhausted. The way back up is kept in the
  // nodes: going down from a node, its link to the child is taken over to hold the node
  // above it (the root, at the bottom of this stack, holds null). Coming back up, that link
  // is the node's first non-null one, as the links before it lead to subtrees already freed.
  void FreeAll() {
    DelAction free_node;
    LinkedNode<T>* above = nullptr;
    LinkedNode<T>* node = root;
    while (node) {
      if (LinkedNode<T>** link = FirstLink(node)) {
        LinkedNode<T>* child = *link;
        *link = above;
        above = node;
        node = child;
        continue;
      }
      free_node.Exec(node);
      node = above;
      if (!node || node == root) {
        above = nullptr;
      } else {
        LinkedNode<T>** held = FirstLink(node);
        above = *held;
        *held = nullptr;
      }
    }
    root = nullptr;
  }

  LinkedNode<T>* root = nullptr;
};

#endif
