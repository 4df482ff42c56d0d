#!/usr/bin/env bash
# Pre-listen through a real sound server: a private PulseAudio server with two null sinks, "Halle" and
# "Kopfhörer", chosen by name in Klangwart.ini. The hall plays a steady 1 kHz title (F5); then a board button's
# menu plays a 300 Hz title with "Vorhören" (keys sent by xdotool). Both sinks' monitors are recorded, and the
# energy at 300 Hz and at 1 kHz in each is printed: the hall must carry nothing of the 300 Hz title, and its 1 kHz
# title must run on undisturbed.
#
# Usage: bench/prelisten_pulse.sh. Needs a built desk, pulseaudio, pulseaudio-utils, xvfb, xdotool, ffmpeg and
# python3. Not run by ./test.sh.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
desk_bin="$root/build/bin/klangwart"
[ -x "$desk_bin" ] || { echo "prelisten_pulse: build first (scripts/build.sh)" >&2; exit 1; }
"$root/scripts/install_deps.sh" pulseaudio pulseaudio-utils xdotool >/dev/null

work="$(mktemp -d)"
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    [ -n "${KEEP:-}" ] || rm -rf "$work"
}
trap cleanup EXIT

dir="$work/pult"
for c in "7 Meter" Torwart "Team Timeout" Auszeit Tormusik Einlaufen Wischen "2 Minuten"; do
    mkdir -p "$dir/Damen/$c"
done
printf '[Mannschaft]\r\nMannschaft=Damen\r\nVerein=Messung\r\n[Tonausgabe]\r\nHalle=Halle\r\nVorh\xf6ren=Kopfh\xf6rer\r\n' \
    >"$dir/Klangwart.ini"
printf '[Damen]\r\nF5=Damen/Einlaufen/01Halle.wav\r\n' >"$dir/Tasten.ini"
ffmpeg -v error -y -f lavfi -i "sine=frequency=1000:sample_rate=48000:duration=60" -ac 2 \
    "$dir/Damen/Einlaufen/01Halle.wav"
ffmpeg -v error -y -f lavfi -i "sine=frequency=300:sample_rate=48000:duration=60" -ac 2 \
    "$dir/Damen/2 Minuten/01Kopf.wav"

export PULSE_SERVER="unix:$work/pulse"
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=false \
    -L "module-null-sink sink_name=halle rate=48000 sink_properties=device.description=Halle" \
    -L "module-null-sink sink_name=kopf rate=48000 sink_properties=device.description=Kopfhörer" \
    -L "module-native-protocol-unix socket=$work/pulse auth-anonymous=1" >"$work/pulse.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.05; done
pactl set-default-sink kopf # the default is the headphones: a hall that fell back would be heard there

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"

(cd "$dir" && HOME="$work" XDG_RUNTIME_DIR="$work" SDL_AUDIODRIVER=pulseaudio exec "$desk_bin" "$dir") \
    >"$work/desk.log" 2>&1 &
pids+=($!)
window="$(timeout 20 xdotool search --sync --onlyvisible --name '^Klangwart  ' | head -n 1)"
xdotool windowfocus --sync "$window" 2>/dev/null || true
sleep 2
parec -d halle.monitor --format=float32le --rate=48000 --channels=2 --raw >"$work/halle.raw" &
pids+=($!)
parec -d kopf.monitor --format=float32le --rate=48000 --channels=2 --raw >"$work/kopf.raw" &
pids+=($!)
sleep 0.5
xdotool key F5
sleep 1.5
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove --window "$window" $((WIDTH * 1447 / 18960)) $((HEIGHT * 83 / 763)) click 3
sleep 0.5
xdotool key v # "Vorhören"
sleep 3
kill "${pids[-1]}" "${pids[-2]}" 2>/dev/null || true
sleep 0.3
python3 - "$work/halle.raw" "$work/kopf.raw" <<'PY'
import array, math, sys
def energy(samples, freq):  # Goertzel over the left channel, per sample
    k = 2 * math.cos(2 * math.pi * freq / 48000); s1 = s2 = 0.0
    for x in samples:
        s1, s2 = x + k * s1 - s2, s1
    return (s1 * s1 + s2 * s2 - k * s1 * s2) / max(1, len(samples)) ** 2
for name in sys.argv[1:]:
    a = array.array('f'); a.frombytes(open(name, 'rb').read()[: (len(open(name, 'rb').read()) // 8) * 8])
    left = a[0::2]
    tail = left[-48000 * 2:]  # the last two seconds: both titles play
    db = lambda e: 10 * math.log10(e) if e > 0 else -999
    print("%s: %.1f s, 300 Hz %.1f dB, 1 kHz %.1f dB" % (name.split('/')[-1], len(left) / 48000,
          db(energy(tail, 300)), db(energy(tail, 1000))))
PY
grep -i "tonausgabe" "$work/desk.log" || true
