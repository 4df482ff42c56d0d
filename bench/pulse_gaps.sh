#!/usr/bin/env bash
# Drop-outs through a sound server while the machine is busy. A private PulseAudio server (real-time, as desktop
# servers run, with a null sink "hall") takes the desk's stream; the desk plays a steady tone (Alt+E on a
# virtual display), N busy processes load the cores, and the sink's monitor is recorded. Counted: silent gaps of
# 1 ms or more within the tone, the time from the key to the tone at the server, and the buffer the server
# reports for the stream. Run once as the desk is allowed real-time scheduling and once with it refused (the
# capability dropped), where the desk asks the server for a larger buffer. A third run asks for SDL's own one
# period (PULSE_LATENCY_MSEC=5), as the desk did before, with real-time scheduling allowed.
#
# Usage: bench/pulse_gaps.sh [seconds (8)] [busy processes (3)]. Needs a built desk (scripts/build.sh) and
# pulseaudio, pulseaudio-utils, xvfb, xdotool, ffmpeg, python3. Not run by ./test.sh.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-8}"
busy="${2:-3}"
desk_bin="$root/build/bin/klangwart"
[ -x "$desk_bin" ] || { echo "pulse_gaps: build first (scripts/build.sh)" >&2; exit 1; }
"$root/scripts/install_deps.sh" pulseaudio pulseaudio-utils xdotool >/dev/null

work="$(mktemp -d)"
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A program folder whose "Einlaufen" is a steady 1 kHz tone.
dir="$work/pult"
for c in "7 Meter" Torwart "Team Timeout" Auszeit Tormusik Einlaufen Wischen "2 Minuten"; do
    mkdir -p "$dir/Damen/$c"
done
printf '[Mannschaft]\r\nMannschaft=Damen\r\nVerein=Messung\r\n[Damen_AUSBLEND]\r\nZEIT=2\r\nVol=20\r\n' >"$dir/Klangwart.ini"
ffmpeg -v error -y -f lavfi -i "sine=frequency=1000:sample_rate=48000:duration=$((seconds + 20))" -ac 2 \
    "$dir/Damen/Einlaufen/01Ton.wav"

# The sound server: private socket, null sink at the desk's rate, real-time like a desktop's.
export PULSE_SERVER="unix:$work/pulse"
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=false --realtime=true --high-priority=true \
    -L "module-null-sink sink_name=hall rate=48000" \
    -L "module-native-protocol-unix socket=$work/pulse auth-anonymous=1" >"$work/pulse.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.05; done

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"

measure() {
    local label="$1"
    shift
    rm -f "$dir/.Klangwart.lock"
    (cd "$dir" && HOME="$work" XDG_RUNTIME_DIR="$work" SDL_AUDIODRIVER=pulseaudio exec "$@" "$desk_bin" "$dir") \
        >"$work/desk.log" 2>&1 &
    local desk=$!
    local window
    window="$(timeout 20 xdotool search --sync --onlyvisible --name '^Klangwart  ' | head -n 1)"
    sleep 1.5 # the output thread is tuned within the watchdog's first rounds
    local hogs=()
    for _ in $(seq "$busy"); do
        sh -c 'while :; do :; done' &
        hogs+=($!)
    done
    parec -d hall.monitor --format=float32le --channels=2 --rate=48000 --latency-msec=5 >"$work/rec.raw" &
    local rec=$!
    # Recording in real time before the key: its length is then the key's place in it.
    for _ in $(seq 200); do [ "$(stat -c %s "$work/rec.raw")" -gt 192000 ] && break; sleep 0.02; done
    sleep 0.2
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    # The recording runs in real time: its length when the key goes is the key's place in it.
    local keyAt
    keyAt="$(stat -c %s "$work/rec.raw")"
    xdotool key alt+e
    sleep 1
    local buffer
    buffer="$(pactl list sink-inputs | sed -n 's/^\s*Buffer Latency: \([0-9]*\) usec/\1/p' | head -n 1)"
    sleep "$seconds"
    kill "$rec" "${hogs[@]}" 2>/dev/null || true
    wait "$rec" "${hogs[@]}" 2>/dev/null || true
    kill "$desk" 2>/dev/null || true
    wait "$desk" 2>/dev/null || true
    python3 - "$work/rec.raw" "$seconds" "$label" "${buffer:-0}" "$keyAt" <<'PY'
import struct, sys
path, seconds, label, buffer_us = sys.argv[1], float(sys.argv[2]), sys.argv[3], int(sys.argv[4])
key = int(sys.argv[5]) // 8
data = open(path, 'rb').read()
count = len(data) // 4
left = struct.unpack('<%df' % count, data[:count * 4])[0::2] if count else []
quiet = [abs(x) < 1e-4 for x in left]
onset = next((i for i, q in enumerate(quiet) if not q), None)
if onset is None:
    print(f"{label}: no tone recorded"); sys.exit(0)
end = min(len(quiet), onset + int(seconds * 48000))
gaps, longest, run, where = 0, 0, 0, []
for i, q in enumerate(quiet[onset:end]):
    if q:
        run += 1
    else:
        if run >= 48:
            gaps += 1
            longest = max(longest, run)
            where.append(f"{(i - run) / 48000:.2f} s")
        run = 0
print(f"{label}: {gaps} gaps of 1 ms or more in {(end - onset) / 48000:.1f} s "
      f"(longest {longest / 48:.1f} ms); server buffer {buffer_us / 1000:.1f} ms; "
      f"key to tone at the server at most {(onset - key) / 48:.1f} ms (the recording's own latency included)"
      + (f"; gaps at {', '.join(where[:8])}" if where else ""))
PY
    grep -h "klangwart:" "$work/desk.log" | sed "s/^/    $label desk: /" || true
}

measure "real-time allowed"
measure "real-time refused" setpriv --bounding-set=-sys_nice --inh-caps=-sys_nice --
measure "one period, real-time" env PULSE_LATENCY_MSEC=5
