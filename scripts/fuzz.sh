#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each for the given seconds (default 5) on its
# seed corpus (tests/fuzz/corpus/) and dictionary. What a run finds stays in build-fuzz/: new inputs in
# corpus/, a crashing input in crashes/. Without clang and libFuzzer it says so and skips.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-5}"
out="$root/build-fuzz"
probe="$(mktemp -d)"
trap 'rm -rf "$probe"' EXIT
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' >"$probe/p.cpp"
if ! command -v clang++ >/dev/null || ! clang++ -fsanitize=fuzzer "$probe/p.cpp" -o "$probe/p" 2>/dev/null; then
    echo "Fuzzing skipped: no clang++ with libFuzzer (scripts/install_deps.sh installs clang and libclang-rt-dev)."
    exit 0
fi
if [ ! -f "$out/build.ninja" ]; then
    launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    CC=clang CXX=clang++ cmake -S "$root" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKLANGWART_FUZZ=ON \
        "${launcher[@]}" >/dev/null
fi
cmake --build "$out" -j"$(nproc)" --target ProfileDocumentFuzzer MediaCommandFuzzer RemoteRequestFuzzer
for pair in ProfileDocument:profile MediaCommand:media RemoteRequest:remote; do
    name="${pair%%:*}"
    seeds="${pair##*:}"
    mkdir -p "$out/corpus/$seeds" "$out/crashes"
    log="$out/$name.log"
    status=0
    "$out/fuzz/${name}Fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
        -dict="$root/tests/fuzz/$seeds.dict" -artifact_prefix="$out/crashes/" \
        "$out/corpus/$seeds" "$root/tests/fuzz/corpus/$seeds" >"$log" 2>&1 || status=$?
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
    echo "${name}Fuzzer: ${runs:-?} runs in ${seconds} s"
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$log"
        echo "${name}Fuzzer failed; the input is in $out/crashes/, the whole log in $log"
        exit 1
    fi
done
