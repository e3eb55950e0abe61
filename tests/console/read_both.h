// One read by the console's reader and one by >> of a std::istringstream on the same text,
// each into a variable that starts as `start`: the unit tests and the reader fuzz target
// compare the two.
#ifndef TESTS_CONSOLE_READ_BOTH_H
#define TESTS_CONSOLE_READ_BOTH_H

#include "console/input.h"

#include <cstddef>
#include <cstring>
#include <ios>
#include <sstream>
#include <type_traits>

template <typename T>
struct BothRead {
    T ours, theirs;
    bool ours_read, theirs_read;
    std::size_t ours_consumed, theirs_consumed;

    // The same success, the same value (a double bit for bit) and the same bytes consumed.
    bool Same() const
    {
        bool same_value;
        if constexpr (std::is_same_v<T, double>)
            same_value = std::memcmp(&ours, &theirs, sizeof ours) == 0;
        else
            same_value = ours == theirs;
        return same_value && ours_read == theirs_read && ours_consumed == theirs_consumed;
    }
};

// The stream is left failed after a failed read.
template <typename T>
BothRead<T> ReadBoth(console::Input& ours, std::istringstream& theirs, const T& start)
{
    BothRead<T> read{start, start, false, false, 0, 0};
    read.ours_read = ours.extract(read.ours);
    read.theirs_read = static_cast<bool>(theirs >> read.theirs);
    read.ours_consumed = ours.consumed();
    read.theirs_consumed = static_cast<std::size_t>(theirs.rdbuf()->pubseekoff(0, std::ios::cur, std::ios::in));
    return read;
}

#endif
