# Random nearshape sessions: P, then figures typed at the keyboard or read from a figure file
# (sometimes missing, empty, short of records or with huge side numbers). No command
# substitution, so every draw comes from the run's seeded generator.
STATUSES="0 1 2 3"
number() { local sign=; ((RANDOM % 4)) || sign=-; printf '%s%d.%d ' "$sign" $((RANDOM % 50)) $((RANDOM % 10)); }
sides() { if ((RANDOM % 10)); then printf '%d ' $((RANDOM % 12 - 3)); else printf '2147483647 '; fi; }
session() {
  local count=$((RANDOM % 6)) i name=figures.txt
  number; number
  if ((RANDOM % 2)); then
    echo $((count - RANDOM % 2)) > figures.txt
    for ((i = 0; i < count - RANDOM % 2; i++)); do sides; number; number; number; echo; done >> figures.txt
    ((RANDOM % 8)) || name=missing.txt
    printf 'q\nf\n%s\n' "$name"
  else
    printf 'b\n%d\n' $count
    for ((i = 0; i < count; i++)); do
      if ((RANDOM % 2)); then echo K; else printf 's '; sides; number; echo; fi
      number; echo; number; number
    done
  fi
}
