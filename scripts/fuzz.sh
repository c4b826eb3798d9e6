#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz/ and runs each for the given
# number of seconds (default 20). Each target's corpus grows in
# build-fuzz/corpus/<target>, seeded from the program's sample files and
# documents; a crash leaves its input in build-fuzz/artifacts/ and fails
# the script.
#   scripts/fuzz.sh [seconds]
set -euo pipefail
ORVEX_ROOT=$(cd "$(dirname "$0")/.." && pwd)
SECONDS_EACH=${1:-20}
BUILD="$ORVEX_ROOT/build-fuzz"
source "$ORVEX_ROOT/scripts/deps.sh"
orvex_install_deps
export QT_QPA_PLATFORM=offscreen

CC=clang-14 CXX=clang++-14 cmake -S "$ORVEX_ROOT" -B "$BUILD" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVEX_FUZZ=ON -DORVEX_WERROR=ON >/dev/null
cmake --build "$BUILD" --parallel "$ORVEX_JOBS"

DATA="$ORVEX_ROOT/data/files"
SEEDS="$ORVEX_ROOT/tests/fuzz/seeds"
declare -A SEED_DIRS=(
  [observation_file]="$DATA/Observations"
  [rtf_reader]="$DATA $ORVEX_ROOT/tests/platform/fixtures"
  [number_texts]="$SEEDS/number_texts"
  [saturn_series]="$DATA"
  [geometry]="$SEEDS/geometry"
)
declare -A PATTERN=(
  [observation_file]='*.obs' [rtf_reader]='*.rtf' [number_texts]='*'
  [saturn_series]='Planet.dat' [geometry]='*'
)
mkdir -p "$BUILD/artifacts"
for t in observation_file rtf_reader number_texts saturn_series geometry; do
  corpus="$BUILD/corpus/$t"
  mkdir -p "$corpus"
  for d in ${SEED_DIRS[$t]}; do
    find "$d" -maxdepth 1 -type f -name "${PATTERN[$t]}" -exec cp -n {} "$corpus/" \;
  done
  echo "== fuzz_$t: ${SECONDS_EACH} s, $(ls "$corpus" | wc -l) inputs in the corpus"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "$BUILD/bin/fuzz_$t" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
      -max_len=100000 -print_final_stats=1 -artifact_prefix="$BUILD/artifacts/$t-" \
      "$corpus" 2>"$BUILD/fuzz_$t.log" ||
    { tail -n 60 "$BUILD/fuzz_$t.log"; echo "fuzz_$t found a fault; run it again with: $BUILD/bin/fuzz_$t $BUILD/artifacts/$t-*"; exit 1; }
  grep -E 'stat::number_of_executed_units|stat::new_units_added' "$BUILD/fuzz_$t.log" | tr '\n' ' '
  echo
done
echo "fuzzing: 5 targets, ${SECONDS_EACH} s each, no fault found"
