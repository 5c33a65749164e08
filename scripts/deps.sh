#!/usr/bin/env bash
# Installs the Debian packages LEXA needs to build, run and test.
# Installs only what is missing, so a second run costs nothing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libqt6sql6-sqlite libsqlite3-dev mdbtools-dev libglib2.0-dev
  fonts-comic-neue fonts-dejavu-core fonts-liberation2 qt6-translations-l10n
  wngerman poppler-utils libhyphen-dev hyphen-de
  clang clang-format clang-tidy libclang-rt-14-dev
  xvfb xauth dbus-daemon libglib2.0-bin at-spi2-core python3-pyatspi
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
