// Packs the page into one file that opens from a disk as well as from a server. The scripts,
// the shell's own and the one emscripten wrote, go in inline and minified by terser; the
// WebAssembly goes in compressed by zopfli into gzip and in base64, for the shell's
// instantiateWasm to unpack with the browser's DecompressionStream. docs/web.md has the sizes.
//
// NODE_PATH=npm/node_modules node pack_page.mjs PAGE.html PAGE.js PAGE.wasm OUT.html
import { execFileSync } from "node:child_process";
import { readFileSync, writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import { basename, join, resolve } from "node:path";

const { minify } = createRequire(join(resolve(process.env.NODE_PATH ?? "."), "noop.js"))("terser");
const [html, script, wasm, out] = process.argv.slice(2);
const fail = (message) => {
  console.error(`pack_page: ${message}`);
  process.exit(1);
};

let page = readFileSync(html, "utf8");
const tag = `<script async type="text/javascript" src="${basename(script)}"></script>`;
if (page.split(tag).length !== 2) fail(`${html} should load ${basename(script)} once`);
const packed = execFileSync("zopfli", ["--gzip", "-c", wasm], { maxBuffer: 1 << 26 });
const engine = `<script>var packedEngine = "${packed.toString("base64")}";</script>`;
page = page.replace(tag, () => `${engine}\n<script>${readFileSync(script, "utf8")}</script>`);

// Each inline script minified on its own: they share only their top-level names, which terser
// leaves alone.
const scripts = /<script>([\s\S]*?)<\/script>/g;
const minified = [];
for (const [, code] of page.matchAll(scripts)) {
  minified.push((await minify(code, { compress: { passes: 2 }, mangle: true })).code);
}
let next = 0;
const inline = (code) => `<script>${code.replaceAll("</script", "<\\/script")}</script>`;
page = page.replace(scripts, () => inline(minified[next++]));
writeFileSync(out, page);
