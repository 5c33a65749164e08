#!/usr/bin/env bash
# Builds the libFuzzer programs (clang, AddressSanitizer, UndefinedBehaviorSanitizer)
# in build-fuzz/ and runs each one.
#   scripts/fuzz.sh              each target for 20 seconds (what CI runs)
#   scripts/fuzz.sh 10000000     each target for ten million inputs (the long run)
# FUZZ_TARGETS="criterion import" limits the targets; FUZZ_MAX_TIME bounds a long
# run in seconds. The seeds in tests/fuzz/corpus/<target>/ are copied into
# build-fuzz/corpus/<target>/, where the fuzzer keeps what it finds; a crash is
# written to build-fuzz/crashes/<target>/ and makes the script fail. Keep a
# minimised crash (-minimize_crash=1) in the repository's corpus with its fix.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-}
targets=${FUZZ_TARGETS:-import criterion picture reader history csv}
build=$root/build-fuzz

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DLEXA_FUZZ=ON -DLEXA_SANITIZE=ON -DLEXA_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target $(printf 'lexa-fuzz-%s ' $targets)

if [ -n "$runs" ]; then
  limit=(-runs="$runs" -max_total_time="${FUZZ_MAX_TIME:-0}")
else
  limit=(-max_total_time=20)
fi
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in $targets; do
  corpus=$build/corpus/$target crashes=$build/crashes/$target
  mkdir -p "$corpus" "$crashes"
  cp -n "$root/tests/fuzz/corpus/$target/"* "$corpus/"
  echo "== $target"
  "$build/bin/lexa-fuzz-$target" "${limit[@]}" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$crashes/" "$corpus" 2>"$build/$target.log" ||
    { tail -n 60 "$build/$target.log"; exit 1; }
  grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$build/$target.log"
done
n=$(wc -w <<<"$targets")
echo "fuzz: $n passed, 0 failed"
