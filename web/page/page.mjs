// The page's run: the engine driven by the browser's animation-frame callbacks, input handed to
// it at once while it waits paused, the picture following the width and the device's pixel
// ratio, and everything around the picture told after every callback.
import { takeAddress, wireLink, download } from "./address.mjs";
import { analysisLink } from "./analysis_link.mjs";
import { analysisPanel } from "./analysis_panel.mjs";
import { designControls } from "./design_controls.mjs";
import { sayBarWords, wireControls } from "./controls.mjs";
import { engineView } from "./engine_view.mjs";
import { barRange, statusReader } from "./seam.mjs";

const $ = (id) => document.getElementById(id);

export function runPage(M, compiled) {
  const view = engineView(M), status = statusReader(M);
  const frame = $("window"), bars = [...document.querySelectorAll(".bar")];
  const designWidth = M._web_design_width(), designHeight = M._web_design_height();
  const root = document.documentElement.style;
  root.setProperty("--picture-width", designWidth + "px");
  root.setProperty("--picture-aspect", designWidth + " / " + designHeight);
  let run = "running", callback = 0, dpr = window.devicePixelRatio || 1, ratio = dpr;
  let still = false;
  const say = (text) => { $("status").textContent = text; };

  // The picture is drawn at the effective ratio: device pixels per design pixel at the width it
  // is shown, so that the canvas has one pixel per device pixel.
  function effectiveRatio() {
    const width = Math.min(frame.clientWidth, designWidth) || designWidth;
    frame.style.setProperty("--s", width / designWidth);
    return dpr * width / designWidth;
  }

  const engine = {
    canvas: view.canvas,
    run: () => run,
    // Input waits for the next frame's pump; a paused engine handles it at once, as the
    // window's wait does, and goes on with its frame when it was resumed.
    input() {
      if (run === "paused") {
        M._web_wake();
        after();
      }
    },
    turnTo(degrees) {
      if (M._web_turn_to(degrees)) after();
    },
  };
  engine.say = say;
  const link = analysisLink(M, compiled);
  const analysis = analysisPanel(M, link, engine);
  const design = designControls(M, link, engine);

  // After every call that may have moved the run on: the picture, the words around it, the
  // analysis, and the next callback while it runs.
  function after() {
    const s = status(), was = run;
    run = s.ended ? "ended" : s.waiting ? "paused" : "running";
    view.put(false, dpr);
    view.show(s, run);
    analysis.follow(s);
    design.follow(s);
    if (run === "running" && !callback && !document.hidden) callback = requestAnimationFrame(tick);
    if (run === was) return;
    $("ended").style.display = run === "ended" ? "flex" : "none";
    if (run === "ended") {
      $("again").focus();
      say("The run has ended.");
    } else if (run === "paused" && still) {
      still = false;
      $("pause").focus();
      say("Paused on the first frame, since your system asks for reduced motion: Resume (or " +
          "Space) runs it.");
    } else {
      say(run === "paused" ? "Paused." : "Running.");
    }
  }

  function tick(now) {
    callback = 0;
    if (document.hidden) return;
    M._web_animation_frame(now);
    after();
  }

  function start(fromStartValues) {
    if (callback) cancelAnimationFrame(callback);
    callback = 0;
    view.forget();
    ratio = effectiveRatio();
    M._web_start(ratio, fromStartValues ? 1 : 0);
    for (const bar of bars) {
      const range = barRange(M, bar.dataset.setting);
      bar.min = range.minimum;
      bar.max = range.maximum;
      bar.step = range.step;
      bar.value = range.position;
      sayBarWords(M, bar);
    }
    view.put(true, dpr);
    after();
  }

  wireControls(M, engine);
  wireLink(M, say);
  document.addEventListener("visibilitychange", () => {
    if (document.hidden || run !== "running") return;
    M._web_restart_pacing();
    after();
  });
  // A new device pixel ratio (zoom, another screen) or a new width: the engine redraws at the
  // new effective ratio from its next pump.
  function followSize() {
    const now = effectiveRatio();
    if (now === ratio) return;
    ratio = now;
    M._web_device_pixel_ratio(ratio);
    engine.input();
  }
  (function followRatio() {
    matchMedia("(resolution: " + dpr + "dppx)").addEventListener("change", () => {
      dpr = window.devicePixelRatio || 1;
      followSize();
      followRatio();
    }, { once: true });
  })();
  new ResizeObserver(followSize).observe(frame);
  $("again").addEventListener("click", () => start(true));
  $("save").addEventListener("click", () => view.canvas.toBlob(
    (blob) => download(blob, "radial-engine.png"), "image/png"));

  still = takeAddress(M);
  // For embedding pages and tests; reads the engine, changes nothing. stepe is the older name
  // of crankStep.
  window.radialEngine = {
    status() {
      const s = status();
      return { theta: s.theta, cylinders: s.cylinders, rodLength: s.rodLength,
               wristRadius: s.wristRadius, crankStep: s.crankStep, stepe: s.crankStep,
               paused: s.paused === 1, vector: s.vector === 1, frames: s.frames };
    },
  };
  start(false);
}
