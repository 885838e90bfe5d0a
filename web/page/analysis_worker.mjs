// The analysis's worker: emscripten's script (which the page puts after this one in the worker's
// source) instantiates the WebAssembly module the page compiled and sends first; the messages
// that come before it is ready wait for it.
import { analysisHost } from "./analysis_host.mjs";

let host = null, compiled = null;
const waiting = [];
const ready = new Promise((resolve) => { compiled = resolve; });

self.Module = {
  instantiateWasm(imports, receive) {
    ready.then((module) => WebAssembly.instantiate(module, imports))
      .then((instance) => receive(instance));
    return {};
  },
  onRuntimeInitialized() {
    host = analysisHost(self.Module, (message, transfer) => postMessage(message, transfer));
    waiting.splice(0).forEach(host);
  },
};

self.onmessage = ({ data }) => {
  if (data.module) compiled(data.module);
  else if (host) host(data);
  else waiting.push(data);
};
