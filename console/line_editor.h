// Answers typed at a terminal, read through libedit: each line can be edited before Enter
// hands it on, and earlier answers, also those of earlier runs, are recalled with Up and Down.
#ifndef CONSOLE_LINE_EDITOR_H
#define CONSOLE_LINE_EDITOR_H

#include <memory>
#include <string>
#include <string_view>

namespace console {

class LineEditor {
public:
    // An editor for standard input and output, or null where either is not a terminal or the
    // build has no line editing. `program` names the history file and the program's lines in
    // ~/.editrc.
    static std::unique_ptr<LineEditor> open(const char* program);
    LineEditor(const LineEditor&) = delete;
    LineEditor& operator=(const LineEditor&) = delete;
    ~LineEditor();

    // Shows the prompt and gives the line typed after it, with its line end; an empty line at
    // the end of the input (Ctrl-D on an empty line).
    std::string_view read_line(const std::string& prompt);

    // Adds this run's answers to the history file, silently where it can't, and leaves the
    // terminal in the mode it was found in. Later calls do nothing.
    void finish();

private:
    struct State;
    explicit LineEditor(std::unique_ptr<State> state);
    std::unique_ptr<State> state;
};

}  // namespace console

#endif
