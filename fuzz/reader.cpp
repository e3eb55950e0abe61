// The console's reader against the standard streams' >> in the C locale: value by value, the
// same success, the same value (bit for bit) and the same bytes consumed, up to and including
// the first read that fails.
//
// Input: a byte whose low 6 bits give the block size the reader reads a descriptor in (0: it
// reads the text in memory instead); a byte whose bit pairs give the type of the 1st, 2nd,
// 3rd and 4th read, and again from the 5th (int, double, char, string); then the text.
#include "console/input.h"
#include "console/read_both.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

namespace {

int file = -1;  // the text for a reader of a descriptor

// One read by each; false when they differ, and in `failed` whether the read failed.
template <typename T>
bool Compare(console::Input& in, std::istringstream& reference, const T& start, bool& failed)
{
    const BothRead<T> read = ReadBoth(in, reference, start);
    failed = !read.theirs_read;
    return read.Same();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    file = memfd_create("reader-text", 0);
    if (file < 0)
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::size_t block = data[0] & 63;
    const unsigned types = data[1];
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

    console::Input memory(text);
    console::Input descriptor(file, nullptr, block ? block : 1);
    if (block) {
        if (ftruncate(file, 0) != 0 || pwrite(file, text.data(), text.size(), 0) != static_cast<ssize_t>(text.size())
            || lseek(file, 0, SEEK_SET) != 0)
            std::abort();
    }
    console::Input& in = block ? descriptor : memory;
    std::istringstream reference{std::string(text)};

    bool failed = false;
    for (int k = 0; !failed; ++k) {
        bool same = true;
        switch (types >> (2 * (k % 4)) & 3) {
        case 0: same = Compare(in, reference, 7, failed); break;
        case 1: same = Compare(in, reference, 7.5, failed); break;
        case 2: same = Compare(in, reference, 'q', failed); break;
        default: same = Compare(in, reference, std::string("old"), failed); break;
        }
        if (!same)
            __builtin_trap();
    }
    return 0;
}
