#!/usr/bin/env bash
# Runs a program on COUNT inputs made from the inputs of its own cases (the standard input of
# each transcript case, the answers of each terminal case; their figure files lie beside it):
# one cut short at a random byte, a few of its words swapped for words that are often wrong
# there, or random bytes put in. Each run must end within ten seconds with one of STATUSES
# and nothing on standard error. Run r draws from bash's generator seeded with r, so a failing
# run replays alone: "robustness.sh PROGRAM STATUSES CASES 17 17".
#   robustness.sh PROGRAM STATUSES CASES COUNT [FIRST]
set -u
program=$(realpath "$1") statuses=$2 cases=$(realpath "$3") count=$4 first=${5:-1}
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT && cd "$work" && mkdir seeds || exit 1
awk '/^== / { if (out) close(out); out = ""
              if ($2 == "stdin") out = "seeds/" ++n; else if ($2 == "file") out = $3; next }
     out { print > out }' "$cases"/*.case
for screen in "$cases"/*.term; do
  grep -o '<<[^>]*>>' "$screen" | sed 's/^<<//; s/>>$//; s/|.*//' > "seeds/$(basename "$screen")"
done
seeds=(seeds/*)
words=(0 1 -1 2 3 7 -0 0.5 1e-300 1e400 2147483647 2147483648 x f b K s ? . - figures.txt)

failures=0
for ((run = first; run <= count; run++)); do
  RANDOM=$run
  seed=${seeds[RANDOM % ${#seeds[@]}]}
  size=$(wc -c < "$seed")
  case $((run % 3)) in
    0) head -c $((RANDOM % (size + 1))) "$seed" > input ;;
    1) read -r -d '' -a answer < "$seed"
       for ((i = RANDOM % 3; i >= 0 && ${#answer[@]}; i--)); do
         answer[RANDOM % ${#answer[@]}]=${words[RANDOM % ${#words[@]}]}
       done
       printf '%s\n' "${answer[@]}" > input ;;
    2) at=$((RANDOM % (size + 1)))
       { head -c $at "$seed"
         for ((i = RANDOM % 16 + 1; i > 0; i--)); do printf -v byte '\\%03o' $((RANDOM % 256)) && printf "$byte"; done
         tail -c +$((at + 1)) "$seed"; } > input ;;
  esac
  timeout 10 "$program" < input > output 2> errors
  status=$?
  if [[ " $statuses " != *" $status "* || -s errors ]]; then
    failures=$((failures + 1))
    echo "run $run: exit status $status; input:" && head -c 400 input | od -c | head -n 20 && head -n 20 errors
  fi
done
echo "$((count - first + 1 - failures)) passed, $failures failed"
((failures == 0))
