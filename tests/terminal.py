#!/usr/bin/env python3
"""Runs a terminal case: the screen as the user sees it, each typed answer written <<answer>>
and followed by the line end of its Enter key. After a bar, an answer may list answers the
program must refuse there as not a value of the type asked for: <<1|x|2147483648>>. A last
line "== status N" gives the exit status (default 0).

    terminal.py PROGRAM CASE         on a pseudo-terminal: before each answer is typed, the
                                     screen must show exactly the text due since the last one
    terminal.py --cuts PROGRAM CASE  through pipes, with the input ending before each answer,
                                     and with each refused answer in its place: the run must
                                     write the text due, then "Hibas vagy hianyzo bemenet!"
                                     after an empty line, and end with status 3
"""
import os
import pty
import re
import select
import subprocess
import sys
import time


def on_terminal(program, dues, answers, status):
    pid, master = pty.fork()
    if pid == 0:
        os.execve(program, [program], {})
    seen = b""

    def read(length, deadline):
        """Reads until `length` bytes are seen or the deadline passes; False once the program has ended."""
        nonlocal seen
        while len(seen) < length and select.select([master], [], [], max(0, deadline - time.monotonic()))[0]:
            try:
                chunk = os.read(master, 65536)
            except OSError:  # the program has ended and closed the terminal
                chunk = b""
            if not chunk:
                return False
            seen += chunk.replace(b"\r\n", b"\n")
        return True

    for number, (due, answer) in enumerate(zip(dues, answers), 1):
        typed = answer[0].encode() + b"\n"
        read(len(due), time.monotonic() + 10)
        if seen != due.encode():
            return f"before answer {number} ({answer[0]!r}) is typed, the screen must show\n{due}\n--- it shows:\n{seen.decode()}"
        os.write(master, typed)
        seen = b""
        read(len(typed), time.monotonic() + 10)  # the terminal echoes the answer and its Enter
        if not seen.startswith(typed):
            return f"answer {number} ({answer[0]!r}) is not echoed: {seen!r}"
        seen = seen[len(typed):]
    deadline = time.monotonic() + 10
    while read(len(seen) + 1, deadline) and time.monotonic() < deadline:
        pass
    if seen != dues[-1].encode():
        return f"after the last answer the screen must show\n{dues[-1]}\n--- it shows:\n{seen.decode()}"
    got = os.waitstatus_to_exitcode(os.waitpid(pid, 0)[1])
    return None if got == status else f"exit status {got}, expected {status}"


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
    cut = arguments[0] == "--cuts"
    program, case_path = arguments[cut:]
    with open(case_path, encoding="ascii") as case_file:
        screen = case_file.read()
    status = re.search(r"\n== status (\d+)\n$", screen)
    if status:
        screen = screen[: status.start() + 1]
    parts = re.split(r"<<(.*?)>>\n", screen)  # text due, answer, text due, ..., the text after
    dues, answers = parts[0::2], [answer.split("|") for answer in parts[1::2]]
    failure = cuts(program, dues, answers) if cut else on_terminal(program, dues, answers,
                                                                   int(status.group(1)) if status else 0)
    sys.exit(failure)


if __name__ == "__main__":
    main()
