// The frame each program runs in: its command-line options, its standard input and output,
// and the exits for a failed read, for memory running out and for output that can't be written.
#ifndef CONSOLE_PROGRAM_H
#define CONSOLE_PROGRAM_H

#include "console/input.h"
#include "console/output.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace console {

// An option followed by a file name, such as "--svg FAJL".
struct FileOption {
    std::string name;
    const char* help;  // for the usage
};

struct Program {
    const char* name;
    const char* about;  // what the program does, in lines that end in '\n', for the usage
    std::vector<std::pair<int, const char*>> statuses;  // its exit statuses besides 0, 3, 4 and 64
    std::vector<FileOption> file_options;
};

// What --help writes: the command line, what the program does, the options, the exit statuses.
std::string usage(const Program& program);

// What a command line asks for. --help (or -h) and --version stand alone; each file option
// may be given once, with its file name as the next argument or after '=' ("--svg=FAJL"),
// and beside the others; the name "-" is refused (standard output carries the dialogue).
struct Arguments {
    enum Action { run, help, version, refused };
    Action action = run;
    std::string complaint;  // when refused: the line for standard error, without its line end
    std::vector<std::pair<std::string, std::string>> files;  // the file options given, with their names

    // The file name given with the option, or null when the option was not given.
    const std::string* file(const std::string& option) const;
};

Arguments parse_arguments(const Program& program, int argc, const char* const* argv);

// Runs a dialogue. A failed read ends it with an empty line and "Hibas vagy hianyzo bemenet!"
// and status 3; std::bad_alloc with an empty line and "Nincs eleg memoria!" and status 4.
int guarded(Output& out, const std::function<int()>& dialogue);

using Dialogue = std::function<int(Input&, Output&, const Arguments&)>;

// The whole process: answers the options or refuses them (status 64 and a line on standard
// error); otherwise runs the dialogue on standard input and output. When memory runs out
// the process ends at once, with the memory message after what was written, and status 4.
// The first write to standard output that fails ends it with a line on standard error, as
// "setcalc: a kimenet nem irhato: No space left on device", and status 74. A stop signal
// (console/signals.h) ends it by that signal.
int run_program(int argc, char** argv, const Program& program, const Dialogue& dialogue);
int run_program(int argc, char** argv, const Program& program, int (*dialogue)(Input&, Output&));

}  // namespace console

#endif
