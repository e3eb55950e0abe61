#!/usr/bin/env python3
"""Runs a terminal case: the screen as the user sees it, each typed answer written <<answer>>
and followed by the line end of its Enter key. After a bar, an answer may list answers the
program must refuse there as not a value of the type asked for: <<1|x|2147483648>>. A last
line "== status N" gives the exit status (default 0).

    terminal.py [--editing] PROGRAM CASE  on a pseudo-terminal: before each answer is typed,
                                     the screen must show exactly the text due since the last
                                     one, with no history file to be made. With --editing (a
                                     build with line editing) the case runs again: each answer
                                     typed with its second character put in last (1.5, Left,
                                     Left, 2 for 12.5); in a new session each recalled with Up
                                     from the history; and ended at the last answer by Ctrl-D
                                     (the failed-read message, status 3), by Ctrl-C and by
                                     SIGTERM (ended by the signal, the history file and
                                     stty -g as before)
    terminal.py --cuts PROGRAM CASE  through pipes, with the input ending before each answer,
                                     and with each refused answer in its place: the run must
                                     write the text due, then "Hibas vagy hianyzo bemenet!"
                                     after an empty line, and end with status 3
"""
import fcntl
import os
import re
import select
import signal
import struct
import subprocess
import sys
import tempfile
import termios

LEFT, UP = "\x1b[D", "\x1b[A"


def render(data):
    """The text on the screen after the terminal shows the bytes: \\r, \\b and \\n move the cursor."""
    lines, row, column = [[]], 0, 0
    for c in data.decode("ascii", "replace"):
        if c == "\r" or c == "\b":
            column = 0 if c == "\r" else max(column - 1, 0)
        elif c == "\n":
            row += 1
            lines += [[]] * (row == len(lines))
        elif c >= " ":
            lines[row] = lines[row] + [" "] * (column + 1 - len(lines[row]))
            lines[row][column] = c
            column += 1
    return "\n".join("".join(line) for line in lines)


def session(program, env, dues, answers, keys, status, stop=None):
    """Types the keys of each answer at its prompt, or at the last prompt `stop` (keys or a signal)
    instead; the screen and the status must be the case's. Gives what went wrong, or None."""
    master, slave = os.openpty()
    fcntl.ioctl(slave, termios.TIOCSWINSZ, struct.pack("HHHH", 50, 200, 0, 0))
    mode = termios.tcgetattr(slave)  # a mode of the user's own: -echoctl, which the editor would set
    termios.tcsetattr(slave, termios.TCSANOW, mode[:3] + [mode[3] & ~termios.ECHOCTL] + mode[4:])
    mode = subprocess.run(["stty", "-g"], stdin=slave, capture_output=True).stdout
    child = subprocess.Popen([program], stdin=slave, stdout=slave, stderr=slave, env=env, start_new_session=True,
                             preexec_fn=lambda: fcntl.ioctl(0, termios.TIOCSCTTY, 0))
    seen, expected = b"", dues[0]
    # What the editor blanked out when it redrew a line is no text: blanks that end a line
    # don't count where keys other than the answers' were typed.
    screen = (lambda text: text) if keys == [a + "\n" for a in answers] else (lambda text: re.sub(" +\n", "\n", text))

    def shows(text, timeout=10):
        nonlocal seen
        while screen(render(seen)) != screen(text) and select.select([master], [], [], timeout)[0]:
            seen += os.read(master, 65536)
        return screen(render(seen)) == screen(text)

    for number, answer in enumerate(answers[: len(answers) - (stop is not None)]):
        if not shows(expected):
            break
        os.write(master, keys[number].encode())
        expected += answer + "\n" + dues[number + 1]
    if stop is not None and shows(expected):
        os.write(master, stop.encode()) if isinstance(stop, str) else child.send_signal(stop)
        expected += "\nHibas vagy hianyzo bemenet!\n" * (stop == "\x04")
    try:
        got = child.wait(10)
    except subprocess.TimeoutExpired:
        child.kill()
        got = "none: it did not end"
    shown = shows(expected, 0.2)
    after = subprocess.run(["stty", "-g"], stdin=slave, capture_output=True).stdout
    os.close(master), os.close(slave)
    how = f"typed as {keys!r}" + (f", ended by {stop!r}" if stop else "")
    if not shown:
        return f"{how}: the screen must show\n{expected}\n--- it shows:\n{render(seen)}"
    if got != status:
        return f"{how}: exit status {got}, expected {status}"
    return None if after == mode else f"{how}: stty -g {mode} before, {after} after"


def on_terminal(program, dues, answers, status, editing):
    """The plain session; with line editing, the slipped, recalled and stopped ones too."""
    with tempfile.TemporaryDirectory() as folder:
        open(folder + "/file", "w").close()
        plain = [answer + "\n" for answer in answers]
        runs = [({"XDG_STATE_HOME": folder + "/file/state"}, plain, status, None)]  # no history folder
        if editing:
            env = {"XDG_STATE_HOME": folder, **{k: v for k, v in os.environ.items() if k in ("LANG", "LOCPATH")}}
            slipped = [(a if len(a) < 2 else a[0] + a[2:] + LEFT * (len(a) - 2) + a[1]) + "\n" for a in answers]
            history, recalled = [], []
            for number, answer in enumerate(answers * 2):  # two sessions, the second recalling
                if number >= len(answers):
                    recalled.append(UP * (history[::-1].index(answer) + 1) + "\n")
                history += [answer] * (history[-1:] != [answer])
            runs += [(env, slipped, status, None), (env, recalled, status, None)]
            os.makedirs(f"{folder}/dir/consoleworks/{os.path.basename(program)}_history")  # a folder, unreadable
            runs.append(({**env, "XDG_STATE_HOME": folder + "/dir"}, plain, status, None))
            runs += [(env, plain, ended, stop) for stop, ended in
                     (("\x04", 3), ("\x03", -signal.SIGINT), (signal.SIGTERM, -signal.SIGTERM))]
        saved = f"{folder}/consoleworks/{os.path.basename(program)}_history"
        history = lambda: open(saved).read() if os.path.exists(saved) else None
        for env, keys, expected, stop in runs:
            before = history()
            failure = session(program, env, dues, answers, keys, expected, stop)
            if failure or (stop in ("\x03", signal.SIGTERM) and history() != before):
                return failure or f"the history file changed when ended by {stop!r}"
    return None


def cuts(program, dues, answers):
    failures = []
    for number, answer in enumerate(answers):
        before = "".join(earlier[0] + "\n" for earlier in answers[:number])
        expected = "".join(dues[: number + 1]) + "\nHibas vagy hianyzo bemenet!\n"
        for last in [None] + answer[1:]:
            run = subprocess.run([program], input=(before + (last + "\n" if last else "")).encode(),
                                 capture_output=True, env={}, timeout=60)
            if run.stdout.decode() != expected or run.returncode != 3 or run.stderr:
                failures.append(f"answer {number + 1} " + (f"given as {last!r}" if last else "missing")
                                + f": status {run.returncode}, expected 3; the program must write\n{expected}"
                                + f"--- it writes:\n{run.stdout.decode()}{run.stderr.decode()}")
    return "\n".join(failures) or None


def main():
    arguments = sys.argv[1:]
    cut, editing = arguments[0] == "--cuts", arguments[0] == "--editing"
    program, case_path = arguments[cut or editing:]
    with open(case_path, encoding="ascii") as case_file:
        screen = case_file.read()
    status = re.search(r"\n== status (\d+)\n$", screen)
    if status:
        screen = screen[: status.start() + 1]
    parts = re.split(r"<<(.*?)>>\n", screen)  # text due, answer, text due, ..., the text after
    dues, answers = parts[0::2], [answer.split("|") for answer in parts[1::2]]
    failure = cuts(program, dues, answers) if cut else on_terminal(
        program, dues, [answer[0] for answer in answers], int(status.group(1)) if status else 0, editing)
    sys.exit(failure)


if __name__ == "__main__":
    main()
