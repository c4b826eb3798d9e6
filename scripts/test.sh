#!/usr/bin/env bash
# Installs what is missing, builds Orvex and runs the whole test suite.
# With CI set, the layout of the sources is checked first (.clang-format,
# scripts/check_format.sh), the suite runs a second time under
# AddressSanitizer (with LeakSanitizer) and UndefinedBehaviorSanitizer, and
# each fuzz target of tests/fuzz runs for 20 seconds (scripts/fuzz.sh), and
# the README's install by hand and a Release build (as a distribution
# configures it) run, the suite runs on the latter, and the Debian package is
# made, checked by lintian and started from its unpacked tree
# (scripts/package_check.sh). ORVEX_JOBS=n builds and tests with n jobs
# instead of one per core.
set -euo pipefail
ORVEX_ROOT=$(cd "$(dirname "$0")/.." && pwd)
source "$ORVEX_ROOT/scripts/deps.sh"
orvex_install_deps
export QT_QPA_PLATFORM=offscreen

if [ -n "${CI:-}" ]; then
  bash "$ORVEX_ROOT/scripts/check_format.sh"
fi

orvex_configure "$ORVEX_ROOT/build" -DORVEX_SANITIZE=OFF -DORVEX_BUILD_TESTS=ON -DORVEX_BUILD_BENCH=ON -DORVEX_WERROR=ON
cmake --build "$ORVEX_ROOT/build" --parallel "$ORVEX_JOBS"
ctest --test-dir "$ORVEX_ROOT/build" --output-on-failure --parallel "$ORVEX_JOBS"
# Again under a decimal-comma locale, as a user in Germany runs the program:
# fixes, reports and saved files must not change but for the separator.
LC_ALL=de_DE.UTF-8 ctest --test-dir "$ORVEX_ROOT/build" --output-on-failure --parallel "$ORVEX_JOBS"

if [ -n "${CI:-}" ] || [ -n "${ORVEX_SANITIZE:-}" ]; then
  orvex_configure "$ORVEX_ROOT/build-asan" -DORVEX_SANITIZE=ON -DORVEX_BUILD_TESTS=ON -DORVEX_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug -DORVEX_WERROR=ON
  cmake --build "$ORVEX_ROOT/build-asan" --parallel "$ORVEX_JOBS"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$ORVEX_ROOT/build-asan" --output-on-failure --parallel "$ORVEX_JOBS"
  bash "$ORVEX_ROOT/scripts/fuzz.sh" 20
fi

if [ -n "${CI:-}" ]; then
  bash "$ORVEX_ROOT/scripts/package_check.sh"
fi
