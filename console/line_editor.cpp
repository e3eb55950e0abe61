#include "console/line_editor.h"

#ifdef LINE_EDITING

#include "console/signals.h"

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <histedit.h>
#include <new>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace console {

namespace {

// How many answers the history file keeps, the latest.
constexpr std::size_t kept = 1000;

// The history file: $XDG_STATE_HOME/consoleworks/PROGRAM_history, where XDG_STATE_HOME is
// ~/.local/state unless set to an absolute path; empty where there is no home either.
std::string history_path(const char* program)
{
    std::string folder;
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && state[0] == '/')
        folder = state;
    else if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        folder = std::string(home) + "/.local/state";
    else
        return {};
    return folder + "/consoleworks/" + program + "_history";
}

// The non-empty lines of the file; none where it can't be read.
std::vector<std::string> read_lines(const std::string& path)
{
    std::vector<std::string> lines;
    const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return lines;
    std::string text;
    char block[4096];
    for (ssize_t got; (got = ::read(file, block, sizeof block)) != 0;) {
        if (got > 0)
            text.append(block, got);
        else if (errno != EINTR)
            break;
    }
    ::close(file);
    for (std::size_t from = 0, to; from < text.size(); from = to + 1) {
        to = text.find('\n', from);
        if (to == std::string::npos)
            to = text.size();
        if (to > from)
            lines.push_back(text.substr(from, to - from));
    }
    return lines;
}

// Writes the text into a new file beside `path` and puts it in its place; false where that fails.
bool replace_file(const std::string& path, const std::string& text)
{
    const std::string fresh = path + "." + std::to_string(::getpid()) + ".new";
    const int file = ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (file < 0)
        return false;
    bool written = true;
    for (std::size_t done = 0; written && done < text.size();) {
        const ssize_t put = ::write(file, text.data() + done, text.size() - done);
        written = put > 0 || (put < 0 && errno == EINTR);
        done += put > 0 ? put : 0;
    }
    if (::close(file) != 0 || !written || ::rename(fresh.c_str(), path.c_str()) != 0) {
        ::unlink(fresh.c_str());
        return false;
    }
    return true;
}

// Makes the folders on the way to the file, private to the user as new state folders are.
void make_folders(const std::string& path)
{
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0700);
}

// The prompt is the text the editor is given as its client data.
extern "C" char* show_prompt(EditLine* editor)
{
    std::string* prompt = nullptr;
    el_get(editor, EL_CLIENTDATA, &prompt);
    return prompt->data();
}

// Ctrl-D: the end of the input on an empty line, shown as nothing, as the terminal shows it
// without the editor; elsewhere it deletes the character under the cursor.
extern "C" unsigned char end_or_delete(EditLine* editor, int)
{
    const LineInfo* line = el_line(editor);
    if (line->buffer == line->lastchar)
        return CC_EOF;
    if (line->cursor == line->lastchar)
        return CC_ERROR;
    el_cursor(editor, 1);
    el_deletestr(editor, 1);
    return CC_REFRESH;
}

}  // namespace

struct LineEditor::State {
    EditLine* editor = nullptr;
    History* history = nullptr;
    HistEvent event{};
    termios found{};  // the terminal's mode when the run began
    std::string prompt, line, path, last;
    std::vector<std::string> added;   // this run's answers, for the history file
    std::unique_ptr<char[]> reserve;  // given back before the history is saved, should memory have run out
    bool finished = false;

    ~State()
    {
        if (editor) {
            el_set(editor, EL_EDITMODE, 0);  // so that el_end keeps the keys typed ahead
            el_end(editor);
        }
        if (history)
            history_end(history);
    }
};

std::unique_ptr<LineEditor> LineEditor::open(const char* program)
{
    auto state = std::make_unique<State>();
    if (!::isatty(STDIN_FILENO) || !::isatty(STDOUT_FILENO) || ::tcgetattr(STDIN_FILENO, &state->found) != 0)
        return nullptr;
    // Characters typed beyond ASCII are edited as the user's terminal encodes them; numbers are
    // read and written as before, as the numeric locale stays "C".
    std::setlocale(LC_CTYPE, "");
    state->history = history_init();
    state->editor = el_init(program, stdin, stdout, stderr);
    if (!state->history || !state->editor)
        return nullptr;
    history(state->history, &state->event, H_SETSIZE, static_cast<int>(kept));
    state->path = history_path(program);
    if (!state->path.empty())
        for (std::string& line : read_lines(state->path)) {
            history(state->history, &state->event, H_ENTER, line.c_str());
            state->last = std::move(line);
        }
    el_set(state->editor, EL_CLIENTDATA, &state->prompt);
    el_set(state->editor, EL_PROMPT, show_prompt);
    el_set(state->editor, EL_EDITOR, "emacs");
    el_set(state->editor, EL_HIST, history, state->history);
    // Wide names, which the editor keeps as they are; it copies narrow ones and never frees them.
    el_wset(state->editor, EL_ADDFN, L"end-or-delete", L"End of input on an empty line, else delete", end_or_delete);
    el_set(state->editor, EL_BIND, "^D", "end-or-delete", nullptr);
    el_set(state->editor, EL_BIND, "\\e[3~", "ed-delete-next-char", nullptr);  // Delete, whatever TERM says
    el_source(state->editor, nullptr);
    // "edit off" in ~/.editrc (or TERM=emacs) leaves the answers to the plain reader.
    int editing = 0;
    if (el_get(state->editor, EL_EDITMODE, &editing) != 0 || !editing)
        return nullptr;
    state->reserve.reset(new char[256 * 1024]);
    // A stop signal (caught by the program frame) puts the terminal back as it was found,
    // wherever the editor left it. The editor's own signal handling stays off: it would pass
    // the signal on to the whole process group. It takes the window's size anew at every prompt.
    restore_on_stop(STDIN_FILENO, &state->found);
    return std::unique_ptr<LineEditor>(new LineEditor(std::move(state)));
}

LineEditor::LineEditor(std::unique_ptr<State> state) : state(std::move(state)) {}

LineEditor::~LineEditor() { finish(); }

std::string_view LineEditor::read_line(const std::string& prompt)
{
    State& s = *state;
    s.prompt = prompt;
    // The editor shows the prompt before it takes the terminal: keys typed as soon as the
    // prompt shows must not be echoed by the terminal too.
    termios quiet = s.found;
    quiet.c_lflag &= ~(ECHO | ICANON);
    quiet.c_cc[VMIN] = 1;
    quiet.c_cc[VTIME] = 0;
    ::tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    int count = 0;
    const char* got = el_gets(s.editor, &count);
    ::tcsetattr(STDIN_FILENO, TCSANOW, &s.found);
    if (!got || count <= 0)
        return {};
    s.line.assign(got, count);
    // An answer goes into the history without its line end, unless it is blank or the same
    // as the one before.
    std::string answer = s.line.substr(0, s.line.size() - (s.line.back() == '\n'));
    if (answer.find_first_not_of(" \t") != std::string::npos && answer != s.last) {
        history(s.history, &s.event, H_ENTER, answer.c_str());
        s.added.push_back(answer);
        s.last = std::move(answer);
    }
    return s.line;
}

void LineEditor::finish()
{
    State& s = *state;
    if (s.finished)
        return;
    s.finished = true;
    s.reserve.reset();
    restore_on_stop(STDIN_FILENO, nullptr);
    if (s.path.empty() || s.added.empty())
        return;
    try {
        // Another run may have saved its answers since this one began: they are kept.
        std::vector<std::string> lines = read_lines(s.path);
        lines.insert(lines.end(), s.added.begin(), s.added.end());
        std::string text;
        for (std::size_t i = lines.size() > kept ? lines.size() - kept : 0; i < lines.size(); ++i)
            text += lines[i] + '\n';
        make_folders(s.path);
        replace_file(s.path, text);
    } catch (const std::bad_alloc&) {
    }
}

}  // namespace console

#else

namespace console {

struct LineEditor::State {};

std::unique_ptr<LineEditor> LineEditor::open(const char*) { return nullptr; }
LineEditor::LineEditor(std::unique_ptr<State> state) : state(std::move(state)) {}
LineEditor::~LineEditor() = default;
std::string_view LineEditor::read_line(const std::string&) { return {}; }
void LineEditor::finish() {}

}  // namespace console

#endif
