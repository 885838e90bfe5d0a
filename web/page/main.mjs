// The page's start. emscripten's script, which comes after this one, runs the engine's
// WebAssembly: packed into the page (packedEngine, see pack_page.mjs), it is unpacked here and
// instantiated, and the page runs once the engine is ready. The compiled module is kept for the
// analysis's worker, which instantiates the same one.
import { runPage } from "./page.mjs";

function unpackedEngine() {
  // eslint-disable-next-line no-undef
  const bytes = Uint8Array.from(atob(packedEngine), (c) => c.charCodeAt(0));
  return new Response(new Blob([bytes]).stream().pipeThrough(new DecompressionStream("gzip")))
    .arrayBuffer();
}

let compiled = null;
window.Module = {
  onRuntimeInitialized: () => runPage(window.Module, compiled),
  instantiateWasm(imports, receive) {
    unpackedEngine().then((code) => WebAssembly.instantiate(code, imports))
      .then((made) => {
        compiled = made.module;
        receive(made.instance, made.module);
      })
      .catch((error) => {
        document.getElementById("status").textContent = "The engine could not start: " + error;
      });
    return {};
  },
};
