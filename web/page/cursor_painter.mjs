// The charts' cursors, each on a canvas of its chart's size laid over the chart: drawn wherever
// the analysis is made (a worker, given the canvases), or on the page's thread.

function dot(context, x, y, r, colour) {
  context.beginPath();
  context.arc(x, y, r, 0, 2 * Math.PI);
  context.fillStyle = colour;
  context.fill();
}

function segment(context, x1, y1, x2, y2, width, colour) {
  context.beginPath();
  context.moveTo(x1, y1);
  context.lineTo(x2, y2);
  context.lineWidth = width;
  context.strokeStyle = colour;
  context.stroke();
}

// at: [degrees, x, y of each cylinder's curve or NaN] (crank); the force's centre and tip and
// the counterweighted curve's point (balance); the plot's top and bottom, x and the gas, inertia
// and total curves' y (torque); the centre and the load's tip (crankpin). chart: what the
// painter needs of the chart.
const draw = {
  crank(c, at, chart) {
    c.clearRect(0, 0, c.canvas.width, c.canvas.height);
    segment(c, at[1], chart.bottom, at[1], chart.top, 1.5, "#c00000");
    for (let k = 2; k < at.length; ++k) {
      if (!Number.isNaN(at[k])) dot(c, at[1], at[k], 4, chart.colours[k - 2]);
    }
  },
  balance(c, b) {
    c.clearRect(0, 0, c.canvas.width, c.canvas.height);
    segment(c, b[0], b[1], b[2], b[3], 2, "#1f4e9c");
    dot(c, b[2], b[3], 5, "#1f4e9c");
    dot(c, b[4], b[5], 5, "#d0461c");
  },
  torque(c, t, chart) {
    c.clearRect(0, 0, c.canvas.width, c.canvas.height);
    segment(c, t[2], t[1], t[2], t[0], 1.5, "#c00000");
    for (let k = 3; k < 6; ++k) dot(c, t[2], t[k], 4, chart.colours[k - 3]);
  },
  crankpin(c, p) {
    c.clearRect(0, 0, c.canvas.width, c.canvas.height);
    segment(c, p[0], p[1], p[2], p[3], 2, "#c00000");
    dot(c, p[2], p[3], 5, "#c00000");
  },
};

export function cursorPainter() {
  const canvases = {};
  return {
    // A chart's cursor canvas, by the chart's name ("crank", "balance"), in place of the last.
    add(name, canvas, chart) {
      canvases[name] = { context: canvas.getContext("2d"), chart };
    },
    has: (name) => name in canvases,
    // positions: by chart name, what that chart's cursor is drawn from.
    paint(positions) {
      for (const name in positions) {
        const target = canvases[name];
        if (target) draw[name](target.context, positions[name], target.chart);
      }
    },
  };
}
