#!/usr/bin/env python3
"""Runs a dialogue from a terminal case: the screen as the user sees it.

    terminal.py PROGRAM CASE          on a pseudo-terminal, typing each answer in turn
    terminal.py --cuts PROGRAM CASE   through pipes, once for every answer, input cut there

CASE is the program's output with each typed answer written as <<answer>> and followed by
the line end of its Enter key. An answer may list, after a bar, answers that the program
must refuse at that read as not a value of the type asked for: <<1|x|2147483648>>. A last
line "== status N" gives the exit status of the whole dialogue (default 0).

On the terminal, before each answer is typed, the screen must show exactly the text since
the previous answer; a program that waits for input with its prompt still in a buffer fails
here, because the prompt never arrives. After the last answer the rest of the screen must
match, and the program must end with the status given.

With --cuts, the program runs once with the input ending before each answer, and once with
each refused answer in its place. Each such run must write exactly the text up to that read,
then an empty line and "Hibas vagy hianyzo bemenet!", and end with status 3.
"""
import os
import pty
import re
import select
import subprocess
import sys
import time

WAIT = 10  # seconds to wait for text that is due
FAILED_READ = "\nHibas vagy hianyzo bemenet!\n"


def parse(path):
    """The texts due before each answer, the answers with their refused forms, the status."""
    with open(path, encoding="ascii") as case_file:
        screen = case_file.read()
    status = 0
    match = re.search(r"\n== status (\d+)\n$", screen)
    if match:
        status, screen = int(match.group(1)), screen[: match.start() + 1]
    parts = re.split(r"<<(.*?)>>\n", screen)
    answers = [answer.split("|") for answer in parts[1::2]]
    return parts[0::2], answers, status


def show(text):
    return text.decode(errors="replace") if isinstance(text, bytes) else text


def on_terminal(program, dues, answers, status):
    pid, master = pty.fork()
    if pid == 0:
        os.execve(program, [program], {})
    received = b""

    def read_until(length, deadline):
        """Reads until `length` bytes are in, the deadline passes (True) or the program ends (False)."""
        nonlocal received
        while len(received) < length and time.monotonic() < deadline:
            ready, _, _ = select.select([master], [], [], max(0.0, deadline - time.monotonic()))
            if not ready:
                break
            try:
                chunk = os.read(master, 65536)
            except OSError:  # the program has ended and closed the terminal
                return False
            if not chunk:
                return False
            received += chunk.replace(b"\r\n", b"\n")
        return True

    for number, (due, answer) in enumerate(zip(dues, answers), 1):
        due, typed = due.encode(), answer[0].encode()
        read_until(len(due), time.monotonic() + WAIT)
        if received != due:
            return (f"before answer {number} ({answer[0]!r}) is typed, the screen must show its prompt"
                    f"\n--- expected:\n{show(due)}\n--- on the screen:\n{show(received)}")
        received = b""
        os.write(master, typed + b"\n")
        read_until(len(typed) + 1, time.monotonic() + WAIT)  # the terminal echoes answer and Enter
        if received[: len(typed) + 1] != typed + b"\n":
            return f"answer {number} ({answer[0]!r}) is not echoed: {show(received)!r}"
        received = received[len(typed) + 1:]

    due = dues[-1].encode()
    deadline = time.monotonic() + WAIT
    while read_until(len(received) + 1, deadline) and time.monotonic() < deadline:
        pass  # until the program has ended and closed the terminal
    if received != due:
        return f"after the last answer\n--- expected:\n{show(due)}\n--- on the screen:\n{show(received)}"
    _, wait_status = os.waitpid(pid, 0)
    got = os.waitstatus_to_exitcode(wait_status)
    return None if got == status else f"exit status {got}, expected {status}"


def cuts(program, dues, answers):
    failures = []
    for number in range(len(answers)):
        before = "".join(answer[0] + "\n" for answer in answers[:number])
        expected = "".join(dues[: number + 1]) + FAILED_READ
        for last in [""] + [refused + "\n" for refused in answers[number][1:]]:
            run = subprocess.run([program], input=(before + last).encode(), capture_output=True,
                                 env={}, timeout=60)
            where = f"answer {number + 1} " + (f"given as {last.strip()!r}" if last else "missing")
            if run.stdout.decode(errors="replace") != expected or run.returncode != 3 or run.stderr:
                failures.append(f"{where}: status {run.returncode}, expected 3"
                                f"\n--- expected:\n{expected}\n--- written:\n{show(run.stdout)}"
                                + (f"\n--- standard error:\n{show(run.stderr)}" if run.stderr else ""))
    return "\n\n".join(failures) or None


def main():
    arguments = sys.argv[1:]
    cut = arguments[0] == "--cuts"
    program, case_path = arguments[cut:]
    dues, answers, status = parse(case_path)
    failure = cuts(program, dues, answers) if cut else on_terminal(program, dues, answers, status)
    if failure:
        sys.exit(failure)


if __name__ == "__main__":
    main()
