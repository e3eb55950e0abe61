#!/usr/bin/env bash
# Runs a program on COUNT generated inputs (well-formed sessions, the same cut short at a
# random byte, and junk). Each run must end within ten seconds with one of the documented
# exit statuses and nothing on standard error. Every input is drawn from bash's generator
# seeded with the run's number, so a failing run can be replayed alone: with FIRST, only runs
# FIRST to COUNT are made ("robustness.sh PROGRAM GENERATOR 17 17" replays run 17).
#   robustness.sh PROGRAM GENERATOR COUNT [FIRST]
# GENERATOR defines STATUSES (the allowed exit statuses) and a function "session" that prints
# one well-formed session; it may also write files into the program's working directory.
set -u
program=$(realpath "$1") count=$3 first=${4:-1}
source "$2"
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT && cd "$work" || exit 1

junk() {
  local words=(0 1 -1 2 3 7 -0 0.5 1e9 1e400 2147483648 x f B k S ? . -) i byte
  for ((i = RANDOM % 40; i > 0; i--)); do printf '%s ' "${words[RANDOM % ${#words[@]}]}"; done
  for ((i = RANDOM % 64; i > 0; i--)); do printf -v byte '\\%03o' $((RANDOM % 256)) && printf "$byte"; done
}

failures=0
for ((run = first; run <= count; run++)); do
  RANDOM=$run
  case $((run % 3)) in
    0) session > input ;;
    1) session > whole && head -c $((RANDOM % ($(wc -c < whole) + 1))) whole > input ;;
    2) junk > input ;;
  esac
  timeout 10 "$program" < input > output 2> errors
  status=$?
  if [[ " $STATUSES " != *" $status "* || -s errors ]]; then
    failures=$((failures + 1))
    echo "run $run: exit status $status; input:" && head -c 400 input | od -c | head -n 20 && head -n 20 errors
  fi
done
echo "$((count - first + 1 - failures)) passed, $failures failed"
((failures == 0))
