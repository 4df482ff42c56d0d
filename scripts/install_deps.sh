#!/usr/bin/env bash
# Installs the Debian packages that are missing, and any further packages named as arguments (the scripts that
# need a tool of their own ask for it). --desk: only what building and running the desk needs (./run.sh);
# without it also the tests, benchmarks, fuzzers and packaging tools (./test.sh). Does nothing when all are there.
set -euo pipefail
desk=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-translations-l10n libavformat-dev libavcodec-dev
      libavutil-dev libswresample-dev libebur128-dev libqrencode-dev qt6-websockets-dev libsdl2-dev ffmpeg
      fonts-liberation fonts-comic-neue)
rest=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth desktop-file-utils appstream man-db file dpkg-dev
      lintian
      clang libclang-rt-dev # libFuzzer for the fuzz targets (scripts/fuzz.sh)
      chromium chromium-driver python3-selenium) # the remote page in a real browser
packages=("${desk[@]}")
if [ "${1:-}" = "--desk" ]; then
    shift
else
    packages+=("${rest[@]}")
fi
packages+=("$@")
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
