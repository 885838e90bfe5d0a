// The analysis's tables as HTML tables: the tool's text tables, cell for cell, from their CSV with
// the text form's rounded cells, and the lines under them. Shown a few rows a step, the cells
// written again only where they changed: new settings change most numbers but seldom the rows
// and columns, and new cells cost the page far more to lay out.

// How many of a table's rows change in one step: a 35-cylinder table in three.
const rowsAStep = 12;

// The columns as the tables head them, by the CSV's names; others as they are.
export const summaryHeadings = { stroke_excess_percent: "stroke vs 2r %", tdc_deg: "TDC deg",
  tdc_offset_deg: "TDC offset deg", bdc_deg: "BDC deg", bdc_offset_deg: "BDC offset deg",
  max_bisection_error: "bisection error" };
export const pinHeadings = { pin_angle_deg: "pin angle", pin_x: "pin x", pin_y: "pin y",
  link_length: "link length", tdc_crank_deg: "TDC deg", tdc_height: "TDC height",
  tdc_shortfall: "shortfall", compression_ratio: "compression" };

// The steps that show csv in table (captioned, its heads named by headings) and lines, one
// paragraph each, in linesBox.
export function tableSteps(table, caption, headings, csv, linesBox, lines) {
  const rows = csv.trim().split("\n").map((line) => line.split(","));
  const shape = () => {
    if (!table.tHead || table.tHead.rows[0].cells.length !== rows[0].length) {
      table.replaceChildren();
      table.createCaption();
      const head = table.createTHead().insertRow();
      for (const name of rows[0]) {
        const th = head.appendChild(document.createElement("th"));
        th.scope = "col";
        th.textContent = headings[name] || name;
      }
      table.createTBody();
    }
    if (table.caption.textContent !== caption) table.caption.textContent = caption;
    const body = table.tBodies[0];
    while (body.rows.length > rows.length - 1) body.deleteRow(-1);
    while (body.rows.length < rows.length - 1) {
      const row = body.insertRow();
      for (let k = 0; k < rows[0].length; ++k) row.insertCell();
    }
    linesBox.replaceChildren(...lines.split("\n").filter(Boolean).map((line) => {
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
  for (let r = 1; r < rows.length; r += rowsAStep) steps.push(write(r, r + rowsAStep));
  return steps;
}
