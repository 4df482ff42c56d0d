#!/usr/bin/env bash
# From the operator's hand to the first sample, measured from outside: the real desk on a virtual display, its
# sound written by SDL's disk driver, input sent by xdotool. The file grows as the output plays, so its length
# when the last key or the click goes is that moment's place in the sound; the first sample of the title's tone
# after it gives the time to sound. Compared: a mouse click on a button, the key given to that button, a shirt
# number on the top row and one on the keypad (both ending in Enter). Then a number typed while the music fades
# out and while it is ducked under an announcement, beside a click in the same state.
#
# Usage: bench/keys_blackbox.sh [rounds (10)]. Needs a built desk (scripts/build.sh), xvfb, xdotool, ffmpeg and
# python3. Not run by ./test.sh.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
rounds="${1:-10}"
desk_bin="$root/build/bin/klangwart"
[ -x "$desk_bin" ] || { echo "keys_blackbox: build first (scripts/build.sh)" >&2; exit 1; }
"$root/scripts/install_deps.sh" xdotool >/dev/null

work="$(mktemp -d)"
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    [ -n "${KEEP:-}" ] || rm -rf "$work"
}
trap cleanup EXIT

# One 1 kHz title on the first "2 Minuten" button and as goal song 13; a 300 Hz music to fade and duck.
dir="$work/pult"
for c in "7 Meter" Torwart "Team Timeout" Auszeit Tormusik Einlaufen Wischen "2 Minuten"; do
    mkdir -p "$dir/Damen/$c"
done
printf '[Mannschaft]\r\nMannschaft=Damen\r\nVerein=Messung\r\n[Damen_AUSBLEND]\r\nZEIT=3\r\nVol=20\r\n' \
    >"$dir/Klangwart.ini"
printf '[Damen]\r\nF5=Damen/2 Minuten/01Ton.wav\r\n' >"$dir/Tasten.ini"
ffmpeg -v error -y -f lavfi -i "sine=frequency=1000:sample_rate=48000:duration=3" -ac 2 \
    "$dir/Damen/2 Minuten/01Ton.wav"
cp "$dir/Damen/2 Minuten/01Ton.wav" "$dir/Damen/Tormusik/13Ton.wav"
ffmpeg -v error -y -f lavfi -i "sine=frequency=300:sample_rate=48000:duration=600" -ac 2 \
    "$dir/Damen/Einlaufen/01Musik.wav"

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"

out="$work/out.raw"
(cd "$dir" && HOME="$work" XDG_RUNTIME_DIR="$work" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$out" \
    exec "$desk_bin" "$dir") >"$work/desk.log" 2>&1 &
pids+=($!)
window="$(timeout 20 xdotool search --sync --onlyvisible --name '^Klangwart  ' | head -n 1)"
xdotool windowfocus --sync "$window" 2>/dev/null || true
sleep 1.5
eval "$(xdotool getwindowgeometry --shell "$window")"
# The first "2 Minuten" button's middle, where the screen fit puts it (below the menu bar, as a screenshot shows).
button_x=$((WIDTH * 1447 / 18960))
button_y=$((HEIGHT * 83 / 763))

marks="$work/marks"
: >"$marks"
at() { echo "$(stat -c %s "$out") $1 $2" >>"$marks"; }

# One press of the 1 kHz title by the given way; the mark is set just before the event that starts it.
press() {
    case "$1" in
        click) xdotool mousemove --window "$window" "$button_x" "$button_y"; sleep 0.05
               at click "$2"; xdotool click 1 ;;
        key) at key "$2"; xdotool key F5 ;;
        number) xdotool key 1 3; sleep 0.05; at number "$2"; xdotool key Return ;;
        keypad) xdotool key KP_1 KP_3; sleep 0.05; at keypad "$2"; xdotool key KP_Enter ;;
    esac
}

for _ in $(seq "$rounds"); do
    for way in click key number keypad; do
        press "$way" plain
        sleep 0.5
        xdotool key KP_Decimal # Stop
        sleep 0.4
    done
    for state in fade announcement; do
        for way in click number; do
            xdotool key alt+e
            sleep 0.8
            if [ "$state" = fade ]; then xdotool key KP_Subtract; else xdotool key KP_Multiply; fi
            sleep 0.5
            press "$way" "$state"
            sleep 0.5
            xdotool key KP_Decimal
            [ "$state" = announcement ] && xdotool key KP_Multiply # the music's level back
            sleep 0.4
        done
    done
done
sleep 0.3

python3 - "$out" "$marks" <<'EOF'
import math, statistics, struct, sys
raw = open(sys.argv[1], "rb").read()
frames = len(raw) // 8
left = struct.unpack("<%df" % (frames * 2), raw[: frames * 8])[0::2]
coeff = 2 * math.cos(2 * math.pi * 1000 / 48000)

def amplitude(start):  # 1 kHz amplitude over 1 ms (48 samples: 1 kHz fits whole)
    s1 = s2 = 0.0
    for x in left[start:start + 48]:
        s1, s2 = x + coeff * s1 - s2, s1
    return 2 * math.sqrt(max(s1 * s1 + s2 * s2 - coeff * s1 * s2, 0)) / 48

results = {}
for line in open(sys.argv[2]):
    size, way, state = line.split()
    mark = int(size) // 8
    for start in range(mark, min(mark + 48000, frames - 48), 12):
        if amplitude(start) > 0.02:
            results.setdefault((state, way), []).append((start - mark) / 48.0)
            break
    else:
        results.setdefault((state, way), []).append(float("nan"))
for (state, way), ms in results.items():
    ok = [m for m in ms if m == m]
    if not ok:
        print(f"{state:12} {way:7} never sounded ({len(ms)} presses)")
        continue
    print(f"{state:12} {way:7} n={len(ok):2}/{len(ms):2}  median {statistics.median(ok):6.1f} ms  "
          f"min {min(ok):6.1f}  max {max(ok):6.1f}")
EOF
