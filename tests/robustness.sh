#!/usr/bin/env bash
# Random-input robustness test: runs a program on COUNT generated standard inputs (well-formed
# sessions, the same cut short at a random byte, and junk). Every run must end within ten
# seconds with one of the program's documented exit statuses and an empty standard error.
#
#   robustness.sh PROGRAM GENERATOR COUNT
#
# GENERATOR is a bash file defining STATUSES (the allowed exit statuses) and a function
# "session" that prints one well-formed session to standard output; it may also write files
# into the current directory, which is the program's working directory.
set -u
program=$1 generator=$2 count=$3
source "$generator"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

junk() {
  local words=(0 1 -1 2 3 7 -0 0.5 1e9 1e400 2147483648 x f B k S ? . - "" "$RANDOM" "-$RANDOM")
  local i
  for ((i = RANDOM % 40; i > 0; i--)); do
    printf '%s%s' "${words[RANDOM % ${#words[@]}]}" "$( ((RANDOM % 3)) && echo ' ' || echo)"
  done
  head -c $((RANDOM % 64)) /dev/urandom
}

failures=0
for ((run = 1; run <= count; run++)); do
  RANDOM=$run
  case $((run % 3)) in
    0) session > input ;;
    1) session > whole; head -c $((RANDOM % ($(wc -c < whole) + 1))) whole > input ;;
    2) junk > input ;;
  esac
  timeout 10 "$program" < input > output 2> errors
  status=$?
  if [[ " $STATUSES " != *" $status "* || -s errors ]]; then
    failures=$((failures + 1))
    echo "run $run: exit status $status; input (first 400 bytes):"
    head -c 400 input | od -c | head -n 20
    head -n 20 errors
  fi
done
echo "$((count - failures)) passed, $failures failed"
((failures == 0))
