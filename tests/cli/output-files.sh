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

# A target that is a directory, a FIFO or a device is refused before any
# work, and the other file named is not replaced.
mkdir "$dir/adir"
mkfifo "$dir/fifo"
# The device through a link: a program that wrongly renamed over its target
# replaces the link, never the system's device (the tests may run as root).
ln -s /dev/null "$dir/device"
for target in "$dir/adir:directory" "$dir/fifo:FIFO" "$dir/device:device"; do
  path=${target%:*}
  echo old >"$dir/curve.csv"
  "$calc" $run --curve "$dir/curve.csv" --profiles "$path" >/dev/null 2>"$dir/err"
  status=$?
  [ $status -eq 2 ] || fail "target $path: status $status"
  [ "$(wc -l <"$dir/err")" -eq 1 ] && grep -q "cannot write \"$path\": it is a ${target##*:}" "$dir/err" \
    || fail "target $path: $(cat "$dir/err")"
  [ "$(cat "$dir/curve.csv")" = old ] || fail "target $path: the curve was replaced"
done
[ -d "$dir/adir" ] && [ -p "$dir/fifo" ] && [ -L "$dir/device" ] || fail "a refused target was replaced"
rm -f "$dir/curve.csv"

# A link is written through to its file, and stays a link; a link to a file
# not there yet creates it.
echo old >"$dir/real.csv"
ln -s real.csv "$dir/tolink.csv"
ln -s "$dir/new.csv" "$dir/dangling.csv"
"$calc" $run --curve "$dir/tolink.csv" --profiles "$dir/dangling.csv" >/dev/null 2>"$dir/err" \
  || fail "links: $(cat "$dir/err")"
[ -L "$dir/tolink.csv" ] && [ -L "$dir/dangling.csv" ] || fail "links: a link was replaced"
head -n 1 "$dir/real.csv" | grep -q '^elapsed_seconds,' || fail "links: the curve did not reach the file"
head -n 1 "$dir/new.csv" | grep -q '^elapsed_seconds,' || fail "links: the profiles did not reach the file"
rm -f "$dir/real.csv" "$dir/new.csv" "$dir/tolink.csv" "$dir/dangling.csv"

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
