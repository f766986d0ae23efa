#!/usr/bin/env bash
# Builds the web page: the Qt-free libraries compiled to WebAssembly and the
# page around them, in build-web/site/ (opens from file://, any static host).
# KELVARA_WEB_JOBS sets the parallel compile jobs (default 2).
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v emcmake >/dev/null; then
    echo "build-web: installing emscripten" >&2
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends emscripten >/dev/null
fi

# Debian's emscripten finds its JavaScript parser (node-acorn) where
# Debian's Node.js looks; another Node.js must be told.
if [ -d /usr/share/nodejs ]; then
    export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
fi

start=$(date +%s)
# -fwasm-exceptions: the readers and the engine report refusals by exceptions,
# which emscripten otherwise turns into an abort.
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS="-fwasm-exceptions" >/dev/null
cmake --build build-web -j"${KELVARA_WEB_JOBS:-2}" --target kelvara_web

site=build-web/site
rm -rf "$site"
mkdir -p "$site"
python3 scripts/web-texts.py src/languages/LanguageTexts.cpp src/languages/AnalysisTexts.cpp >build-web/texts.js
# One script: the texts, the engine with its module, the page's code.
cat build-web/texts.js build-web/src/web/kelvara-engine.js src/web/site/app.js >"$site/kelvara.js"
cp src/web/site/index.html src/web/site/style.css "$site/"
echo "build-web: $site written in $(($(date +%s) - start)) s" >&2
