# Sourced by the timing scripts of bench/.

# The median of the numbers on standard input.
median() {
  sort -n | awk '{ v[NR] = $1 }
    END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Median, minimum and maximum of the numbers on standard input, which are in
# the unit given as the argument.
summary() {
  local values
  values=$(sort -n)
  printf 'median %g %s  (min %g, max %g, %d runs)\n' "$(median <<<"$values")" "$1" \
    "$(head -1 <<<"$values")" "$(tail -1 <<<"$values")" "$(wc -l <<<"$values")"
}
