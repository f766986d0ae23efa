#!/bin/sh
# kelvara-calc's result files and pipes: one file named twice is refused
# before any work, a failed export replaces no file and leaves no temporary
# file, and a closed pipe is a lost output (status 4, one line).
calc=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failed=0
fail() {
  echo "$*"
  failed=1
}
run="--date 2026-06-21 --time 12:00"

# The same file under one name, two spellings and a link.
ln -s "$dir" "$dir/link"
for pair in "$dir/f.csv $dir/f.csv" "$dir/f.csv $dir/./f.csv" "$dir/f.csv $dir/link/f.csv"; do
  set -- $pair
  echo old >"$dir/f.csv"
  # shellcheck disable=SC2086 # the arguments are split on purpose
  "$calc" $run --curve "$1" --profiles "$2" >/dev/null 2>"$dir/err"
  status=$?
  [ $status -eq 2 ] || fail "same file $pair: status $status"
  grep -q "same file" "$dir/err" || fail "same file $pair: $(cat "$dir/err")"
  [ "$(cat "$dir/f.csv")" = old ] || fail "same file $pair: the file was replaced"
done

# The profiles (about 1.1 MB) outgrow the file size limit (EFBIG, like a
# full disk) while the curve (about 430 kB) fits: neither file is replaced,
# no temporary file is left.
echo old >"$dir/curve.csv"
echo old >"$dir/profiles.csv"
(
  trap '' XFSZ
  ulimit -f 1000
  exec "$calc" $run --curve "$dir/curve.csv" --profiles "$dir/profiles.csv" >/dev/null 2>"$dir/err"
)
status=$?
[ $status -eq 2 ] || fail "export too large: status $status, $(cat "$dir/err")"
[ "$(cat "$dir/curve.csv")" = old ] || fail "export too large: the curve was replaced"
[ "$(cat "$dir/profiles.csv")" = old ] || fail "export too large: the profiles were replaced"
ls "$dir" | grep -q '\.csv\.' && fail "export too large: temporary files left: $(ls "$dir")"

# Both written when all goes well.
"$calc" $run --curve "$dir/curve.csv" --profiles "$dir/profiles.csv" >/dev/null 2>"$dir/err" \
  || fail "export: $(cat "$dir/err")"
[ "$(head -c 3 "$dir/curve.csv")" != old ] && [ "$(head -c 3 "$dir/profiles.csv")" != old ] \
  || fail "export: a file was not replaced"

# A reader that stops after one line.
printf 'thickness,laying_temp,reopen_temp,wind,cloud,date,time\n' >"$dir/rows.csv"
i=0
while [ $i -lt 200 ]; do
  printf '5,170,30,feeble,clear,2026-06-21,12:00\n' >>"$dir/rows.csv"
  i=$((i + 1))
done
{ "$calc" --batch <"$dir/rows.csv" 2>"$dir/err"; echo $? >"$dir/status"; } | head -n 1 >/dev/null
status=$(cat "$dir/status")
[ "$status" = 4 ] || fail "closed pipe: status $status"
[ "$(cat "$dir/err")" = "kelvara-calc: cannot write to standard output" ] || fail "closed pipe: $(cat "$dir/err")"
exit $failed
