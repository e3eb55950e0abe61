// Answers read with exactly the results of the standard streams' formatted >> in the C locale
// (the locale the programs run in): from a file descriptor in bounded blocks, or from a text
// in memory.
#ifndef CONSOLE_INPUT_H
#define CONSOLE_INPUT_H

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace console {

class LineEditor;
class Output;

// Thrown by Input::read when the answer can't be read: the input has ended, or what stands
// there is not a value of the type (an int out of range and a double that overflows included).
struct ReadFailed {};

class Input {
public:
    // Reads nothing until open succeeds.
    Input() = default;
    // Reads the descriptor, which stays open. Before a read that would wait for the
    // descriptor, `tie` is flushed, so that all that was written is seen before the wait. A
    // descriptor in non-blocking mode is waited on as a blocking one; `block` is at least 1.
    explicit Input(int descriptor, Output* tie = nullptr, std::size_t block = 64 * 1024);
    // Reads the text, which must outlive this object.
    explicit Input(std::string_view text);
    Input(const Input&) = delete;
    Input& operator=(const Input&) = delete;
    ~Input();

    // Reads the lines the editor gives instead of the descriptor, each after the prompt that
    // the tie's unfinished line is.
    void edit_lines(LineEditor* editor) { this->editor = editor; }

    // Opens the file for reading, on an Input that reads nothing yet; false when it can't be
    // opened. The file is closed when the object goes.
    bool open(const std::string& path);

    // Skip white space and read one value, as >> does. On failure the characters looked at
    // stay consumed and the value is what >> leaves: unchanged when the input has ended,
    // otherwise 0, or the limit of the type's range that the number passed.
    bool extract(int& value);
    bool extract(double& value);
    bool extract(char& value);
    bool extract(std::string& value);

    // One answer; throws ReadFailed when it can't be read.
    template <typename T>
    T read()
    {
        T value{};
        if (!extract(value))
            throw ReadFailed{};
        return value;
    }

    // How many bytes have been consumed so far.
    std::size_t consumed() const { return counted + (next - start); }

private:
    // The next byte, or -1 at the end of the input.
    int peek() { return next < end || refill() ? static_cast<unsigned char>(*next) : -1; }
    bool refill();
    bool skip_space();

    int descriptor = -1;
    bool owned = false;  // opened by open, closed here
    bool ended = false;  // the end of the input has been seen; nothing is read after it
    Output* tie = nullptr;
    LineEditor* editor = nullptr;
    std::size_t block = 0;
    std::unique_ptr<char[]> buffer;
    const char* start = nullptr;  // the block being read
    const char* next = nullptr;
    const char* end = nullptr;
    std::size_t counted = 0;  // bytes of the blocks before this one
    std::string token;        // the text of the number being read
};

}  // namespace console

#endif
