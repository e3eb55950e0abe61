#include "console/output.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <unistd.h>

namespace console {

namespace {

constexpr std::size_t capacity = 64 * 1024;

// The digits of 0 to 99, two by two.
const char pairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                     "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                     "8081828384858687888990919293949596979899";

const unsigned long long powers[] = {1,
                                     10,
                                     100,
                                     1000,
                                     10000,
                                     100000,
                                     1000000,
                                     10000000,
                                     100000000,
                                     1000000000,
                                     10000000000,
                                     100000000000,
                                     1000000000000,
                                     10000000000000,
                                     100000000000000,
                                     1000000000000000,
                                     10000000000000000};

// How many decimal digits a number has. n | 1 has as many as n (only 0 + 1 is a power of
// ten), and a bit set, which __builtin_clzll needs.
int decimal_length(unsigned long long n)
{
    n |= 1;
    const int guess = (64 - __builtin_clzll(n)) * 1233 >> 12;  // log10 of 2 is about 1233 / 4096
    return guess + (n >= powers[guess]);
}

}  // namespace

Output::Output(int descriptor, bool report_failures)
    : descriptor(descriptor), report_failures(report_failures), buffer(new char[capacity])
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
    const int length = decimal_length(magnitude);
    next += length;
    char* digit = next;
    for (; magnitude >= 100; magnitude /= 100) {
        digit -= 2;
        std::memcpy(digit, pairs + 2 * (magnitude % 100), 2);
    }
    if (magnitude >= 10)
        std::memcpy(digit - 2, pairs + 2 * magnitude, 2);
    else
        digit[-1] = static_cast<char>('0' + magnitude);
    return *this;
}

// %g with precision 6, as to_chars writes it with that precision; but that takes long, and
// most numbers the programs write were typed with a few decimals. Such a value is n
// millionths, n a whole number of at most 15 digits that, divided by a million, gives the
// value back; the value then lies within half a unit in its last place of that decimal, so
// the two round alike to six digits: the decimal has no more digits than a double can tell
// apart, so no halfway point between two six-digit numbers can lie between them, save when
// the decimal is that very point (seven digits ending in 5). There, and for every other
// value, the exact conversion is used.
Output& Output::operator<<(double value)
{
    room(32);  // the longest is "-1.23457e-308"
    const double scaled = std::nearbyint(value * 1e6);
    if (std::fabs(value) >= 1e-6 && std::fabs(scaled) < 1e15 && scaled / 1e6 == value
        && write_millionths(static_cast<long long>(scaled)))
        return *this;
    next = std::to_chars(next, end, value, std::chars_format::general, 6).ptr;
    return *this;
}

bool Output::write_millionths(long long millionths)
{
    // The first seven digits and whether any other digit is not 0; the power of ten of the
    // first digit.
    const unsigned long long magnitude = millionths < 0 ? 0ull - millionths : millionths;
    const int length = decimal_length(magnitude);
    const unsigned long long power = powers[length - 1];
    int exponent = length - 7;
    unsigned long long seven = magnitude, rest = 0;
    if (length > 7) {
        seven = magnitude / (power / 1000000);
        rest = magnitude % (power / 1000000);
    } else {
        seven = magnitude * (1000000 / power);
    }
    // Rounded to six digits, half away from zero: a half exactly is the one case that the
    // decimal can't decide.
    if (seven % 10 == 5 && rest == 0)
        return false;
    unsigned six = static_cast<unsigned>(seven / 10 + (seven % 10 >= 5));
    if (six == 1000000) {  // 999999.5 and the like: 1 at the next power of ten
        six = 100000;
        ++exponent;
    }
    char digits[6];
    std::memcpy(digits, pairs + 2 * (six / 10000), 2);
    std::memcpy(digits + 2, pairs + 2 * (six / 100 % 100), 2);
    std::memcpy(digits + 4, pairs + 2 * (six % 100), 2);
    int count = 6;
    while (digits[count - 1] == '0')
        --count;
    if (millionths < 0)
        *next++ = '-';
    if (exponent < -4 || exponent >= 6) {
        *next++ = digits[0];
        if (count > 1) {
            *next++ = '.';
            next = std::copy(digits + 1, digits + count, next);
        }
        *next++ = 'e';
        *next++ = exponent < 0 ? '-' : '+';
        *next++ = static_cast<char>('0' + (exponent < 0 ? -exponent : exponent) / 10);
        *next++ = static_cast<char>('0' + (exponent < 0 ? -exponent : exponent) % 10);
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
    return true;
}

void Output::flush()
{
    const int error = hand_on();
    if (error != 0 && report_failures)
        throw WriteFailed{error};
}

int Output::hand_on()
{
    const char* from = buffer.get();
    int error = 0;
    if (text) {
        text->append(from, next - from);
    } else {
        while (descriptor >= 0 && from < next) {
            const ssize_t written = ::write(descriptor, from, next - from);
            if (written > 0) {
                from += written;
            } else if (written == 0 || errno != EINTR) {
                error = written == 0 ? EIO : errno;
                descriptor = -1;
            }
        }
    }
    next = buffer.get();
    return error;
}

std::string Output::take_unfinished_line()
{
    char* line = next;
    while (line > buffer.get() && line[-1] != '\n')
        --line;
    std::string text(line, next);
    next = line;
    flush();
    return text;
}

}  // namespace console
