// Where the analysis is made: in a worker of its own where the browser gives one (the page's
// WebAssembly module instantiated there), else on the page's thread. Messages go by send; each
// reply is a record with one field, handed to what on() set for that field's name.
import { analysisHost } from "./analysis_host.mjs";

const $ = (id) => document.getElementById(id);

// The source of the analysis's worker: its own script and emscripten's, both in the page.
function workerSource() {
  return $("analysis-worker").textContent + "\n" + $("engine-code").textContent;
}

function link(M, compiled, receive) {
  try {
    if (compiled && window.Worker) {
      const url = URL.createObjectURL(new Blob([workerSource()], { type: "text/javascript" }));
      const worker = new Worker(url);
      worker.onmessage = ({ data }) => receive(data);
      worker.postMessage({ module: compiled });
      return { send: (message, transfer) => worker.postMessage(message, transfer), inWorker: true };
    }
  } catch (error) { /* made on the page's thread, below */ }
  const host = analysisHost(M, (message) => receive(message));
  return { send: (message) => setTimeout(() => host(message)), inWorker: false };
}

export function analysisLink(M, compiled) {
  const handlers = {};
  const { send, inWorker } = link(M, compiled, (message) => {
    for (const name in message) handlers[name]?.(message[name]);
  });
  return { send, inWorker, on: (name, handler) => { handlers[name] = handler; } };
}
