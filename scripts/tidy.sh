#!/usr/bin/env bash
# Runs clang-tidy with .clang-tidy over the sources of src/, tools/ and bench/,
# using the compile commands of a build in build-tidy/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build-tidy" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
# The generated sources (moc, resources) must exist for the includes.
cmake --build "$root/build-tidy" -j"$(nproc)" --target all >/dev/null
cd "$root"
git ls-files 'src/*.cpp' 'tools/*.cpp' 'bench/*.cpp' |
  xargs -P"$(nproc)" -n4 clang-tidy -p build-tidy --quiet "$@"
