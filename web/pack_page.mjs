// Packs the page into one file that opens from a disk as well as from a server. The page's own
// script (web/page/, its modules bundled by esbuild from main.mjs), the analysis worker's
// (bundled from analysis_worker.mjs; the page makes the worker from it and emscripten's) and
// emscripten's go in inline, each minified by terser; the WebAssembly goes in compressed by
// zopfli into gzip and in base64, for main.mjs to unpack with the browser's DecompressionStream.
// The same sources give the same bytes. docs/web.md has the sizes.
//
// NODE_PATH=npm/node_modules node pack_page.mjs PAGE.html PAGE.js PAGE.wasm OUT.html
import { execFileSync } from "node:child_process";
import { readFileSync, writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import { basename, join, resolve } from "node:path";
import { fileURLToPath } from "node:url";

const require = createRequire(join(resolve(process.env.NODE_PATH ?? "."), "noop.js"));
const { minify } = require("terser");
const esbuild = require("esbuild");
const [html, script, wasm, out] = process.argv.slice(2);
const fail = (message) => {
  console.error(`pack_page: ${message}`);
  process.exit(1);
};

// One script from a module and those it imports, as one function run at once.
async function bundled(entry) {
  const result = await esbuild.build({
    entryPoints: [fileURLToPath(new URL(`page/${entry}`, import.meta.url))],
    bundle: true, format: "iife", write: false, charset: "utf8", legalComments: "eof",
    nodePaths: [resolve(process.env.NODE_PATH ?? ".")],
  });
  return result.outputFiles[0].text;
}
// Licence comments (/*! ... */, as smol-toml's) are kept.
const minified = async (code) =>
  (await minify(code, { compress: { passes: 2 }, mangle: true, format: { comments: /^!/ } })).code;
const inline = (code, attributes = "") =>
  `<script${attributes}>${code.replaceAll("</script", "<\\/script")}</script>`;
const replaceOnce = (page, tag, by) => {
  if (page.split(tag).length !== 2) fail(`${html} should hold ${tag} once`);
  return page.replace(tag, () => by);
};

let page = readFileSync(html, "utf8");
const packed = execFileSync("zopfli", ["--gzip", "-c", wasm], { maxBuffer: 1 << 26 });
page = replaceOnce(page, '<script type="module" src="page/main.mjs"></script>',
                   inline(await minified(await bundled("main.mjs"))));
page = replaceOnce(page, `<script async type="text/javascript" src="${basename(script)}"></script>`,
                   [inline(`var packedEngine = "${packed.toString("base64")}";`),
                    inline(await minified(await bundled("analysis_worker.mjs")),
                           ' type="text/plain" id="analysis-worker"'),
                    inline(await minified(readFileSync(script, "utf8")), ' id="engine-code"')]
                     .join("\n"));
writeFileSync(out, page);
