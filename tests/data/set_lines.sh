# The line writers of the set file scripts: CR LF line ends and the fixed columns of the format.
# Sourced by make_golden_sets.sh and damaged/make_damaged_sets.sh.
line() { printf '%s\r\n' "$1"; }
empty_line() { printf '\r\n'; }
# Title line: title in 64 columns, subgroup names in 8 each, padded with blanks.
title() { printf '%-64s%-8s%-8s\r\n' "$1" "${2:-}" "${3:-}"; }
# Names right-justified in 10 columns, all on one line (callers pass at most 8).
names() {
  for n in "$@"; do printf '%10s' "$n"; done
  printf '\r\n'
}
