// The analysis beside the engine, on the page's side: it asks for the charts and the table when
// the engine's settings change (or the panel opens after they did), marks the ones shown as being
// redrawn meanwhile, and shows the new ones in parts, one between one frame and the next, so
// that no part holds the page up; after every callback it sends the crank angle for the cursors.
// Nothing while the panel is closed. The analysis itself is made by analysis_host.mjs, in a
// worker where the browser gives one.
import { cursorPainter } from "./cursor_painter.mjs";
import { download } from "./address.mjs";
import { designNumbers } from "./seam.mjs";
import { pinHeadings, summaryHeadings, tableSteps } from "./report_tables.mjs";

const $ = (id) => document.getElementById(id);

// The tool's SVG as elements, read by the page's HTML parser, which reads the SVG in it as the
// same elements, attributes and text as an XML parser, in a third of the time.
function parseSvg(text) {
  const template = document.createElement("template");
  template.innerHTML = text.slice(text.indexOf("<svg"));
  return template.content.firstElementChild;
}

// The next step once the page has drawn framesBetweenSteps more frames: each step costs a
// slowed phone about a frame's time, and the engine keeps the frames between them.
const framesBetweenSteps = 3;
function afterNextFrame(step, frames = framesBetweenSteps) {
  requestAnimationFrame(() => (frames > 1 ? afterNextFrame(step, frames - 1) : setTimeout(step)));
}

// engine: { run() the run's state, turnTo(degrees) while paused }; link: where the analysis is
// made (analysis_link.mjs).
export function analysisPanel(M, link, engine) {
  const panel = $("analysis"), column = $("analysis-column");
  const painter = cursorPainter();
  const canTransfer = !!HTMLCanvasElement.prototype.transferControlToOffscreen;
  let requested = "", id = 0, shownId = -1, busy = false;
  let cursorTheta = null, crank = null, cursors = [], plot = null, status = null;
  link.on("made", (made) => show(made));
  link.on("cursors", (positions) => painter.paint(positions));
  link.on("strokes", (strokes) => showStrokes(strokes));
  link.on("sweep", (sweep) =>
    download(new Blob([sweep], { type: "text/csv" }), "radial-engine-sweep.csv"));

  function markBusy(on) {
    busy = on;
    column.setAttribute("aria-busy", on);
    column.classList.toggle("redrawing", on);
  }

  // The tool's SVG as the document it is, and over it the cursor's canvas in the chart's own
  // pixels, handed to where the analysis is made when it can paint there.
  function showSvg(holder, parsed, name, chart) {
    const svg = document.adoptNode(parsed);
    holder.replaceChildren(svg);
    const cursor = holder.appendChild(document.createElement("canvas"));
    cursor.className = "cursor";
    cursor.setAttribute("aria-hidden", "true");
    cursor.width = Number(svg.getAttribute("width"));
    cursor.height = Number(svg.getAttribute("height"));
    const described = chart(svg);
    if (link.inWorker && canTransfer) {
      const offscreen = cursor.transferControlToOffscreen();
      link.send({ canvas: { name, canvas: offscreen, chart: described } }, [offscreen]);
    } else if (link.inWorker) {
      painter.add(name, cursor, described);
    } else {
      link.send({ canvas: { name, canvas: cursor, chart: described } });
    }
    cursors.push(cursor);
    return svg;
  }

  // Each stroke's cylinders at the engine's crank angle, a line a stroke ("power: 1, 4").
  function showStrokes(text) {
    $("strokes").replaceChildren(...text.trim().split("\n").map((line) => {
      const item = document.createElement("li");
      item.textContent = line;
      return item;
    }));
  }

  // A chart, or none.
  function showOptionalSvg(id, svg, name, chart) {
    $(id).hidden = svg === "";
    if (svg === "") $(id).replaceChildren();
    else showSvg($(id), parseSvg(svg), name, chart);
  }

  // The new analysis, in parts: the crank-angle chart, the balance chart or its refusal, the
  // firing order with the torque chart and the crankpin diagram, the tables; then the cursors
  // follow the engine again.
  function show(made) {
    if (made.id !== id) return; // asked for again since
    cursors = [];
    const [left, right, bottom, top] = made.plot;
    const steps = [
      () => {
        plot = { left, right, bottom, top };
        crank = showSvg($("crank-chart"), parseSvg(made.crank), "crank", (svg) => ({
          ...plot,
          colours: [...svg.querySelectorAll("path.curve")].map((c) => c.getAttribute("stroke")),
        }));
      },
      () => {
        $("balance-refused").textContent = made.refusal;
        $("balance-chart").hidden = made.refusal !== "";
        if (made.refusal === "") {
          showSvg($("balance-chart"), parseSvg(made.balance), "balance", () => ({}));
        } else {
          $("balance-chart").replaceChildren();
        }
      },
      () => {
        $("firing-order").textContent = made.firingOrder;
        $("dynamics-note").textContent = made.dynamicsNote;
        showOptionalSvg("torque-chart", made.torque, "torque", (svg) => ({
          colours: ["gas", "inertia", "total"].map((part) =>
            svg.querySelector(`path.curve[data-part="${part}"]`).getAttribute("stroke")),
        }));
      },
      () => showOptionalSvg("crankpin-chart", made.crankpin, "crankpin", () => ({})),
      ...tableSteps($("summary"), `Per cylinder over one revolution (stroke in ${made.unit}, ` +
        "dead centres in degrees of crank angle; - where the rod cannot always reach)",
                    summaryHeadings, made.summary, $("unreachable"), made.unreachable),
      ...tableSteps($("pins"), `Wrist-pin holes from the crankpin centre, link rods and top ` +
        `dead centres (lengths in ${made.unit}, angles in degrees; - where the rod cannot ` +
        "always reach, or there is no bore and compression ratio)",
                    pinHeadings, made.pins, $("pin-lines"), made.pinLines),
    ];
    (function next() {
      if (made.id !== id) return;
      if (steps.length === 0) {
        shownId = made.id;
        markBusy(false);
        cursorTheta = null;
        follow(status);
        return;
      }
      steps.shift()();
      afterNextFrame(next);
    })();
  }

  // After every callback, with the engine's status s.
  function follow(s) {
    status = s;
    if (!panel.open || !s) return;
    const key = s.designChanges + "," + $("quantity").value;
    if (key !== requested) {
      requested = key;
      markBusy(true);
      link.send({ make: { id: ++id, numbers: designNumbers(M),
                          quantity: Number($("quantity").value) } });
    }
    if (busy || shownId !== id || s.theta === cursorTheta) return;
    cursorTheta = s.theta;
    const degrees = M._web_cursor_degrees(s.theta);
    for (const cursor of cursors) cursor.setAttribute("data-crank-degrees", degrees);
    link.send({ theta: s.theta });
  }
  // The quantities as the report code names them, in its order.
  $("quantity").replaceChildren(...M.UTF8ToString(M._web_chart_quantities()).split(",")
    .map((name, k) => new Option(name, k)));
  panel.addEventListener("toggle", () => follow(status));
  $("quantity").addEventListener("change", () => follow(status));

  // While paused, a press or drag on the chart's plot area turns the engine to its crank angle.
  function turnAt(event) {
    if (engine.run() !== "paused" || !crank) return;
    const p = new DOMPoint(event.clientX, event.clientY)
      .matrixTransform(crank.getScreenCTM().inverse());
    if (p.x < plot.left || p.x > plot.right || p.y < plot.top || p.y > plot.bottom) return;
    event.preventDefault();
    engine.turnTo(M._web_crank_degrees_at(p.x, plot.left, plot.right));
  }
  $("crank-chart").addEventListener("pointerdown", (event) => {
    turnAt(event);
    if (event.target instanceof Element) event.target.setPointerCapture?.(event.pointerId);
  });
  $("crank-chart").addEventListener("pointermove", (event) => {
    if (event.buttons & 1) turnAt(event);
  });

  // The sweep at one-degree steps, as radial-kinematics --sweep writes it.
  $("download").addEventListener("click", () => link.send({ sweep: designNumbers(M) }));

  return { follow };
}
