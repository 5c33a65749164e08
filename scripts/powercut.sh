#!/usr/bin/env bash
# Builds the power-cut test and cuts the power of a dictionary editing process
# N times (default 1000), checking the dictionary and its backups after each cut.
#   scripts/powercut.sh [cuts] [seed]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j"$(nproc)" --target lexa-powercut
exec "$root/build/bin/lexa-powercut" --cuts "${1:-1000}" --seed "${2:-1}"
