#!/usr/bin/env bash
# Installs the Debian packages Orvex needs to build, run and test, and
# generates the locales the suite also runs under; does nothing when every one
# of them is present. Sourced by run.sh and test.sh.
ORVEX_PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  liberfa-dev libgeographiclib-dev
  clang-14 libclang-rt-14-dev clang-format
  xvfb xauth
  fonts-liberation2
  locales
)
# The Debian package and its checks (scripts/package_check.sh on CI): the
# desktop files' validators, lintian, and the desktop's own view of an
# install by hand (update-desktop-database, gio).
ORVEX_PACKAGES+=(dpkg-dev file desktop-file-utils appstream lintian shared-mime-info libglib2.0-bin)
orvex_install_deps() {
  local missing=()
  for p in "${ORVEX_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -eq 0 ]; then orvex_install_locales; return; fi
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  orvex_install_locales
}
# The decimal-comma locales the suite runs under a second time (test.sh).
ORVEX_LOCALES=(de_DE.UTF-8 fr_FR.UTF-8)
orvex_install_locales() {
  local missing=() l
  for l in "${ORVEX_LOCALES[@]}"; do
    locale -a 2>/dev/null | grep -ix "${l/UTF-8/utf8}" >/dev/null || missing+=("$l")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Generating locales: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  for l in "${missing[@]}"; do
    $sudo sed -i "s/^# *\(${l} UTF-8\)/\1/" /etc/locale.gen
    grep -qx "${l} UTF-8" /etc/locale.gen || echo "${l} UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
  done
  $sudo locale-gen >/dev/null
}
# How many compilers and tests run at once: every core unless ORVEX_JOBS
# says fewer (ORVEX_JOBS=2 scripts/test.sh).
ORVEX_JOBS=${ORVEX_JOBS:-$(nproc)}
orvex_configure() { # orvex_configure BUILD_DIR [cmake options...]
  local dir=$1; shift
  cmake -S "$ORVEX_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
}
