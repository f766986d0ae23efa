#!/usr/bin/env bash
# Builds the Debian package kelvara-le_<version>_<arch>.deb and prints its
# path on the last line.
#   package.sh                     Release build of the programs alone (no
#                                  tests, no benchmarks) in build-pkg/, package
#                                  written there
#   package.sh BUILD_DIR [OUT_DIR] package an existing build as it is (the
#                                  packaging test reuses the test build so)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
# Files and folders in the package readable by all, writable by root alone,
# whatever the caller's umask.
umask 022

if [ $# -ge 1 ]; then
  build=$(cd "$1" && pwd)
else
  build=${KELVARA_PACKAGE_BUILD_DIR:-$root/build-pkg}
  # Debian's hardening: fortified functions, read-only relocations bound at
  # start.
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKELVARA_BUILD_GUI=ON \
    -DKELVARA_BUILD_TESTS=OFF -DKELVARA_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
  cmake --build "$build" -j "$(nproc)"
fi
out=${2:-$build}
mkdir -p "$out"
out=$(cd "$out" && pwd)

[ -f "$build/CPackConfig.cmake" ] || { echo "no package configuration in $build (a build with the desktop program makes one)" >&2; exit 1; }
# The staging area is emptied first: a file left from an earlier run must not
# end up in the package.
rm -rf "$out/_CPack_Packages"
(cd "$out" && cpack -G DEB --config "$build/CPackConfig.cmake" >"$out/cpack.log" 2>&1) || {
  cat "$out/cpack.log" >&2
  exit 1
}
package=$(sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' "$out/cpack.log")
[ -f "$package" ] || { echo "cpack made no package (log $out/cpack.log)" >&2; exit 1; }
echo "$package"
