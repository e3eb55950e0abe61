#!/usr/bin/env bash
# Runs one transcript case: the exact standard output and exit status must match, and
# standard error (where sanitizers and valgrind report) must stay empty.
#   transcript.sh PROGRAM CASE [valgrind]
# A case is a sequence of sections, each begun by a line "== HEADER" (lines before the first
# describe the case): "stdin", "stdout" (literal bodies), "stdin-sh", "stdout-sh" (bodies are
# scripts that print them), "file NAME" (a file in the program's working directory),
# "status N", "ulimit ARGS", "plain-only" (skipped when sanitized), "valgrind" (also run so).
set -u
program=$(realpath "$1") case_file=$(realpath "$2") mode=${3:-plain}
suppressions=$(realpath "$(dirname "$0")/valgrind.supp")
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT && cd "$work" && mkdir run || exit 1
awk '/^== / { n++; print substr($0, 4) > "headers"; printf "" > n; next } n { print > n }' "$case_file"

status=0 limits=() n=0 launcher=()
: > stdin && : > expected
while read -r kind arg; do
  n=$((n + 1))
  case $kind in
    stdin) mv $n stdin ;;
    stdin-sh) bash $n > stdin || exit 1 ;;
    stdout) mv $n expected ;;
    stdout-sh) bash $n > expected || exit 1 ;;
    file) mv $n "run/$arg" ;;
    status) status=$arg ;;
    ulimit) read -r -a limits <<< "$arg" ;;
    plain-only) [[ ${SANITIZED:-OFF} == ON ]] && exit 77 ;;
    valgrind) ;;
    *) echo "unknown section '== $kind $arg'"; exit 1 ;;
  esac
done < headers
[[ $mode == valgrind ]] &&
  launcher=(valgrind -q --leak-check=full --show-leak-kinds=all --errors-for-leak-kinds=all --error-exitcode=99
            --suppressions="$suppressions")

(cd run && { ((${#limits[@]} == 0)) || ulimit "${limits[@]}"; } && exec env -i timeout 60 "${launcher[@]}" "$program") \
  < stdin > actual 2> errors
got=$?
cmp -s expected actual ||
  { echo "standard output differs (- expected, + actual):"; diff -u --label expected --label actual expected actual; }
[[ $got == "$status" ]] || echo "exit status $got, expected $status"
[[ -s errors ]] && { echo "standard error is not empty:"; head -n 40 errors; }
cmp -s expected actual && [[ $got == "$status" && ! -s errors ]]
