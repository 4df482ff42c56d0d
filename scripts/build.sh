#!/usr/bin/env bash
# Configures build/ (once) and builds it. --desk: the desk alone (./run.sh), which needs neither GoogleTest nor
# Google Benchmark; without it everything: the desk, its tests and benchmarks (./test.sh).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [ "${1:-}" = "--desk" ]; then
    [ -f "$root/build/build.ninja" ] ||
        cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
    exec cmake --build "$root/build" -j"$(nproc)" --target klangwart
fi
# Tests on, also in a build folder that ./run.sh configured before GoogleTest was there.
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON "${launcher[@]}" \
    >/dev/null
cmake --build "$root/build" -j"$(nproc)"
