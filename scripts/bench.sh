#!/usr/bin/env bash
# Measures LEXA against its floors and prints one table (Markdown): installs
# what is missing, builds in Release in build-bench/, makes the dictionaries
# from Debian's German word list into a temporary folder and runs lexa-bench.
# Takes a few minutes; docs/performance.md says how to read the result.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
build="$root/build-bench"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLEXA_BUILD_BENCH=ON \
  "${launcher[@]}" >/dev/null
cmake --build "$build" --target lexa lexa-makedemo lexa-bench -j"$(nproc)" >&2

dictionaries=$(mktemp -d)
trap 'rm -rf "$dictionaries"' EXIT
export QT_QPA_PLATFORM=offscreen
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR="$dictionaries/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
fi
# The folder names are the ones lexa-bench expects.
make_dictionary() { # name, words, further options of lexa-makedemo
  "$build/bin/lexa-makedemo" --out "$dictionaries/$1" --words "$2" \
    --word-list /usr/share/dict/ngerman "${@:3}" >&2
}
make_dictionary 5441 5441
for words in 1000 5441 16000 32767; do
  make_dictionary "$words-icons" "$words" --icons
done
make_dictionary 5000-icons 5000 --icons --import 400
"$build/bin/lexa-bench" "$dictionaries"
