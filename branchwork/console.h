// The console streams of branchwork: output is written in large blocks and shown only when
// the program is about to wait for an answer, and when it ends.
#ifndef BRANCHWORK_CONSOLE_H
#define BRANCHWORK_CONSOLE_H

#include <algorithm>
#include <iostream>
#include <streambuf>
#include <string>

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
        // At most what is at hand, and less than the source's own buffer, so that sgetn never
        // waits for more than is there.
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
inline void open_console()
{
    std::ios::sync_with_stdio(false);
    std::cin.tie(nullptr);
    static FlushingInput input(std::cin.rdbuf(), std::cout);
    std::cin.rdbuf(&input);
}

// Answers a command line that holds arguments: "--help" (or "-h") writes the usage and
// "--version" the program's name and version, both ending the run with status 0; anything
// else is refused in one line on standard error, with status 64. Without arguments the
// program runs its dialogue instead.
inline int AnswerArguments(int argc, char** argv, const char* name, const char* usage)
{
    const std::string first = argv[1];
    const bool help = first == "--help" || first == "-h", version = first == "--version";
    if (argc == 2 && help) {
        std::cout << usage;
        return 0;
    }
    if (argc == 2 && version) {
        std::cout << name << ' ' << PROGRAM_VERSION << '\n';
        return 0;
    }
    std::cerr << name << ": ismeretlen argumentum: '" << argv[help || version ? 2 : 1] << "'; segitseg: " << name
              << " --help\n";
    return 64;
}

#endif
