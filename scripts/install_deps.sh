#!/usr/bin/env bash
# Installs the Debian packages the desk needs to build, test, package and run, and any further packages named
# as arguments (scripts/screenshot.sh asks for its own). Does nothing when all are there.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config qt6-base-dev libavformat-dev libavcodec-dev libavutil-dev
          libswresample-dev libsdl2-dev libgtest-dev libgmock-dev libbenchmark-dev ffmpeg
          fonts-liberation fonts-comic-neue xvfb xauth
          desktop-file-utils appstream man-db file dpkg-dev "$@")
packages+=(clang libclang-rt-dev) # libFuzzer for the fuzz targets (scripts/fuzz.sh)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
