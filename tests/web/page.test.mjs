// The page in headless Chromium (SwiftShader's WebGL2): its picture against the desktop
// program's snapshots of the same frames, its URL parameters and their errors, and a drive
// through keys, controls and a lesson.
//
//   PLANEWAVE_PAGE=build-web/planewave3d.html PLANEWAVE_DESKTOP=DIR node --test tests/web
// DIR holds the desktop's snapshots: mono.png, sbs.png and lossy.png (tests/web/run_web.sh).
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import fs from "node:fs";
import path from "node:path";
import { pathToFileURL } from "node:url";
import puppeteer from "puppeteer-core";
import { PNG } from "pngjs";

const page_url = pathToFileURL(path.resolve(process.env.PLANEWAVE_PAGE)).href;
const desktop = process.env.PLANEWAVE_DESKTOP;
let browser;

before(async () => {
  browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    args: ["--headless=new", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
           "--no-sandbox", "--hide-scrollbars"],
  });
});
after(async () => browser && browser.close());

// A page of 1280x720 at the query; its errors collected.
async function open(query) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 720 });
  page.errors = [];
  page.on("pageerror", (e) => page.errors.push(String(e)));
  const started = Date.now();
  await page.goto(page_url + query);
  await page.waitForFunction("window.planewave && (window.planewave.ready || " +
                             "!document.getElementById('alert').hidden)", { timeout: 20000 });
  page.first_frame_ms = Date.now() - started;
  return page;
}

const decode = (buffer) => PNG.sync.read(buffer);

function most_frequent(png) {
  const counts = new Map();
  for (let k = 0; k < png.data.length; k += 4 * 97) {
    const c = png.data.readUInt32BE(k) >>> 8;
    counts.set(c, (counts.get(c) || 0) + 1);
  }
  return [...counts].sort((a, b) => b[1] - a[1])[0][0];
}

// The measure: the background exact, 95 % of the pixels within 32 levels, and what differs
// from the background overlapping with an intersection over union of at least 0.90.
function compare(a, b) {
  assert.equal(a.width, b.width);
  assert.equal(a.height, b.height);
  const ground_a = most_frequent(a), ground_b = most_frequent(b);
  let near = 0, both = 0, either = 0;
  const n = a.width * a.height;
  for (let p = 0; p < n; ++p) {
    const k = 4 * p;
    let worst = 0;
    for (let c = 0; c < 3; ++c) worst = Math.max(worst, Math.abs(a.data[k + c] - b.data[k + c]));
    near += worst <= 32;
    const in_a = (a.data.readUInt32BE(k) >>> 8) !== ground_a;
    const in_b = (b.data.readUInt32BE(k) >>> 8) !== ground_b;
    both += in_a && in_b;
    either += in_a || in_b;
  }
  return { background: [ground_a, ground_b], near: near / n, iou: both / either };
}

const pictures = [
  { what: "mono", query: "?view=mono&frame=30&controls=0", file: "mono.png" },
  { what: "side by side", query: "?frame=30&controls=0", file: "sbs.png" },
  { what: "lossy, H and S", file: "lossy.png",
    query: "?view=mono&frame=30&controls=0&medium2=seawater&frequency=100MHz&magnetic&poynting" },
  { what: "the field map, side by side", file: "map.png",
    query: "?frame=30&controls=0&medium2=glass&frequency=500THz&angle=30&field-map=ey" },
];
for (const c of pictures) {
  test(`the picture is the desktop's: ${c.what}`, async () => {
    const page = await open(c.query);
    const shot = decode(await page.screenshot({ type: "png" }));
    const m = compare(shot, PNG.sync.read(fs.readFileSync(path.join(desktop, c.file))));
    // The frame time: drawing and finishing, each ended by reading a pixel back.
    const drawing = await page.evaluate(() => {
      const gl = document.getElementById("scene").getContext("webgl2"), pixel = new Uint8Array(4);
      const start = performance.now();
      for (let k = 0; k < 20; ++k) {
        window.planewave.draw();
        gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, pixel);
      }
      return (performance.now() - start) / 20;
    });
    console.log(`# ${c.what}: first frame after ${page.first_frame_ms} ms, ` +
                `drawing ${drawing.toFixed(1)} ms a frame, ` +
                `${(100 * m.near).toFixed(2)} % within 32 levels, IoU ${m.iou.toFixed(3)}`);
    assert.equal(m.background[0], m.background[1], "the background exactly");
    assert.ok(m.near >= 0.95, `${m.near} of the pixels within 32 levels`);
    assert.ok(m.iou >= 0.9, `intersection over union ${m.iou}`);
    assert.deepEqual(page.errors, []);
    await page.close();
  });
}

// Each bad value: one line naming its parameter, nothing drawn, nothing thrown (every
// parameter's messages are the native tests' table of option mistakes).
const parameters = [
  ["angle=banana", "angle: invalid angle 'banana' (degrees, 0 to 89)"],
  ["medium2=unobtainium", /^medium2: unknown material 'unobtainium'/],
  ["medium1=seawater", "medium1: seawater: medium 1 must be lossless, but has sigma 4.78829 S/m"],
  ["readout=yes", "readout: takes no value, or 1"],
  ["field-map=ex", "field-map: invalid quantity 'ex' (ey, hy or e2)"],
  ["medium2=glass&frequency=500THz&angle=56&readout&curves=amplitude&tangential", null],
  ["theme=projector&palette=colour-blind&readout&curves=spectrum", null],
];
for (const [query, message] of parameters) {
  test(`URL parameters: ${query}`, async () => {
    const page = await open("?" + query);
    const state = await page.evaluate(() => ({
      alert: document.getElementById("alert").hidden ? null : document.getElementById("alert").textContent,
      frames: window.planewave.frames,
      controls: !document.getElementById("controls").hidden,
    }));
    assert.equal(state.controls, message === null, "the controls, or only the message");
    if (message === null) {
      assert.equal(state.alert, null);
      assert.ok(state.frames >= 1);
    } else {
      if (message instanceof RegExp) assert.match(state.alert, message); else assert.equal(state.alert, message);
      assert.equal(state.frames, 0, "nothing drawn");
    }
    assert.deepEqual(page.errors, []);
    await page.close();
  });
}

test("the controls stand beside the picture, and hidden with their button stay hidden", async () => {
  const page = await open("?view=mono");
  const rects = () => page.evaluate(() => [document.getElementById("scene"), document.getElementById("controls")]
    .map((e) => { const r = e.getBoundingClientRect(); return [r.left, r.right, e.hidden]; }));
  const [scene, controls] = await rects();
  assert.ok(scene[1] <= controls[0] && !controls[2], `canvas to ${scene[1]}, controls from ${controls[0]}`);
  await page.click("#toggle");
  assert.deepEqual((await rects()).map((r) => [r[1], r[2]]), [[1280, false], [0, true]]);
  await page.reload();
  await page.waitForFunction("window.planewave && window.planewave.ready");
  assert.equal(await page.$eval("#controls", (c) => c.hidden), true, "remembered");
  assert.equal(await page.$eval("#toggle", (b) => b.getAttribute("aria-expanded")), "false");
  await page.click("#toggle");
  assert.deepEqual(page.errors, []);
  await page.close();
});

test("keys, controls and a lesson drive the page as the desktop's keys do", async () => {
  const page = await open("?view=mono");
  const readouts = () => page.$$eval(".readout", (r) => r.map((x) => x.textContent));
  await page.focus("#scene");
  await page.keyboard.press("h");
  await page.waitForFunction("document.querySelectorAll('.readout').length === 1");
  assert.match((await readouts())[0], /^elliptical 2: the start-up scenario/);
  await page.keyboard.press("v");  // mono -> anaglyph: still one picture
  await page.keyboard.press("v");  // -> cross: two pictures, two readouts, one heard
  await page.waitForFunction("document.querySelectorAll('.readout').length === 2");
  assert.equal(await page.$$eval(".readout[aria-hidden=true]", (r) => r.length), 1);
  await page.keyboard.press("i");
  await page.waitForFunction("document.querySelector('.readout').textContent.startsWith('custom')");
  assert.match((await readouts())[0], /theta_i 21\.0000 deg/);
  await page.select("#medium2", "glass");
  await page.waitForFunction("document.querySelector('.readout').textContent.includes('glass')");
  await page.keyboard.press("g");
  await page.waitForFunction("document.querySelectorAll('.curves svg polyline').length > 4");
  const input = await page.$("#lesson");
  await input.uploadFile(path.resolve("examples/reflection-at-glass.toml"));
  await page.waitForFunction("document.querySelector('.readout').textContent.startsWith('Reflection at glass')");
  // Page Down steps the lesson from the scene; a field shows the value it was clamped to.
  await page.focus("#scene");
  await page.keyboard.press("PageDown");
  await page.waitForFunction("document.querySelector('.readout').textContent.includes('2/')");
  await page.$eval("#ex_mag", (el) => { el.value = "-5"; el.dispatchEvent(new Event("change")); });
  assert.equal(await page.$eval("#ex_mag", (el) => el.value), "0");
  assert.deepEqual(page.errors, []);
  await page.close();
});

test("r records one period, 100 frames at the canvas's size, and downloads it as a looping GIF", async () => {
  const page = await open("?view=mono&readout");
  await page.evaluate(() => {
    window.downloads = [];
    HTMLAnchorElement.prototype.click = function () {
      const name = this.download;
      fetch(this.href).then((r) => r.arrayBuffer()).then((b) => window.downloads.push([name, [...new Uint8Array(b)]]));
    };
  });
  await page.focus("#scene");
  await page.keyboard.press("r");
  await page.waitForFunction("document.querySelector('.readout').textContent.includes('recording')");
  await page.waitForFunction("window.downloads.length === 1", { timeout: 120000 });
  const [name, bytes] = await page.evaluate(() => window.downloads[0]);
  assert.match(name, /^planewave3d-\d{8}-\d{6}\.gif$/);
  const gif = Buffer.from(bytes);
  assert.equal(gif.subarray(0, 6).toString("latin1"), "GIF89a");
  const canvas = await page.$eval("#scene", (c) => [c.width, c.height]);
  assert.deepEqual([gif.readUInt16LE(6), gif.readUInt16LE(8)], canvas);
  assert.ok(canvas[0] < 1280, "the canvas beside the controls");
  assert.ok(gif.includes(Buffer.from("NETSCAPE2.0")), "it loops");
  // One graphic control block (0x21 0xF9 0x04) before each of the 100 frames.
  let frames = 0;
  for (let at = gif.indexOf(Buffer.from([0x21, 0xf9, 0x04])); at >= 0; at = gif.indexOf(Buffer.from([0x21, 0xf9, 0x04]), at + 1)) frames++;
  assert.ok(frames >= 100 && frames < 110, `${frames} control blocks`);
  assert.doesNotMatch(await page.$eval(".readout", (r) => r.textContent), /recording/);
  assert.deepEqual(page.errors, []);
  await page.close();
});

// By keyboard alone: Tab visits every control in order and comes back round; on a control the
// keys are its own (space presses a button, the arrows change a list or the angle); Reset
// view puts the view back; a change of the angle is spoken once, in the live region.
test("every control by keyboard alone, and what changed spoken", async () => {
  const page = await open("?view=mono&readout");
  await page.evaluate(() => {
    window.downloads = [];
    HTMLAnchorElement.prototype.click = function () { window.downloads.push(this.download); };
  });
  const order = [];
  await page.focus("#scene");
  for (let k = 0; k < 40 && !order.includes("lesson"); ++k) {
    await page.keyboard.press("Tab");
    order.push(await page.evaluate(() => document.activeElement.id || document.activeElement.dataset.command));
  }
  assert.deepEqual(order, ["toggle", "medium1", "medium2", "custom2", "theta_i", "frequency", "ex_mag", "ey_mag",
                           "phi_x", "phi_y", "view", "readout", "curves", "magnetic", "poynting", "tangential",
                           "pause", "frame_on", "snapshot", "fullscreen", "reset", "theme", "palette", "lesson"]);
  const state = () => page.evaluate(() => JSON.parse(window.planewave.overlays()).scenario);
  // Each change spoken once, against what was spoken before it, the second within half a second.
  const spoken = (start) => page.waitForFunction(`document.getElementById('announce').textContent.startsWith('${start}')`)
    .then(() => page.$eval("#announce", (a) => a.textContent));
  await page.focus("#medium2");
  await page.keyboard.press("ArrowDown");
  assert.equal(await spoken("1,1"), "1,1 into vacuum; R 0.0000, T 1.0000.");
  await page.focus("#theta_i");
  await page.keyboard.press("ArrowRight");
  assert.equal(await spoken("theta_i"), "theta_i 21 degrees.");
  const s = await state();
  assert.deepEqual([s.medium2, s.angle], ["vacuum", 21]);
  await page.focus("#snapshot");
  await page.keyboard.press("Space");
  await page.waitForFunction("window.downloads.length === 1");
  await page.focus("#scene");
  await page.keyboard.press("ArrowLeft");  // pans
  assert.equal((await state()).moved, true);
  await page.focus("#reset");
  await page.keyboard.press("Enter");
  assert.deepEqual([(await state()).moved, (await state()).paused], [false, false]);
  assert.match(await page.$eval("#scene-text", (t) => t.textContent), /^custom \(from elliptical 2\)\. mono view\. theta_i 21/);
  assert.deepEqual(page.errors, []);
  await page.close();
});

// axe-core finds nothing to mend, in both themes, with every panel shown.
for (const theme of ["classic", "projector"]) {
  test(`the accessibility checker finds no violation: ${theme}`, async () => {
    const page = await open(`?view=mono&readout&curves&legend&field-map=e2&theme=${theme}`);
    await page.addScriptTag({ path: path.resolve("tests/web/node_modules/axe-core/axe.min.js") });
    const result = await page.evaluate(() => window.axe.run(document));
    assert.deepEqual(result.violations.map((v) => [v.id, v.nodes.map((n) => n.target.join(" "))]), []);
    await page.close();
  });
}


test("the page in ?lang='s language, or the browser's, and switched by its list", async () => {
  const page = await open("?view=mono&readout&lang=de");
  const texts = () => page.evaluate(() => [document.documentElement.lang, document.getElementById("reset").textContent,
                                           document.querySelector(".readout").textContent.split("\n")[5]]);
  assert.deepEqual(await texts(), ["de", "Ansicht zurücksetzen", "Frequenz 1 GHz"]);
  await page.select("#language", "es");
  await page.waitForFunction("document.querySelector('.readout').textContent.includes('frecuencia')");
  assert.deepEqual(await texts(), ["es", "Restablecer la vista", "frecuencia 1 GHz"]);
  assert.deepEqual(page.errors, []);
  await page.close();
});
