// nearshape's dialogue on the fuzzer's bytes. What comes before the first NUL byte is its
// standard input; what follows it, if there is one, is the content of the figure file "figs" in
// a folder of the target's own, where the dialogue runs. Every '/' of the standard input reads
// as '_', so that the only files the dialogue can open are the ones in that folder: a typed
// name such as a terminal or a pipe would wait for ever.
#include "dialogue.h"
#include "nearshape/dialogue.h"

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

std::string folder;

void RemoveFolder()
{
    std::remove("figs");
    if (chdir("/") == 0)
        rmdir(folder.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    std::string name = "/tmp/nearshape-fuzz-XXXXXX";
    if (!mkdtemp(name.data()) || chdir(name.c_str()) != 0)
        std::abort();
    folder = name;
    std::atexit(RemoveFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = bytes.find('\0');
    std::string input = bytes.substr(0, nul);
    std::replace(input.begin(), input.end(), '/', '_');
    if (nul == std::string::npos) {
        std::remove("figs");
    } else {
        std::ofstream file("figs", std::ios::binary | std::ios::trunc);
        file << bytes.substr(nul + 1);
    }
    RunDialogue(input, {0, 1, 2, 3, 4}, [](console::Input& in, console::Output& out) { return run(in, out); });
    return 0;
}
