#!/usr/bin/env bash
# The play log from outside: the real desk on a virtual display (SDL's disk driver as its output), 100 presses
# sent by xdotool, then a long title killed with SIGKILL after a few seconds. Prints how many lines the day's log
# has after the presses and after the kill, and what the killed title's line says it was heard.
#
# Usage: bench/playlog_blackbox.sh [presses (100)] [seconds before the kill (7)]. Needs a built desk
# (scripts/build.sh), xvfb, xdotool and ffmpeg. Not run by ./test.sh.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
presses="${1:-100}"
before_kill="${2:-7}"
desk_bin="$root/build/bin/klangwart"
[ -x "$desk_bin" ] || { echo "playlog_blackbox: build first (scripts/build.sh)" >&2; exit 1; }
"$root/scripts/install_deps.sh" xdotool >/dev/null

work="$(mktemp -d)"
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    [ -n "${KEEP:-}" ] || rm -rf "$work"
}
trap cleanup EXIT

dir="$work/pult"
for c in "7 Meter" Torwart "Team Timeout" Auszeit Tormusik Einlaufen Wischen "2 Minuten"; do
    mkdir -p "$dir/Damen/$c"
done
printf '[Mannschaft]\r\nMannschaft=Damen\r\nVerein=Messung\r\n' >"$dir/Klangwart.ini"
printf '[Damen]\r\nF5=Damen/2 Minuten/01Ton.wav\r\n' >"$dir/Tasten.ini"
ffmpeg -v error -y -f lavfi -i "sine=frequency=1000:sample_rate=48000:duration=3" -ac 2 \
    "$dir/Damen/2 Minuten/01Ton.wav"
ffmpeg -v error -y -f lavfi -i "sine=frequency=300:sample_rate=48000:duration=120" -ac 2 \
    -metadata artist="Die Messung" -metadata title="Lang" "$dir/Damen/Tormusik/13Lang.mp3"

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"

(cd "$dir" && HOME="$work" XDG_RUNTIME_DIR="$work" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null \
    exec "$desk_bin" "$dir") >"$work/desk.log" 2>&1 &
desk=$!
pids+=($desk)
window="$(timeout 20 xdotool search --sync --onlyvisible --name '^Klangwart  ' | head -n 1)"
xdotool windowfocus --sync "$window" 2>/dev/null || true
sleep 1.5

log="$dir/Protokoll/$(date +%F).csv"
lines() { [ -f "$log" ] && echo $(($(wc -l <"$log") - 1)) || echo 0; }
for _ in $(seq "$presses"); do
    xdotool key F5
    sleep 0.45 # beyond the re-press guard
done
sleep 0.5
echo "presses sent: $presses, log lines: $(lines)"
xdotool key 1 3 Return
sleep "$before_kill"
kill -9 "$desk"
echo "after SIGKILL ${before_kill} s into a title: log lines $(lines)"
echo "last line: $(tail -n 1 "$log")"
