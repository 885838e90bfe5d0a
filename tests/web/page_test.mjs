// The page in Debian's Chromium, headless, driven by playwright-core: its pixels against
// radial-kinematics' pictures, its input against the engine record, its ends and its address.
// Usage: node page_test.mjs PAGE.html RADIAL_KINEMATICS OUTDIR SOURCE_DIR   (NODE_PATH: playwright-core)
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { mkdirSync, readFileSync } from "node:fs";
import { createServer } from "node:http";
import { createRequire } from "node:module";
import { dirname, join } from "node:path";
import { test, after, before } from "node:test";
import { pathToFileURL } from "node:url";
import { gzipSync } from "node:zlib";

const [pagePath, kinematics, outDir, sourceDir] = process.argv.slice(2);
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
    // Nothing but itself (the cursors' worker is a blob of its own script).
    assert.deepEqual(page.requests.filter((url) => !url.startsWith("blob:")), [pageUrl + query],
                     "the page fetches nothing");
    assert.deepEqual(page.errors, []);
    await page.close();
  });
}

// An SVG drawing as its elements: tag, attributes and own text, depth first, without the page's
// cursor. Run in the page, on the page's chart or on the tool's file parsed there.
function drawnElements({ svgText, selector }) {
  const root = svgText ? new DOMParser().parseFromString(svgText, "image/svg+xml").documentElement
                       : document.querySelector(selector);
  const out = [];
  (function walk(e) {
    if (e.classList.contains("cursor")) return;
    const own = [...e.childNodes].filter((n) => n.nodeType === 3).map((n) => n.data).join("");
    out.push([e.tagName, [...e.attributes].map((a) => a.name + "=" + a.value).sort().join(" "),
              own.trim()]);
    [...e.children].forEach(walk);
  })(root);
  return out;
}

// The analysis panel shows the charts and the table for the engine's settings now.
const chartsShown = () =>
  document.getElementById("analysis-column").getAttribute("aria-busy") === "false";

// CSV as the tool writes it: the same lines and fields, text alike, and numbers alike to 1e-9 of
// their size; WebAssembly's sin, cos and atan (musl's) and the native build's (glibc's) differ in
// the last bit here and there, and the dead centres and sweep carry that to the last digits.
function assertSameCsv(ours, theirs, exact) {
  const rows = (text) => text.trim().split("\n").map((line) => line.split(","));
  const [a, b] = [rows(ours), rows(theirs)];
  assert.equal(a.length, b.length);
  for (let k = 0; k < b.length; ++k) {
    assert.equal(a[k].length, b[k].length, `line ${k + 1}`);
    for (let j = 0; j < b[k].length; ++j) {
      const [x, y] = [a[k][j], b[k][j]];
      if (exact.includes(j) || !/^-?[0-9]/.test(y)) {
        assert.equal(x, y, `line ${k + 1} field ${j + 1}`);
      } else {
        assert.ok(Math.abs(x - y) <= 1e-9 * Math.max(1, Math.abs(y)), `line ${k + 1}: ${x} ${y}`);
      }
    }
  }
}

// The charts and the table are the tool's for the page's settings, and the quantity chosen; the
// cursors show the engine's crank angle; a click on the chart while paused turns the engine
// there, as --picture --theta draws it; the data downloaded is the tool's sweep. Wide, the
// charts stand beside the engine.
for (const [query, flags, quantity] of [
  ["?paused=1", [], "distance"],
  ["?paused=1&cylinders=35&ls=2.5&eccentricity=0.8",
   ["--cylinders", "35", "--rod-length", "250", "--wrist-radius", "40"], "velocity"],
  ["?paused=1&cylinders=3&ls=1.25&eccentricity=1.4",
   ["--cylinders", "3", "--rod-length", "125", "--wrist-radius", "70"], "acceleration"],
]) {
  test(`the analysis beside the engine is the tool's: ${query}`, async () => {
    const page = await browser.newPage({ viewport: { width: 1280, height: 1000 } });
    page.errors = [];
    page.on("pageerror", (error) => page.errors.push(error.message));
    // The 3-cylinder page as a browser that cannot hand a canvas to a worker shows it: the
    // cursors are then painted on the page's own thread, where the test can read them.
    const onThePage = flags.includes("3");
    if (onThePage) {
      await page.addInitScript(() => { delete HTMLCanvasElement.prototype.transferControlToOffscreen; });
    }
    await page.goto(pageUrl + query);
    await until(page, () => window.radialEngine && radialEngine.status().paused);
    await page.selectOption("#quantity", quantity);
    await until(page, chartsShown);
    const tool = (args) => execFileSync(kinematics, [...flags, ...args],
                                       { maxBuffer: 1 << 26, stdio: ["ignore", "pipe", "pipe"] });
    const file = (args) => {
      const path = join(outDir, "chart.svg");
      tool([...args, path]);
      return readFileSync(path, "utf8");
    };
    const plot = file(["--quantity", quantity, "--plot"]);
    assert.deepEqual(await page.evaluate(drawnElements, { selector: "#crank-chart svg" }),
                     await page.evaluate(drawnElements, { svgText: plot }));
    let balance;
    try { balance = file(["--balance-plot"]); } catch (error) { balance = error.stderr.toString(); }
    if (balance.startsWith("<?xml")) {
      assert.deepEqual(await page.evaluate(drawnElements, { selector: "#balance-chart svg" }),
                       await page.evaluate(drawnElements, { svgText: balance }));
      assert.equal(await page.locator("#balance-refused").textContent(), "");
    } else {
      assert.equal("radial-kinematics: --balance-plot: " +
                   await page.locator("#balance-refused").textContent() + "\n", balance);
      assert.equal(await page.locator("#balance-chart svg").count(), 0);
    }
    // The table is the tool's text table cell for cell, "-" where a rod cannot always reach,
    // and the lines under it are the tool's.
    const text = tool(["--summary"]).toString().split("\n");
    const head = text.findIndex((line) => line.startsWith("cylinder ")), end = text.indexOf("", head);
    assert.deepEqual(await page.locator("#summary tbody tr").evaluateAll(
      (rows) => rows.map((r) => [...r.cells].map((c) => c.textContent).join(" "))),
                     text.slice(head + 1, end).map((line) => line.trim().split(/ +/).join(" ")));
    assert.deepEqual(await page.locator("#unreachable p").allTextContents(),
                     text.slice(end + 1).filter(Boolean));

    // The cursors at the paused engine's crank angle, then at the angle clicked: 90 degrees on
    // the plot, where the chart's frame says it is.
    const degrees = (theta) => (theta % (2 * Math.PI)) * 180 / Math.PI;
    const cursors = () => page.locator(".cursor").evaluateAll(
      (all) => all.map((g) => Number(g.getAttribute("data-crank-degrees"))));
    let theta = (await status(page)).theta;
    // The crank-angle chart's; the balance chart's, the torque chart's and the crankpin
    // diagram's where every rod reaches.
    assert.equal((await cursors()).length, balance.startsWith("<?xml") ? 4 : 1);
    if (onThePage) {
      // The vertical line (#c00000, blended at its edges) down the plot's frame, but for the
      // rows under the three cylinders' dots (9 pixels across, drawn over it).
      const [rows, height] = await page.evaluate(() => {
        const canvas = document.querySelector("#crank-chart canvas.cursor");
        const { data } = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height);
        const red = new Set();
        for (let k = 0; k < data.length; k += 4) {
          if (data[k] >= 190 && data[k] <= 193 && !data[k + 1] && !data[k + 2] && data[k + 3]) {
            red.add(Math.floor(k / 4 / canvas.width));
          }
        }
        return [red.size, document.querySelector("#crank-chart rect[stroke='#444444']").height
          .baseVal.value];
      });
      assert.ok(rows >= height - 3 * 9 && rows <= height + 1, `${rows} rows of ${height}`);
    }
    for (const shown of await cursors()) assert.ok(Math.abs(shown - degrees(theta)) < 1e-9);
    const at = await page.evaluate(() => {
      const svg = document.querySelector("#crank-chart svg");
      const frame = svg.querySelector("rect[stroke='#444444']");
      const x = frame.x.baseVal.value + frame.width.baseVal.value / 4;
      const y = frame.y.baseVal.value + frame.height.baseVal.value / 2;
      const p = new DOMPoint(x, y).matrixTransform(svg.getScreenCTM());
      return [p.x, p.y];
    });
    await page.mouse.click(at[0], at[1]);
    const s = await status(page);
    assert.ok(s.paused && s.theta > 0 && s.theta <= 4 * Math.PI);
    assert.ok(Math.abs(degrees(s.theta) - 90) < 0.5, `turned to ${degrees(s.theta)} degrees`);
    for (const shown of await cursors()) assert.ok(Math.abs(shown - degrees(s.theta)) < 1e-9);
    const picture = join(outDir, "turned.png");
    tool(["--picture", picture, "--theta", String(s.theta)]);
    assert.deepEqual(await unlikePixels(page, picture),
                     { count: 0, canvas: [711, 695], file: [711, 695] });
    if (query === "?paused=1") await page.screenshot({ path: join(outDir, "web.png") });

    const [download] = await Promise.all([page.waitForEvent("download"), page.click("#download")]);
    assert.equal(download.suggestedFilename(), "radial-engine-sweep.csv");
    assertSameCsv(readFileSync(await download.path(), "utf8"),
                  tool(["--sweep", "0.017453292519943295"]).toString(), [0, 1]);

    // Resumed, the engine goes on from there, and the cursor with it.
    await page.click("#pause");
    await until(page, (from) => radialEngine.status().frames > from + 3, s.frames);
    await page.click("#pause");
    await until(page, () => radialEngine.status().paused);
    theta = (await status(page)).theta;
    assert.ok(Math.abs(theta - s.theta - 0.05 * ((await status(page)).frames - s.frames)) < 1e-9);
    for (const shown of await cursors()) assert.ok(Math.abs(shown - degrees(theta)) < 1e-9);
    // Beside the engine at this width.
    const [engine, panel] = await Promise.all(["#engine-column", "#analysis-column"].map(
      (selector) => page.locator(selector).boundingBox()));
    assert.ok(panel.x >= engine.x + engine.width && panel.y === engine.y);
    assert.deepEqual(page.errors, []);
    await page.close();
  });
}

// Letting go of a bar while the engine runs: the page's thread is never held up for 50 ms or
// more (long tasks, as the browser reports them) while the report code makes the new charts
// elsewhere; the old ones are marked meanwhile, and the new setting's chart then shows.
test("a setting change makes its charts without a long task", async () => {
  const page = await browser.newPage({ viewport: { width: 1280, height: 1000 } });
  await page.goto(pageUrl + "?cylinders=35");
  await until(page, () => window.radialEngine && radialEngine.status().frames > 5);
  await until(page, chartsShown);
  const marked = await page.evaluate(() => new Promise((resolve) => {
    window.longTasks = [];
    new PerformanceObserver((list) => longTasks.push(...list.getEntries().map((e) => e.duration)))
      .observe({ type: "longtask" });
    const bar = document.getElementById("ls-bar");
    bar.value = 400;
    bar.dispatchEvent(new Event("change"));
    requestAnimationFrame(() => resolve([
      document.getElementById("analysis-column").getAttribute("aria-busy"),
      getComputedStyle(document.getElementById("redrawing")).visibility]));
  }));
  assert.deepEqual(marked, ["true", "visible"]);
  await until(page, chartsShown);
  assert.equal((await status(page)).rodLength, 250);
  const plot = join(outDir, "changed.svg");
  execFileSync(kinematics, ["--cylinders", "35", "--rod-length", "250", "--plot", plot]);
  assert.deepEqual(await page.evaluate(drawnElements, { selector: "#crank-chart svg" }),
                   await page.evaluate(drawnElements, { svgText: readFileSync(plot, "utf8") }));
  assert.deepEqual(await page.evaluate(() => longTasks), []);
  await page.close();
});

// Designs on the page: the same good and bad design files as the tool, with the same answers
// (the tool's line after its name; for a file that is not TOML, up to where the two TOML readers
// word the fault their own ways), a good one's pin table the tool's; a placement chosen draws the
// tool's picture of it and travels in the link; matched to the master, no cylinder falls short.
test("the page runs designs as the tool does", async () => {
  const page = await browser.newPage({ viewport: { width: 1280, height: 1000 } });
  page.errors = [];
  page.on("pageerror", (error) => page.errors.push(error.message));
  await page.goto(pageUrl + "?paused=1");
  await until(page, () => window.radialEngine && radialEngine.status().paused);
  const files = [join(sourceDir, "examples", "nine-cylinder-aero.toml"),
                 join(sourceDir, "examples", "five-cylinder-model.toml"),
                 ...["not-toml", "unknown-key", "list-length", "short-links"].map(
                   (name) => join(sourceDir, "tests", "golden", name + ".toml"))];
  for (const file of files) {
    const name = file.split("/").pop();
    await page.setInputFiles("#design-file", file);
    await until(page, (n) => document.getElementById("status").textContent.includes(n), name);
    const refused = await page.locator("#refused").textContent();
    let err = "";
    try {
      execFileSync(kinematics, ["--design", file, "--pin-table"], { stdio: ["ignore", "pipe", "pipe"] });
    } catch (error) {
      err = error.stderr.toString().replace("radial-kinematics: ", "").replaceAll(file, name).trim();
    }
    if (err.includes("this is not TOML")) {
      assert.equal(refused.split("this is not TOML")[0], err.split("this is not TOML")[0], name);
      continue;
    }
    assert.equal(refused, err, name);
    if (err) continue;
    const text = execFileSync(kinematics, ["--design", file, "--pin-table"]).toString().split("\n");
    const head = text.findIndex((line) => line.startsWith("cylinder ")), end = text.indexOf("", head);
    await until(page, (rows) => document.querySelectorAll("#pins tbody tr").length === rows &&
      document.getElementById("analysis-column").getAttribute("aria-busy") === "false",
                end - head - 1);
    assert.deepEqual(await page.locator("#pins tbody tr").evaluateAll(
      (rows) => rows.map((r) => [...r.cells].map((c) => c.textContent).join(" "))),
                     text.slice(head + 1, end).map((line) => line.trim().split(/ +/).join(" ")),
                     name);
    // A design with its speed and masses: the tool's torque chart and crankpin diagram, and
    // its firing order; at the engine's angle, each cylinder on one stroke.
    // A design in world units is shown at the aero example's size and running.
    const note = await page.locator("#dynamics-note").textContent();
    if (!readFileSync(file, "utf8").includes("speed_rpm")) {
      assert.match(note, /^Torque and loads with this engine's geometry at the size of the nine/);
    } else {
      assert.equal(note, "", name);
      for (const [flag, selector] of [["--torque-plot", "#torque-chart svg"],
                                      ["--crankpin-plot", "#crankpin-chart svg"]]) {
        const path = join(outDir, "dynamics.svg");
        execFileSync(kinematics, ["--design", file, flag, path]);
        assert.deepEqual(await page.evaluate(drawnElements, { selector }), await page.evaluate(
          drawnElements, { svgText: readFileSync(path, "utf8") }), `${name} ${flag}`);
      }
    }
    const order = execFileSync(kinematics, ["--design", file, "--firing-order"]).toString();
    assert.ok((await page.locator("#firing-order").textContent())
      .startsWith("Firing order " + order.split("\n")[0] + ":"), name);
    await until(page, () => document.querySelectorAll("#strokes li").length === 4);
    const strokes = await page.locator("#strokes li").allTextContents();
    assert.deepEqual(strokes.map((line) => line.split(":")[0]),
                     ["power", "exhaust", "intake", "compression"]);
    assert.equal(strokes.join(",").match(/\d+/g).length, order.split("\n")[0].split(", ").length,
                 name);
  }

  // Back to the animation's engine by the link's address, even spacing chosen there.
  await page.goto(pageUrl + "?paused=1&cylinders=9");
  await until(page, () => window.radialEngine && radialEngine.status().paused);
  await page.selectOption("#placement", "even");
  const s = await status(page);
  const picture = join(outDir, "even.png");
  execFileSync(kinematics, ["--cylinders", "9", "--pin-angles", "even", "--picture", picture,
                            "--theta", String(s.theta)]);
  assert.deepEqual(await unlikePixels(page, picture),
                   { count: 0, canvas: [711, 695], file: [711, 695] });
  await page.click("#share");
  assert.match(await page.evaluate(() => location.href), /cylinders=9&.*&pins=even&/);
  const again = await open("", await page.evaluate(() => location.href));
  assert.equal(await again.locator("#placement").inputValue(), "even");
  await again.close();

  await page.selectOption("#placement", "matched");
  await until(page, () => /Every cylinder matched/.test(document.getElementById("status").textContent));
  await until(page, chartsShown);
  const shortfalls = await page.locator("#pins tbody tr").evaluateAll(
    (rows) => rows.map((r) => r.cells[7].textContent));
  assert.deepEqual(shortfalls, Array(9).fill("0.000"));
  assert.deepEqual(page.errors, []);
  await page.close();
});

test("a key, a bar and the mouse change the record as over the window", async () => {
  const page = await open("?paused=1");
  await until(page, () => radialEngine.status().paused);
  assert.equal((await status(page)).frames, 1);
  assert.equal(await page.title(),
    "Radial Engine (select: number of cylinders, l/s ratio, wrist pin eccentricity) " +
    "Use: Mouse , . / c SpaceBar ESC:Quit");

  // The cylinder bar stands where it means 13, as in the window, but says the engine's 11.
  assert.deepEqual(await page.locator("#cylinders-bar").evaluate(
    (bar) => [bar.value, bar.getAttribute("aria-valuetext")]), ["25", "11 cylinders"]);

  await page.keyboard.press(".");
  assert.deepEqual([(await status(page)).crankStep, (await status(page)).stepe],
                   [0.05 * 1.05, 0.05 * 1.05]);
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
  const page = await open("?cylinders=12&ls=2.4&speed=99&ls=2.5&cyl=9");
  const lines = await page.locator("#refused div").allTextContents();
  assert.deepEqual(lines, [
    'cylinders takes an odd number from 3 to 35, not "12": the page starts with 11.',
    'speed takes radians per frame from -12.566 to 12.566 (4 pi), not "99": the page starts with 0.05.',
    'ls takes one value, not a second "2.5": the page starts with the first.',
    'cyl is no setting of the page, which takes cylinders, ls, eccentricity, pins, speed, vector and ' +
    'paused: "9" is left alone.',
  ]);
  const s = await status(page);
  assert.deepEqual([s.cylinders, s.rodLength, s.stepe], [11, 240, 0.05]);
  await page.close();
});

test("the page runs inside an iframe and served over HTTP", async () => {
  const frameHost = join(outDir, "embed.html");
  const { writeFileSync } = await import("node:fs");
  writeFileSync(frameHost, `<iframe src="${pageUrl}?cylinders=9" width="320" height="600"></iframe>`);
  const page = await browser.newPage();
  await page.goto(pathToFileURL(frameHost).href);
  const frame = page.frames()[1];
  await frame.waitForFunction(() => window.radialEngine && radialEngine.status().frames > 2);
  assert.equal((await frame.evaluate(() => radialEngine.status())).cylinders, 9);
  // 304 CSS pixels wide (the frame less the page's margins), and nothing to scroll sideways.
  assert.deepEqual(await frame.evaluate(() => [
    document.documentElement.scrollWidth <= document.documentElement.clientWidth,
    document.getElementById("engine").width]), [true, 304]);
  await page.close();

  // One file, with nothing fetched, in its budget as written and as served gzipped.
  const file = readFileSync(pagePath);
  assert.ok(file.length <= 200 * 1024 && gzipSync(file).length <= 100 * 1024,
            `${file.length} bytes, ${gzipSync(file).length} gzipped`);
  const server = createServer((request, response) => {
    response.setHeader("Content-Type", "text/html");
    response.end(file);
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  const served = await open("", `http://127.0.0.1:${server.address().port}/radial-engine.html`);
  assert.ok((await status(served)).frames > 0);
  await served.close();
  server.close();
});

// Sizes of every control in CSS pixels, for the 24 x 24 px floor.
const controlSizes = (page) => page.evaluate(() =>
  [...document.querySelectorAll("button, input")].filter((e) => e.offsetParent)
    .map((e) => [e.id || e.textContent.trim(), Math.round(e.getBoundingClientRect().width),
                 Math.round(e.getBoundingClientRect().height)]));

// A phone: the engine fits the width at one canvas pixel per device pixel, and taps alone run it.
test("on a phone the page fits, and buttons and taps do what the keys and the mouse do", async () => {
  const page = await browser.newPage({ viewport: { width: 390, height: 844 }, deviceScaleFactor: 3,
                                       hasTouch: true, isMobile: true });
  await page.goto(pageUrl);
  await until(page, () => window.radialEngine && radialEngine.status().frames > 2);
  const fit = await page.evaluate(() => {
    const canvas = document.getElementById("engine"), box = canvas.getBoundingClientRect();
    return { scrolls: document.documentElement.scrollWidth > document.documentElement.clientWidth,
             store: [canvas.width, canvas.height],
             shown: [Math.round(box.width * 3), Math.round(box.height * 3)] };
  });
  assert.equal(fit.scrolls, false);
  assert.deepEqual(fit.store, [1122, 1097]); // 374 CSS pixels wide, the page's margins off 390
  assert.deepEqual(fit.shown, fit.store);
  for (const [name, width, height] of await controlSizes(page)) {
    assert.ok(width >= 24 && height >= 24, `${name}: ${width} x ${height}`);
  }
  await page.screenshot({ path: join(outDir, "phone.png") });

  await page.tap("#pause");
  await until(page, () => radialEngine.status().paused);
  await page.tap("text=Faster");
  await page.tap("#vector");
  let s = await status(page);
  assert.deepEqual([s.stepe, s.vector], [0.05 * 1.05, true]);
  assert.equal(await page.locator("#vector").getAttribute("aria-pressed"), "true");

  // A double tap ends nothing: it switches speed control on and off. A third tap switches it on,
  // and a drag to the lower-left quadrant turns the engine forwards at x y / 200000.
  const box = await page.locator("#engine").boundingBox();
  await page.touchscreen.tap(box.x + 150, box.y + 150);
  await page.touchscreen.tap(box.x + 150, box.y + 150);
  await page.touchscreen.tap(box.x + 150, box.y + 150);
  const cdp = await page.context().newCDPSession(page);
  const touch = (type, x, y) => cdp.send("Input.dispatchTouchEvent", {
    type, touchPoints: type === "touchEnd" ? [] : [{ x: box.x + x, y: box.y + y }] });
  await touch("touchStart", 150, 150);
  await touch("touchMove", 100, 250);
  await touch("touchMove", 50, 300);
  await touch("touchEnd");
  const x = -270 + 50 * 711 / box.width * 540 / 711, y = 270 - 300 * 695 / box.height * 520 / 695;
  s = await status(page);
  assert.ok(Math.abs(s.stepe - x * y / 200000) < 1e-6, `stepe ${s.stepe}, not ${x * y / 200000}`);
  assert.equal(await page.locator("#ended").isVisible(), false);
  await page.close();
});

// Reduced motion and a dark scheme asked for: the page starts paused on its first frame with the
// resume button focused and says why; the page is dark around the white picture. The canvas and
// the bars say in words what they show, and axe-core finds nothing serious.
test("what screen readers are told, and the visitor's preferences", async () => {
  const page = await browser.newPage({ reducedMotion: "reduce", colorScheme: "dark",
                                       viewport: { width: 760, height: 780 } });
  await page.goto(pageUrl + "?cylinders=13&ls=2.005");
  await until(page, () => window.radialEngine && radialEngine.status().paused);
  const s = await status(page);
  assert.deepEqual([s.frames, s.cylinders], [1, 13]);
  assert.deepEqual(await page.evaluate(() => [
    document.activeElement.id, document.getElementById("pause").textContent,
    getComputedStyle(document.body).backgroundColor,
    getComputedStyle(document.getElementById("window")).backgroundColor]),
    ["pause", "Resume Space", "rgb(24, 26, 28)", "rgb(255, 255, 255)"]);
  assert.match(await page.locator("#status").textContent(), /reduced motion/);

  assert.equal(await page.getByRole("img", { name: /^Radial engine/ }).getAttribute("aria-label"),
               "Radial engine: 13 cylinders, l/s 2.005, eccentricity 1.05, turning 0.050 radians " +
               "a frame, paused");
  const words = () => page.evaluate(() => [...document.querySelectorAll(".bar")].map(
    (bar) => [bar.labels[0].textContent, bar.getAttribute("aria-valuetext")]));
  assert.deepEqual(await words(), [["cylinders", "13 cylinders"], ["l/s", "l/s 2.005"],
                                   ["eccentricity", "eccentricity 1.05"]]);
  // Down moves a bar's thumb down, to a larger position: two cylinders fewer, a shorter rod.
  await page.getByRole("slider", { name: "cylinders" }).press("ArrowDown");
  await page.getByRole("slider", { name: "l/s" }).press("ArrowDown");
  assert.deepEqual((await words()).map((w) => w[1]), ["11 cylinders", "l/s 2.00", "eccentricity 1.05"]);
  assert.equal((await status(page)).cylinders, 11);

  await page.addScriptTag({ path: join(process.env.NODE_PATH, "axe-core", "axe.min.js") });
  const serious = await page.evaluate(async () => (await axe.run(document)).violations
    .filter((v) => v.impact === "serious" || v.impact === "critical")
    .map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(", ")}`));
  assert.deepEqual(serious, []);

  // Space on the focused button resumes once, as the key does; the status line says so.
  await page.keyboard.press(" ");
  await until(page, () => radialEngine.status().frames > 3);
  assert.equal(await page.locator("#status").textContent(), "Running.");
  await page.close();
});

// The link writes the settings into the address; that address opens the same engine.
test("the link to these settings opens the same settings", async () => {
  const page = await open("?cylinders=13&eccentricity=0.7");
  await page.keyboard.press(".");
  await page.keyboard.press("c");
  await page.locator("#ls-bar").fill("499");
  await until(page, () => Math.abs(radialEngine.status().rodLength - 200.5) < 1e-9);
  await page.click("#share");
  const url = await page.evaluate(() => location.href);
  assert.equal(url, await page.locator("#link a").getAttribute("href"));
  // 0.05 * 1.05 is 0.052500000000000005, not 0.0525: the shortest text that reads back as it.
  assert.match(url,
               /\?cylinders=13&ls=2.005&eccentricity=0.7&speed=0.052500000000000005&vector=1$/);
  const before = await status(page);
  const again = await open("", url);
  const after = await status(again);
  for (const key of ["cylinders", "rodLength", "wristRadius", "crankStep", "stepe", "vector"]) {
    assert.equal(after[key], before[key], key);
  }
  assert.deepEqual(again.errors, []);
  await page.close();
  await again.close();
});
