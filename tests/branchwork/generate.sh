# Random well-formed branchwork sessions: a count (now and then after a refused negative one),
# that many values, an answer (now and then after one below 1), a leaf and a search value.
STATUSES="0 3"

session() {
  local count=$((RANDOM % 16)) i
  ((RANDOM % 4)) || echo $((-1 - RANDOM % 5))
  echo "$count"
  for ((i = 0; i < count; i++)); do echo $((RANDOM % 21 - 10)); done
  ((RANDOM % 4)) || echo $((-(RANDOM % 3)))
  echo $((1 + RANDOM % 4)) $((RANDOM % 21 - 10)) $((RANDOM % 21 - 10))
}
