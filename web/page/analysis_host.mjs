// Where the analysis is made: the report code of the engine's WebAssembly (a worker's own
// instance, or the page's where there is no worker) makes the charts and the table for one
// setting, and the cursors at each crank angle the page sends; it paints them on the cursors'
// canvases when it holds them, else hands their positions back.
import { cursorPainter } from "./cursor_painter.mjs";
import { call, callWithNumbers, doubles } from "./seam.mjs";

// reply(message, transfer): to the page. Returns what to do with each message from the page.
export function analysisHost(M, reply) {
  const painter = cursorPainter();
  let cylinders = 0, hasBalance = false, hasDynamics = false, strokes = "";
  const text = (pointer) => M.UTF8ToString(pointer);

  const handlers = {
    // The charts and the table for one setting, made again.
    make({ id, numbers, quantity }) {
      callWithNumbers(M, "web_make_reports", null, numbers, quantity);
      cylinders = numbers[0];
      const refusal = text(M._web_balance_refusal());
      hasBalance = refusal === "";
      const torque = text(M._web_torque_chart());
      hasDynamics = torque !== "";
      strokes = "";
      reply({ made: {
        id, crank: text(M._web_crank_chart()), balance: text(M._web_balance_chart()), refusal,
        summary: text(M._web_summary_csv()), unreachable: text(M._web_unreachable_lines()),
        pins: text(M._web_pin_table_csv()), pinLines: text(M._web_pin_table_lines()),
        unit: text(M._web_unit_words()),
        firingOrder: text(M._web_firing_order()), torque, crankpin: text(M._web_crankpin_chart()),
        dynamicsNote: text(M._web_dynamics_note()),
        plot: [...doubles(M, M._web_crank_plot_area(), 4)],
      } });
    },
    // A chart's cursor canvas, with what its painter needs of the chart.
    canvas({ name, canvas, chart }) {
      painter.add(name, canvas, chart);
    },
    // The cursors at crank angle theta (radians), and each stroke's cylinders when they change.
    theta(theta) {
      const positions = { crank: doubles(M, call(M, "web_crank_cursor", theta), 2 + cylinders) };
      if (hasBalance) positions.balance = doubles(M, call(M, "web_balance_cursor", theta), 6);
      if (hasDynamics) {
        positions.torque = doubles(M, call(M, "web_torque_cursor", theta), 6);
        positions.crankpin = doubles(M, call(M, "web_crankpin_cursor", theta), 4);
      }
      if (painter.has("crank")) painter.paint(positions); else reply({ cursors: positions });
      const now = text(call(M, "web_strokes_at", theta));
      if (now !== strokes) reply({ strokes: (strokes = now) });
    },
    // The sweep at one-degree steps, as radial-kinematics --sweep writes it.
    sweep(numbers) {
      reply({ sweep: text(callWithNumbers(M, "web_sweep_csv", "number", numbers)) });
    },
    // The design matched to the master in top dead centre and stroke, and what it could not match.
    match({ numbers, id }) {
      const pointer = callWithNumbers(M, "web_match_master", "number", numbers);
      reply({ matched: { id, numbers: doubles(M, pointer + 8, doubles(M, pointer, 1)[0]),
                         misses: text(M._web_match_misses()) } });
    },
  };
  return (message) => {
    for (const name in message) handlers[name](message[name]);
  };
}
