// The page's figures in Debian's Chromium, headless: the file's size as written and gzipped, the
// time from navigation to the first frame on the canvas, and the time per frame at 11 and 35
// cylinders with the canvas included (the animation-frame callbacks' own time: the frames run,
// the changed rectangles put on the canvas, the readouts).
// Usage: node web_bench.mjs PAGE.html   (NODE_PATH: playwright-core)
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import { join } from "node:path";
import { pathToFileURL } from "node:url";
import { gzipSync } from "node:zlib";

const [pagePath] = process.argv.slice(2);
const require = createRequire(join(process.env.NODE_PATH, "noop.js"));
const { chromium } = require("playwright-core");

const file = readFileSync(pagePath);
console.log(`file: ${file.length} bytes, ${gzipSync(file, { level: 9 }).length} gzipped`);

// Times every animation-frame callback of the page, and notes when the first one that ran a
// frame ended.
function timeCallbacks() {
  window.callbackTimes = [];
  const request = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (callback) => request((now) => {
    const before = performance.now();
    const frames = window.radialEngine ? radialEngine.status().frames : 0;
    callback(now);
    const ran = radialEngine.status().frames - frames;
    if (ran > 0) {
      callbackTimes.push((performance.now() - before) / ran);
      if (window.firstFrameAt === undefined) window.firstFrameAt = performance.now();
    }
  });
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const browser = await chromium.launch({ executablePath: "/usr/bin/chromium", args: ["--no-sandbox"] });
for (const ratio of [1, 1.5]) {
  for (const query of ["", "?cylinders=35", "?cylinders=35&vector=1"]) {
    const page = await browser.newPage({ deviceScaleFactor: ratio });
    await page.addInitScript(timeCallbacks);
    await page.goto(pathToFileURL(pagePath).href + query);
    await page.waitForTimeout(4000);
    const { times, first } = await page.evaluate(() => ({ times: callbackTimes, first: firstFrameAt }));
    const steady = times.slice(30); // past start-up and the code's first runs
    const mean = steady.reduce((a, b) => a + b, 0) / steady.length;
    console.log(`ratio ${ratio} ${query || "(start values)"}: first frame at ${first.toFixed(0)} ms, ` +
                `per frame median ${median(steady).toFixed(3)} ms, mean ${mean.toFixed(3)} ms ` +
                `over ${steady.length} frames`);
    await page.close();
  }
}
await browser.close();
