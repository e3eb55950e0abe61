#!/usr/bin/env bash
# Runs one transcript case against a program and compares the exact standard output and
# the exit status; standard error must stay empty (sanitizers and valgrind report there).
#
#   transcript.sh PROGRAM CASE [valgrind]
#
# A case file is a sequence of sections, each started by a line "== HEADER" (lines before
# the first one describe the case):
#   == stdin | == stdin-sh       the standard input, literally or as a script that prints it
#   == stdout | == stdout-sh     the expected standard output, likewise
#   == file NAME                 a file the program finds in its working directory
#   == status N                  the expected exit status
#   == ulimit ARGS               limits set before the program starts, e.g. "-s 256"
#   == plain-only                the case is skipped in a sanitized build
#   == valgrind                  the case is also run under valgrind
set -u
program=$1 case_file=$2 mode=${3:-plain}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/sections" "$work/run"

awk -v dir="$work/sections" '
  /^== / { n++; file = sprintf("%s/%03d", dir, n); print substr($0, 4) > (dir "/headers"); printf "" > file; next }
  n { print > file }
' "$case_file"

status=0 limits=() n=0
: > "$work/stdin"
: > "$work/expected"
while IFS= read -r header; do
  n=$((n + 1))
  body=$(printf '%s/sections/%03d' "$work" "$n")
  read -r kind arg <<< "$header"
  case $kind in
    stdin) cp "$body" "$work/stdin" ;;
    stdin-sh) bash "$body" > "$work/stdin" || exit 1 ;;
    stdout) cp "$body" "$work/expected" ;;
    stdout-sh) bash "$body" > "$work/expected" || exit 1 ;;
    file) cp "$body" "$work/run/$arg" ;;
    status) status=$arg ;;
    ulimit) read -r -a limits <<< "$arg" ;;
    plain-only) [[ ${SANITIZED:-OFF} == ON ]] && exit 77 ;;
    valgrind) ;;
    *) echo "unknown section '== $header' in $case_file"; exit 1 ;;
  esac
done < "$work/sections/headers"

launcher=()
if [[ $mode == valgrind ]]; then
  launcher=(valgrind -q --leak-check=full --show-leak-kinds=all --errors-for-leak-kinds=all --error-exitcode=99)
fi
(
  cd "$work/run" || exit 1
  if ((${#limits[@]})); then ulimit "${limits[@]}" || exit 1; fi
  exec timeout 60 "${launcher[@]}" "$program"
) < "$work/stdin" > "$work/actual" 2> "$work/errors"
actual_status=$?

ok=1
if ! cmp -s "$work/expected" "$work/actual"; then
  ok=0
  echo "standard output differs (- expected, + actual):"
  diff -u --label expected --label actual "$work/expected" "$work/actual"
fi
if [[ $actual_status != "$status" ]]; then
  ok=0
  echo "exit status $actual_status, expected $status"
fi
if [[ -s $work/errors ]]; then
  ok=0
  echo "standard error is not empty:"
  head -n 40 "$work/errors"
fi
((ok)) && exit 0 || exit 1
