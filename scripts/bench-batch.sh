#!/usr/bin/env bash
# Times a 10 000-row batch on every core against the same batch held to one
# core (taskset), three runs each, wall clock. Rows cover every thickness,
# class and hour over a year, as a planning file would.
#   scripts/bench-batch.sh [path/to/kelvara-calc]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
calc=${1:-$root/build/src/cli/kelvara-calc}
rows=${KELVARA_BENCH_ROWS:-10000}
input=$(mktemp)
trap 'rm -f "$input"' EXIT
winds=(feeble moderate strong)
clouds=(clear partial covered)
{
  echo "thickness,laying_temp,reopen_temp,wind,cloud,date,time"
  for ((n = 0; n < rows; n++)); do
    printf '%s,170,30,%s,%s,%s,%02d:00\n' "$(awk "BEGIN{print 1.5 + 0.5 * ($n % 14)}")" \
      "${winds[n % 3]}" "${clouds[n / 3 % 3]}" "$(date -d "2026-01-01 + $((n % 365)) days" +%F)" $((n % 24))
  done
} >"$input"

wall() {
  local start end
  start=$(date +%s.%N)
  "$@" --batch <"$input" >/dev/null
  end=$(date +%s.%N)
  echo "$end - $start" | bc
}
for label in "every core" "one core"; do
  runner=()
  [ "$label" = "one core" ] && runner=(taskset -c 0)
  times=()
  for _ in 1 2 3; do
    times+=("$(wall "${runner[@]}" "$calc")")
  done
  printf '%-10s %s s (runs: %s)\n' "$label" "$(printf '%s\n' "${times[@]}" | sort -n | head -1)" "${times[*]}"
done
