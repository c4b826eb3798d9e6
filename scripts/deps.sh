#!/usr/bin/env bash
# Installs the Debian packages Orvex needs to build, run and test; does nothing
# when every one of them is present. Sourced by run.sh and test.sh.
ORVEX_PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  liberfa-dev libgeographiclib-dev
  clang-14 libclang-rt-14-dev clang-format
  xvfb xauth
  fonts-liberation2
)
# The Debian package and the checks of the desktop files (scripts/test.sh on CI).
ORVEX_PACKAGES+=(dpkg-dev file desktop-file-utils appstream)
orvex_install_deps() {
  local missing=()
  for p in "${ORVEX_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
orvex_configure() { # orvex_configure BUILD_DIR [cmake options...]
  local dir=$1; shift
  cmake -S "$ORVEX_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
}
