#!/usr/bin/env bash
# The remote measured from outside: the real desk started with --remote on a virtual display, its sound written
# by SDL's disk driver. First, a press through the interface (one kept-alive HTTP connection, as a button box
# holds it) against a mouse click on the same button (xdotool), each to the first sample of the title's tone.
# Then a minute of load: 20 open pages (WebSockets taking every state message) and 100 state requests a second,
# while clicks are measured again; the desk's resident memory before, during and after.
#
# Usage: bench/remote_blackbox.sh [rounds (10)] [load seconds (60)]. Needs a built desk (scripts/build.sh),
# xvfb, xdotool, ffmpeg and python3. Not run by ./test.sh.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
rounds="${1:-10}"
load="${2:-60}"
desk_bin="$root/build/bin/klangwart"
[ -x "$desk_bin" ] || { echo "remote_blackbox: build first (scripts/build.sh)" >&2; exit 1; }
"$root/scripts/install_deps.sh" xdotool >/dev/null

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
printf '[Mannschaft]\r\nMannschaft=Damen\r\nVerein=Messung\r\n' >"$dir/Klangwart.ini"
ffmpeg -v error -y -f lavfi -i "sine=frequency=1000:sample_rate=48000:duration=3" -ac 2 \
    "$dir/Damen/2 Minuten/01Ton.wav"
for i in $(seq -w 1 60); do cp "$dir/Damen/2 Minuten/01Ton.wav" "$dir/Damen/Tormusik/${i}Titel $i.wav"; done

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"

out="$work/out.raw"
port=18765
(cd "$dir" && HOME="$work" XDG_RUNTIME_DIR="$work" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$out" \
    exec "$desk_bin" --remote=$port "$dir") >"$work/desk.log" 2>&1 &
desk=$!
pids+=($desk)
window="$(timeout 20 xdotool search --sync --onlyvisible --name '^Klangwart  ' | head -n 1)"
xdotool windowfocus --sync "$window" 2>/dev/null || true
sleep 1.5
eval "$(xdotool getwindowgeometry --shell "$window")"
pin="$(sed -n 's/.*PIN \([0-9]*\).*/\1/p' "$work/desk.log")"

python3 - "$out" "$port" "$pin" "$desk" "$window" $((WIDTH * 1447 / 18960)) $((HEIGHT * 83 / 763)) "$rounds" "$load" <<'EOF'
import http.client, json, math, os, socket, statistics, struct, subprocess, sys, threading, time
out, port, pin, desk, window, bx, by, rounds, load = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4], \
    sys.argv[5], sys.argv[6], sys.argv[7], int(sys.argv[8]), int(sys.argv[9])
conn = http.client.HTTPConnection("127.0.0.1", port)
def request(method, path, body=None, token=None):
    headers = {"Content-Type": "application/json"}
    if token: headers["Authorization"] = "Bearer " + token
    conn.request(method, path, body, headers)
    r = conn.getresponse()
    return r.status, r.read()
token = json.loads(request("POST", "/api/login", json.dumps({"pin": pin}))[1])["token"]
state = json.loads(request("GET", "/api/state", token=token)[1])
index = next(b["index"] for b in state["buttons"] if b["caption"] == "Ton")
def rss():
    for line in open("/proc/%s/status" % desk):
        if line.startswith("VmRSS:"): return int(line.split()[1]) / 1024
marks = []
def mark(label): marks.append((os.path.getsize(out), label))
def click(label):
    subprocess.run(["xdotool", "mousemove", "--window", window, bx, by]); time.sleep(0.05)
    mark(label); subprocess.run(["xdotool", "click", "1"])
def api(label):
    mark(label); request("POST", "/api/buttons/%d/press" % index, token=token)
def stop():
    time.sleep(0.5); request("POST", "/api/stop", token=token); time.sleep(0.4)
for _ in range(rounds):
    click("click"); stop(); api("api"); stop()
memory = [("before load", rss())]
running = True
def page():  # one open page: a WebSocket taking every message
    s = socket.create_connection(("127.0.0.1", port))
    s.sendall(("GET /api/events?token=%s HTTP/1.1\r\nHost: 127.0.0.1:%d\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
               "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n" % (token, port)).encode())
    s.settimeout(1)
    while running:
        try:
            if not s.recv(65536): break
        except socket.timeout: pass
def poller(counter):
    c = http.client.HTTPConnection("127.0.0.1", port)
    next_at = time.time()
    while running:
        c.request("GET", "/api/state", headers={"Authorization": "Bearer " + token}); c.getresponse().read()
        counter[0] += 1
        next_at += 0.01; time.sleep(max(0, next_at - time.time()))
counter = [0]
threads = [threading.Thread(target=page) for _ in range(20)] + [threading.Thread(target=poller, args=(counter,))]
for t in threads: t.start()
started = time.time()
while time.time() - started < load:
    click("click-under-load"); stop()
    if abs(time.time() - started - load / 2) < 1.5 and len(memory) == 1: memory.append(("during load", rss()))
running = False
for t in threads: t.join()
requests_per_s = counter[0] / (time.time() - started)
time.sleep(1)
memory.append(("after load", rss()))
raw = open(out, "rb").read()
frames = len(raw) // 8
left = struct.unpack("<%df" % (frames * 2), raw[: frames * 8])[0::2]
coeff = 2 * math.cos(2 * math.pi * 1000 / 48000)
def amplitude(start):
    s1 = s2 = 0.0
    for x in left[start:start + 48]:
        s1, s2 = x + coeff * s1 - s2, s1
    return 2 * math.sqrt(max(s1 * s1 + s2 * s2 - coeff * s1 * s2, 0)) / 48
results = {}
for size, label in marks:
    m = size // 8
    for start in range(m, min(m + 48000, frames - 48), 12):
        if amplitude(start) > 0.02:
            results.setdefault(label, []).append((start - m) / 48.0); break
for label, ms in results.items():
    print(f"{label:17} n={len(ms):3}  median {statistics.median(ms):6.1f} ms  min {min(ms):6.1f}  max {max(ms):6.1f}")
print(f"load: 20 pages, {requests_per_s:.0f} state requests/s for {load} s")
for label, mb in memory: print(f"desk RSS {label}: {mb:.1f} MB")
EOF
