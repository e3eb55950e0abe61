// Every figure's distance against the true one for the exact doubles given, found with MPFR:
// rounded to nearest, or to its neighbour where it lies all but halfway (unknown where MPFR's
// precision can't tell).
//
// Input, read in order (missing bytes read as 0): a shape byte; the side number (4 bytes);
// the centre x, y and the size as numbers; then P. A number is k/2^31 * 2^e (4 bytes k, then
// 1 byte e; 8e with the shape's bit 4 set, which reaches the ends of the doubles), of a size
// the fuzzer can steer. The shape's low two bits make a circle (0) or take the side number
// from 3 to 256 (1), to 4096 (2) or to the largest int (3). With bit 2 clear, P is two more
// numbers; with it set, P lies, as seen from the centre, towards vertex j (4 bytes; a quarter
// turn for a circle) turned by t/256 of a central angle further (1 byte), at s times the
// radius or circumradius: s = k/32768 * 2^e (2 bytes k, 1 byte e), or with bit 3 set
// s = 1 + k/32768 * 2^e, near the rim. Only finite numbers can be typed: other inputs are
// skipped.
#include "nearshape/nearest_vertex.h"
#include "sikidom.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <limits>

namespace {

struct Bytes {
    template <typename T>
    T Next()
    {
        T value{};
        const std::size_t n = size < sizeof value ? size : sizeof value;
        std::memcpy(&value, data, n);
        data += n;
        size -= n;
        return value;
    }
    double Number()
    {
        const double m = Next<std::int32_t>() / 0x1p31;
        return std::ldexp(m, Next<std::int8_t>() * scale);
    }
    const std::uint8_t* data;
    std::size_t size;
    int scale = 1;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Bytes in{data, size};
    const auto shape = in.Next<std::uint8_t>();
    in.scale = shape & 16 ? 8 : 1;
    const auto raw = in.Next<std::uint32_t>();
    const std::uint32_t widths[] = {1, 254, 4094, std::numeric_limits<int>::max() - 2};
    const int n = shape % 4 ? static_cast<int>(3 + raw % widths[shape % 4]) : 0;
    const double x = in.Number(), y = in.Number(), side = in.Number();
    double px, py;
    if (shape & 4) {
        const int turns = n ? n : 4;
        const auto j = in.Next<std::uint32_t>() % turns;
        const double t = in.Next<std::uint8_t>() / 256.0;
        const double m = in.Next<std::int16_t>() / 32768.0;
        const double s = std::ldexp(m, in.Next<std::int8_t>()) + (shape & 8 ? 1 : 0);
        const double alpha = nearest_vertex::turn / turns, r = s * (n ? side / (2 * std::sin(alpha / 2)) : side);
        const double theta = alpha / 2 + (j + t) * alpha;
        px = x - r * std::sin(theta);
        py = y - r * std::cos(theta);
    } else {
        px = in.Number();
        py = in.Number();
    }
    for (double v : {x, y, side, px, py})
        if (!std::isfinite(v))
            return 0;

    Sokszog figure;  // with side number 0: a circle of radius `side`
    figure.place(x, y);
    figure.set_side_number(n);
    figure.set_side_length(side);
    const double actual = figure.get_distance(px, py);
    const double expected =
        n ? nearest_vertex::reference(x, y, n, side, px, py) : nearest_vertex::circle(x, y, side, px, py);
    if (!std::isnan(expected) && !nearest_vertex::within_ulp(actual, expected))
        __builtin_trap();
    return 0;
}
