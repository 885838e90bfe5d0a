// The engine's calls as the page's scripts use them: each call that hands back text or numbers
// hands back a buffer of its own, read here at once.

// The WebAssembly's memory as bytes; a new view whenever the memory has grown.
export function memory(M) {
  return typeof HEAPU8 !== "undefined" ? HEAPU8 : M.HEAPU8; // eslint-disable-line no-undef
}

export function doubles(M, pointer, count) {
  return new Float64Array(memory(M).buffer, pointer, count).slice();
}

export function ints(M, pointer, count) {
  return new Int32Array(memory(M).buffer, pointer, count).slice();
}

// A call by name with text or numbers, handing back text.
export function textOf(M, name, ...args) {
  return M.ccall(name, "string", args.map((a) => (typeof a === "string" ? "string" : "number")),
                 args);
}

// A call by name with text or numbers, handing back a number (a pointer, a count) or nothing.
export function call(M, name, ...args) {
  return M.ccall(name, "number", args.map((a) => (typeof a === "string" ? "string" : "number")),
                 args);
}

// The run's status, one record in one call, its fields named as the engine names them.
export function statusReader(M) {
  const fields = M.UTF8ToString(M._web_status_fields()).split(",");
  return () => {
    const values = doubles(M, M._web_status(), fields.length);
    const status = {};
    fields.forEach((name, k) => { status[name] = values[k]; });
    return status;
  };
}

// A bar's range, step and the position the engine's bar stands at, by its setting's name.
export function barRange(M, name) {
  const [minimum, maximum, step, position] = ints(M, call(M, "web_bar_range", name), 4);
  return { minimum, maximum, step, position };
}

// The design the engine runs now, as the numbers the analysis takes (design_numbers).
export function designNumbers(M) {
  const pointer = M._web_design_numbers();
  const count = doubles(M, pointer, 1)[0];
  return doubles(M, pointer + 8, count);
}

// A call with a list of numbers, laid on the WebAssembly's stack for it.
export function callWithNumbers(M, name, returns, numbers, ...rest) {
  const bytes = new Uint8Array(Float64Array.from(numbers).buffer);
  return M.ccall(name, returns, ["array", "number", ...rest.map(
    (a) => (typeof a === "string" ? "string" : "number"))], [bytes, numbers.length, ...rest]);
}
