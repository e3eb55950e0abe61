// The tree's whole-range Insert against inserting the values one by one, node for node with
// every link; then each walk, with an action that records and with one that throws, must
// visit in its own order and leave every link as it was.
//
// Input: a mode byte, then a value per tag byte: a tag below 0xF0 stands for tag % 16 - 8, so
// that values repeat often; a tag from 0xF0 up takes the next 4 bytes as an int. The mode's
// low bits say how many of the first values go in one by one before the rest as a range
// (0 to 3: the range build runs only into an empty tree), bit 2 hands the range over through
// an input iterator (reading a stream), which can't go back, and the rest picks the visit
// that throws, from the first to the last 32nd of the walk.
#include "branchwork/plain_tree.h"
#include "tree.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <sstream>
#include <vector>

namespace {

using Values = std::vector<int>;

void Check(bool holds)
{
    if (!holds)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const unsigned mode = data[0];
    Values values;
    for (std::size_t i = 1; i < size;) {
        const std::uint8_t tag = data[i++];
        int value = tag % 16 - 8;
        if (tag >= 0xF0 && size - i >= sizeof value) {
            std::memcpy(&value, data + i, sizeof value);
            i += sizeof value;
        }
        values.push_back(value);
    }
    const std::size_t singly = std::min<std::size_t>(mode % 4, values.size());
    PlainTree plain;
    for (int value : values)
        plain.Insert(value);
    Tree<int> tree;
    for (std::size_t i = 0; i < singly; ++i)
        tree.Insert(values[i]);
    if (mode & 4) {
        std::stringstream text;
        for (std::size_t i = singly; i < values.size(); ++i)
            text << values[i] << ' ';
        tree.Insert(std::istream_iterator<int>(text), std::istream_iterator<int>());
    } else {
        tree.Insert(values.begin() + singly, values.end());
    }
    LinkedNode<int>* root = values.empty() ? nullptr : tree.Find(values[0]);
    Check(Same(plain, root));

    const std::size_t throw_at = (mode >> 3) * values.size() / 32;
    const std::pair<void (Tree<int>::*)(Action<int>*), int> walks[] = {
        {&Tree<int>::PreOrder, 0}, {&Tree<int>::InOrder, 1}, {&Tree<int>::PostOrder, 3}};
    for (const auto& [walk, visit_at] : walks) {
        const Values expected = plain.Walk(visit_at);
        Recorder recorder, thrower;
        thrower.throw_at = throw_at;
        (tree.*walk)(&recorder);
        Check(recorder.seen == expected);
        try {
            (tree.*walk)(&thrower);
            Check(values.empty());
        } catch (int) {
            Check(Values(expected.begin(), expected.begin() + throw_at) == thrower.seen);
        }
        Check(Same(plain, root));
    }
    Check(tree.GetElementCount() == static_cast<int>(values.size()));
    return 0;
}
