// Output written with exactly the bytes the standard streams' << writes with default
// formatting, gathered in a bounded buffer and handed on in large blocks.
#ifndef CONSOLE_OUTPUT_H
#define CONSOLE_OUTPUT_H

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace console {

// Thrown by a flush of an Output that reports its failures, when the descriptor refuses what
// is written: `error` is the errno of the refusal (a full disk, a closed descriptor, a reader
// gone while SIGPIPE is ignored).
struct WriteFailed {
    int error;
};

// Text for a file descriptor (written with write(2)) or for a string in memory (appended to
// it). Nothing is handed on until the buffer is full, flush is called or the object goes.
class Output {
public:
    // With `report_failures`, a write that the descriptor refuses throws WriteFailed (not from
    // the destructor); without, the descriptor gets nothing more, as a failed stream would.
    explicit Output(int descriptor, bool report_failures = false);
    explicit Output(std::string& text);
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;
    ~Output() { hand_on(); }

    Output& operator<<(char c)
    {
        if (next == end)
            flush();
        *next++ = c;
        return *this;
    }
    Output& operator<<(std::string_view text)
    {
        if (text.size() > static_cast<std::size_t>(end - next))
            return write_long(text);
        std::memcpy(next, text.data(), text.size());
        next += text.size();
        return *this;
    }
    // A character, whatever its signedness, as << writes it.
    Output& operator<<(signed char c) { return *this << static_cast<char>(c); }
    Output& operator<<(unsigned char c) { return *this << static_cast<char>(c); }
    Output& operator<<(const char* text) { return *this << std::string_view(text); }
    Output& operator<<(const std::string& text) { return *this << std::string_view(text); }
    // In decimal.
    Output& operator<<(int value);
    // As printf's %g with precision 6: 2.5, -0, 1e+06, 1e-05, inf, -nan.
    Output& operator<<(double value);

    // Hands on what is gathered; see the constructor for a descriptor that refuses it.
    void flush();
    // Hands on all up to the last line end and takes the rest out of the buffer: the text a
    // line editor shows as its prompt.
    std::string take_unfinished_line();

private:
    // Hands on what is gathered; the errno of a refusal, else 0.
    int hand_on();
    Output& write_long(std::string_view text);
    // The %g of a value that is this many millionths; false where it can't tell.
    bool write_millionths(long long millionths);
    // Makes room for `size` bytes at `next`; size is at most the buffer's capacity.
    void room(std::size_t size)
    {
        if (static_cast<std::size_t>(end - next) < size)
            flush();
    }

    int descriptor = -1;
    bool report_failures = false;
    std::string* text = nullptr;
    std::unique_ptr<char[]> buffer;
    char* next;
    char* end;
};

}  // namespace console

#endif
