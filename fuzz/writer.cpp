// The console's writer against the standard streams' << with default formatting: the same
// bytes for every value.
//
// Input: items, each a tag byte and what it takes: an even tag, an int (the next 4 bytes); an
// odd tag, a double (the next 8 bytes, any bit pattern); a tag from 0xF0 up, a run of
// (tag - 0xEF) * 4096 letters besides, so that the writer's buffer fills and is handed on.
#include "console/output.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string written;
    std::ostringstream reference;
    {
        console::Output out(written);
        for (std::size_t i = 0; i < size;) {
            const std::uint8_t tag = data[i++];
            if (tag >= 0xF0) {
                const std::string letters((tag - 0xEF) * 4096, 'a' + tag % 26);
                out << letters;
                reference << letters;
            }
            if (tag % 2 == 0) {
                std::int32_t value = 0;
                std::memcpy(&value, data + i, std::min(sizeof value, size - i));
                i += std::min(sizeof value, size - i);
                out << static_cast<int>(value);
                reference << static_cast<int>(value);
            } else {
                double value = 0;
                std::memcpy(&value, data + i, std::min(sizeof value, size - i));
                i += std::min(sizeof value, size - i);
                out << value;
                reference << value;
            }
            out << ' ';
            reference << ' ';
        }
    }
    if (written != reference.str())
        __builtin_trap();
    return 0;
}
