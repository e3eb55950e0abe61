#ifndef NEARSHAPE_LISTA_H
#define NEARSHAPE_LISTA_H

// Singly linked list with a built-in cursor. Insert places the new element right after the
// cursor and moves the cursor onto it, so a run of inserts on a fresh list appends in
// constant time without a tail pointer. The list owns its nodes; it can't be copied.
template <typename T>
class lista {
public:
    enum Exceptions { EmptyList = 0, EndOfList = 1, NoCurrentElement = 3 };

    lista() = default;
    lista(const lista&) = delete;
    lista& operator=(const lista&) = delete;

    ~lista()
    {
        while (head != nullptr) {
            Node* taken = head;
            head = head->next;
            delete taken;
        }
        current = nullptr;
    }

    void First()
    {
        if (head == nullptr)
            throw EmptyList;
        current = head;
    }

    void Next()
    {
        if (current == nullptr)
            throw NoCurrentElement;
        if (current->next == nullptr)
            throw EndOfList;
        current = current->next;
    }

    T GetValue() const
    {
        if (current == nullptr)
            throw NoCurrentElement;
        return current->value;
    }

    bool LastElement() const
    {
        if (current == nullptr)
            throw NoCurrentElement;
        return current->next == nullptr;
    }

    void Insert(T value)
    {
        if (current == nullptr && head != nullptr)
            throw NoCurrentElement;
        Node* node = new Node;  // may throw std::bad_alloc; nothing has changed yet
        node->value = value;
        node->next = nullptr;
        if (head != nullptr) {
            node->next = current->next;
            current->next = node;
        } else {
            head = node;
        }
        current = node;
    }

private:
    struct Node {
        T value{};
        Node* next;
    };

    Node* head = nullptr;
    Node* current = nullptr;
};

#endif
