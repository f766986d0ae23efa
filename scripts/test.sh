#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test with ctest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build=${KELVARA_BUILD_DIR:-$root/build}
# The whole suite under C, then under the users' regional settings and zone:
# a decimal comma in a file, or a good file refused, shows only there.
echo "== tests under LANG=LC_ALL=C.UTF-8"
LANG=C.UTF-8 LC_ALL=C.UTF-8 ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
for l in fr_BE.UTF-8 nl_BE.UTF-8; do
  echo "== tests under LANG=LC_ALL=$l, TZ=Europe/Brussels"
  LANG=$l LC_ALL=$l TZ=Europe/Brussels ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
done
# The web page: the same core in WebAssembly, every link's answer against
# the command line's.
echo "== web page"
bash "$root/scripts/build-web.sh"
bash "$root/scripts/test-web.sh" "$build/src/cli/kelvara-calc"
