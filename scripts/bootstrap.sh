#!/usr/bin/env bash
# Installs what building, running and testing Vexal needs on Debian 12.
# Idempotent and quiet: when everything is present it prints nothing and returns at once.
set -euo pipefail

source "$(dirname "$0")/machine.sh"

packages=(
  cmake make g++ pkg-config dpkg-dev
  # The product is the 32-bit Vexal.exe; the 64-bit build of the same sources is built everywhere
  # so that it cannot rot, and runs the Wine levels where 32-bit programs cannot run.
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686 libz-mingw-w64-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  zlib1g-dev libjpeg62-turbo-dev libminizip-dev libgtest-dev libgmock-dev googletest libbenchmark-dev
  wine wine32:i386 xvfb xauth xdotool imagemagick fonts-wine x11-utils zip fonts-dejavu-core
  # MCI plays MP3 (the about box's tune) under Wine only through the 32-bit GStreamer plugins.
  gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386
  # The fuzz targets (make fuzz, and a short run in make test): clang with libFuzzer's runtime.
  clang libclang-rt-14-dev
  # The server browser the world list's benchmark measures against (quakestat -woetm).
  qstat
)
# A kernel that runs no 32-bit program: the 64-bit Wine (and its GStreamer plugins, for the tune)
# for the 64-bit build, and the 32-bit Wine (installed above) started under user-mode emulation
# for the 32-bit Vexal.exe.
runs_i386 || packages+=(wine64 gstreamer1.0-plugins-base gstreamer1.0-plugins-good qemu-user-static)

missing=()
have_i386=$(dpkg --print-foreign-architectures | grep -c '^i386$' || true)
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

need_src=0
[ -d "$(dirname "$0")/../third_party/src/libjpeg-turbo" ] || need_src=1
[ -d "$(dirname "$0")/../third_party/src/minizip" ] || need_src=1

[ ${#missing[@]} -eq 0 ] && [ "$have_i386" -ge 1 ] && [ $need_src -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

echo "bootstrap: installing ${missing[*]:-(nothing)}" >&2
if [ "$have_i386" -lt 1 ]; then
  $sudo dpkg --add-architecture i386
fi
# Source packages come from the same mirrors the machine already uses for binaries.
srcfile=/etc/apt/sources.list.d/vexal-deb-src.sources
srclist=/etc/apt/sources.list.d/vexal-deb-src.list
if [ ! -f "$srcfile" ] && [ ! -f "$srclist" ]; then
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | $sudo tee "$srcfile" >/dev/null
  elif [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | $sudo tee "$srclist" >/dev/null
  fi
fi
export DEBIAN_FRONTEND=noninteractive
# A mirror caught mid-sync can fail one index for a day (often the i386 one of the security
# suite). Try again once, then go on with the indexes at hand: a missing index is not fatal.
for attempt in 1 2; do
  $sudo apt-get update -qq >/dev/null 2>/tmp/vexal-apt-update.log && break
  if [ $attempt -eq 2 ]; then
    echo "bootstrap: apt-get update failed again ($(grep -m1 -o 'Mirror sync in progress' /tmp/vexal-apt-update.log || echo 'see /tmp/vexal-apt-update.log')); going on with the indexes at hand" >&2
  else
    sleep 20
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  # With one architecture's index of a suite missing, Multi-Arch: same libraries cannot get the same
  # version on both sides ("held broken packages"); the release's own suite resolves both.
  if ! $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null 2>/tmp/vexal-apt-install.log; then
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
    echo "bootstrap: the install did not resolve against every suite; installing from $codename's own suite" >&2
    $sudo apt-get install -y -qq --no-install-recommends -t "$codename" "${missing[@]}" >/dev/null
  fi
fi

# libjpeg-turbo and minizip are cross-built from Debian's own sources (see third_party/).
dest="$(cd "$(dirname "$0")/.." && pwd)/third_party/src"
mkdir -p "$dest"
fetch_src() { # name dir
  [ -d "$dest/$2" ] && return 0
  local tmp
  tmp=$(mktemp -d)
  if ! (cd "$tmp" && apt-get source -qq "$1" >/dev/null 2>&1); then
    echo "bootstrap: 'apt-get source $1' failed; is a deb-src entry configured?" >&2
    rm -rf "$tmp"
    exit 1
  fi
  local d
  d=$(find "$tmp" -mindepth 1 -maxdepth 1 -type d | head -1)
  mv "$d" "$dest/$2"
  rm -rf "$tmp"
}
fetch_src libjpeg-turbo libjpeg-turbo
fetch_src minizip minizip
