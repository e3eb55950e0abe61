# Random well-formed setcalc sessions for the robustness test: set and element counts may fall
# below their minimum (statuses 1 and 2); cut-short sessions and junk end with status 3.
STATUSES="0 1 2 3"
values=(0 -0 1 -1 2.5 -2.5 0.1 0.10000001 1e6 1e-05 3 7)

session() {
  local sets=$((RANDOM % 6 - 1)) s e count
  echo "$sets"
  for ((s = 1; s <= sets; s++)); do
    echo $((count = RANDOM % 9 - 1))
    for ((e = 1; e <= count; e++)); do echo "${values[RANDOM % ${#values[@]}]}"; done
  done
  echo "${values[RANDOM % ${#values[@]}]} ${values[RANDOM % ${#values[@]}]}"
}
