// The analysis beside the engine, on the page's side: it asks for the charts and the table when
// the engine's settings change (or the panel opens after they did), marks the ones shown as being
// redrawn meanwhile, and shows the new ones in parts, one between one frame and the next, so
// that no part holds the page up; after every callback it sends the crank angle for the cursors.
// Nothing while the panel is closed. The analysis itself is made by analysis_host.mjs, in a
// worker where the browser gives one.
import { analysisHost } from "./analysis_host.mjs";
import { cursorPainter } from "./cursor_painter.mjs";
import { download } from "./address.mjs";

const $ = (id) => document.getElementById(id);

// The source of the analysis's worker: its own script and emscripten's, both in the page.
function workerSource() {
  return $("analysis-worker").textContent + "\n" + $("engine-code").textContent;
}

// send(message, transfer) to where the analysis is made; its replies go to receive.
function analysisLink(M, compiled, receive) {
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

// How many of the table's rows change in one step: a 35-cylinder table in three.
const summaryRowsAStep = 12;

// The summary's columns as the table heads them.
const columnNames = { stroke_excess_percent: "stroke vs 2r %", tdc_deg: "TDC deg",
  tdc_offset_deg: "TDC offset deg", bdc_deg: "BDC deg", bdc_offset_deg: "BDC offset deg",
  max_bisection_error: "bisection error" };

const engineSettings = (s) => ({ cylinders: s.cylinders, rodLength: s.rodLength,
                                 wristRadius: s.wristRadius });

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

// engine: { run() the run's state, turnTo(degrees) while paused }.
export function analysisPanel(M, compiled, engine) {
  const panel = $("analysis"), column = $("analysis-column");
  const painter = cursorPainter();
  const canTransfer = !!HTMLCanvasElement.prototype.transferControlToOffscreen;
  let requested = "", id = 0, shownId = -1, busy = false;
  let cursorTheta = null, crank = null, cursors = [], plot = null, status = null;
  const link = analysisLink(M, compiled, (message) => {
    if (message.made) show(message.made);
    if (message.cursors) painter.paint(message.cursors);
    if (message.sweep !== undefined) {
      download(new Blob([message.sweep], { type: "text/csv" }), "radial-engine-sweep.csv");
    }
  });

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

  // The table as steps, a few rows each, its cells written again only where they changed: new
  // settings change most numbers but seldom the rows and columns, and new cells cost the page
  // far more to lay out.
  function summarySteps(csv, lines) {
    const rows = csv.trim().split("\n").map((line) => line.split(","));
    const table = $("summary");
    const shape = () => {
      if (!table.tHead || table.tHead.rows[0].cells.length !== rows[0].length) {
        table.replaceChildren();
        table.createCaption().textContent = "Per cylinder over one revolution (stroke in world " +
          "units, dead centres in degrees of crank angle; - where the rod cannot always reach)";
        const head = table.createTHead().insertRow();
        for (const name of rows[0]) {
          const th = head.appendChild(document.createElement("th"));
          th.scope = "col";
          th.textContent = columnNames[name] || name;
        }
        table.createTBody();
      }
      const body = table.tBodies[0];
      while (body.rows.length > rows.length - 1) body.deleteRow(-1);
      while (body.rows.length < rows.length - 1) {
        const row = body.insertRow();
        for (let k = 0; k < rows[0].length; ++k) row.insertCell();
      }
      $("unreachable").replaceChildren(...lines.split("\n").filter(Boolean).map((line) => {
        const p = document.createElement("p");
        p.textContent = line;
        return p;
      }));
    };
    const write = (from, to) => () => {
      for (let r = from; r < Math.min(to, rows.length); ++r) {
        rows[r].forEach((cell, k) => {
          const shown = table.tBodies[0].rows[r - 1].cells[k];
          if (shown.textContent !== cell) shown.textContent = cell;
        });
      }
    };
    const steps = [shape];
    for (let r = 1; r < rows.length; r += summaryRowsAStep) {
      steps.push(write(r, r + summaryRowsAStep));
    }
    return steps;
  }

  // The new analysis, in parts: the crank-angle chart, the balance chart or its refusal, the
  // table; then the cursors follow the engine again.
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
      ...summarySteps(made.summary, made.unreachable),
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
    const now = { ...engineSettings(s), quantity: Number($("quantity").value) };
    const key = JSON.stringify(now);
    if (key !== requested) {
      requested = key;
      markBusy(true);
      link.send({ make: { id: ++id, settings: now } });
    }
    if (busy || shownId !== id || s.theta === cursorTheta) return;
    cursorTheta = s.theta;
    const degrees = M._web_cursor_degrees(s.theta);
    for (const cursor of cursors) cursor.setAttribute("data-crank-degrees", degrees);
    link.send({ theta: s.theta });
  }
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
  $("download").addEventListener("click", () => {
    if (status) link.send({ sweep: engineSettings(status) });
  });

  return { follow };
}
