#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build=${KELVARA_BUILD_DIR:-$root/build}
if [ -x "$build/src/main/kelvara" ]; then
  exec "$build/src/main/kelvara"
fi
# Until the desktop program exists: the command line with the start values.
exec "$build/src/cli/kelvara-calc" --thickness 5.0 --laying-temp 170.0 --reopen-temp 30.0 \
  --wind feeble --cloud clear
