#!/usr/bin/env bash
# ./test.sh --sanitize: builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-sanitize/ and runs the whole suite there. Any memory error, leak or undefined behaviour fails its test.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/build-sanitize"
if [ ! -f "$out/build.ninja" ]; then
    launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S "$root" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKLANGWART_SANITIZE=ON \
        "${launcher[@]}" >/dev/null
fi
cmake --build "$out" -j"$(nproc)"
cd "$out"
export ASAN_OPTIONS="detect_stack_use_after_return=1:strict_init_order=1:check_initialization_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Sanitized code runs several times slower: the time limit per test grows with it.
exec ctest --output-on-failure -j"$(nproc)" --timeout 1500
