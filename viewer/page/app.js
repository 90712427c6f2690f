// The live phone page: shows the screen the server pushes, turns mouse and touch input into the
// phone's touches, and keeps the side panels in step with the server's state.
"use strict";

const $ = (id) => document.getElementById(id);
const screenImg = $("screen");
const overlay = $("overlay");

// What the page knows; exposed for tests and the curious (window.lumora in the console).
const lumora = {
  state: null,
  frameShown: 0,     // version of the frame on screen
  frameWanted: 0,    // newest version announced
  latencies: [],     // click-to-new-frame, milliseconds
  elements: [],
};
window.lumora = lumora;

// ---- talking to the server

async function post(path, body) {
  const res = await fetch(path, {
    method: "POST",
    headers: { "Content-Type": "application/json" },
    body: JSON.stringify(body || {}),
  });
  const answer = await res.json().catch(() => ({}));
  showMessage(res.ok ? "" : answer.error || res.statusText);
  return res.ok ? answer : null;
}

function showMessage(text) {
  $("message").hidden = !text;
  $("message").textContent = text;
}

// ---- the screen

let loading = false;
let pendingTap = null; // {at, version}: a touch waiting for the frame it causes

function loadFrame() {
  if (loading || lumora.frameWanted <= lumora.frameShown) return;
  loading = true;
  const version = lumora.frameWanted;
  const img = new Image();
  img.onload = () => {
    screenImg.src = img.src;
    lumora.frameShown = version;
    loading = false;
    if (pendingTap && version > pendingTap.version) {
      const ms = performance.now() - pendingTap.at;
      lumora.latencies.push(ms);
      $("latency").textContent = `touch → new frame ${Math.round(ms)} ms`;
      pendingTap = null;
    }
    if (hovering) refreshElements();
    loadFrame();
  };
  img.onerror = () => { loading = false; };
  img.src = "/api/frame?v=" + version;
}

function screenPoint(event) {
  const r = screenImg.getBoundingClientRect();
  const s = lumora.state ? lumora.state.device.screen : { width: 375, height: 667 };
  return [
    Math.round(((event.clientX - r.left) * s.width / r.width) * 10) / 10,
    Math.round(((event.clientY - r.top) * s.height / r.height) * 10) / 10,
  ];
}

function toCanvas([x, y]) {
  const s = lumora.state.device.screen;
  return [x * overlay.width / s.width, y * overlay.height / s.height];
}

let stroke = null; // the touch in progress: {start, points}
let hovering = false;

function drawOverlay(hoverBox) {
  const r = screenImg.getBoundingClientRect();
  const dpr = window.devicePixelRatio || 1;
  if (overlay.width !== Math.round(r.width * dpr)) {
    overlay.width = Math.round(r.width * dpr);
    overlay.height = Math.round(r.height * dpr);
  }
  const g = overlay.getContext("2d");
  g.clearRect(0, 0, overlay.width, overlay.height);
  if (!lumora.state) return;
  if (hoverBox) {
    const [x, y] = toCanvas([hoverBox[0], hoverBox[1]]);
    const [x2, y2] = toCanvas([hoverBox[0] + hoverBox[2], hoverBox[1] + hoverBox[3]]);
    g.strokeStyle = "rgba(255, 204, 0, 0.9)";
    g.lineWidth = 2 * dpr;
    g.strokeRect(x, y, x2 - x, y2 - y);
  }
  if (stroke && stroke.points.length) {
    g.strokeStyle = "rgba(255, 255, 255, 0.75)";
    g.fillStyle = "rgba(255, 255, 255, 0.35)";
    g.lineWidth = 4 * dpr;
    g.lineCap = g.lineJoin = "round";
    g.beginPath();
    stroke.points.forEach((p, i) => {
      const [cx, cy] = toCanvas(p);
      if (i === 0) g.moveTo(cx, cy); else g.lineTo(cx, cy);
    });
    g.stroke();
    const [cx, cy] = toCanvas(stroke.points[stroke.points.length - 1]);
    g.beginPath();
    g.arc(cx, cy, 14 * dpr, 0, Math.PI * 2);
    g.fill();
  }
}

screenImg.addEventListener("pointerdown", (e) => {
  if (e.button !== 0 || !lumora.state) return;
  screenImg.setPointerCapture(e.pointerId);
  stroke = { start: performance.now(), points: [screenPoint(e)] };
  drawOverlay();
  e.preventDefault();
});

screenImg.addEventListener("pointermove", (e) => {
  if (stroke) {
    stroke.points.push(screenPoint(e));
    drawOverlay();
    return;
  }
  hovering = true;
  describeHover(screenPoint(e));
});

screenImg.addEventListener("pointerleave", () => {
  hovering = false;
  if (!stroke) drawOverlay();
});

screenImg.addEventListener("pointerenter", () => { hovering = true; refreshElements(); });

async function finishStroke(e) {
  if (!stroke) return;
  const s = stroke;
  s.points.push(screenPoint(e));
  stroke = null;
  drawOverlay();
  const seconds = Math.max(0.001, (performance.now() - s.start) / 1000);
  const [x0, y0] = s.points[0];
  const far = Math.max(...s.points.map(([x, y]) => Math.hypot(x - x0, y - y0)));
  let body;
  if (far < 6) {
    body = seconds < 0.4 ? { gesture: "tap", x: x0, y: y0 }
                         : { gesture: "press", x: x0, y: y0, seconds };
  } else {
    body = { gesture: "drag", points: s.points.slice(0, 2000), seconds: Math.min(seconds, 60) };
  }
  pendingTap = { at: performance.now(), version: lumora.frameWanted };
  await post("/api/touch", body);
}

screenImg.addEventListener("pointerup", finishStroke);
screenImg.addEventListener("pointercancel", () => { stroke = null; drawOverlay(); });

// ---- what is under the pointer

let elementsAsked = 0;
async function refreshElements() {
  const now = performance.now();
  if (now - elementsAsked < 300) return;
  elementsAsked = now;
  const res = await fetch("/api/elements");
  if (res.ok) lumora.elements = (await res.json()).elements;
}

function describeHover([x, y]) {
  const hits = lumora.elements.filter(({ frame: [fx, fy, fw, fh] }) =>
    x >= fx && y >= fy && x <= fx + fw && y <= fy + fh);
  hits.sort((a, b) => a.frame[2] * a.frame[3] - b.frame[2] * b.frame[3]);
  const best = hits[0];
  $("hover").textContent = best
    ? `${best.name} · ${best.class}${best.selected ? " · selected" : ""}  (${x}, ${y})`
    : `(${x}, ${y})`;
  drawOverlay(best ? best.frame : null);
}

// ---- the side panels

function mark(selector, attr, value) {
  document.querySelectorAll(selector).forEach((b) => b.classList.toggle("on", b.dataset[attr] === String(value)));
}

function renderState(st) {
  const first = !lumora.state;
  const previous = lumora.state;
  lumora.state = st;
  const scr = st.device.screen;
  $("device-name").textContent = `${st.device.name} · ${st.device.model} · ${scr.width}×${scr.height} pt @${scr.scale}x`;
  screenImg.style.aspectRatio = `${scr.width} / ${scr.height}`;
  $("no-app").hidden = !!st.app;
  mark("#speed button", "speed", st.clock.speed);
  $("elapsed").textContent = formatTime(st.clock.elapsed) + (st.clock.running ? "" : " · paused");
  mark('button[data-action="orient"]', "value", st.orientation);
  mark('button[data-action="launch"]', "value", st.app);
  if (!sliding.tilt) { $("tilt").value = st.tilt; $("tilt-out").textContent = `${st.tilt}°`; }
  if (st.scene.brightness !== undefined && !sliding.brightness) {
    $("brightness").value = st.scene.brightness;
    $("brightness-out").textContent = `${st.scene.brightness} EV`;
  }
  if (st.scene.distance !== undefined && !sliding.distance) {
    $("distance").value = Math.log10(st.scene.distance);
    $("distance-out").textContent = `${st.scene.distance} m`;
  }
  renderRecording(st);
  renderPhotos(st.photos, previous ? previous.photos : []);
  renderPrefs(st.prefs, previous ? previous.prefs : null);
  renderPrefKeys(st.prefKeys);
  $("prefs-file").href = st.prefsUrl;
  $("event-count").textContent = `${st.events} entries`;
  if (st.events > logCount || st.events < logCount) fetchLog(st.events < logCount);
  if (first) drawOverlay();
}

function formatTime(s) {
  const m = Math.floor(s / 60);
  return m > 0 ? `${m} min ${s % 60} s` : `${s} s`;
}

function renderRecording(st) {
  const on = st.recording.on;
  $("record").checked = on;
  $("expect").disabled = !on;
  $("script").hidden = !on;
  if (on) {
    $("script").textContent = st.recording.lines.join("\n");
    $("script").scrollTop = $("script").scrollHeight;
  }
  const last = $("last-recording");
  last.hidden = !st.lastRecording;
  if (st.lastRecording) {
    last.textContent = st.lastRecording;
    last.href = "/out/" + st.lastRecording;
    last.target = "_blank";
  }
}

function renderPhotos(photos, before) {
  $("photo-count").textContent = photos.length ? `${photos.length}` : "";
  if (photos.length === before.length && document.querySelector("#photos .photo")) return;
  const box = $("photos");
  box.textContent = "";
  if (!photos.length) {
    box.innerHTML = '<span class="muted small">none yet</span>';
    return;
  }
  for (const p of photos.slice().reverse()) {
    const item = document.createElement("div");
    item.className = "photo";
    const img = document.createElement("img");
    img.src = p.url;
    img.alt = p.name;
    img.loading = "lazy";
    const caption = document.createElement("div");
    caption.textContent = `${p.name.replace(/\.JPG$/i, "")} · EXIF ${p.orientation}`;
    item.append(img, caption);
    item.addEventListener("click", () => {
      $("lightbox-img").src = p.url;
      $("lightbox-caption").textContent =
        `${p.name} · ${p.width}×${p.height} stored · EXIF orientation ${p.orientation}`;
      $("lightbox").hidden = false;
    });
    box.append(item);
  }
}

function renderPrefs(prefs, before) {
  const table = $("prefs");
  table.textContent = "";
  const keys = Object.keys(prefs).sort();
  if (!keys.length) {
    table.innerHTML = '<tr><td class="muted empty">no preferences file yet</td></tr>';
    return;
  }
  for (const k of keys) {
    const row = table.insertRow();
    row.insertCell().textContent = k;
    const cell = row.insertCell();
    cell.textContent = JSON.stringify(prefs[k]);
    if (typeof prefs[k] === "boolean") {
      // A click flips a switch, as the settings screens would.
      cell.className = "toggle";
      cell.title = "click to switch";
      cell.addEventListener("click", () => post("/api/action", { command: "prefs", key: k, value: !prefs[k] }));
    }
    if (before && JSON.stringify(before[k]) !== JSON.stringify(prefs[k])) row.className = "changed";
  }
}

function renderPrefKeys(keys) {
  const select = $("pref-key");
  if (select.options.length) return;
  for (const { name, type } of keys) {
    const o = document.createElement("option");
    o.value = name;
    o.dataset.type = type;
    o.textContent = name;
    select.append(o);
  }
}

$("pref-form").addEventListener("submit", (e) => {
  e.preventDefault();
  const option = $("pref-key").selectedOptions[0];
  if (!option) return;
  const text = $("pref-value").value.trim();
  let value;
  if (option.dataset.type === "bool") value = ["true", "yes", "on", "1"].includes(text.toLowerCase());
  else value = Number.parseInt(text, 10);
  if (option.dataset.type !== "bool" && !Number.isInteger(value)) {
    showMessage(option.value + " takes a whole number");
    return;
  }
  post("/api/action", { command: "prefs", key: option.value, value });
});

let logCount = 0;
let logBusy = false;
async function fetchLog(restart) {
  if (logBusy) return;
  logBusy = true;
  if (restart) { logCount = 0; $("log").textContent = ""; }
  const res = await fetch("/api/log?from=" + logCount);
  if (res.ok) {
    const { lines, total } = await res.json();
    const log = $("log");
    const atBottom = log.scrollTop + log.clientHeight >= log.scrollHeight - 4;
    log.textContent += lines.map((l) => l + "\n").join("");
    logCount += lines.length;
    if (atBottom) log.scrollTop = log.scrollHeight;
    logBusy = false;
    if (logCount < total) fetchLog(false);
    return;
  }
  logBusy = false;
}

// ---- controls

document.querySelectorAll("button[data-action]").forEach((b) =>
  b.addEventListener("click", () => {
    const body = { command: b.dataset.action };
    if (b.dataset.value) body.value = b.dataset.value;
    post("/api/action", body);
  }));

document.querySelectorAll("#speed button").forEach((b) =>
  b.addEventListener("click", () => post("/api/clock", { speed: Number(b.dataset.speed) })));

const sliding = {};
function slider(id, show, send) {
  const input = $(id);
  input.addEventListener("input", () => { sliding[id] = true; $(id + "-out").textContent = show(Number(input.value)); });
  input.addEventListener("change", async () => {
    await post("/api/action", send(Number(input.value)));
    sliding[id] = false;
  });
}
slider("tilt", (v) => `${v}°`, (v) => ({ command: "tilt", value: v }));
slider("brightness", (v) => `${v} EV`, (v) => ({ command: "scene", brightness: v }));
const metres = (v) => Math.round(Math.pow(10, v) * 100) / 100;
slider("distance", (v) => `${metres(v)} m`, (v) => ({ command: "scene", distance: metres(v) }));

$("record").addEventListener("change", async (e) => {
  const answer = await post("/api/record", { on: e.target.checked });
  if (!answer) e.target.checked = !e.target.checked;
});
$("step").addEventListener("click", () => post("/api/clock", { advance: 1 }));
$("expect").addEventListener("click", () => post("/api/expect", {}));
$("lightbox").addEventListener("click", () => { $("lightbox").hidden = true; });

// ---- live updates

function connect() {
  const events = new EventSource("/api/events");
  events.addEventListener("state", (e) => renderState(JSON.parse(e.data)));
  events.addEventListener("frame", (e) => {
    lumora.frameWanted = Math.max(lumora.frameWanted, Number(e.data));
    loadFrame();
  });
  events.onerror = () => { $("device-name").textContent = "reconnecting…"; };
}
connect();
window.addEventListener("resize", () => drawOverlay());
