// The page in Debian's Chromium, headless, driven by playwright-core: its pixels against
// radial-kinematics' pictures, its input against the engine record, its ends and its address.
// Usage: node page_test.mjs PAGE.html RADIAL_KINEMATICS OUTDIR   (NODE_PATH: playwright-core)
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { mkdirSync, readFileSync } from "node:fs";
import { createServer } from "node:http";
import { createRequire } from "node:module";
import { dirname, join } from "node:path";
import { test, after, before } from "node:test";
import { pathToFileURL } from "node:url";

const [pagePath, kinematics, outDir] = process.argv.slice(2);
const require = createRequire(join(process.env.NODE_PATH, "noop.js"));
const { chromium } = require("playwright-core");
const pageUrl = pathToFileURL(pagePath).href;
mkdirSync(outDir, { recursive: true });

let browser;
before(async () => {
  browser = await chromium.launch({ executablePath: "/usr/bin/chromium", args: ["--no-sandbox"] });
});
after(() => browser.close());

// A page at device pixel ratio 1 (or another) whose requests are all logged.
async function open(query = "", url = pageUrl, ratio = 1) {
  const page = await browser.newPage({ deviceScaleFactor: ratio, viewport: { width: 760, height: 780 } });
  page.requests = [];
  page.on("request", (request) => page.requests.push(request.url()));
  page.errors = [];
  page.on("pageerror", (error) => page.errors.push(error.message));
  await page.goto(url + query);
  await page.waitForFunction(() => window.radialEngine && radialEngine.status().frames > 0);
  return page;
}
const status = (page) => page.evaluate(() => radialEngine.status());
const until = (page, condition, arg) => page.waitForFunction(condition, arg, { timeout: 10000 });

// Pixels of the canvas unlike those of a PNG file as the same browser decodes it (or unlike white
// without one): their count, and the sizes.
async function unlikePixels(page, file) {
  const url = file && "data:image/png;base64," + readFileSync(file).toString("base64");
  return page.evaluate(async (src) => {
    const canvas = document.getElementById("engine");
    const ours = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
    let theirs = new Uint8ClampedArray(ours.length).fill(255), size = [canvas.width, canvas.height];
    if (src) {
      const image = new Image();
      image.src = src;
      await image.decode();
      const decoded = new OffscreenCanvas(image.width, image.height).getContext("2d");
      decoded.drawImage(image, 0, 0);
      theirs = decoded.getImageData(0, 0, image.width, image.height).data;
      size = [image.width, image.height];
    }
    let count = 0;
    for (let k = 0; k < ours.length; k += 4) {
      if (ours[k] !== theirs[k] || ours[k + 1] !== theirs[k + 1] || ours[k + 2] !== theirs[k + 2] ||
          ours[k + 3] !== theirs[k + 3]) ++count;
    }
    return { count, canvas: [canvas.width, canvas.height], file: size };
  }, url);
}

// Paused by a space after 20 frames or so (well before the angle's 4 pi wrap at frame 152), the
// canvas holds the tool's picture at the status's theta, pixel for pixel. The bars stand where
// the settings put them.
for (const [name, query, flags, bars] of [
  ["start values", "", [], [25, 500, 95]],
  ["35 cylinders, l/s 2.5, eccentricity 0.8, the vector",
   "?cylinders=35&ls=2.5&eccentricity=0.8&vector=1",
   ["--cylinders", "35", "--rod-length", "250", "--wrist-radius", "40", "--vector"], [3, 400, 120]],
]) {
  test(`paused page shows radial-kinematics' picture: ${name}`, async () => {
    const page = await open(query);
    assert.deepEqual(await page.locator(".bar").evaluateAll((all) => all.map((b) => Number(b.value))),
                     bars);
    await until(page, () => radialEngine.status().frames >= 20);
    await page.keyboard.press(" ");
    await until(page, () => radialEngine.status().paused);
    const s = await status(page);
    assert.ok(s.frames < 150, `paused at frame ${s.frames}`);
    const file = join(outDir, `picture-${s.cylinders}.png`);
    execFileSync(kinematics, ["--picture", file, "--theta", String(s.theta), ...flags]);
    assert.deepEqual(await unlikePixels(page, file),
                     { count: 0, canvas: [711, 695], file: [711, 695] });
    if (query === "") await page.locator("body").screenshot({ path: join(outDir, "web.png") });
    assert.deepEqual(page.requests, [pageUrl + query], "the page fetches nothing");
    assert.deepEqual(page.errors, []);
    await page.close();
  });
}

test("a key, a bar and the mouse change the record as over the window", async () => {
  const page = await open("?paused=1");
  await until(page, () => radialEngine.status().paused);
  assert.equal((await status(page)).frames, 1);
  assert.equal(await page.title(),
    "Radial Engine (select: number of cylinders, l/s ratio, wrist pin eccentricity) " +
    "Use: Mouse , . / c SpaceBar ESC:Quit");

  await page.keyboard.press(".");
  assert.equal((await status(page)).stepe, 0.05 * 1.05);
  await page.keyboard.press("c");
  assert.equal((await status(page)).vector, true);

  // A bar takes effect when let go; its readout beneath follows at the next frame's start, after
  // the pause, as in the window.
  await page.locator("#cylinders-bar").fill("3");
  assert.equal((await status(page)).cylinders, 35);
  await page.locator("#ls-bar").fill("330");
  assert.equal((await status(page)).rodLength, 285);
  assert.deepEqual(await page.locator(".label").allTextContents(), ["11", "2", "1.05"]);

  // A press switches mouse speed control on; the pointer in the lower-left quadrant (world x and
  // y both negative) turns the engine forwards at x y / 200000. The view is still the start view:
  // the new rod length zooms it at the next frame's change check, after the pause.
  const box = await page.locator("#engine").boundingBox();
  await page.mouse.move(box.x + 300, box.y + 400);
  await page.mouse.down({ clickCount: 1 });
  await page.mouse.up({ clickCount: 1 });
  await page.mouse.move(box.x + 100, box.y + 600);
  const x = -270 + 100 * 540 / 711, y = 270 - 600 * 520 / 695;
  const stepe = (await status(page)).stepe;
  assert.ok(Math.abs(stepe - x * y / 200000) < 1e-6, `stepe ${stepe}`);
  // Nothing of this ran a frame: paused, the page does no frame work.
  assert.equal((await status(page)).frames, 1);
  await page.keyboard.press(" ");
  await until(page, () => radialEngine.status().frames > 3);
  assert.deepEqual(await page.locator(".label").allTextContents(), ["35", "2.85", "1.05"]);

  // "Save picture" downloads the canvas's own pixels: a PNG of its backing store's size.
  const [download] = await Promise.all([page.waitForEvent("download"), page.click("#save")]);
  const png = readFileSync(await download.path());
  assert.equal(download.suggestedFilename(), "radial-engine.png");
  assert.deepEqual([png.readUInt32BE(16), png.readUInt32BE(20)], [711, 695]);
  await page.close();
});

test("Esc and a double click end the run, which starts again from the start values", async () => {
  for (const quit of [(page) => page.keyboard.press("Escape"),
                      (page) => page.locator("#engine").dblclick({ position: { x: 400, y: 400 } })]) {
    const page = await open("?cylinders=7");
    await quit(page);
    await page.locator("#ended").waitFor({ state: "visible" });
    const ended = (await status(page)).frames;
    await page.waitForTimeout(200);
    assert.equal((await status(page)).frames, ended);
    assert.equal((await unlikePixels(page)).count, 0, "the picture is cleared");
    await page.locator("#again").click();
    await until(page, () => radialEngine.status().frames > 2);
    assert.equal((await status(page)).cylinders, 11);
    await page.close();
  }
});

// One canvas pixel per device pixel, whatever the ratio; the picture keeps 711 x 695 CSS pixels.
test("the canvas's backing store is in device pixels", async () => {
  for (const [ratio, width, height] of [[1.25, 889, 869], [1.5, 1067, 1043], [2, 1422, 1390]]) {
    const page = await open("", pageUrl, ratio);
    const size = await page.evaluate(() => {
      const canvas = document.getElementById("engine"), box = canvas.getBoundingClientRect();
      return [canvas.width, canvas.height, Math.round(box.width), Math.round(box.height)];
    });
    assert.deepEqual(size, [width, height, 711, 695], `ratio ${ratio}`);
    await page.close();
  }
});

// A hidden page runs no frames and goes on when shown, with one frame in the first callback, not
// a burst for the time it was hidden. (Headless pages are never hidden, so the test tells the page
// it is; its callback is asked for after the page's, and so runs after it.)
test("a hidden page does no frame work", async () => {
  const page = await open();
  const show = (hidden) => page.evaluate((value) => new Promise((resolve) => {
    Object.defineProperty(document, "hidden", { value, configurable: true });
    document.dispatchEvent(new Event("visibilitychange"));
    const from = radialEngine.status().frames;
    requestAnimationFrame(() => resolve(radialEngine.status().frames - from));
  }), hidden);
  assert.equal(await show(true), 0);
  const hidden = (await status(page)).frames;
  await page.waitForTimeout(300);
  assert.equal((await status(page)).frames, hidden);
  assert.equal(await show(false), 1);
  await until(page, (from) => radialEngine.status().frames > from + 5, hidden);
  await page.close();
});

test("the readouts use the decimal separator of the browser's language", async () => {
  const page = await browser.newPage({ locale: "de-DE" });
  await page.goto(pageUrl + "?ls=2.85&eccentricity=0.7");
  await page.waitForFunction(() => window.radialEngine && radialEngine.status().frames > 0);
  assert.deepEqual(await page.locator(".label").allTextContents(), ["11", "2,85", "0,7"]);
  await page.close();
});

test("a value the page cannot take shows its line, and the start value is used", async () => {
  const page = await open("?cylinders=12&ls=2.4&speed=99");
  const lines = await page.locator("#refused div").allTextContents();
  assert.deepEqual(lines, [
    'cylinders takes an odd number from 3 to 35, not "12": the page starts with 11.',
    'speed takes radians per frame from -12.566 to 12.566 (4 pi), not "99": the page starts with 0.05.',
  ]);
  const s = await status(page);
  assert.deepEqual([s.cylinders, s.rodLength, s.stepe], [11, 240, 0.05]);
  await page.close();
});

test("the page runs inside an iframe and served over HTTP", async () => {
  const frameHost = join(outDir, "embed.html");
  const { writeFileSync } = await import("node:fs");
  writeFileSync(frameHost, `<iframe src="${pageUrl}?cylinders=9" width="720" height="760"></iframe>`);
  const page = await browser.newPage();
  await page.goto(pathToFileURL(frameHost).href);
  const frame = page.frames()[1];
  await frame.waitForFunction(() => window.radialEngine && radialEngine.status().frames > 2);
  assert.equal((await frame.evaluate(() => radialEngine.status())).cylinders, 9);
  await page.close();

  const server = createServer((request, response) => {
    response.setHeader("Content-Type", "text/html");
    response.end(readFileSync(pagePath));
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  const served = await open("", `http://127.0.0.1:${server.address().port}/radial-engine.html`);
  assert.ok((await status(served)).frames > 0);
  await served.close();
  server.close();
});
