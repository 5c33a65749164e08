#!/usr/bin/env bash
# Installs what is missing, builds LEXA twice (plain, and with AddressSanitizer
# and UndefinedBehaviorSanitizer) and runs every test in both builds, then runs
# each fuzz target for a short time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"

run_build() {
  local dir=$1; shift
  echo "== $dir"
  cmake -S "$root" -B "$root/$dir" -G Ninja "$@" >/dev/null
  cmake --build "$root/$dir" -j"$jobs"
  ctest --test-dir "$root/$dir" --output-on-failure -j"$jobs"
}

run_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLEXA_WERROR=ON
run_build build-asan -DCMAKE_BUILD_TYPE=Debug -DLEXA_WERROR=ON -DLEXA_SANITIZE=ON -DLEXA_BUILD_BENCH=OFF
"$root/scripts/fuzz.sh"
