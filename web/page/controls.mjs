// Every input the page takes, queued for the engine's pump points: keys, the buttons under the
// picture, the mouse, touch and pen over the picture, and the three bars. What each does is the
// engine's (controls/commands.h); here each only reaches it.
import { call, textOf } from "./seam.mjs";
import { localNumber } from "./engine_view.mjs";

const $ = (id) => document.getElementById(id);

// engine: { run() the run's state, input() after queueing, canvas }.
export function wireControls(M, engine) {
  const { canvas } = engine;
  const ended = () => engine.run() === "ended";

  function key(code) {
    if (ended() || !M._web_key(code)) return false;
    engine.input();
    return true;
  }
  window.addEventListener("keydown", (event) => {
    if (event.ctrlKey || event.metaKey || event.altKey) return;
    // Space and Enter on a button press the button.
    if (event.target instanceof HTMLButtonElement && (event.key === " " || event.key === "Enter")) {
      return;
    }
    const code = event.key === "Escape" ? 27
      : [...event.key].length === 1 ? event.key.codePointAt(0) : 0;
    if (code !== 0 && key(code)) event.preventDefault();
  });
  for (const button of document.querySelectorAll("#buttons button")) {
    button.addEventListener("click", () => key(button.dataset.key.codePointAt(0)));
  }

  // The mouse as over the window: a press switches speed control, the second press of a double
  // click ends the run. Touch and pen: a tap switches speed control and a drag moves the pointer;
  // their presses make no mouse presses, so a double tap ends nothing.
  const designWidth = M._web_design_width(), designHeight = M._web_design_height();
  canvas.addEventListener("mousedown", (event) => {
    if (ended()) return;
    if (event.detail % 2 === 0) M._web_double_click(); else M._web_mouse_down();
    engine.input();
  });
  let touch = null;
  function pointerAt(event) {
    const box = canvas.getBoundingClientRect();
    M._web_mouse_move((event.clientX - box.left) * designWidth / box.width,
                      (event.clientY - box.top) * designHeight / box.height);
    engine.input();
  }
  canvas.addEventListener("pointerdown", (event) => {
    if (event.pointerType === "mouse") return;
    event.preventDefault();
    touch = { id: event.pointerId, x: event.clientX, y: event.clientY, dragged: false };
  });
  canvas.addEventListener("pointermove", (event) => {
    if (ended()) return;
    if (event.pointerType !== "mouse") {
      if (!touch || touch.id !== event.pointerId) return;
      touch.dragged ||= Math.hypot(event.clientX - touch.x, event.clientY - touch.y) > 8;
      if (!touch.dragged) return;
    }
    pointerAt(event);
  });
  canvas.addEventListener("pointerup", (event) => {
    if (!touch || touch.id !== event.pointerId) return;
    const tap = !touch.dragged;
    touch = null;
    if (tap && !ended()) {
      M._web_mouse_down();
      engine.input();
    }
  });
  canvas.addEventListener("pointercancel", () => { touch = null; });

  // The bars take effect when let go; meanwhile their words say what they would set.
  for (const bar of document.querySelectorAll(".bar")) {
    bar.addEventListener("input", () => sayBarWords(M, bar));
    bar.addEventListener("change", () => {
      if (ended()) return;
      call(M, "web_bar", bar.dataset.setting, Number(bar.value));
      engine.input();
    });
  }
}

// What a bar's position means, in words, for screen readers ("11 cylinders", "l/s 2.00").
export function sayBarWords(M, bar) {
  bar.setAttribute("aria-valuetext",
                   localNumber(textOf(M, "web_bar_words", bar.dataset.setting, Number(bar.value))));
}

