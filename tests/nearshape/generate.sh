# Random nearshape sessions: P, then figures typed at the keyboard or read from a figure file
# (sometimes missing, empty, short of records or with huge side numbers).
STATUSES="0 1 2 3"
number() { printf '%s%d.%d ' "$( ((RANDOM % 4)) || echo -)" $((RANDOM % 50)) $((RANDOM % 10)); }
sides() { ((RANDOM % 10)) && echo $((RANDOM % 12 - 3)) || echo 2147483647; }
session() {
  local count=$((RANDOM % 6)) i
  number; number
  if ((RANDOM % 2)); then
    echo $((count - RANDOM % 2)) > figures.txt
    for ((i = 0; i < count - RANDOM % 2; i++)); do echo "$(sides) $(number) $(number) $(number)"; done >> figures.txt
    printf 'q\nf\n%s\n' "$( ((RANDOM % 8)) && echo figures.txt || echo missing.txt)"
  else
    printf 'b\n%d\n' $count
    for ((i = 0; i < count; i++)); do
      ((RANDOM % 2)) && echo K || echo "s $(sides) $(number)"
      number; echo; number; number
    done
  fi
}
