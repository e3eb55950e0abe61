// The polygon distance against the literal vertex loop, wherever polygon::window says the
// loop's result lies within it: to the bit, over all vertices for up to kWholeLoop sides, and
// over the window and as many vertices again on either side of it beyond that. Elsewhere,
// where rounding decides, against the distance to the truly nearest vertex in high precision.
//
// Input, read in order (missing bytes read as 0): a shape byte; the side number (4 bytes);
// the centre x, y and the side length as numbers; then P. A number is k/2^31 * 2^e (4 bytes k,
// then 1 byte e; 8e with the shape's bit 4 set, which reaches the ends of the doubles), of a
// size the fuzzer can steer. The shape's low two bits take the side
// number from 3 to 256 (0), to kWholeLoop (1) or to the largest int (2, 3). With bit 2 clear,
// P is two more numbers; with it set, P lies, as seen from the centre, towards vertex j
// (4 bytes) turned by t/256 of a central angle further (1 byte), at s times the circumradius:
// s = k/32768 * 2^e (2 bytes k, 1 byte e), or with bit 3 set s = 1 + k/32768 * 2^e, near the
// circumscribed circle. Only finite coordinates can be typed: other inputs are skipped.
#include "nearshape/nearest_vertex.h"
#include "nearshape/vertex_loop.h"
#include "polygon.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <limits>

namespace {

constexpr int kWholeLoop = 4096;

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
    const std::uint32_t widths[] = {254, kWholeLoop - 2, std::numeric_limits<int>::max() - 2};
    const int n = static_cast<int>(3 + raw % widths[shape % 4 < 2 ? shape % 4 : 2]);
    const double x = in.Number(), y = in.Number(), side = in.Number();
    double px, py;
    if (shape & 4) {
        const auto j = in.Next<std::uint32_t>() % n;
        const double t = in.Next<std::uint8_t>() / 256.0;
        const double m = in.Next<std::int16_t>() / 32768.0;
        const double s = std::ldexp(m, in.Next<std::int8_t>()) + (shape & 8 ? 1 : 0);
        const double alpha = 4 * std::asin(1.0) / n, r = s * side / (2 * std::sin(alpha / 2));
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

    const double actual = polygon::distance(x, y, side, n, px, py);  // under the sanitizers, wherever P is
    const polygon::Window window = polygon::window(x, y, side, n, px, py);
    if (window.first > window.last) {
        // Rounding decides: the distance to the truly nearest vertex, rounded to nearest or to
        // its neighbour where it lies all but halfway (unknown where 320 bits can't tell).
        const double expected = nearest_vertex::reference(x, y, n, side, px, py);
        if (!std::isnan(expected) && !nearest_vertex::within_ulp(actual, expected))
            __builtin_trap();
        return 0;
    }
    if (window.last - window.first + 1 > polygon::max_measured)
        __builtin_trap();
    const long long width = window.last - window.first + 1;
    const double reference = n <= kWholeLoop || 3 * width >= n
        ? vertex_loop(x, y, n, side, px, py)
        : vertex_loop(x, y, n, side, px, py, window.first - width, window.last + width);
    if (!(actual == reference || (std::isnan(actual) && std::isnan(reference))))
        __builtin_trap();
    return 0;
}
