#include "console/output.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
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

Output& Output::operator<<(std::string_view piece)
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
    room(16);
    next = std::to_chars(next, end, value).ptr;
    return *this;
}

Output& Output::operator<<(double value)
{
    room(32);  // the longest is "-1.23457e-308"
    next = std::to_chars(next, end, value, std::chars_format::general, 6).ptr;
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
