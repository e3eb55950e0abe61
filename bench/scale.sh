#!/usr/bin/env bash
# Whole-process scale benchmark: times each program on large generated inputs (fixed seed)
# and, in the same run, the I/O floor on the same numbers (bench/iofloor.cpp), and prints
# the times and their ratios. Each time is the best of three runs; standard input comes
# through a pipe and standard output goes to a file. The tests never run this.
#   bench/scale.sh [nearshape] [setcalc] [branchwork]      (default: all three)
# BUILD names the build folder (default build/bench, configured here if needed).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build/bench}
programs=("$@")
((${#programs[@]})) || programs=(nearshape setcalc branchwork)
for program in "${programs[@]}"; do
  case $program in
    nearshape | setcalc | branchwork) ;;
    *) echo "scale.sh: no program named \"$program\"; the programs are nearshape, setcalc and branchwork" >&2; exit 64 ;;
  esac
done
[[ -f $build/CMakeCache.txt ]] ||
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DBUILD_BENCHMARKS=ON > /dev/null
cmake --build "$build" -j "$(nproc)" --target "${programs[@]}" iofloor scale_input > /dev/null
build=$(realpath "$build")
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT

# Seconds taken by the best of three runs of a command, in the current folder.
best_of_three() {
  local best= run start end
  for run in 1 2 3; do
    start=$(date +%s%N)
    cat stdin | "$@" > out
    end=$(date +%s%N)
    ((run == 1 || end - start < best)) && best=$((end - start))
  done
  printf '%d.%03d' $((best / 1000000000)) $((best / 1000000 % 1000))
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# Prepares the input of a scenario in a folder of its own and enters it.
prepare() {
  local dir=$work/$1-$2
  mkdir -p "$dir" && cd "$dir"
  "$build/bench/scale_input" "$1" "$2" .
}

# One row: the program against the I/O floor on the same scenario.
against_floor() {  # PROGRAM SCENARIO N GOAL
  local program=$1 pattern ints doubles input program_time floor_time fill
  prepare "$2" "$3"
  read -r pattern ints doubles input < floor
  program_time=$(best_of_three "${limit[@]}" "$build/$program/$program")
  local bytes
  bytes=$(wc -c < out)
  "$build/bench/iofloor" "$pattern" "$ints" "$doubles" 0 "$input" < /dev/null > out
  fill=$((bytes - $(wc -c < out)))
  floor_time=$(best_of_three "${limit[@]}" "$build/bench/iofloor" "$pattern" "$ints" "$doubles" "$fill" "$input")
  printf '%-34s %9s %9s %7s %6s\n' "$2 $3" "$program_time" "$floor_time" "$(ratio "$program_time" "$floor_time")" "$4"
}

# One row: the program on one scenario against the same program on another.
against_scenario() {  # PROGRAM SCENARIO BASE N GOAL
  local program=$1 time base_time
  prepare "$2" "$4"
  time=$(best_of_three "$build/$program/$program")
  prepare "$3" "$4"
  base_time=$(best_of_three "$build/$program/$program")
  printf '%-34s %9s %9s %7s %6s\n' "$2 / ${3#*-} $4" "$time" "$base_time" "$(ratio "$time" "$base_time")" "$5"
}

printf '%-34s %9s %9s %7s %6s\n' "scenario n" "program s" "floor s" "ratio" "goal"
limit=()
for program in "${programs[@]}"; do
  case $program in
    nearshape)
      against_floor nearshape nearshape-mixed 1000000 1.5
      against_scenario nearshape nearshape-huge nearshape-triangles 20000 2 ;;
    setcalc)
      for n in 10000 100000 1000000; do against_floor setcalc setcalc "$n" 1.5; done ;;
    branchwork)
      limit=(bash -c 'ulimit -s 256 && exec "$@"' limited)
      for order in ascending descending random; do
        for n in 10000 100000 1000000; do
          against_floor branchwork "branchwork-$order" "$n" "$([[ $order == random ]] && echo 3 || echo 2)"
        done
      done
      limit=() ;;
    *) echo "unknown program: $program" >&2; exit 64 ;;
  esac
done
