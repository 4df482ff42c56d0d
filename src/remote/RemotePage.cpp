#include "remote/RemotePage.h"

namespace {
// One page: the PIN form, then the board by category, the running title and the transport, kept up to date
// over the WebSocket; the remaining time runs on between two messages. Plain DOM, no library.
const char Page[] = R"KW(<!DOCTYPE html>
<html lang="de"><head><meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Klangwart – Fernbedienung</title>
<style>
body{font-family:sans-serif;margin:0;background:#c0c0c0;color:#000}
header{position:sticky;top:0;background:#202020;color:#fff;padding:8px 10px;z-index:2}
#verbindung{padding:6px 10px;font-weight:bold;display:none}
#verbindung.weg{display:block;background:#c00000;color:#fff}
#titel{font-size:1.4em;font-weight:bold}
#zeit{font-size:2em;font-weight:bold;float:right}
#steuerung{display:flex;flex-wrap:wrap;gap:8px;padding:8px}
#steuerung button{flex:1 1 22%;min-height:64px;font-size:1.3em;border-radius:8px;border:1px solid #444}
#stop{background:#ff3030;color:#fff}#ansage.musik{background:#00c000}
button:disabled{opacity:.35}
body.weg #pult button{opacity:.35;pointer-events:none}
.kategorie{margin:6px 8px;padding:6px;border:2px solid #000}
.kategorie h2{margin:0 0 6px;font-size:1.1em}
.knopf{position:relative;min-width:120px;min-height:52px;margin:3px;font-size:1em;background:#ffc8e0;border:1px solid #777;border-radius:6px}
.knopf.gespielt{background:#00ff00}.knopf.defekt{background:#fff;color:#c00000;text-decoration:line-through}
.taste{position:absolute;top:1px;right:4px;font-size:.7em;color:#333}
#nummer{display:flex;gap:8px;padding:0 8px 8px}#nummer input{flex:1;font-size:1.5em;min-width:0}
#nummer button{font-size:1.2em;min-height:48px}
#anmeldung{padding:20px;max-width:320px;margin:auto}#anmeldung input{font-size:2em;width:100%}
#anmeldung button{font-size:1.4em;width:100%;margin-top:10px;min-height:56px}
#fehler{color:#c00000;font-weight:bold}
</style></head><body>
<div id="verbindung"></div>
<div id="anmeldung"><h1>Klangwart</h1><p>PIN der Fernbedienung (steht am Pult unter Datei &gt; Fernbedienung):</p>
<input id="pin" inputmode="numeric" autocomplete="off" maxlength="8"><button id="anmelden">Anmelden</button>
<p id="fehler"></p></div>
<div id="pult" hidden>
<header><span id="zeit"></span><div id="mannschaft"></div><div id="titel">&nbsp;</div></header>
<div id="steuerung"><button id="stop">Stop</button><button id="pause">Pause</button>
<button id="ausblenden">Ausblenden</button><button id="ansage">Ansage</button></div>
<form id="nummer"><input id="nr" inputmode="numeric" placeholder="Rückennummer" maxlength="2"><button>Tormusik</button></form>
<div id="brett"></div></div>
<script>
"use strict";
let token = sessionStorage.getItem("klangwart-token"), ws = null, state = null, received = 0;
const $ = id => document.getElementById(id);
function call(path) {
  return fetch(path, {method: "POST", headers: {"Authorization": "Bearer " + token}})
    .then(r => { if (r.status === 401) { loggedOut(); } return r.ok ? r.json() : null; })
    .then(s => { if (s) show(s); }).catch(() => lost());
}
function loggedOut() { token = null; sessionStorage.removeItem("klangwart-token"); if (ws) ws.close();
  $("pult").hidden = true; $("anmeldung").hidden = false; }
function lost() { document.body.classList.add("weg"); const v = $("verbindung"); v.className = "weg"; v.textContent = "Verbindung zum Pult verloren – verbinde neu …"; }
function found() { document.body.classList.remove("weg"); const v = $("verbindung"); v.className = ""; v.textContent = ""; }
function clock(ms) { if (ms < 0) return ""; const s = Math.round(ms / 1000); return Math.floor(s / 60) + ":" + String(s % 60).padStart(2, "0"); }
function tick() {
  if (!state) return;
  let rest = state.remainingMs;
  if (state.status === "play" && rest >= 0) rest = Math.max(0, rest - (Date.now() - received));
  $("zeit").textContent = (state.status === "play" || state.status === "wait") && rest >= 0 ? "noch " + clock(rest) : "";
}
function show(s) {
  state = s; received = Date.now();
  const marker = {play: "** PLAY **", wait: "** WAIT **", error: "** FEHLER **", stop: ""}[s.status] || "";
  $("mannschaft").textContent = s.team;
  $("titel").textContent = s.title ? s.title + "   " + marker : "\u00a0";
  const c = s.controls;
  $("stop").disabled = !c.stop; $("ausblenden").disabled = !c.fade;
  $("pause").textContent = c.resume ? "Weiter" : "Pause"; $("pause").disabled = !(c.pause || c.resume);
  $("ansage").textContent = s.announcement ? "Musik" : "Ansage"; $("ansage").className = s.announcement ? "musik" : "";
  $("ansage").disabled = !(c.announce || c.music);
  const brett = $("brett"); brett.textContent = "";
  let box = null, heading = null;
  for (const b of s.buttons) {
    if (b.heading !== heading) {
      heading = b.heading; box = document.createElement("div"); box.className = "kategorie";
      const h = document.createElement("h2"); h.textContent = heading; box.appendChild(h); brett.appendChild(box);
    }
    const k = document.createElement("button"); k.className = "knopf" + (b.played ? " gespielt" : "") + (b.broken ? " defekt" : "");
    k.textContent = b.caption.replace(/&(.)/g, "$1"); k.dataset.index = b.index;
    if (b.key) { const t = document.createElement("span"); t.className = "taste"; t.textContent = b.key; k.appendChild(t); }
    box.appendChild(k);
  }
  tick();
}
function connect() {
  if (!token) return;
  ws = new WebSocket((location.protocol === "https:" ? "wss://" : "ws://") + location.host + "/api/events?token=" + encodeURIComponent(token));
  ws.onopen = () => found();
  ws.onmessage = e => show(JSON.parse(e.data));
  ws.onclose = () => { ws = null; if (!token) return; lost();
    fetch("/api/state", {headers: {"Authorization": "Bearer " + token}}).then(r => { if (r.status === 401) loggedOut(); }).catch(() => {});
    setTimeout(connect, 1000); };
}
function start() { $("anmeldung").hidden = true; $("pult").hidden = false; connect(); }
$("anmelden").onclick = () => {
  fetch("/api/login", {method: "POST", headers: {"Content-Type": "application/json"}, body: JSON.stringify({pin: $("pin").value})})
    .then(r => r.json().then(j => ({ok: r.ok, j})))
    .then(({ok, j}) => { if (ok) { token = j.token; sessionStorage.setItem("klangwart-token", token); $("fehler").textContent = ""; start(); }
                         else $("fehler").textContent = j.error; })
    .catch(() => { $("fehler").textContent = "Das Pult antwortet nicht."; });
};
$("pin").onkeydown = e => { if (e.key === "Enter") $("anmelden").click(); };
$("stop").onclick = () => call("/api/stop");
$("pause").onclick = () => call(state && state.controls.resume ? "/api/resume" : "/api/pause");
$("ausblenden").onclick = () => call("/api/fade");
$("ansage").onclick = () => call(state && state.announcement ? "/api/music" : "/api/announce");
$("nummer").onsubmit = e => { e.preventDefault(); const n = $("nr").value.trim(); $("nr").value = "";
  if (/^\d{1,2}$/.test(n)) call("/api/number/" + Number(n)); };
$("brett").onclick = e => { const k = e.target.closest(".knopf"); if (k) call("/api/buttons/" + k.dataset.index + "/press"); };
setInterval(tick, 250);
if (token) start();
</script></body></html>
)KW";
} // namespace

QByteArray RemotePage::html() {
    return QByteArray::fromRawData(Page, sizeof(Page) - 1);
}
