#!/usr/bin/env bash
# Fails when a C++ file that git tracks differs from what .clang-format makes
# of it, and names the files; `clang-format -i FILE` mends one.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || "$PWD/scripts/deps.sh"
mapfile -t files < <(git ls-files '*.cpp' '*.h')
unformatted=()
for f in "${files[@]}"; do
  clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || unformatted+=("$f")
done
if [ ${#unformatted[@]} -gt 0 ]; then
  printf 'Not formatted as .clang-format says:\n' >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
