#!/usr/bin/env bash
# Installs what is missing, builds LEXA and opens it on the bundled demo dictionary.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" --target lexa lexa_demo -j"$(nproc)"
# LEXA works on the dictionary in its current directory.
cd "$root/build/demo"
exec ../bin/lexa "$@"
