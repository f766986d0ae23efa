#!/usr/bin/env bash
# Installs what is missing, builds the desktop program alone (not the tests
# and benchmarks, which scripts/test.sh builds) and starts it. Without a
# display the program says so; `xvfb-run bash scripts/run.sh` gives it one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
build=${KELVARA_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=${KELVARA_BUILD_TYPE:-RelWithDebInfo} >/dev/null
cmake --build "$build" --target kelvara -j "$(nproc)"
exec "$build/src/main/kelvara"
