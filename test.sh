#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test with ctest. --sanitize: the whole suite in an
# AddressSanitizer and UndefinedBehaviorSanitizer build of its own (build-sanitize/).
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
"$root/scripts/install_deps.sh"
# --- robustness: the sanitizer build on request, short fuzz runs before the suite ---
if [ "${1:-}" = "--sanitize" ]; then
    exec "$root/scripts/sanitize.sh"
fi
"$root/scripts/fuzz.sh" "${KLANGWART_FUZZ_SECONDS:-5}"
# --- end robustness ---
"$root/scripts/build.sh"
cd "$root/build"
exec ctest --output-on-failure -j"$(nproc)"
