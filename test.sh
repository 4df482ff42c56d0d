#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test with ctest.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
"$root/scripts/install_deps.sh"
"$root/scripts/build.sh"
cd "$root/build"
exec ctest --output-on-failure -j"$(nproc)"
