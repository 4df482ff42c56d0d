#!/usr/bin/env bash
# Makes docs/screenshot.png: the demo desk (scripts/make_demo.sh) on a virtual display of its own, 1280 x 800
# (or the size given second), after two presses on the Tormusik run, so the picture shows a played mark and a
# title playing. Usage: scripts/screenshot.sh [OUT.png] [WIDTHxHEIGHT]
# Build first (scripts/build.sh). Needs Xvfb, xdotool and ffmpeg's X11 capture; installs xdotool if missing.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$root/docs/screenshot.png}"
screen="${2:-1280x800}"
"$root/scripts/install_deps.sh" xdotool
[ -x "$root/build/bin/klangwart" ] || { echo "screenshot: build first (scripts/build.sh)" >&2; exit 1; }
"$root/scripts/make_demo.sh" "$root/build" >/dev/null

work="$(mktemp -d)"
xvfb="" desk=""
cleanup() {
    [ -z "$desk" ] || kill "$desk" 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number and tells it; nothing collides with a display already running.
Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { echo "screenshot: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
DISPLAY=":$(cat "$work/display")"
export DISPLAY

# A home of its own, so the picture shows the demo's settings and not the machine's.
(cd "$root/build/demo" && HOME="$work" SDL_AUDIODRIVER=dummy exec ./klangwart) >"$work/desk.log" 2>&1 &
desk=$!
window="$(timeout 30 xdotool search --sync --onlyvisible --name '^Klangwart  ' | head -n 1)"
sleep 1 # the first paint after mapping
# Two Tormusik buttons (the first two of the run, where the screen fit puts them): one played, one playing.
eval "$(xdotool getwindowgeometry --shell "$window")"
for twips in 11647 9607; do
    xdotool mousemove --window "$window" $((WIDTH * twips / 18960)) $((HEIGHT * 83 / 763)) click 1
    sleep 0.3
done
xdotool mousemove 1270 790 # no hover highlight on the picture
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$window")"
mkdir -p "$(dirname "$out")"
ffmpeg -v error -y -f x11grab -video_size "${WIDTH}x${HEIGHT}" -i "$DISPLAY+$X,$Y" -frames:v 1 "$out"
echo "screenshot: wrote $out (${WIDTH}x${HEIGHT})"
