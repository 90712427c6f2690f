// Drives headless Chromium over its DevTools protocol against a running `lumora3 serve`:
// opens the page, clicks the shutter on the screen image, waits for the new photo in the
// page's list, drags across the screen, saves a screenshot of the page, and prints what it
// measured as one JSON line. Node's built-ins only (a small WebSocket client of its own).
//
//   node browser_check.mjs CHROMIUM URL PROFILE_DIR SCREENSHOT.png
import { spawn } from "node:child_process";
import { randomBytes } from "node:crypto";
import { writeFileSync } from "node:fs";
import http from "node:http";

const [chromiumPath, pageUrl, profileDir, screenshotPath] = process.argv.slice(2);
const deadline = Date.now() + 40000;
const fail = (why) => { console.error("browser check: " + why); process.exit(1); };
setTimeout(() => fail("took longer than 40 s"), 40000).unref();

const chromium = spawn(chromiumPath, [
  "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
  "--disable-background-networking", "--disable-component-update", "--disable-sync",
  "--user-data-dir=" + profileDir, "--remote-debugging-address=127.0.0.1",
  "--remote-debugging-port=0", "--window-size=1280,900", "about:blank",
], { stdio: ["ignore", "ignore", "pipe"] });
process.on("exit", () => chromium.kill("SIGKILL"));

const browserWs = await new Promise((resolve) => {
  let text = "";
  chromium.stderr.on("data", (chunk) => {
    text += chunk;
    const m = text.match(/DevTools listening on (ws:\/\/\S+)/);
    if (m) resolve(m[1]);
  });
  chromium.on("exit", (code) => fail("chromium ended early (" + code + "): " + text.slice(-500)));
});
const devtoolsPort = new URL(browserWs).port;

function getJson(path) {
  return new Promise((resolve, reject) => {
    http.get({ host: "127.0.0.1", port: devtoolsPort, path }, (res) => {
      let body = "";
      res.on("data", (c) => (body += c));
      res.on("end", () => resolve(JSON.parse(body)));
    }).on("error", reject);
  });
}

// ---- a minimal WebSocket client (text frames, client-masked, fragmented replies joined)
function connect(wsUrl) {
  const url = new URL(wsUrl);
  return new Promise((resolve, reject) => {
    const req = http.request({
      host: url.hostname, port: url.port, path: url.pathname,
      headers: {
        Connection: "Upgrade", Upgrade: "websocket", "Sec-WebSocket-Version": "13",
        "Sec-WebSocket-Key": randomBytes(16).toString("base64"),
      },
    });
    req.on("upgrade", (res, socket, head) => {
      let buffer = head;
      let parts = [];
      const listeners = [];
      socket.on("data", (chunk) => {
        buffer = Buffer.concat([buffer, chunk]);
        for (;;) {
          if (buffer.length < 2) return;
          const fin = buffer[0] & 0x80, opcode = buffer[0] & 0x0f;
          let len = buffer[1] & 0x7f, at = 2;
          if (len === 126) { if (buffer.length < 4) return; len = buffer.readUInt16BE(2); at = 4; }
          else if (len === 127) { if (buffer.length < 10) return; len = Number(buffer.readBigUInt64BE(2)); at = 10; }
          if (buffer.length < at + len) return;
          const payload = buffer.subarray(at, at + len);
          buffer = buffer.subarray(at + len);
          if (opcode === 8) { socket.end(); return; }
          if (opcode !== 1 && opcode !== 0) continue;
          parts.push(payload);
          if (fin) {
            const text = Buffer.concat(parts).toString("utf8");
            parts = [];
            listeners.forEach((l) => l(JSON.parse(text)));
          }
        }
      });
      const send = (obj) => {
        const data = Buffer.from(JSON.stringify(obj));
        const mask = randomBytes(4);
        let header;
        if (data.length < 126) header = Buffer.from([0x81, 0x80 | data.length]);
        else if (data.length < 65536) { header = Buffer.alloc(4); header[0] = 0x81; header[1] = 0xfe; header.writeUInt16BE(data.length, 2); }
        else { header = Buffer.alloc(10); header[0] = 0x81; header[1] = 0xff; header.writeBigUInt64BE(BigInt(data.length), 2); }
        const masked = Buffer.alloc(data.length);
        for (let i = 0; i < data.length; i++) masked[i] = data[i] ^ mask[i % 4];
        socket.write(Buffer.concat([header, mask, masked]));
      };
      resolve({ send, onMessage: (l) => listeners.push(l), close: () => socket.destroy() });
    });
    req.on("error", reject);
    req.end();
  });
}

const pages = await getJson("/json/list");
const target = pages.find((p) => p.type === "page");
if (!target) fail("no page target");
const ws = await connect(target.webSocketDebuggerUrl);
let nextId = 1;
const waiting = new Map();
ws.onMessage((m) => {
  if (m.id && waiting.has(m.id)) {
    waiting.get(m.id)(m);
    waiting.delete(m.id);
  }
});
function cdp(method, params = {}) {
  const id = nextId++;
  return new Promise((resolve, reject) => {
    waiting.set(id, (m) => (m.error ? reject(new Error(method + ": " + m.error.message)) : resolve(m.result)));
    ws.send({ id, method, params });
  });
}
async function evaluate(expression) {
  const r = await cdp("Runtime.evaluate", { expression, returnByValue: true, awaitPromise: true });
  if (r.exceptionDetails) throw new Error(expression + ": " + r.exceptionDetails.text);
  return r.result.value;
}
async function waitFor(expression, what) {
  while (Date.now() < deadline) {
    if (await evaluate(expression)) return;
    await new Promise((r) => setTimeout(r, 10));
  }
  fail("timed out waiting for " + what);
}
async function waitUntil(expression, ms) {
  const end = Date.now() + ms;
  while (Date.now() < end) {
    if (await evaluate(expression)) return true;
    await new Promise((r) => setTimeout(r, 10));
  }
  return false;
}
const mouse = (type, x, y) => cdp("Input.dispatchMouseEvent", {
  type, x, y, button: "left", buttons: type === "mouseReleased" ? 0 : 1, clickCount: 1,
});

await cdp("Page.enable");
await cdp("Emulation.setDeviceMetricsOverride", { width: 1280, height: 900, deviceScaleFactor: 1, mobile: false });
await cdp("Page.navigate", { url: pageUrl });
await waitFor("!!(window.lumora && lumora.state && lumora.frameShown > 0)", "the first frame");

// Where a point of the phone's screen is on the page.
const placeOf = async (element) => evaluate(`(async () => {
  const { elements } = await (await fetch('/api/elements')).json();
  const e = elements.find((x) => x.name === '${element}');
  const r = document.getElementById('screen').getBoundingClientRect();
  const s = lumora.state.device.screen;
  return e && { x: r.left + (e.frame[0] + e.frame[2] / 2) * r.width / s.width,
                y: r.top + (e.frame[1] + e.frame[3] / 2) * r.height / s.height,
                left: r.left, top: r.top, width: r.width, height: r.height };
})()`);

// Click the shutter: a new photo must show in the page's list.
const shutter = await placeOf("shutter");
if (!shutter) fail("no shutter on screen");
const photosBefore = await evaluate("lumora.state.photos.length");
await mouse("mousePressed", shutter.x, shutter.y);
await mouse("mouseReleased", shutter.x, shutter.y);
await waitFor("lumora.latencies.length >= 1", "a new frame after the click");
await waitFor(`document.querySelectorAll('#photos .photo').length > ${photosBefore}`, "the photo in the list");
await waitFor(`[...document.querySelectorAll('#photos .photo img')].every((i) => i.complete && i.naturalWidth > 0)`, "the thumbnails");

// More clicks for a steadier latency figure (on the preview: tap to focus).
for (let i = 0; i < 4; i++) {
  const n = await evaluate("lumora.latencies.length");
  const x = shutter.left + shutter.width * (0.3 + 0.1 * i), y = shutter.top + shutter.height * 0.4;
  await mouse("mousePressed", x, y);
  await mouse("mouseReleased", x, y);
  await waitUntil(`lumora.latencies.length > ${n}`, 1500);
}

// A drag across the picture: the screen must change (the frame's version moves on).
const frameBefore = await evaluate("lumora.frameShown");
const y = shutter.top + shutter.height * 0.45;
await mouse("mousePressed", shutter.left + shutter.width * 0.8, y);
for (let i = 1; i <= 8; i++) {
  await mouse("mouseMoved", shutter.left + shutter.width * (0.8 - 0.07 * i), y);
  await new Promise((r) => setTimeout(r, 15));
}
await mouse("mouseReleased", shutter.left + shutter.width * 0.24, y);
await waitFor(`lumora.frameShown > ${frameBefore}`, "a new frame after the drag");
const lastLine = await evaluate("document.getElementById('log').textContent.trim().split('\\n').pop()");

// Recording through the page's switch, and a preference set with the page's form.
await evaluate("document.getElementById('record').click(), true");
await waitFor("lumora.state.recording.on", "the recording to start");
await evaluate(`(() => {
  document.getElementById('pref-key').value = 'showFPS';
  document.getElementById('pref-value').value = 'false';
  document.getElementById('pref-form').requestSubmit();
  return true;
})()`);
await waitFor("lumora.state.prefs.showFPS === false", "the preference in the page");
await waitFor("document.querySelector('#prefs').textContent.includes('showFPS')", "the preferences table");

await new Promise((r) => setTimeout(r, 300));
const shot = await cdp("Page.captureScreenshot", { format: "png" });
writeFileSync(screenshotPath, Buffer.from(shot.data, "base64"));

const result = {
  latencies: await evaluate("lumora.latencies"),
  photosInPage: await evaluate("document.querySelectorAll('#photos .photo').length"),
  photosBefore,
  frameBefore,
  frameAfter: await evaluate("lumora.frameShown"),
  lastLogLine: lastLine,
  recording: await evaluate("lumora.state.recording.lines"),
};
console.log(JSON.stringify(result));
ws.close();
chromium.kill("SIGTERM");
process.exit(0);
