#include "console/input.h"

#include "console/line_editor.h"
#include "console/output.h"

#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <system_error>
#include <unistd.h>

namespace console {

namespace {

// White space in the C locale.
bool is_space(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool is_digit(int c) { return c >= '0' && c <= '9'; }

// True when a read of the descriptor would return at once.
bool ready(int descriptor)
{
    pollfd wanted{descriptor, POLLIN, 0};
    return ::poll(&wanted, 1, 0) > 0;
}

// After a read refused with EAGAIN, as a descriptor in non-blocking mode (left so by another
// program) refuses it when nothing is there yet: waits until a read would return, and gives
// true (also after EINTR). False after any other failure.
bool waited(int descriptor)
{
    if (errno != EAGAIN && errno != EWOULDBLOCK)
        return errno == EINTR;
    pollfd wanted{descriptor, POLLIN, 0};
    int woken;
    while ((woken = ::poll(&wanted, 1, -1)) < 0 && errno == EINTR) {}
    return woken > 0;
}

// Walks the text that >> gathers for a double: a sign, digits with one decimal point, and an
// exponent mark with a sign and digits once a digit has come. take(keep) consumes the
// character peek() showed; of leading zeros only the first is kept.
template <typename Peek, typename Take>
void gather_number(Peek peek, Take take)
{
    int c = peek();
    if (c == '+' || c == '-') {
        take(true);
        c = peek();
    }
    bool mantissa = false, point = false, exponent = false;
    for (; c == '0'; c = peek()) {
        take(!mantissa);
        mantissa = true;
    }
    for (;;) {
        if (is_digit(c)) {
            mantissa = true;
        } else if (c == '.' && !point && !exponent) {
            point = true;
        } else if ((c == 'e' || c == 'E') && mantissa && !exponent) {
            exponent = true;
            take(true);
            c = peek();
            if (c != '+' && c != '-')
                continue;  // what follows the mark is looked at afresh
        } else {
            break;
        }
        take(true);
        c = peek();
    }
}

// A number as most are typed: a sign, and at most 15 digits with a decimal point among them,
// followed in the block by a character that ends it. Its value is those digits as a whole
// number divided by a power of ten; both are exact doubles, so the one rounding of the
// division is the correct one. False where the text is anything else.
bool read_plain(const char* first, const char* end, const char*& stop, double& value)
{
    static const double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const char* p = first + (*first == '-' || *first == '+');
    long long whole = 0;
    int digits = 0, decimals = 0;
    bool point = false;
    for (; p < end && digits <= 15; ++p) {
        if (is_digit(*p)) {
            whole = whole * 10 + (*p - '0');
            ++digits;
            decimals += point;
        } else if (*p == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (p == end || *p == 'e' || *p == 'E' || digits == 0 || digits > 15)
        return false;
    value = static_cast<double>(whole) / powers[decimals];
    if (*first == '-')
        value = -value;
    stop = p;
    return true;
}

// The value of the gathered text, as >> converts it: the whole text must be a number, and
// one too large for a double fails with the largest double of its sign, while one too small
// takes what strtod rounds it to.
bool convert(const char* first, const char* last, double& value)
{
    const char* const text = first;
    if (first != last && *first == '+')
        ++first;
    const auto [stop, error] = std::from_chars(first, last, value);
    if (stop != last || (error != std::errc() && error != std::errc::result_out_of_range)) {
        value = 0;
        return false;
    }
    if (error == std::errc())
        return true;
    value = std::strtod(std::string(text, last).c_str(), nullptr);
    if (!std::isinf(value))
        return true;
    value = value > 0 ? DBL_MAX : -DBL_MAX;
    return false;
}

}  // namespace

Input::Input(int descriptor, Output* tie, std::size_t block)
    : descriptor(descriptor), tie(tie), block(std::max<std::size_t>(block, 1)), buffer(new char[this->block])
{
}

Input::Input(std::string_view text) : start(text.data()), next(text.data()), end(text.data() + text.size()) {}

Input::~Input()
{
    if (owned)
        ::close(descriptor);
}

bool Input::open(const std::string& path)
{
    descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    owned = true;
    block = 64 * 1024;
    buffer.reset(new char[block]);
    return true;
}

bool Input::refill()
{
    if (ended || descriptor < 0) {
        ended = true;
        return false;
    }
    counted += end - start;
    if (editor) {
        const std::string_view line = editor->read_line(tie ? tie->take_unfinished_line() : std::string());
        start = next = line.data();
        end = next + line.size();
        ended = line.empty();
        return !ended;
    }
    if (tie && !ready(descriptor))
        tie->flush();
    ssize_t got;
    while ((got = ::read(descriptor, buffer.get(), block)) < 0 && waited(descriptor)) {}
    start = next = buffer.get();
    end = next + (got > 0 ? got : 0);
    ended = got <= 0;  // an error (a directory, say) ends the input too
    return !ended;
}

bool Input::skip_space()
{
    do {
        while (next < end && is_space(*next))
            ++next;
        if (next < end)
            return true;
    } while (refill());
    return false;
}

bool Input::extract(int& value)
{
    if (!skip_space())
        return false;
    const bool negative = *next == '-';
    if (negative || *next == '+')
        ++next;
    // Every digit is consumed, however many; the magnitude stops growing once past any int.
    bool digits = false;
    unsigned long long magnitude = 0;
    do {
        const char* digit = next;
        for (; digit < end && is_digit(*digit); ++digit)
            if (magnitude <= UINT_MAX)
                magnitude = magnitude * 10 + (*digit - '0');
        digits = digits || digit > next;
        next = digit;
    } while (next == end && refill());
    if (!digits) {
        value = 0;
        return false;
    }
    if (magnitude > static_cast<unsigned long long>(INT_MAX) + negative) {
        value = negative ? INT_MIN : INT_MAX;
        return false;
    }
    value = static_cast<int>(negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude));
    return true;
}

bool Input::extract(double& value)
{
    if (!skip_space())
        return false;
    const char* stop = next;
    if (read_plain(next, end, stop, value)) {
        next = stop;
        return true;
    }
    // Other numbers that end inside the block at hand are converted where they stand; one that
    // reaches its end is gathered again into a text of its own, across as many blocks as it takes.
    bool cut = false;
    gather_number([&] { return stop < end ? static_cast<unsigned char>(*stop) : (cut = true, -1); },
                  [&](bool) { ++stop; });
    if (!cut) {
        const char* const first = next;
        next = stop;
        return convert(first, stop, value);
    }
    token.clear();
    gather_number([&] { return peek(); },
                  [&](bool keep) {
                      if (keep)
                          token += *next;
                      ++next;
                  });
    return convert(token.data(), token.data() + token.size(), value);
}

bool Input::extract(char& value)
{
    if (!skip_space())
        return false;
    value = *next++;
    return true;
}

bool Input::extract(std::string& value)
{
    if (!skip_space())
        return false;
    value.clear();
    for (int c = peek(); c >= 0 && !is_space(c); c = peek())
        value += static_cast<char>(*next++);
    return true;
}

}  // namespace console
