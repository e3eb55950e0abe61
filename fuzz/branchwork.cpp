// branchwork's dialogue on the fuzzer's bytes as its standard input.
#include "branchwork/dialogue.h"
#include "dialogue.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    RunDialogue({reinterpret_cast<const char*>(data), size}, {0, 3, 4},
                [](console::Input& in, console::Output& out) { return run(in, out); });
    return 0;
}
