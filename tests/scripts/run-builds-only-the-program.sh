#!/usr/bin/env bash
# scripts/run.sh must build the desktop program alone, not the tests and
# benchmarks, and then start it. Runs a copy of the script against a cmake
# stand-in that records its calls (and "builds" a program that only says it
# started) and an install step that does nothing.
#   run-builds-only-the-program.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

mkdir -p "$scratch/root/scripts" "$scratch/bin"
cp "$source_dir"/scripts/*.sh "$scratch/root/scripts/"
printf '#!/bin/sh\nexit 0\n' >"$scratch/root/scripts/install-deps.sh"
cat >"$scratch/bin/cmake" <<'STUB'
#!/usr/bin/env bash
echo "cmake $*" >>"$KELVARA_TEST_LOG"
if [ "$1" = --build ]; then
  mkdir -p "$2/src/main"
  printf '#!/bin/sh\necho started\n' >"$2/src/main/kelvara"
  chmod +x "$2/src/main/kelvara"
fi
STUB
chmod +x "$scratch/bin/cmake"

export KELVARA_TEST_LOG=$scratch/cmake.log
output=$(PATH="$scratch/bin:$PATH" KELVARA_BUILD_DIR="$scratch/build" bash "$scratch/root/scripts/run.sh")
cat "$KELVARA_TEST_LOG"

builds=$(grep -c '^cmake --build' "$KELVARA_TEST_LOG" || true)
[ "$builds" -ge 1 ] || { echo "FAIL: nothing built"; exit 1; }
if grep '^cmake --build' "$KELVARA_TEST_LOG" | grep -v -- '--target kelvara\( \|$\)'; then
  echo "FAIL: a build of more than the program"
  exit 1
fi
[ "$output" = started ] || { echo "FAIL: the program was not started (output: $output)"; exit 1; }
echo "ok"
