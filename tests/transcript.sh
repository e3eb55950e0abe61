#!/usr/bin/env bash
# Runs one transcript case: the exact standard output and exit status must match, and
# standard error (where sanitizers and valgrind report) must be as expected: empty unless
# the case gives it.
#   transcript.sh PROGRAM CASE [valgrind]
# A case is a sequence of sections, each begun by a line "== HEADER" (lines before the first
# describe the case): "stdin", "stdout", "stderr" (literal bodies), "stdin-sh", "stdout-sh",
# "stderr-sh" (bodies are scripts that print them), "file NAME" (a file in the program's
# working directory), "after-sh" (a script run there after the program, which must succeed:
# it looks at the files the run left), "run-sh" (a script that starts the program, "$@", in a
# way of its own: standard output elsewhere, a signal sent), "args WORDS" (the program's
# arguments), "status N", "ulimit ARGS", "plain-only" (for a case under an address-space
# limit, which the sanitizers can't run in: skipped when sanitized, saying why), "valgrind"
# (also run so), and "table":
# each line of its body is a row, and the case runs once per row, with the row in the
# variable "row" of the scripts ("$row" among the arguments stands for its words).
set -u
program=$(realpath "$1") case_file=$(realpath "$2") mode=${3:-plain}
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT && cd "$work" && mkdir run || exit 1
awk '/^== / { n++; print substr($0, 4) > "headers"; printf "" > n; next } n { print > n }' "$case_file"

status=0 limits=() arguments= n=0 launcher=() stdin_sh= stdout_sh= stderr_sh= after_sh= run_sh=() rows=("")
: > stdin && : > expected && : > expected_errors
while read -r kind arg; do
  n=$((n + 1))
  case $kind in
    stdin) mv $n stdin ;;
    stdin-sh) stdin_sh=$n ;;
    stdout) mv $n expected ;;
    stdout-sh) stdout_sh=$n ;;
    stderr) mv $n expected_errors ;;
    stderr-sh) stderr_sh=$n ;;
    after-sh) after_sh=$work/$n ;;
    run-sh) run_sh=(bash "$work/$n") ;;
    file) mv $n "run/$arg" ;;
    args) arguments=$arg ;;
    status) status=$arg ;;
    ulimit) read -r -a limits <<< "$arg" ;;
    table) mapfile -t rows < $n ;;
    plain-only) [[ ${SANITIZED:-OFF} == ON ]] && { echo "address-space-limit cases need the plain build"; exit 77; } ;;
    valgrind) ;;
    *) echo "unknown section '== $kind $arg'"; exit 1 ;;
  esac
done < headers
[[ $mode == valgrind ]] &&
  launcher=(valgrind -q --leak-check=full --show-leak-kinds=all --errors-for-leak-kinds=all --error-exitcode=99)

failed=0
for row in "${rows[@]}"; do
  export row
  [[ -z $stdin_sh ]] || bash $stdin_sh > stdin || exit 1
  [[ -z $stdout_sh ]] || bash $stdout_sh > expected || exit 1
  [[ -z $stderr_sh ]] || bash $stderr_sh > expected_errors || exit 1
  read -r -a args <<< "${arguments//\$row/$row}"
  (cd run && { ((${#limits[@]} == 0)) || ulimit "${limits[@]}"; } &&
    exec env -i ${GLIBC_TUNABLES:+GLIBC_TUNABLES=$GLIBC_TUNABLES} row="$row" timeout 60 "${run_sh[@]}" "${launcher[@]}" "$program" "${args[@]}") < stdin > actual 2> errors
  got=$?
  ok=1
  cmp -s expected actual || { ok=0; echo "standard output differs (- expected, + actual):"
    diff -u --label expected --label actual expected actual; }
  [[ $got == "$status" ]] || { ok=0; echo "exit status $got, expected $status"; }
  cmp -s expected_errors errors || { ok=0; echo "standard error differs (- expected, + actual):"
    diff -u --label expected --label actual expected_errors errors | head -n 40; }
  [[ -z $after_sh ]] || (cd run && bash "$after_sh") || { ok=0; echo "the files left are not as expected:"; ls -lA run; }
  ((ok)) || { failed=1; [[ -z $row ]] || echo "(in the row '$row')"; }
done
((failed == 0))
