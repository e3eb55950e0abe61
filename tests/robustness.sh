#!/usr/bin/env bash
# Runs a program on COUNT generated inputs (well-formed sessions, the same cut short at a
# random byte, and junk). Each run must end within ten seconds with one of the documented
# exit statuses and nothing on standard error.
#   robustness.sh PROGRAM GENERATOR COUNT
# GENERATOR defines STATUSES (the allowed exit statuses) and a function "session" that prints
# one well-formed session; it may also write files into the program's working directory.
set -u
program=$(realpath "$1") count=$3
source "$2"
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT && cd "$work" || exit 1

junk() {
  local words=(0 1 -1 2 3 7 -0 0.5 1e9 1e400 2147483648 x f B k S ? . -) i
  for ((i = RANDOM % 40; i > 0; i--)); do printf '%s ' "${words[RANDOM % ${#words[@]}]}"; done
  head -c $((RANDOM % 64)) /dev/urandom
}

failures=0
for ((run = 1; run <= count; run++)); do
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
echo "$((count - failures)) passed, $failures failed"
((failures == 0))
