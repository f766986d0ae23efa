#!/bin/sh
# The README's kelvara-calc examples that show their output print exactly
# that output: an indented command line (continued by a trailing
# backslash) followed by indented lines that are not commands or comments.
calc=$1
readme=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
# One file per example: its command, then its expected output.
awk -v dir="$dir" '
  function finish() {
    if (command != "" && expected != "") {
      n++
      printf "%s\n", command > (dir "/" n ".cmd")
      printf "%s", expected > (dir "/" n ".out")
      close(dir "/" n ".cmd"); close(dir "/" n ".out")
    }
    command = ""; expected = ""; continued = 0
  }
  /^    / {
    line = substr($0, 5)
    if (continued) { sub(/^ +/, "", line); command = command " " line }
    else if (line ~ /^build\/src\/cli\/kelvara-calc /) { finish(); command = line }
    else if (command != "" && line !~ /^#/) { expected = expected line "\n"; next }
    else { finish(); next }
    continued = sub(/ \\$/, "", command)
    next
  }
  { finish() }
  END { finish(); print n + 0 > (dir "/count") }
' "$readme"
count=$(cat "$dir/count")
[ "$count" -ge 2 ] || { echo "only $count examples with their output found in $readme"; exit 1; }
failed=0
i=1
while [ "$i" -le "$count" ]; do
  command=$(cat "$dir/$i.cmd")
  # shellcheck disable=SC2086 # the README's arguments are split as a shell would
  set -- ${command#build/src/cli/kelvara-calc }
  "$calc" "$@" >"$dir/$i.got" 2>&1
  if ! cmp -s "$dir/$i.out" "$dir/$i.got"; then
    echo "README example differs: $command"
    diff "$dir/$i.out" "$dir/$i.got"
    failed=1
  fi
  i=$((i + 1))
done
echo "$count README examples checked"
exit $failed
