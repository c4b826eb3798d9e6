#!/usr/bin/env bash
# Checks that every C++ file of the project is laid out as .clang-format says.
# Lists the files that are not and fails; `scripts/check_format.sh --fix`
# reformats them in place instead.
set -euo pipefail
ORVEX_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ORVEX_ROOT"
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
bad=()
for f in "${files[@]}"; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if [ ${#bad[@]} -gt 0 ]; then
  echo "Not laid out as .clang-format says (scripts/check_format.sh --fix mends them):"
  printf '  %s\n' "${bad[@]}"
  exit 1
fi
echo "Formatting: ${#files[@]} files as .clang-format says."
