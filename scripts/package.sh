#!/usr/bin/env bash
# Builds the Debian package of LEXA (dist/lexa_<version>_<arch>.deb) and
# checks it with lintian, appstreamcli and desktop-file-validate; fails on
# any error or warning. Installs the missing build dependencies first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# The Build-Depends of debian/control without versions, and the tools that
# build and check the package.
mapfile -t packages < <(
  awk '/^Build-Depends:/ { on = 1; sub(/^Build-Depends:/, "") } on && /^[^ \t]/ && !/^Build-Depends/ { on = 0 }
       on { print }' debian/control |
    tr ',' '\n' | sed -e 's/([^)]*)//g' -e 's/[[:space:]]//g' -e '/^$/d' -e '/^debhelper-compat$/d')
packages+=(build-essential dpkg-dev debhelper lintian appstream desktop-file-utils)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

version=$(dpkg-parsechangelog -SVersion)
arch=$(dpkg --print-architecture)
dpkg-buildpackage -us -uc -b -J"$(nproc)"

# dpkg-buildpackage writes beside the source tree; keep the results in dist/.
mkdir -p dist
for f in ../lexa_"${version}"_"${arch}".{deb,buildinfo,changes} ../lexa-dbgsym_"${version}"_"${arch}".deb; do
  [ -e "$f" ] && mv -f "$f" dist/
done
debian/rules clean >/dev/null

lintian --fail-on error,warning dist/lexa_"${version}"_"${arch}".changes
appstreamcli validate --no-net desktop/*.metainfo.xml
desktop-file-validate desktop/lexa.desktop
echo "dist/lexa_${version}_${arch}.deb"
