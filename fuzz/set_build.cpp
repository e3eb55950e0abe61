// The sorted build of a set (halmaz::from_values) against inserting the values one by one:
// the two sets must be equal bit for bit, so of 0 and -0 the one typed first stays.
//
// Input: a value per tag byte. A tag below 0xF0 stands for a small value, (tag/2) % 16 quarters
// with the sign of its lowest bit (0 and 1 are 0 and -0), so that values repeat often; a tag from
// 0xF0 up takes the next 8 bytes as a double, skipped unless finite, as only finite values
// can be typed.
#include "halmaz.h"
#include "setcalc/exact.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<double> values;
    for (std::size_t i = 0; i < size;) {
        const std::uint8_t tag = data[i++];
        double value = (tag & 1 ? -1.0 : 1.0) * (tag >> 1 & 15) / 4;
        if (tag >= 0xF0 && size - i >= sizeof value) {
            std::memcpy(&value, data + i, sizeof value);
            i += sizeof value;
            if (!std::isfinite(value))
                continue;
        }
        values.push_back(value);
    }
    if (exact(halmaz::from_values(values)) != exact(inserted(values)))
        __builtin_trap();
    return 0;
}
