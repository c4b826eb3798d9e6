#!/usr/bin/env bash
# Installs what is missing, builds Orvex and runs the whole test suite.
# With CI set, the layout of the sources is checked first (.clang-format,
# scripts/check_format.sh), the suite runs a second time under
# AddressSanitizer (with LeakSanitizer) and UndefinedBehaviorSanitizer, and
# each fuzz target of tests/fuzz runs for 20 seconds (scripts/fuzz.sh), and
# a Release build (as a distribution configures it) runs the suite, makes the
# Debian package and starts the program from the package's unpacked tree
# (scripts/package_check.sh).
set -euo pipefail
ORVEX_ROOT=$(cd "$(dirname "$0")/.." && pwd)
source "$ORVEX_ROOT/scripts/deps.sh"
orvex_install_deps
export QT_QPA_PLATFORM=offscreen

if [ -n "${CI:-}" ]; then
  bash "$ORVEX_ROOT/scripts/check_format.sh"
fi

orvex_configure "$ORVEX_ROOT/build" -DORVEX_SANITIZE=OFF -DORVEX_BUILD_TESTS=ON -DORVEX_BUILD_BENCH=ON -DORVEX_WERROR=ON
cmake --build "$ORVEX_ROOT/build" --parallel "$(nproc)"
ctest --test-dir "$ORVEX_ROOT/build" --output-on-failure --parallel "$(nproc)"
# Again under a decimal-comma locale, as a user in Germany runs the program:
# fixes, reports and saved files must not change but for the separator.
LC_ALL=de_DE.UTF-8 ctest --test-dir "$ORVEX_ROOT/build" --output-on-failure --parallel "$(nproc)"

if [ -n "${CI:-}" ] || [ -n "${ORVEX_SANITIZE:-}" ]; then
  orvex_configure "$ORVEX_ROOT/build-asan" -DORVEX_SANITIZE=ON -DORVEX_BUILD_TESTS=ON -DORVEX_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug -DORVEX_WERROR=ON
  cmake --build "$ORVEX_ROOT/build-asan" --parallel "$(nproc)"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$ORVEX_ROOT/build-asan" --output-on-failure --parallel "$(nproc)"
  bash "$ORVEX_ROOT/scripts/fuzz.sh" 20
fi

if [ -n "${CI:-}" ]; then
  bash "$ORVEX_ROOT/scripts/package_check.sh"
fi
