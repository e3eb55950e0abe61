#include "console/input.h"

#include "console/output.h"

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

// The value of the text that the double grammar of >> gathered, as >> converts it: the whole
// text must be a number, and one too large for a double fails with the largest double of its
// sign, while one too small takes what strtod rounds it to.
bool convert(const std::string& text, double& value)
{
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+')
        ++first;
    const auto [stop, error] = std::from_chars(first, last, value);
    if (stop != last || (error != std::errc() && error != std::errc::result_out_of_range)) {
        value = 0;
        return false;
    }
    if (error == std::errc())
        return true;
    value = std::strtod(text.c_str(), nullptr);
    if (!std::isinf(value))
        return true;
    value = value > 0 ? DBL_MAX : -DBL_MAX;
    return false;
}

}  // namespace

Input::Input(int descriptor, Output* tie, std::size_t block)
    : descriptor(descriptor), tie(tie), block(block), buffer(new char[block])
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
    if (tie && !ready(descriptor))
        tie->flush();
    ssize_t got;
    do
        got = ::read(descriptor, buffer.get(), block);
    while (got < 0 && errno == EINTR);
    start = next = buffer.get();
    end = next + (got > 0 ? got : 0);
    ended = got <= 0;  // an error (a directory, say) ends the input too
    return !ended;
}

bool Input::skip_space()
{
    int c = peek();
    while (is_space(c)) {
        ++next;
        c = peek();
    }
    return c >= 0;
}

bool Input::extract(int& value)
{
    if (!skip_space())
        return false;
    int c = peek();
    const bool negative = c == '-';
    if (negative || c == '+') {
        ++next;
        c = peek();
    }
    // Every digit is consumed, however many; the magnitude stops growing once past any int.
    bool digits = false;
    unsigned long long magnitude = 0;
    for (; is_digit(c); ++next, c = peek()) {
        digits = true;
        if (magnitude <= UINT_MAX)
            magnitude = magnitude * 10 + (c - '0');
    }
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
    // The text >> gathers: a sign, digits with one decimal point, and an exponent mark with
    // a sign and digits once a digit has come; of leading zeros only the first is kept.
    token.clear();
    int c = peek();
    if (c == '+' || c == '-') {
        token += static_cast<char>(c);
        ++next;
        c = peek();
    }
    bool mantissa = false, point = false, exponent = false;
    for (; c == '0'; ++next, c = peek()) {
        if (!mantissa)
            token += '0';
        mantissa = true;
    }
    for (;;) {
        if (is_digit(c)) {
            mantissa = true;
        } else if (c == '.' && !point && !exponent) {
            point = true;
        } else if ((c == 'e' || c == 'E') && mantissa && !exponent) {
            exponent = true;
            token += 'e';
            ++next;
            c = peek();
            if (c != '+' && c != '-')
                continue;  // what follows the mark is looked at afresh
        } else {
            break;
        }
        token += static_cast<char>(c);
        ++next;
        c = peek();
    }
    return convert(token, value);
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
