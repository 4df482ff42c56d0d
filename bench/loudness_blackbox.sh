#!/usr/bin/env bash
# Loudness matching heard from outside: the demo desk (scripts/make_demo.sh) on a virtual display, its sound
# written by SDL's disk driver. Its loudest and its quietest "Tormusik" title are played in full by their shirt
# numbers (xdotool), once with "Lautstärke angleichen" off and once on (after the background measurement), and
# the integrated loudness of what the desk put out for each is measured with ffmpeg's EBU R128 filter.
#
# Usage: bench/loudness_blackbox.sh. Needs a built desk (scripts/build.sh), xvfb, xdotool, ffmpeg, python3.
# Not run by ./test.sh.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
desk_bin="$root/build/bin/klangwart"
[ -x "$desk_bin" ] || { echo "loudness_blackbox: build first (scripts/build.sh)" >&2; exit 1; }
"$root/scripts/install_deps.sh" xdotool >/dev/null
"$root/scripts/make_demo.sh" "$root/build" >/dev/null

work="$(mktemp -d)"
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    [ -n "${KEEP:-}" ] || rm -rf "$work"
}
trap cleanup EXIT
cp -r "$root/build/demo" "$work/demo"
rm -f "$work/demo/.Klangwart.lock" "$work/demo/Lautheit.ini"

# Integrated loudness of a file, or (raw) of the desk's float32 stereo output.
lufs() { ffmpeg -nostats "${@:2}" -i "$1" -af ebur128 -f null - 2>&1 | awk '/I:/ { v = $2 } END { print v }'; }
# The loudest and the quietest goal song, by their shirt numbers.
read -r loud quiet < <(for f in "$work/demo/Damen/Tormusik/"*.mp3; do
    echo "$(lufs "$f") $(basename "$f" | cut -c1-2)"; done | sort -n | awk 'NR == 1 { q = $2 } { l = $2 } END { print l, q }')

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"

round() {
    local label="$1" out="$work/$1.raw"
    rm -f "$work/demo/.Klangwart.lock"
    (cd "$work/demo" && HOME="$work" XDG_RUNTIME_DIR="$work" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$out" \
        exec "$desk_bin" "$work/demo") >"$work/desk.log" 2>&1 &
    local desk=$!
    local window
    window="$(timeout 20 xdotool search --sync --onlyvisible --name '^Klangwart  ' | head -n 1)"
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    sleep 8 # the heads, and with matching on the background measurement of the board
    local marks=()
    for number in "$loud" "$quiet"; do
        marks+=("$(stat -c %s "$out")")
        xdotool key "${number:0:1}" "${number:1:1}" Return
        sleep 9
        xdotool key KP_Decimal
        sleep 0.3
    done
    marks+=("$(stat -c %s "$out")")
    kill "$desk"
    wait "$desk" 2>/dev/null || true
    sleep 0.5
    for i in 0 1; do
        tail -c +$((marks[i] + 1)) "$out" | head -c $((marks[i + 1] - marks[i])) >"$work/part.raw" || true
        echo "$label: title $([ "$i" = 0 ] && echo "$loud" || echo "$quiet") played at $(lufs "$work/part.raw" -f f32le -ar 48000 -ac 2) LUFS"
    done
}
echo "files: loudest $loud, quietest $quiet"
round off
printf '[Lautheit]\r\nDamen=1\r\n' >>"$work/demo/Klangwart.ini"
round on
