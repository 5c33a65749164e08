#!/usr/bin/env bash
# Runs clang-tidy with .clang-tidy over the sources of src/, tools/ and bench/,
# using the compile commands of the build in $TIDY_BUILD (default build-tidy/,
# made here; an existing build of scripts/test.sh serves as well: TIDY_BUILD=build).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
build=$root/${TIDY_BUILD:-build-tidy}
[ -d "$build" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake -S "$root" -B "$build" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
# The generated sources (moc, resources) must exist for the includes.
cmake --build "$build" -j"$(nproc)" >/dev/null
cd "$root"
git ls-files 'src/*.cpp' 'tools/*.cpp' 'bench/*.cpp' |
  xargs -P"$(nproc)" -n4 clang-tidy -p "$build" --quiet "$@"
