#!/usr/bin/env bash
# Whole-process scale benchmark: times each program on large generated inputs (fixed seed)
# and, in the same run, two floors that read and write the same numbers and bytes: the fast
# floor (bench/fastfloor.cpp: read(2) and write(2) in large blocks, from_chars and to_chars)
# and the stream floor (bench/iofloor.cpp: the standard streams' >> and <<). It prints the
# times, the program's ratio to the fast floor with its goal, and the program's peak memory
# (maximum resident size); and each picture option's cost, as the ratio of the run with it
# to the same run without. Each time is the best of three runs; standard input comes through
# a pipe (the floors read the same pipe, or the figure file) and standard output goes to a
# file. The tests never run this.
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
cmake --build "$build" -j "$(nproc)" --target "${programs[@]}" fastfloor iofloor scale_input > /dev/null
build=$(realpath "$build")
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT

# The seconds of the best of three runs of a command in the current folder, and its largest
# peak memory in MiB.
best_of_three() {
  local best= peak=0 run start end
  for run in 1 2 3; do
    start=$(date +%s%N)
    cat stdin | /usr/bin/time -f %M -o rss "$@" > out
    end=$(date +%s%N)
    ((run == 1 || end - start < best)) && best=$((end - start))
    (($(< rss) > peak)) && peak=$(< rss)
  done
  printf '%d.%03d %d\n' $((best / 1000000000)) $((best / 1000000 % 1000)) $((peak / 1024))
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# Prepares the input of a scenario in a folder of its own and enters it.
prepare() {
  local dir=$work/$1-$2
  mkdir -p "$dir" && cd "$dir"
  "$build/bench/scale_input" "$1" "$2" .
}

row() { printf '%-30s %9s %9s %7s %5s %9s %8s\n' "$@"; }

# One row: the program against both floors on the same scenario.
against_floor() {  # PROGRAM SCENARIO N GOAL
  local program=$1 pattern ints doubles input program_time memory fast stream fill
  prepare "$2" "$3"
  read -r pattern ints doubles input < floor
  [[ $input == stdin ]] && input=  # the floors read the pipe, as the program does
  read -r program_time memory < <(best_of_three "${limit[@]}" "$build/$program/$program")
  local bytes
  bytes=$(wc -c < out)
  "$build/bench/fastfloor" "$pattern" "$ints" "$doubles" 0 $input < stdin > out
  fill=$((bytes - $(wc -c < out)))
  read -r fast _ < <(best_of_three "${limit[@]}" "$build/bench/fastfloor" "$pattern" "$ints" "$doubles" "$fill" $input)
  read -r stream _ < <(best_of_three "${limit[@]}" "$build/bench/iofloor" "$pattern" "$ints" "$doubles" "$fill" $input)
  row "$2 $3" "$program_time" "$fast" "$(ratio "$program_time" "$fast")" "$4" "$stream" "$memory"
}

# One row: the program on one scenario against the same program on another.
against_scenario() {  # PROGRAM SCENARIO BASE N GOAL
  local program=$1 time base_time memory
  prepare "$2" "$4"
  read -r time memory < <(best_of_three "$build/$program/$program")
  prepare "$3" "$4"
  read -r base_time _ < <(best_of_three "$build/$program/$program")
  row "$2 / ${3#*-} $4" "$time" "$base_time" "$(ratio "$time" "$base_time")" "$5" "" "$memory"
}

# One row: the program drawing its picture against the same run without it.
with_picture() {  # PROGRAM SCENARIO N OPTION GOAL
  local program=$1 time base_time memory
  prepare "$2" "$3"
  read -r base_time _ < <(best_of_three "${limit[@]}" "$build/$program/$program")
  read -r time memory < <(best_of_three "${limit[@]}" "$build/$program/$program" "$4" picture)
  local bytes
  bytes=$(wc -c < picture)
  row "$2 $4 $3" "$time" "$base_time" "$(ratio "$time" "$base_time")" "$5" "" "$memory"
  echo "  (the picture: $((bytes / 1000000)) MB)"
}

row "scenario n" "program s" "fast s" "ratio" "goal" "stream s" "peak MiB"
limit=()
for program in "${programs[@]}"; do
  case $program in
    nearshape)
      against_floor nearshape nearshape-mixed 1000000 1.5
      with_picture nearshape nearshape-mixed 1000000 --svg 4
      against_scenario nearshape nearshape-huge nearshape-triangles 20000 2 ;;
    setcalc)
      for n in 10000 100000 1000000; do against_floor setcalc setcalc "$n" 1.5; done ;;
    branchwork)
      limit=(bash -c 'ulimit -s 256 && exec "$@"' limited)
      for order in ascending descending random; do
        for n in 10000 100000 1000000; do
          against_floor branchwork "branchwork-$order" "$n" 1.5
        done
      done
      with_picture branchwork branchwork-random 1000000 --dot 3
      limit=() ;;
    *) echo "unknown program: $program" >&2; exit 64 ;;
  esac
done
