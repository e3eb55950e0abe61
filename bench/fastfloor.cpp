// The fast floor of a whole-process benchmark: reads the same numbers as a program run does,
// with read(2) in large blocks, parsing each with std::from_chars; then writes as many
// numbers, formatted with std::to_chars as << formats them, and as many bytes in all, with
// write(2) in large blocks. The programs' I/O can't be done much faster on this machine.
//
//   fastfloor PATTERN INTS DOUBLES FILL [FILE]
//
// The arguments are those of iofloor: the types of the numbers read (i int, d double; those
// in brackets at the end repeat until the input ends), how many ints and doubles to write,
// and how many bytes of text lines to add. The numbers come from FILE, or from standard input.
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t block = 1 << 20;

class Reader {
public:
    explicit Reader(int descriptor) : descriptor(descriptor), buffer(2 * block) {}

    // Parses the next number, skipping white space; false where none can be read.
    template <typename T>
    bool next(T& value)
    {
        for (;;) {
            while (at < end && (buffer[at] == ' ' || (buffer[at] >= '\t' && buffer[at] <= '\r')))
                ++at;
            if (end - at < 64 && !ended) {  // the number may go on in the next block
                refill();
                continue;
            }
            const auto [stop, error] = std::from_chars(buffer.data() + at, buffer.data() + end, value);
            at = stop - buffer.data();
            return error == std::errc();
        }
    }

private:
    void refill()
    {
        std::memmove(buffer.data(), buffer.data() + at, end - at);
        end -= at;
        at = 0;
        const ssize_t got = ::read(descriptor, buffer.data() + end, block);
        if (got <= 0)
            ended = true;
        else
            end += got;
    }

    int descriptor;
    std::vector<char> buffer;
    std::size_t at = 0, end = 0;
    bool ended = false;
};

class Writer {
public:
    Writer() : buffer(block) {}
    ~Writer() { flush(); }

    template <typename T, typename... Format>
    void number(T value, Format... format)
    {
        if (block - used < 64)
            flush();
        used = std::to_chars(buffer.data() + used, buffer.data() + block, value, format...).ptr - buffer.data();
        buffer[used++] = '\n';
    }
    void text(const char* bytes, std::size_t size)
    {
        if (block - used < size)
            flush();
        std::memcpy(buffer.data() + used, bytes, size);
        used += size;
    }
    void flush()
    {
        for (std::size_t done = 0; done < used;) {
            const ssize_t wrote = ::write(1, buffer.data() + done, used - done);
            if (wrote <= 0)
                std::exit(1);
            done += wrote;
        }
        used = 0;
    }

private:
    std::vector<char> buffer;
    std::size_t used = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 5 || argc > 6) {
        std::fputs("usage: fastfloor PATTERN INTS DOUBLES FILL [FILE]\n", stderr);
        return 64;
    }
    const std::string pattern = argv[1];
    const long long int_count = std::atoll(argv[2]), double_count = std::atoll(argv[3]);
    const long long fill = std::atoll(argv[4]);
    const int descriptor = argc == 6 ? ::open(argv[5], O_RDONLY) : 0;
    if (descriptor < 0)
        return 1;

    const std::size_t bracket = pattern.find('[');
    const std::string head = pattern.substr(0, bracket);
    const std::string group =
        bracket == std::string::npos ? "" : pattern.substr(bracket + 1, pattern.size() - bracket - 2);
    Reader in(descriptor);
    std::vector<int> ints;
    std::vector<double> doubles;
    const auto read_one = [&](char type) {
        int i;
        double d;
        if (type == 'i' ? in.next(i) : in.next(d)) {
            if (type == 'i')
                ints.push_back(i);
            else
                doubles.push_back(d);
            return true;
        }
        return false;
    };
    bool more = true;
    for (char type : head)
        more = more && read_one(type);
    while (more && !group.empty())
        for (char type : group)
            more = more && read_one(type);

    Writer out;
    for (long long k = 0; k < int_count; ++k)
        out.number(ints.empty() ? static_cast<int>(k) : ints[k % ints.size()]);
    for (long long k = 0; k < double_count; ++k)
        out.number(doubles.empty() ? 0.5 * k : doubles[k % doubles.size()], std::chars_format::general, 6);
    char line[64];
    std::memset(line, '.', 63);
    line[63] = '\n';
    long long left = fill;
    for (; left >= 64; left -= 64)
        out.text(line, 64);
    if (left > 0)
        out.text(line, left);
    return 0;
}
