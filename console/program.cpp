#include "console/program.h"

#include "console/line_editor.h"
#include "console/picture_file.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <new>
#include <unistd.h>

namespace console {

namespace {

// Where an out-of-memory exit writes: the running program's standard output.
Output* program_output = nullptr;
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
    stop(*program_output, out_of_memory_message, 4);
    program_output->flush();
    abandon_pictures();
    std::set_new_handler(nullptr);  // the history is saved only if memory allows
    if (program_editor)
        program_editor->finish();
    std::_Exit(4);
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
                     {64, program.file_options.empty() ? "ismeretlen argumentum" : "hibas argumentum"}});
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
        const std::string word = argv[i];
        const bool help = word == "--help" || word == "-h", version = word == "--version";
        const auto& files = program.file_options;
        const bool file =
            std::any_of(files.begin(), files.end(), [&](const FileOption& option) { return option.name == word; });
        if (!help && !version && !file)
            return refuse("ismeretlen argumentum: '" + word + "'");
        if (file && result.file(word))
            return refuse("a(z) '" + word + "' ketszer szerepel");
        if (!first.empty() && (!file || result.action != Arguments::run))
            return refuse("egyszerre csak egy kapcsolo adhato meg, '" + first + "' vagy '" + word + "'");
        if (first.empty())
            first = word;
        if (!file)
            result.action = help ? Arguments::help : Arguments::version;
        else if (i + 1 == argc)
            return refuse("a(z) '" + word + "' utan hianyzik a fajlnev");
        else
            result.files.emplace_back(word, argv[++i]);
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
    const Arguments arguments = parse_arguments(program, argc, argv);
    Output out(STDOUT_FILENO);
    if (arguments.action == Arguments::help) {
        out << usage(program);
        return 0;
    }
    if (arguments.action == Arguments::version) {
        out << program.name << ' ' << PROGRAM_VERSION << '\n';
        return 0;
    }
    if (arguments.action == Arguments::refused) {
        Output errors(STDERR_FILENO);
        errors << arguments.complaint << '\n';
        return 64;
    }
    const std::unique_ptr<LineEditor> editor = LineEditor::open(program.name);
    Input in(STDIN_FILENO, &out);
    in.edit_lines(editor.get());
    program_output = &out;
    program_editor = editor.get();
    std::set_new_handler(out_of_memory);
    const int status = guarded(out, [&] { return dialogue(in, out, arguments); });
    std::set_new_handler(nullptr);
    program_output = nullptr;
    program_editor = nullptr;
    return status;
}

int run_program(int argc, char** argv, const Program& program, int (*dialogue)(Input&, Output&))
{
    return run_program(argc, argv, program,
                       [dialogue](Input& in, Output& out, const Arguments&) { return dialogue(in, out); });
}

}  // namespace console
