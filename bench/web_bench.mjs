// The page's figures in Debian's Chromium, headless: the file's size as written and gzipped, the
// time from navigation to the first frame on the canvas, and the time per frame at 11 and 35
// cylinders with the canvas included (the animation-frame callbacks' own time: the frames run,
// the changed rectangles put on the canvas, the readouts).
// The callbacks' times are those of the page as it runs; the work alone is also timed over 1000
// frames back to back, calling the page's own engine and canvas code. The page is served from
// here cross-origin isolated, which gives it the browser's fine timer (pages from disk get one
// coarsened to 0.1 ms).
// With the analysis panel, its cost: the callbacks with it shown and hidden; and, on a desktop
// and on a slowed phone, what letting go of a bar does to the page: its longest task, the frames
// drawn through the change and the time until the new charts show.
// Several pages (a build before a change and one after it) are measured in the same run, taking
// turns, each named by its path.
// Usage: node web_bench.mjs PAGE.html [PAGE.html ...]   (NODE_PATH: playwright-core)
import { readFileSync } from "node:fs";
import { createServer } from "node:http";
import { createRequire } from "node:module";
import { join } from "node:path";
import { gzipSync } from "node:zlib";

const pagePaths = process.argv.slice(2);
const require = createRequire(join(process.env.NODE_PATH, "noop.js"));
const { chromium } = require("playwright-core");


// Times every animation-frame callback of the page, and notes when the first one that ran a
// frame ended.
function timeCallbacks() {
  window.callbackTimes = [];
  const request = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (callback) => request((now) => {
    const frames = window.radialEngine ? radialEngine.status().frames : 0;
    const before = performance.now();
    callback(now);
    const after = performance.now();
    const ran = radialEngine.status().frames - frames;
    if (ran > 0) {
      callbackTimes.push((after - before) / ran);
      if (window.firstFrameAt === undefined) window.firstFrameAt = after;
    }
  });
}

// 1000 frames and their canvas updates, as the page's callback does them (the paced call made to
// run one frame each time), with the animation's own callbacks held off meanwhile. A page from
// before the run's status came back as one record has the rectangles' count, the picture's size
// and the rectangles in calls of their own.
function backToBack() {
  const M = Module, canvas = document.getElementById("engine"), context = canvas.getContext("2d");
  const older = M._web_rects !== undefined;
  const width = canvas.width, height = canvas.height;
  const taken = () => {
    if (older) return [M._web_take_rects(0), M._web_rects()];
    const pointer = M._web_take_rects(0);
    return [new Int32Array(HEAPU8.buffer, pointer, 1)[0], pointer + 12];
  };
  let now = 1e7, frame = 0, canvasTime = 0, rects = 0, pixels = 0;
  const count = 1000;
  for (let k = 0; k < count; ++k) {
    const t0 = performance.now();
    M._web_animation_frame(now += 1000 / 60);
    const t1 = performance.now();
    const [n, at] = taken();
    const image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, M._web_pixels(),
                                                      4 * width * height), width, height);
    const r = new Int32Array(HEAPU8.buffer, at, 4 * n);
    for (let i = 0; i < 4 * n; i += 4) {
      context.putImageData(image, 0, 0, r[i], r[i + 1], r[i + 2], r[i + 3]);
      pixels += r[i + 2] * r[i + 3];
    }
    const t2 = performance.now();
    frame += t1 - t0;
    canvasTime += t2 - t1;
    rects += n;
  }
  return { frame: frame / count, canvas: canvasTime / count, rects: rects / count,
           pixels: pixels / count };
}

let file = null;
const server = createServer((request, response) => {
  response.setHeader("Content-Type", "text/html");
  response.setHeader("Cross-Origin-Opener-Policy", "same-origin");
  response.setHeader("Cross-Origin-Embedder-Policy", "require-corp");
  response.end(file);
});
await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
const pageUrl = `http://127.0.0.1:${server.address().port}/radial-engine.html`;

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const browser = await chromium.launch({ executablePath: "/usr/bin/chromium", args: ["--no-sandbox"] });
// The pages take turns at each setting, and every setting is measured twice, so that a busy
// machine's drift falls on all pages alike; each line gives the runs' callback medians.
const files = pagePaths.map((path) => readFileSync(path));
const results = pagePaths.map(() => new Map());
for (let round = 0; round < 2; ++round) {
  for (const ratio of [1, 1.5, 2, 3]) {
    for (const query of ["", "?cylinders=35"]) {
      for (let k = 0; k < pagePaths.length; ++k) {
        file = files[k];
        // Wide enough for the picture's design size: the effective ratio is the device's.
        const page = await browser.newPage({ deviceScaleFactor: ratio,
                                             viewport: { width: 1280, height: 900 } });
        await page.addInitScript(timeCallbacks);
        await page.goto(pageUrl + query);
        await page.waitForTimeout(4000);
        const { times, first } = await page.evaluate(() => ({ times: callbackTimes,
                                                              first: firstFrameAt }));
        const steady = times.slice(30); // past start-up and the code's first runs
        const alone = await page.evaluate(backToBack);
        const key = `ratio ${ratio} ${query || "(start values)"}`;
        if (!results[k].has(key)) results[k].set(key, []);
        results[k].get(key).push({ median: median(steady), first, alone, count: steady.length });
        await page.close();
      }
    }
  }
}
// The analysis beside the engine: the callbacks' median with it shown (its cursors moved every
// frame) and hidden (the panel closed), at ratio 1.
const analysis = pagePaths.map(() => new Map());
for (let round = 0; round < 2; ++round) {
  for (const query of ["", "?cylinders=35"]) {
    for (const shown of [true, false]) {
      for (let k = 0; k < pagePaths.length; ++k) {
        file = files[k];
        const page = await browser.newPage({ viewport: { width: 1280, height: 900 } });
        await page.addInitScript(timeCallbacks);
        await page.goto(pageUrl + query);
        await page.waitForFunction(() => window.radialEngine && radialEngine.status().frames > 0);
        await page.evaluate((open) => {
          const panel = document.getElementById("analysis");
          if (panel) panel.open = open;
          callbackTimes.length = 0;
        }, shown);
        await page.waitForTimeout(4000);
        const steady = (await page.evaluate(() => callbackTimes)).slice(30);
        const key = `${query || "(start values)"}, analysis ${shown ? "shown" : "hidden"}`;
        if (!analysis[k].has(key)) analysis[k].set(key, []);
        analysis[k].get(key).push(median(steady));
        await page.close();
      }
    }
  }
}

// A setting changed while the engine runs with the analysis shown, on a desktop and on a
// 390 x 844 phone at ratio 3 with the CPU slowed four times (as Lighthouse's mobile profile):
// the longest task on the page's thread from letting go of the l/s bar until a second after the
// new charts show (from Chromium's trace), the frames drawn in the second after letting go, and
// the time until the new charts and table show (the crank-angle chart replaced and the panel no
// longer busy).
function letGo() {
  return new Promise((resolve) => {
    const bar = document.getElementById("ls-bar"), chart = document.querySelector("#crank-chart svg");
    const column = document.getElementById("analysis-column");
    drawnAt.length = 0;
    const from = performance.now();
    bar.value = Number(bar.value) - 1;
    bar.dispatchEvent(new Event("change"));
    (function wait() {
      if (document.querySelector("#crank-chart svg") !== chart &&
          column.getAttribute("aria-busy") !== "true") {
        resolve(performance.now() - from);
      } else {
        setTimeout(wait, 5);
      }
    })();
  });
}
function countDrawn() {
  window.drawnAt = [];
  const request = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (callback) => request((now) => {
    const frames = window.radialEngine ? radialEngine.status().frames : 0;
    callback(now);
    if (window.radialEngine && radialEngine.status().frames > frames) drawnAt.push(now);
  });
}
// The longest task on the page's main thread in a trace, and how many ran 50 ms or more.
function longestTask(trace) {
  const events = JSON.parse(trace.toString()).traceEvents;
  const main = events.filter((e) => e.name === "thread_name" && e.args.name === "CrRendererMain");
  let longest = 0, long = 0;
  for (const thread of main) {
    for (const e of events) {
      if (e.pid === thread.pid && e.tid === thread.tid && e.name === "RunTask" && e.ph === "X") {
        longest = Math.max(longest, e.dur / 1000);
        long += e.dur >= 50000 ? 1 : 0;
      }
    }
  }
  return { longest, long };
}
const devices = {
  desktop: { options: { viewport: { width: 1280, height: 900 } }, slowdown: 1 },
  "phone, CPU slowed 4 times": {
    options: { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, hasTouch: true,
               isMobile: true },
    slowdown: 4,
  },
};
const changes = pagePaths.map(() => new Map());
for (let round = 0; round < 2; ++round) {
  for (const [device, { options, slowdown }] of Object.entries(devices)) {
    for (const query of ["", "?cylinders=35"]) {
      for (let k = 0; k < pagePaths.length; ++k) {
        file = files[k];
        const page = await browser.newPage(options);
        await page.addInitScript(countDrawn);
        const cdp = await page.context().newCDPSession(page);
        await cdp.send("Emulation.setCPUThrottlingRate", { rate: slowdown });
        await page.goto(pageUrl + query);
        await page.waitForFunction(() => window.radialEngine && radialEngine.status().frames > 0 &&
          document.querySelector("#crank-chart svg") &&
          document.getElementById("analysis-column").getAttribute("aria-busy") !== "true");
        await page.waitForTimeout(2000);
        const undisturbed = await page.evaluate(() => new Promise((resolve) => {
          drawnAt.length = 0;
          setTimeout(() => resolve(drawnAt.length), 1000);
        }));
        await browser.startTracing(page, {
          categories: ["devtools.timeline", "disabled-by-default-devtools.timeline"] });
        const shown = await page.evaluate(letGo);
        await page.waitForTimeout(Math.max(0, 1000 - shown) + 1000);
        const tasks = longestTask(await browser.stopTracing());
        const drawn = await page.evaluate(() => drawnAt.filter((t) => t - drawnAt[0] < 1000).length);
        const key = `${device}, ${query || "(start values)"}`;
        if (!changes[k].has(key)) changes[k].set(key, []);
        changes[k].get(key).push({ ...tasks, drawn, undisturbed, shown });
        await page.close();
      }
    }
  }
}
for (let k = 0; k < pagePaths.length; ++k) {
  console.log(`${pagePaths[k]}: ${files[k].length} bytes, ` +
              `${gzipSync(files[k], { level: 9 }).length} gzipped`);
  for (const [key, runs] of results[k]) {
    const a = runs[runs.length - 1].alone;
    console.log(`  ${key}: callbacks per frame median ` +
                runs.map((r) => `${r.median.toFixed(3)} ms (${r.count} frames)`).join(", ") +
                `; first frame at ${runs.map((r) => r.first.toFixed(0)).join(", ")} ms; back to ` +
                `back: frame ${a.frame.toFixed(3)} ms + canvas ${a.canvas.toFixed(3)} ms ` +
                `(${a.rects.toFixed(0)} rectangles, ${(a.pixels / 1000).toFixed(0)} k pixels)`);
  }
  for (const [key, runs] of analysis[k]) {
    console.log(`  ratio 1 ${key}: callbacks per frame median ` +
                runs.map((r) => `${r.toFixed(3)} ms`).join(", "));
  }
  for (const [key, runs] of changes[k]) {
    console.log(`  a bar let go, ${key}: longest task ` +
                runs.map((r) => `${r.longest.toFixed(1)} ms (${r.long} of 50 ms or more)`)
                  .join(", ") + "; frames drawn in the second after " +
                runs.map((r) => r.drawn).join(", ") + " (in a second undisturbed " +
                runs.map((r) => r.undisturbed).join(", ") + ")" + "; new charts shown after " +
                runs.map((r) => `${r.shown.toFixed(0)} ms`).join(", "));
  }
}
await browser.close();
server.close();
