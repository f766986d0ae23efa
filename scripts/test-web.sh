#!/usr/bin/env bash
# The web page's exactness test: every link's result-json in headless
# Chromium against kelvara-calc --json on the same options. Needs
# build-web/site (scripts/build-web.sh) and build/src/cli/kelvara-calc;
# installs Debian's chromium if it is missing. Then the page used as on a
# phone (web-drive.py): typed fields, a forecast file, a lift, the plan.
set -euo pipefail
cd "$(dirname "$0")/.."
calc=$(realpath "${1:-build/src/cli/kelvara-calc}")

if ! command -v chromium >/dev/null; then
    echo "test-web: installing chromium" >&2
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends chromium >/dev/null
fi
[ -f build-web/site/index.html ] || { echo "test-web: no build-web/site: run scripts/build-web.sh" >&2; exit 2; }
[ -x "$calc" ] || { echo "test-web: no $calc: build kelvara-calc" >&2; exit 2; }
status=0
python3 scripts/web-compare.py build-web/site "$calc" || status=1
python3 scripts/web-drive.py build-web/site "$calc" || status=1
exit $status
