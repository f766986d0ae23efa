#!/bin/sh
# kelvara-calc over a standard output that cannot be written, a full device
# or a closed descriptor: exit status 4 and one line on standard error,
# whatever the mode.
calc=$1
plan=$(mktemp)
trap 'rm -f "$plan"' EXIT
printf 'thickness,laying_temp,reopen_temp,wind,cloud,date,time\n5,170,30,feeble,clear,2026-06-21,12:00\n' >"$plan"
failed=0
for args in "--help" "--version" "--date 2026-06-21 --time 12:00" "--json --date 2026-06-21 --time 12:00" \
    "--batch" "--json --speed"; do
  for target in full closed; do
    # shellcheck disable=SC2086 # the arguments are split on purpose
    if [ $target = full ]; then
      err=$("$calc" $args <"$plan" 2>&1 >/dev/full)
    else
      err=$("$calc" $args <"$plan" 2>&1 >&-)
    fi
    status=$?
    last=$(printf '%s\n' "$err" | tail -n 1)
    if [ $status -ne 4 ] || [ "$last" != "kelvara-calc: cannot write to standard output" ]; then
      echo "$target output, $args: status $status, standard error: $err"
      failed=1
    fi
  done
done
exit $failed
