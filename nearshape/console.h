#ifndef NEARSHAPE_CONSOLE_H
#define NEARSHAPE_CONSOLE_H

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <ios>
#include <iostream>
#include <streambuf>

// Standard input that shows the pending output only when a read would otherwise wait for the
// user. Answers already at hand (typed ahead, or held by a pipe or a file) are read without a
// flush, so a scripted run writes its output in large blocks, while on a terminal every
// prompt is on the screen before the program waits for its answer.
class FlushingInput : public std::streambuf {
public:
    FlushingInput(std::streambuf* source, std::ostream& output) : source(source), output(output) {}

protected:
    int_type underflow() override
    {
        std::streamsize ready = source->in_avail();
        if (ready <= 0) {  // nothing at hand: the read waits, so the screen must be up to date
            output.flush();
            ready = 1;
        }
        const std::streamsize got = source->sgetn(buffer, std::min<std::streamsize>(ready, sizeof buffer));
        if (got <= 0)
            return traits_type::eof();
        setg(buffer, buffer, buffer + got);
        return traits_type::to_int_type(buffer[0]);
    }

private:
    std::streambuf* source;
    std::ostream& output;
    char buffer[4096];
};

// Unties the console streams from C's stdio and from each other, and puts the flushing input
// in front of standard input. Output is then flushed only before a read that waits, and when
// the program ends.
//
// Untied, the standard streams work on buffers of their own that the library keeps to the end
// of the process, where a leak checker reports them as memory still in use. At the normal end
// of the run (a return from main or exit) the output is flushed and every such buffer is
// given back.
inline void open_console()
{
    std::ios::sync_with_stdio(false);
    std::cin.tie(nullptr);
    static std::streambuf* const source = std::cin.rdbuf();
    static FlushingInput input(source, std::cout);
    std::cin.rdbuf(&input);
    std::atexit([] {
        std::cout.flush();
        for (std::streambuf* buffer : {std::cout.rdbuf(), source, std::cerr.rdbuf()})
            if (auto* file = dynamic_cast<std::filebuf*>(buffer))
                file->close();
        for (std::wstreambuf* buffer : {std::wcout.rdbuf(), std::wcin.rdbuf(), std::wcerr.rdbuf()})
            if (auto* file = dynamic_cast<std::wfilebuf*>(buffer))
                file->close();
    });
}

#endif
