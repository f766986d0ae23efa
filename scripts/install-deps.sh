#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the checks need.
# Idempotent: does nothing when everything is already there.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-translations-l10n libgl-dev
  qt6-charts-dev libqt6opengl6-dev poppler-utils
  libjpeg-dev libtbb-dev nlohmann-json3-dev
  libgtest-dev libbenchmark-dev
  fonts-liberation xvfb xauth xdotool
  dpkg-dev file lintian desktop-file-utils appstream
  locales
)
# The users' regional settings, under which the tests also run: a locale that
# is not generated silently falls back to C and hides their faults.
locales=(fr_BE nl_BE)
if [ "${KELVARA_CHECK_TOOLS:-0}" = 1 ]; then
  packages+=(clang libclang-rt-14-dev clang-tidy clang-format cppcheck valgrind)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

for l in "${locales[@]}"; do
  if ! locale -a 2>/dev/null | grep -qx "$l.utf8"; then
    echo "Generating the locale $l.UTF-8"
    "${sudo_cmd[@]}" localedef -i "$l" -f UTF-8 "$l.UTF-8"
  fi
done
