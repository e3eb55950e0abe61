#include "console/program.h"

#include "console/line_editor.h"
#include "console/picture_file.h"
#include "console/signals.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <unistd.h>

namespace console {

namespace {

// Where an out-of-memory exit writes: the running program's standard output.
Output* program_output = nullptr;
const char* program_name = "";

// Standard output refused what was written: one line on standard error, and status 74. It
// allocates nothing, as memory may have run out.
int output_failed(int error)
{
    char line[256];
    const int length =
        std::snprintf(line, sizeof line, "%s: a kimenet nem irhato: %s\n", program_name, std::strerror(error));
    if (length > 0) {
        [[maybe_unused]] const ssize_t written =  // where standard error fails too, nothing can tell it
            ::write(STDERR_FILENO, line, std::min<std::size_t>(length, sizeof line - 1));
    }
    return 74;
}

// The running program's line editor, if it has one.
LineEditor* program_editor = nullptr;

// Ends the pending line, writes the message on a line of its own, and gives the status.
int stop(Output& out, const char* message, int status)
{
    out << '\n' << message << '\n';
    return status;
}

const char* const out_of_memory_message = "Nincs eleg memoria!";

// Memory has run out. There may be none left even for the exception that would carry this
// up, so the process ends here; _Exit flushes nothing, so the output is flushed first, and
// removes nothing, so a picture's temporary file is removed first.
[[noreturn]] void out_of_memory()
{
    int status = 4;
    try {
        stop(*program_output, out_of_memory_message, 4);
        program_output->flush();
    } catch (const WriteFailed& failed) {
        status = output_failed(failed.error);
    }
    abandon_pictures();
    std::set_new_handler(nullptr);  // the history is saved only if memory allows
    if (program_editor)
        program_editor->finish();
    std::_Exit(status);
}

}  // namespace

std::string usage(const Program& program)
{
    std::string text = std::string("Hasznalat: ") + program.name + " [-h | --help | --version]";
    for (const FileOption& option : program.file_options)
        text += " [" + option.name + " FAJL]";
    text += std::string("\n\n") + program.about + "\n";
    // An indented line of two columns, the first as wide as `width` at least.
    const auto line = [&text](std::string left, std::size_t width, const char* right) {
        left.resize(std::max(left.size(), width), ' ');
        text += "  " + left + " " + right + "\n";
    };
    text += "Kapcsolok:\n";
    line("-h, --help", 11, "ez a leiras");
    line("--version", 11, "a program neve es verzioja");
    for (const FileOption& option : program.file_options)
        line(option.name + " FAJL", 11, option.help);
    text += "\nKilepesi kodok:\n";
    auto statuses = program.statuses;
    statuses.insert(statuses.end(),
                    {{0, "rendben lefutott"},
                     {3, "hibas vagy hianyzo bemenet"},
                     {4, "nincs eleg memoria"},
                     {64, program.file_options.empty() ? "ismeretlen argumentum" : "hibas argumentum"},
                     {74, "a kimenet nem irhato"}});
    std::sort(statuses.begin(), statuses.end());
    for (const auto& [status, meaning] : statuses)
        line(std::to_string(status), 3, meaning);
    return text;
}

const std::string* Arguments::file(const std::string& option) const
{
    for (const auto& [given, name] : files)
        if (given == option)
            return &name;
    return nullptr;
}

Arguments parse_arguments(const Program& program, int argc, const char* const* argv)
{
    Arguments result;
    const auto refuse = [&](const std::string& why) {
        result.action = Arguments::refused;
        result.complaint = std::string(program.name) + ": " + why + "; segitseg: " + program.name + " --help";
        return result;
    };
    std::string first;  // the first option given
    for (int i = 1; i < argc; ++i) {
        std::string word = argv[i];
        // "--svg=FAJL" is "--svg FAJL".
        const std::size_t equals = word.rfind("--", 0) == 0 ? word.find('=') : std::string::npos;
        const std::string name = equals == std::string::npos ? "" : word.substr(equals + 1);
        word = word.substr(0, equals);
        const bool help = word == "--help" || word == "-h", version = word == "--version";
        const auto& files = program.file_options;
        const bool file =
            std::any_of(files.begin(), files.end(), [&](const FileOption& option) { return option.name == word; });
        if ((!help && !version && !file) || (!file && equals != std::string::npos))
            return refuse("ismeretlen argumentum: '" + std::string(argv[i]) + "'");
        if (file && result.file(word))
            return refuse("a(z) '" + word + "' ketszer szerepel");
        if (!first.empty() && (!file || result.action != Arguments::run))
            return refuse("egyszerre csak egy kapcsolo adhato meg, '" + first + "' vagy '" + word + "'");
        if (first.empty())
            first = word;
        if (!file) {
            result.action = help ? Arguments::help : Arguments::version;
            continue;
        }
        if (equals == std::string::npos && i + 1 < argc)
            result.files.emplace_back(word, argv[++i]);
        else if (!name.empty())
            result.files.emplace_back(word, name);
        else
            return refuse("a(z) '" + word + "' utan hianyzik a fajlnev");
        if (result.files.back().second == "-")
            return refuse("a(z) '" + word + "' fajlja nem lehet '-': a szabvanyos kimeneten a parbeszed folyik");
    }
    return result;
}

int guarded(Output& out, const std::function<int()>& dialogue)
{
    try {
        return dialogue();
    } catch (const ReadFailed&) {
        return stop(out, "Hibas vagy hianyzo bemenet!", 3);
    } catch (const std::bad_alloc&) {
        return stop(out, out_of_memory_message, 4);
    }
}

int run_program(int argc, char** argv, const Program& program, const Dialogue& dialogue)
{
    catch_stop_signals();
    program_name = program.name;
    const Arguments arguments = parse_arguments(program, argc, argv);
    if (arguments.action == Arguments::refused) {
        Output errors(STDERR_FILENO);
        errors << arguments.complaint << '\n';
        return 64;
    }
    Output out(STDOUT_FILENO, true);
    try {
        int status = 0;
        if (arguments.action == Arguments::help) {
            out << usage(program);
        } else if (arguments.action == Arguments::version) {
            out << program.name << ' ' << PROGRAM_VERSION << '\n';
        } else {
            const std::unique_ptr<LineEditor> editor = LineEditor::open(program.name);
            Input in(STDIN_FILENO, &out);
            in.edit_lines(editor.get());
            program_output = &out;
            program_editor = editor.get();
            // Lent to the out-of-memory exit only while it lives, however the dialogue ends.
            const struct Lent {
                ~Lent() { program_editor = nullptr; }
            } lent;
            std::set_new_handler(out_of_memory);
            status = guarded(out, [&] { return dialogue(in, out, arguments); });
        }
        out.flush();
        std::set_new_handler(nullptr);
        return status;
    } catch (const WriteFailed& failed) {
        std::set_new_handler(nullptr);
        return output_failed(failed.error);
    }
}

int run_program(int argc, char** argv, const Program& program, int (*dialogue)(Input&, Output&))
{
    return run_program(argc, argv, program,
                       [dialogue](Input& in, Output& out, const Arguments&) { return dialogue(in, out); });
}

}  // namespace console
