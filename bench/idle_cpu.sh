#!/usr/bin/env bash
# The desk at rest through a sound server: CPU share of one core and wake-ups per second of each thread, from
# /proc/<pid>/stat and /proc/<pid>/task/*/status over a span (default 30 s), the desk idle on its demo board:
# first with the operator at the desk (the pointer moved now and then: the output stays open), then after the
# desk has been left alone long enough for the output to rest. Last, what resting costs a press: the time from
# a key to the tone at the sound server, with the output resting and with it open.
# A private PulseAudio server (null sink) takes the stream; a virtual display the window.
# Usage: bench/idle_cpu.sh [seconds (30)]. Needs a built desk and the demo (./run.sh or scripts/make_demo.sh
# build), pulseaudio, xvfb. Not run by ./test.sh.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-30}"
[ -x "$root/build/bin/klangwart" ] || { echo "idle_cpu: build first (scripts/build.sh)" >&2; exit 1; }
"$root/scripts/install_deps.sh" pulseaudio pulseaudio-utils xdotool x11-apps >/dev/null
"$root/scripts/make_demo.sh" "$root/build" >/dev/null
work="$(mktemp -d)"
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
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
rm -f "$root/build/demo/.Klangwart.lock"
(cd "$root/build/demo" && HOME="$work" XDG_RUNTIME_DIR="$work" SDL_AUDIODRIVER=pulseaudio exec ./klangwart) \
    >"$work/desk.log" 2>&1 &
desk=$!
pids+=($desk)
window="$(timeout 20 xdotool search --sync --onlyvisible --name '^Klangwart  ' | head -n 1)"
xdotool windowfocus --sync "$window" 2>/dev/null || true
sleep 5 # started, heads prepared, idle

snapshot() { # total ticks, then per thread: tid name switches
    awk '{print $14 + $15}' "/proc/$desk/stat"
    for t in /proc/$desk/task/*; do
        echo "$(basename "$t") $(tr ' ' '_' <"$t/comm") $(awk '/ctxt_switches/ {s += $2} END {print s}' "$t/status")"
    done
}
span() { # label, then whether the operator moves the pointer meanwhile
    local before after
    before="$(snapshot)"
    for ((t = 0; t < seconds; t += 5)); do
        [ "$2" = yes ] && xdotool mousemove --window "$window" $((300 + t)) 300
        sleep 5
    done
    after="$(snapshot)"
    python3 - "$1" "$before" "$after" "$seconds" "$(getconf CLK_TCK)" <<'PY'
import sys
label, before, after, seconds, hz = sys.argv[1], sys.argv[2].splitlines(), sys.argv[3].splitlines(), float(sys.argv[4]), int(sys.argv[5])
cpu = (int(after[0]) - int(before[0])) / hz / seconds * 100
print(f"{label}: CPU {cpu:.2f} % of one core over {seconds:.0f} s")
b = {l.split()[0]: l.split() for l in before[1:]}
for l in after[1:]:
    tid, name, sw = l.split()
    rate = (int(sw) - int(b[tid][2])) / seconds if tid in b else 0
    if rate >= 0.5:
        print(f"    {name:<18} {rate:8.1f} wake-ups/s")
PY
}

# The key's place in a real-time recording of the sink, and where the tone begins in it. A stream of silence
# keeps the sink running meanwhile: with the desk's stream resting it would have nothing to play, and its
# monitor would record nothing until the desk's stream came.
press_latency() {
    pacat -d hall --format=float32le --channels=2 --rate=48000 --latency-msec=20 </dev/zero &
    local keepalive=$!
    parec -d hall.monitor --format=float32le --channels=2 --rate=48000 --latency-msec=5 >"$work/rec.raw" &
    local rec=$! key
    # Recording in real time before the key: its length is then the key's place in it.
    for _ in $(seq 200); do [ "$(stat -c %s "$work/rec.raw")" -gt 192000 ] && break; sleep 0.02; done
    sleep 0.2
    key="$(stat -c %s "$work/rec.raw")"
    xdotool key alt+w
    sleep 1
    kill "$rec" "$keepalive"
    wait "$rec" "$keepalive" 2>/dev/null || true
    xdotool key alt+s
    python3 - "$1" "$work/rec.raw" "$key" <<'PY'
import struct, sys
label, path, key = sys.argv[1], sys.argv[2], int(sys.argv[3]) // 8
data = open(path, 'rb').read()
count = len(data) // 4
left = struct.unpack('<%df' % count, data[:count * 4])[0::2]
onset = next((i for i, x in enumerate(left) if abs(x) > 1e-4), None)
print(f"{label}: key to tone at the server at most "
      + (f"{(onset - key) / 48:.1f} ms" if onset is not None else "(no tone)"))
PY
}

# The operator turns to another window: the desk is neither the active window nor under the pointer.
away() {
    xdotool windowfocus --sync "$other" 2>/dev/null || true
    xdotool mousemove --window "$other" 20 20
}
xlogo -geometry 100x100+1100+600 &
pids+=($!)
other="$(timeout 20 xdotool search --sync --onlyvisible --class xlogo | head -n 1)"
xdotool windowfocus --sync "$window" 2>/dev/null || true

span "operator at the desk" yes
away
sleep 32
span "left alone" no
for round in 1 2 3; do
    # Back to the desk, a key at once: the output opens with the key itself.
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    press_latency "press while the output rests ($round)"
    sleep 1
    press_latency "press with the output open ($round)"
    away
    sleep 36
done
