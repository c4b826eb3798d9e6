#!/usr/bin/env bash
# The program as a newcomer and a distribution build it: the README's install
# by hand, word for word, into a scratch home folder (on a machine without
# the test suite's oracles); then, in the same build folder, the Release
# build of the whole suite, which must print no warning, and its run; the
# desktop files checked by their validators; the Debian package made by
# CPack, checked by lintian, unpacked into a scratch root and started there,
# from its own files only, with the program's own version. Run by
# scripts/test.sh on CI; by hand:
#   scripts/package_check.sh        (build-release/, then orvex_<version>_<arch>.deb in it)
set -euo pipefail
ORVEX_ROOT=$(cd "$(dirname "$0")/.." && pwd)
source "$ORVEX_ROOT/scripts/deps.sh"
orvex_install_deps
export QT_QPA_PLATFORM=offscreen
BUILD="$ORVEX_ROOT/build-release"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
  echo "package check FAILED: $*" >&2
  exit 1
}
# A build's output holds no warning, the compiler's or CMake's. (Only what
# was compiled is checked: a fresh build folder, as on CI, compiles all.)
no_warnings() { # no_warnings LOG WHAT
  if grep -Eq 'warning:|CMake Warning' "$1"; then
    grep -E -B2 -A6 'warning:|CMake Warning' "$1" | head -n 80 >&2
    fail "$2 printed $(grep -Ec 'warning:|CMake Warning' "$1") warning(s)"
  fi
  if grep -q '^ninja: no work to do' "$1"; then echo "$2: up to date, nothing compiled"; fi
}
# The indented command block number N of the README's section "## Install".
readme_block() {
  awk -v want="$1" '
    /^## / { inside = ($0 == "## Install"); next }
    !inside { next }
    /^    / { if (!inblock) { n++; inblock = 1 } if (n == want) print substr($0, 5); next }
    /[^ ]/ { inblock = 0 }' "$ORVEX_ROOT/README.md"
}

echo "== The README's install by hand, as written there"
install_cmds=$(readme_block 1)
remove_cmds=$(readme_block 2)
for c in "cmake -S . -B build-release" "cmake --install build-release" update-mime-database \
  update-desktop-database; do
  grep -qF -- "$c" <<<"$install_cmds" || fail "the README's install lacks \"$c\": $install_cmds"
done
grep -qF install_manifest.txt <<<"$remove_cmds" || fail "the README's removal: $remove_cmds"
# The commands run as they stand, from the sources' folder, in a home folder
# of their own (their ~/.local is scratch), as a newcomer on a machine with
# Qt but without the suite's ERFA and GeographicLib (pkg-config finds
# nothing). The configure starts from the defaults, not from the options of
# an earlier run of this script; `nproc` answers ORVEX_JOBS.
home="$scratch/home"
mkdir -p "$home" "$scratch/no-pkgconfig"
rm -f "$BUILD/CMakeCache.txt"
as_newcomer() { # as_newcomer COMMANDS: runs them in the scratch home
  (
    cd "$ORVEX_ROOT"
    nproc() { echo "$ORVEX_JOBS"; }
    export -f nproc
    env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_DATA_DIRS -u XDG_CONFIG_DIRS \
      HOME="$home" XDG_CACHE_HOME="$home/.cache" PKG_CONFIG_LIBDIR="$scratch/no-pkgconfig" \
      CMAKE_GENERATOR=Ninja bash -euo pipefail -c "$1"
  )
}
as_newcomer "$install_cmds" >"$scratch/install.log" 2>&1 ||
  { tail -n 40 "$scratch/install.log" >&2; fail "the README's install"; }
cp "$scratch/install.log" "$BUILD/install-by-hand.log"
grep -qx 'ORVEX_BUILD_TESTS:BOOL=OFF' "$BUILD/CMakeCache.txt" || fail "the install build has the tests on"
if grep -Eq '^(ERFA|GEOGRAPHICLIB|GTest)_' "$BUILD/CMakeCache.txt"; then
  fail "the install build asked for a test library"
fi
no_warnings "$scratch/install.log" "the README's Release build of the program"
[ -x "$home/.local/bin/orvex" ] || fail "no ~/.local/bin/orvex"

# What the desktop asks through GIO: the type of an observations file (the
# MIME database) and the program that opens it (the desktop entries; GIO
# takes only those whose program is on the PATH, where a login puts
# ~/.local/bin).
gio_home() {
  env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_DATA_DIRS HOME="$home" \
    PATH="$home/.local/bin:$PATH" gio "$@"
}
type=$(gio_home info -a standard::content-type "$home/.local/share/orvex/Observations/08Dec26A.obs")
grep -q 'standard::content-type: application/x-orvex-observations$' <<<"$type" ||
  fail "GIO takes the installed sample for: $type"
opener=$(gio_home mime application/x-orvex-observations)
head -n 1 <<<"$opener" | grep -q ': org\.orvex\.orvex\.desktop$' ||
  fail "GIO opens observations files with: $opener"
echo "GIO: $(head -n 1 <<<"$opener")"

as_newcomer "$remove_cmds" >"$scratch/remove.log" 2>&1 ||
  { cat "$scratch/remove.log" >&2; fail "the README's removal"; }
# Left: only the databases the desktop keeps of every program's files.
left=$(cd "$home/.local" && find . -type f ! -path './share/mime/*' \
  ! -path './share/applications/mimeinfo.cache' | sort)
[ -z "$left" ] || fail "the README's removal left: $left"
[ ! -e "$home/.local/share/orvex" ] || fail "the README's removal left share/orvex"
gio_home mime application/x-orvex-observations | grep -q org.orvex.orvex &&
  fail "GIO still knows Orvex after the removal"
echo "install by hand, the desktop's view of it and its removal: as the README says"

echo "== Release build and suite"
orvex_configure "$BUILD" -DCMAKE_BUILD_TYPE=Release -DORVEX_BUILD_TESTS=ON -DORVEX_BUILD_BENCH=OFF \
  2>"$scratch/configure.log" || { cat "$scratch/configure.log" >&2; fail "configure"; }
no_warnings "$scratch/configure.log" "the Release configure"
cmake --build "$BUILD" --parallel "$ORVEX_JOBS" >"$BUILD/release-build.log" 2>&1 ||
  { grep -E -A12 'FAILED|error' "$BUILD/release-build.log" | head -n 80 >&2; fail "the Release build"; }
no_warnings "$BUILD/release-build.log" "the Release build of the suite"
echo "Release build: no warning"
ctest --test-dir "$BUILD" --output-on-failure --parallel "$ORVEX_JOBS"

echo "== Desktop entry and AppStream metadata"
desktop-file-validate "$ORVEX_ROOT/data/desktop/org.orvex.orvex.desktop"
appstreamcli validate --no-net "$ORVEX_ROOT/data/desktop/org.orvex.orvex.metainfo.xml"

echo "== Debian package"
rm -f "$BUILD"/orvex_*.deb
(cd "$BUILD" && cpack -G DEB >/dev/null)
debs=("$BUILD"/orvex_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single orvex_*.deb in $BUILD"
deb=${debs[0]}
echo "$(basename "$deb"): $(dpkg-deb -f "$deb" Depends)"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "Depends lacks the Qt libraries"
scripts=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -Ev '^\./$|^\./(control|md5sums)$' || true)
[ -z "$scripts" ] || fail "unexpected control files: $scripts"
# Every tag of error or warning level fails; lintian's note that it runs as
# root is not one of them.
lintian --fail-on error,warning --display-level '>=warning' "$deb" >"$scratch/lintian.log" 2>&1 ||
  { cat "$scratch/lintian.log" >&2; fail "lintian"; }
if grep -Eq '^[EW]: ' "$scratch/lintian.log"; then cat "$scratch/lintian.log" >&2; fail "lintian"; fi
echo "lintian: no error, no warning"

root=$(mktemp -d)
trap 'rm -rf "$scratch" "$root"' EXIT
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/org.orvex.orvex.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.orvex.orvex.metainfo.xml"
# The changelog and the manual page name the package's version.
version=$(dpkg-deb -f "$deb" Version)
zcat "$root/usr/share/doc/orvex/changelog.gz" | head -n 1 | grep -qF "orvex ($version) " ||
  fail "the changelog's last entry is not version $version"
zcat "$root/usr/share/man/man1/orvex.1.gz" | grep -q "^\.TH ORVEX 1 .*\"Orvex $version\"" ||
  fail "the manual page is not of version $version"

echo "== The unpacked program, from its own files"
# The installed-tree test runs from the unpacked bin/, as orvex does: it
# reads the documents and Planet.dat of the unpacked tree, computes the
# sample fix, and shows the package's version (ORVEX_PACKAGE_VERSION) as
# the splash and the reports do. Then orvex itself starts offscreen with the
# sample and must still be running after a few seconds, having shown no
# message (a missing document or a refused file would have one).
cp "$BUILD/bin/installed_tree_test" "$root/usr/bin/"
ORVEX_PACKAGE_VERSION="$version" "$root/usr/bin/installed_tree_test"
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
