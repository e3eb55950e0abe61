#include "console/output.h"

#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace console {

namespace {

constexpr std::size_t capacity = 64 * 1024;

}  // namespace

Output::Output(int descriptor) : descriptor(descriptor), buffer(new char[capacity])
{
    next = buffer.get();
    end = next + capacity;
}

Output::Output(std::string& text) : text(&text), buffer(new char[capacity])
{
    next = buffer.get();
    end = next + capacity;
}

Output& Output::write_long(std::string_view piece)
{
    while (!piece.empty()) {
        if (next == end)
            flush();
        const std::size_t part = std::min(piece.size(), static_cast<std::size_t>(end - next));
        std::memcpy(next, piece.data(), part);
        next += part;
        piece.remove_prefix(part);
    }
    return *this;
}

Output& Output::operator<<(int value)
{
    room(11);
    unsigned magnitude = static_cast<unsigned>(value);
    if (value < 0) {
        *next++ = '-';
        magnitude = 0u - magnitude;
    }
    char digits[10];
    char* first = digits + sizeof digits;
    do
        *--first = static_cast<char>('0' + magnitude % 10);
    while ((magnitude /= 10) != 0);
    const std::size_t size = digits + sizeof digits - first;
    std::memcpy(next, first, size);
    next += size;
    return *this;
}

// %g with precision 6 is what to_chars writes with that precision, but that is slow. The
// shortest digits that read back as the value are found several times faster, and for a
// normal double they round to the same six digits: when they are six or fewer, the value is
// far nearer to them than to any other six-digit number; when they are eight or more, no
// number of seven digits lies as near to the value, so the halfway point between two six-digit
// numbers is on the same side of both. Seven digits ending in 5 are that halfway point
// itself, and there only the exact conversion can tell.
Output& Output::operator<<(double value)
{
    room(32);  // the longest is "-1.23457e-308"
    char shortest[32];
    char* const stop =
        std::to_chars(shortest, shortest + sizeof shortest - 1, value, std::chars_format::scientific).ptr;
    *stop = '\0';
    const char* mark = std::find(shortest, stop, 'e');
    const char* digit = shortest + (shortest[0] == '-');
    char digits[17];
    int count = 0;
    for (; digit < mark; ++digit)
        if (*digit != '.')
            digits[count++] = *digit;
    // inf and nan have no exponent mark. Below the least normal double fewer digits tell
    // values apart than six, and the shortest of them say too little about the value.
    if (mark == stop || std::fabs(value) < DBL_MIN || (count == 7 && digits[6] == '5')) {
        next = std::to_chars(next, end, value, std::chars_format::general, 6).ptr;
        return *this;
    }
    int exponent = std::atoi(mark + 1);
    if (count > 6) {
        const bool up = digits[6] >= '5';
        count = 6;
        for (int i = count - 1; up && i >= 0; --i) {
            if (digits[i] != '9') {
                ++digits[i];
                break;
            }
            digits[i] = '0';
            if (i == 0) {  // 999999.5 and the like: 1 at the next power of ten
                digits[0] = '1';
                ++exponent;
            }
        }
    }
    while (count > 1 && digits[count - 1] == '0')
        --count;
    if (value < 0)
        *next++ = '-';
    if (exponent < -4 || exponent >= 6) {
        *next++ = digits[0];
        if (count > 1) {
            *next++ = '.';
            next = std::copy(digits + 1, digits + count, next);
        }
        *next++ = 'e';
        *next++ = exponent < 0 ? '-' : '+';
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10)
            *next++ = '0';
        next = std::to_chars(next, end, magnitude).ptr;
    } else if (exponent < 0) {
        *next++ = '0';
        *next++ = '.';
        next = std::fill_n(next, -exponent - 1, '0');
        next = std::copy(digits, digits + count, next);
    } else {
        const int whole = exponent + 1;
        next = std::copy(digits, digits + std::min(count, whole), next);
        if (count < whole) {
            next = std::fill_n(next, whole - count, '0');
        } else if (count > whole) {
            *next++ = '.';
            next = std::copy(digits + whole, digits + count, next);
        }
    }
    return *this;
}

void Output::flush()
{
    const char* from = buffer.get();
    if (text) {
        text->append(from, next - from);
    } else {
        while (descriptor >= 0 && from < next) {
            const ssize_t written = ::write(descriptor, from, next - from);
            if (written > 0)
                from += written;
            else if (written == 0 || errno != EINTR)
                descriptor = -1;
        }
    }
    next = buffer.get();
}

}  // namespace console
