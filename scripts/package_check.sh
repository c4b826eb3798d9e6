#!/usr/bin/env bash
# The program as a distribution builds and ships it: a Release build of the
# whole suite, the desktop files checked by their validators, the Debian
# package made by CPack, unpacked into a scratch root and started there, from
# its own files only. Run by scripts/test.sh on CI; by hand:
#   scripts/package_check.sh        (build-release/, then orvex_<version>_<arch>.deb in it)
set -euo pipefail
ORVEX_ROOT=$(cd "$(dirname "$0")/.." && pwd)
source "$ORVEX_ROOT/scripts/deps.sh"
orvex_install_deps
export QT_QPA_PLATFORM=offscreen
BUILD="$ORVEX_ROOT/build-release"

echo "== Release build and suite"
orvex_configure "$BUILD" -DCMAKE_BUILD_TYPE=Release -DORVEX_BUILD_TESTS=ON -DORVEX_BUILD_BENCH=OFF
cmake --build "$BUILD" --parallel "$(nproc)"
ctest --test-dir "$BUILD" --output-on-failure --parallel "$(nproc)"

echo "== Desktop entry and AppStream metadata"
desktop-file-validate "$ORVEX_ROOT/data/desktop/org.orvex.orvex.desktop"
appstreamcli validate --no-net "$ORVEX_ROOT/data/desktop/org.orvex.orvex.metainfo.xml"

echo "== Debian package"
rm -f "$BUILD"/orvex_*.deb
(cd "$BUILD" && cpack -G DEB >/dev/null)
debs=("$BUILD"/orvex_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "no single orvex_*.deb in $BUILD" >&2; exit 1; }
deb=${debs[0]}
echo "$(basename "$deb"): $(dpkg-deb -f "$deb" Depends)"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || { echo "Depends lacks the Qt libraries" >&2; exit 1; }
scripts=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -Ev '^\./$|^\./(control|md5sums)$' || true)
[ -z "$scripts" ] || { echo "unexpected control files: $scripts" >&2; exit 1; }

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/org.orvex.orvex.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.orvex.orvex.metainfo.xml"

echo "== The unpacked program, from its own files"
# The installed-tree test runs from the unpacked bin/, as orvex does: it
# reads the documents and Planet.dat of the unpacked tree and computes the
# sample fix. Then orvex itself starts offscreen with the sample and must
# still be running after a few seconds, having shown no message (a missing
# document or a refused file would have one).
cp "$BUILD/bin/installed_tree_test" "$root/usr/bin/"
"$root/usr/bin/installed_tree_test"
rm "$root/usr/bin/installed_tree_test"
home="$root/home"
mkdir -p "$home"
set +e
HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config" \
  XDG_CACHE_HOME="$home/.cache" timeout 8 "$root/usr/bin/orvex" \
  "$root/usr/share/orvex/Observations/08Dec26A.obs" 2>"$root/stderr"
rc=$?
set -e
# Offscreen, a message box is written to standard error as "[title] text";
# only the splash may say it was not shown.
if [ $rc -ne 124 ] || grep -v '^\[dialog frmSplash\] not shown offscreen$' "$root/stderr" | grep -q '^\['; then
  echo "the unpacked orvex ended with $rc, or spoke:" >&2
  cat "$root/stderr" >&2
  exit 1
fi
echo "package check passed: $(basename "$deb")"
