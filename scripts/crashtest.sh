#!/usr/bin/env bash
# Builds the crash test and kills a dictionary editing process N times (default
# 1000) at random moments, checking the dictionary after each kill.
#   scripts/crashtest.sh [kills] [seed]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j"$(nproc)" --target lexa-crashtest
exec "$root/build/bin/lexa-crashtest" --kills "${1:-1000}" --seed "${2:-1}"
