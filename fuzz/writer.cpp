// The console's writer against the standard streams' << with default formatting: the same
// bytes for every value.
//
// Input: items, each a tag byte and what it takes, missing bytes read as 0. Tag % 3 == 0: an
// int (4 bytes); 1: a double of any bit pattern (8 bytes); 2: a decimal as typed, up to eight
// digits (4 bytes, taken modulo 10^8) times a power of ten (1 byte, from 10^-40 to 10^23),
// moved to the next double towards 0 when the tag's bit 2 is set, where six-digit rounding is
// hardest. The first tag 0xFF writes 65,535 letters first, all but the whole of the writer's
// buffer, so that the values after it cross its end; a later one is an int's tag as any other,
// which keeps a run short.
#include "console/output.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

namespace {

struct Bytes {
    template <typename T>
    T Next()
    {
        T value{};
        const std::size_t n = std::min(size, sizeof value);
        std::memcpy(&value, data, n);
        data += n;
        size -= n;
        return value;
    }
    const std::uint8_t* data;
    std::size_t size;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string letters(65535, 'z');
    std::string written;
    std::ostringstream reference;
    {
        console::Output out(written);
        bool crossed = false;
        for (Bytes in{data, size}; in.size > 0;) {
            const auto tag = in.Next<std::uint8_t>();
            if (tag == 0xFF && !crossed) {
                out << letters;
                reference << letters;
                crossed = true;
            }
            if (tag % 3 == 0) {
                const int value = in.Next<std::int32_t>();
                out << value << ' ';
                reference << value << ' ';
                continue;
            }
            double value;
            if (tag % 3 == 1) {
                value = in.Next<double>();
            } else {
                const auto digits = in.Next<std::uint32_t>() % 100000000;
                const int exponent = in.Next<std::uint8_t>() % 64 - 40;
                value = std::strtod((std::to_string(digits) + "e" + std::to_string(exponent)).c_str(), nullptr);
                if (tag & 4)
                    value = std::nextafter(value, 0.0);
            }
            out << value << ' ';
            reference << value << ' ';
        }
    }
    if (written != reference.str())
        __builtin_trap();
    return 0;
}
