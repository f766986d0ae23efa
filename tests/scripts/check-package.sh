#!/usr/bin/env bash
# Packages the given build with scripts/package.sh and checks the package as
# Debian and the desktops would: lintian (errors and warnings fail), the
# desktop entry and the AppStream metadata through their validators, the
# file list and the control fields.
#   check-package.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1
build=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

for tool in cpack dpkg-deb dpkg-shlibdeps lintian desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/install-deps.sh installs it)"; exit 1; }
done

deb=$(bash "$source_dir/scripts/package.sh" "$build" "$scratch/out" | tail -n 1)
echo "package: $(basename "$deb")"
dpkg-deb -x "$deb" "$scratch/root"

echo "== lintian"
# Informational tags are shown but do not fail.
status=0
lintian --fail-on error,warning --display-info "$deb" >"$scratch/lintian.log" 2>&1 || status=$?
grep -v 'running with root privileges' "$scratch/lintian.log" || true
[ $status -eq 0 ] || fail "lintian reports errors or warnings"

echo "== desktop-file-validate"
desktop-file-validate "$scratch/root/usr/share/applications/kelvara.desktop" || fail "desktop entry"

echo "== appstreamcli validate"
appstreamcli validate --no-net "$scratch"/root/usr/share/metainfo/*.metainfo.xml || fail "AppStream metadata"

echo "== files"
contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for path in ./usr/bin/kelvara ./usr/bin/kelvara-calc ./usr/share/applications/kelvara.desktop \
            ./usr/share/icons/hicolor/16x16/apps/kelvara.png ./usr/share/icons/hicolor/32x32/apps/kelvara.png \
            ./usr/share/icons/hicolor/48x48/apps/kelvara.png ./usr/share/metainfo/be.kelvara.KelvaraLE.metainfo.xml \
            ./usr/share/man/man1/kelvara.1.gz ./usr/share/man/man1/kelvara-calc.1.gz \
            ./usr/share/doc/kelvara-le/copyright ./usr/share/doc/kelvara-le/changelog.gz; do
  grep -qxF "$path" <<<"$contents" || fail "not in the package: $path"
done
# The metainfo names the desktop entry it describes.
grep -q '<launchable type="desktop-id">kelvara.desktop</launchable>' \
  "$scratch/root/usr/share/metainfo/be.kelvara.KelvaraLE.metainfo.xml" || fail "metainfo does not launch kelvara.desktop"
# The packaged command line runs.
"$scratch/root/usr/bin/kelvara-calc" --version | grep -qx 'kelvara-calc [0-9.]*' || fail "packaged kelvara-calc --version"

echo "== control"
dpkg-deb -f "$deb" Package Version Architecture Depends Recommends
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = kelvara-le ] || fail "Package"
version=$(sed -n 's/^project(KelvaraLE VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
[ -n "$version" ] && [ "$(field Version)" = "$version" ] || fail "Version is not the project's $version"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture"
depends=$(field Depends)
for library in libqt6widgets6 libqt6core6 libqt6network6 libjpeg; do
  grep -q "\\b$library" <<<"$depends" || fail "Depends lacks $library"
done

[ $failed -eq 0 ] && echo "ok"
exit $failed
