// Runs a dialogue in memory on the fuzzer's bytes as its standard input, framed as the program
// frames it: a failed read and memory running out end it with their messages and statuses.
// A status the program never gives is a fault; so are a crash, a leak and a run past the
// target's time limit, which libFuzzer reports itself.
#ifndef FUZZ_DIALOGUE_H
#define FUZZ_DIALOGUE_H

#include "console/input.h"
#include "console/output.h"
#include "console/program.h"

#include <initializer_list>
#include <string>
#include <string_view>

template <typename Dialogue>
void RunDialogue(std::string_view input, std::initializer_list<int> statuses, Dialogue dialogue)
{
    std::string written;
    int status;
    {
        console::Output out(written);
        console::Input in(input);
        status = console::guarded(out, [&] { return dialogue(in, out); });
    }
    bool known = false;
    for (int allowed : statuses)
        known = known || status == allowed;
    if (!known || written.empty() || written.back() != '\n')
        __builtin_trap();
}

#endif
