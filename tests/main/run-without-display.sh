#!/usr/bin/env bash
# Starts the built program with an emptied environment (no display, no
# platform chosen) and checks that it ends at once with a non-zero status and
# one line on standard error that points to the command line.
#   run-without-display.sh PROGRAM
set -euo pipefail
program=$1
err=$(mktemp)
trap 'rm -f "$err"' EXIT

# The sanitizers' settings, when the build has them, are kept.
keep=()
for name in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
  [ -n "${!name:-}" ] && keep+=("$name=${!name}")
done

status=0
timeout 30 env -i "${keep[@]}" "$program" </dev/null >/dev/null 2>"$err" || status=$?
echo "status $status, standard error:"
cat "$err"

lines=$(wc -l <"$err")
[ "$lines" -eq 1 ] || { echo "FAIL: $lines lines on standard error, expected 1"; exit 1; }
grep -q 'graphical session' "$err" || { echo "FAIL: the line does not say a graphical session is needed"; exit 1; }
grep -q 'kelvara-calc' "$err" || { echo "FAIL: the line does not point to kelvara-calc"; exit 1; }
# Non-zero, but an ordinary exit: not a signal (128 + n) nor the time-out (124).
[ "$status" -ne 0 ] && [ "$status" -lt 124 ] || { echo "FAIL: exit status $status"; exit 1; }
echo "ok"
