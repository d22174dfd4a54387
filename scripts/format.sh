#!/usr/bin/env bash
# Checks that every C++ source of the programs, tests and benchmarks is
# formatted as .clang-format says, naming each file that is not (check, the
# default), or formats them in place (fix). The golden files are program
# output and the firmware sources in data/ are the controller's own: both
# are left as they are.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
mode=${1:-check}
case "$mode" in check|fix) ;; *) echo "usage: scripts/format.sh [check|fix]" >&2; exit 2 ;; esac

cd "$here"
mapfile -t files < <(git ls-files -- bench cli core gui launcher picture tests \
  | grep -E '\.(cpp|h)$' | grep -v '^tests/golden/')
if [ "$mode" = fix ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
bad=()
for f in "${files[@]}"; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if [ ${#bad[@]} -ne 0 ]; then
  printf 'not formatted: %s\n' "${bad[@]}" >&2
  echo "scripts/format.sh fix formats them (clang-format $(clang-format --version | grep -o '[0-9][0-9.]*' | head -1))" >&2
  exit 1
fi
echo "formatting: ${#files[@]} files as .clang-format says"
