#!/usr/bin/env python3
"""Runs a program on a pseudo-terminal and types each answer only once its prompt shows.

    terminal.py PROGRAM CASE

CASE is the screen as the user sees it: the program's output, with each typed answer written
as <<answer>> followed by the line end of its Enter key. Before each answer is typed, the
screen must show exactly the expected text since the previous answer; a program that waits
for input with its prompt still in a buffer fails here, because the prompt never arrives.
After the last answer the rest of the screen must match and the program must end with
status 0, or with the status of a last line "== status N".
"""
import os
import pty
import re
import select
import sys
import time

WAIT = 10  # seconds to wait for text that is due


def fail(message, expected, seen):
    sys.exit(f"{message}\n--- expected:\n{expected}\n--- on the screen:\n{seen}")


def main():
    program, case_path = sys.argv[1], sys.argv[2]
    with open(case_path, encoding="ascii") as case_file:
        screen = case_file.read()
    status = 0
    match = re.search(r"\n== status (\d+)\n$", screen)
    if match:
        status, screen = int(match.group(1)), screen[: match.start() + 1]
    # Alternating: text due, answer, text due, answer, ..., the text after the last answer.
    parts = re.split(r"<<(.*?)>>\n", screen)

    pid, master = pty.fork()
    if pid == 0:
        os.execve(program, [program], {})
    received = b""

    def read_until(length, deadline):
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

    for index in range(0, len(parts) - 1, 2):
        due, answer = parts[index].encode(), parts[index + 1].encode()
        read_until(len(due), time.monotonic() + WAIT)
        if received != due:
            fail(f"before answer {index // 2 + 1} ({answer.decode()!r}) is typed,"
                 " the screen must show its prompt", due.decode(), received.decode(errors="replace"))
        received = b""
        os.write(master, answer + b"\n")
        # The terminal echoes the answer and its Enter.
        read_until(len(answer) + 1, time.monotonic() + WAIT)
        if received[: len(answer) + 1] != answer + b"\n":
            fail("the typed answer is not echoed", answer.decode(), received.decode(errors="replace"))
        received = received[len(answer) + 1:]

    due = parts[-1].encode()
    deadline = time.monotonic() + WAIT
    while read_until(len(received) + 1, deadline) and time.monotonic() < deadline:
        pass  # until the program has ended and closed the terminal
    if received != due:
        fail("after the last answer", due.decode(), received.decode(errors="replace"))
    _, wait_status = os.waitpid(pid, 0)
    got = os.waitstatus_to_exitcode(wait_status)
    if got != status:
        sys.exit(f"exit status {got}, expected {status}")


if __name__ == "__main__":
    main()
