#!/usr/bin/env bash
# The star fix's bench side by side with an earlier commit's code, in one run.
#
#   scripts/bench_star_fix_versus.sh [COMMIT] [ROUNDS]
#
# Builds the libraries of COMMIT (default: the merge base with main's first
# parent, i.e. the code before this branch) in a folder of its own under
# build-versus/, with today's bench/star_fix_bench.cpp, and this tree's bench
# in build/. Then runs the two benches in turn ROUNDS times (default 5), so
# that both meet the same load, and prints for each case the best time of
# either and their ratio (today / then). Needs the tree configured in build/
# with ORVEX_BUILD_BENCH=ON.
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
commit="${1:-$(git -C "$here" merge-base HEAD main)}"
rounds="${2:-5}"
then_dir="$here/build-versus/$(git -C "$here" rev-parse --short "$commit")"

if [ ! -x "$then_dir/build/bin/orvex_bench" ]; then
    rm -rf "$then_dir"
    mkdir -p "$then_dir"
    git -C "$here" archive "$commit" | tar -x -C "$then_dir"
    cp "$here/bench/star_fix_bench.cpp" "$then_dir/bench/star_fix_bench.cpp"
    cmake -S "$then_dir" -B "$then_dir/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DORVEX_SANITIZE=OFF -DORVEX_BUILD_TESTS=OFF -DORVEX_BUILD_BENCH=ON -DORVEX_WERROR=OFF \
        ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} \
        >/dev/null
    cmake --build "$then_dir/build" --parallel 3 --target orvex_bench >/dev/null
fi
cmake --build "$here/build" --parallel 3 --target orvex_bench >/dev/null

filter='BM_ComputeStarFix'
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
for round in $(seq "$rounds"); do
    for side in then now; do
        bin="$here/build/bin/orvex_bench"
        [ "$side" = then ] && bin="$then_dir/build/bin/orvex_bench"
        "$bin" --benchmark_filter="$filter" --benchmark_min_time=0.5 \
            --benchmark_format=csv 2>/dev/null | grep '^"BM_' >>"$out/$side.csv"
    done
done

# Best real time per case on each side, microseconds.
best() {
    awk -F, '{gsub(/"/, "", $1); t = $3 + 0; if (!($1 in m) || t < m[$1]) m[$1] = t}
             END {for (k in m) printf "%s %.1f\n", k, m[k]}' "$1" | sort
}
best "$out/then.csv" >"$out/then.txt"
best "$out/now.csv" >"$out/now.txt"
printf '%-40s %10s %10s %7s\n' case "then us" "now us" ratio
join "$out/then.txt" "$out/now.txt" |
    awk '{printf "%-40s %10.1f %10.1f %7.3f\n", $1, $2, $3, $3 / $2}'
