// The engine's picture and the words around it: the changed rectangles put on the canvas, the
// readouts under the bars, the pause and vector buttons' state, and the canvas's name for screen
// readers.
import { barRange, ints, memory, textOf } from "./seam.mjs";

const $ = (id) => document.getElementById(id);

// The decimal separator of the browser's language, for the numbers the page writes.
const decimal = new Intl.NumberFormat(navigator.language).formatToParts(1.5)
  .find((part) => part.type === "decimal").value;
export const localNumber = (x) => String(x).replace(".", decimal);

export function engineView(M) {
  const canvas = $("engine"), context = canvas.getContext("2d");
  const bars = [...document.querySelectorAll(".bar")];
  const labels = [$("cylinders-readout"), $("ls-readout"), $("eccentricity-readout")];
  let image = null, shown = [], paused = null, vector = null, namedFrom = "";
  let devicePixelRatio = 1;

  // The device pixels the engine changed, onto the canvas whose backing store it mirrors,
  // straight from the picture's pixels (a view of them, made again when the memory or the
  // picture moved).
  function put(whole, ratio) {
    devicePixelRatio = ratio;
    const pointer = M._web_take_rects(whole ? 1 : 0);
    const [count, width, height] = ints(M, pointer, 3);
    if (canvas.width !== width || canvas.height !== height) {
      canvas.width = width;
      canvas.height = height;
      canvas.style.width = width / devicePixelRatio + "px";
      canvas.style.height = height / devicePixelRatio + "px";
    }
    const bytes = memory(M), pixels = M._web_pixels();
    if (!image || image.data.buffer !== bytes.buffer || image.data.byteOffset !== pixels ||
        image.width !== width || image.height !== height) {
      image = new ImageData(new Uint8ClampedArray(bytes.buffer, pixels, 4 * width * height),
                            width, height);
    }
    const rects = new Int32Array(bytes.buffer, pointer + 12, 4 * count);
    for (let k = 0; k < 4 * count; k += 4) {
      context.putImageData(image, 0, 0, rects[k], rects[k + 1], rects[k + 2], rects[k + 3]);
    }
  }

  // What the canvas shows, in words, made again only when one of its numbers changed.
  function nameCanvas(s, run) {
    const from = [s.cylinders, s.rodLength, s.wristRadius, s.crankStep, run].join();
    if (from === namedFrom) return;
    namedFrom = from;
    const words = bars.slice(1).map(({ dataset: { setting } }) => localNumber(
      textOf(M, "web_bar_words", setting, barRange(M, setting).position)));
    canvas.setAttribute("aria-label", `Radial engine: ${s.cylinders} cylinders, ` +
      `${words.join(", ")}, turning ${localNumber(s.crankStep.toFixed(3))} radians a frame, ${run}`);
  }

  // The readouts, buttons and name as the status s of a run in state run says.
  function show(s, run) {
    const now = [s.cylindersReadout, s.lsReadout, s.eccentricityReadout];
    for (let k = 0; k < 3; ++k) {
      if (now[k] !== shown[k]) labels[k].textContent = localNumber(now[k]);
    }
    shown = now;
    if ((run === "paused") !== paused) {
      paused = run === "paused";
      $("pause").firstChild.textContent = paused ? "Resume" : "Pause";
    }
    const on = s.vector === 1;
    if (on !== vector) $("vector").setAttribute("aria-pressed", vector = on);
    nameCanvas(s, run);
  }

  // Everything shown is written again at the next show().
  function forget() {
    shown = [];
    namedFrom = "";
  }

  return { canvas, put, show, forget };
}
