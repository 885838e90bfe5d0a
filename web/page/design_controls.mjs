// An engine of one's own on the page: the wrist-pin placement chosen (a rule, or matched to the
// master by the analysis's designer), a design file opened (read as TOML by smol-toml, its keys
// handed to the engine, which checks them as radial-kinematics does) or saved, and what the page
// says of them.
import { parse, TomlDate, TomlError } from "smol-toml";
import { download } from "./address.mjs";
import { call, callWithNumbers, designNumbers, textOf } from "./seam.mjs";

const $ = (id) => document.getElementById(id);

// The largest design file read, as radial-kinematics has it.
const largestDesignFile = 1 << 20;
const matched = 3; // PinPlacement::matched's number
const kinds = { whole: 0, real: 1, text: 2, list: 3, other: 4 };

// A TOML value as the engine's design reader takes it: its kind, number, text.
function valueOf(value) {
  if (typeof value === "bigint") return [kinds.whole, Number(value), ""];
  if (typeof value === "number") return [kinds.real, value, ""];
  if (typeof value === "string") return [kinds.text, 0, value];
  if (Array.isArray(value)) return [kinds.list, 0, ""];
  if (value instanceof TomlDate) return [kinds.other, 0, "date or time"];
  return [kinds.other, 0, typeof value === "boolean" ? "boolean" : "table"];
}

// The line a top-level key stands on, as the file writes it: "key =", "key.sub =" or "[key]".
function lineOf(text, key) {
  const name = key.replace(/[.*+?^${}()|[\]\\]/g, "\\$&");
  const pattern = new RegExp(`^\\s*(\\[+\\s*)?(?:"${name}"|'${name}'|${name})\\s*[=.\\]]`);
  const index = text.split(/\r?\n/).findIndex((line) => pattern.test(line));
  return index + 1 || 1;
}

// The refusal of a file, or "" when the engine took the design.
function readDesign(M, name, text) {
  let table;
  try {
    table = parse(text, { integersAsBigInt: true });
  } catch (error) {
    if (!(error instanceof TomlError)) throw error;
    return textOf(M, "web_not_toml", name, error.line, error.message.split("\n")[0]);
  }
  const entries = Object.entries(table).map(([key, value]) => [key, lineOf(text, key), value])
    .sort((a, b) => a[1] - b[1]);
  for (const [key, line, value] of entries) {
    call(M, "web_design_entry", key, line, ...valueOf(value));
    for (const item of Array.isArray(value) ? value : []) {
      call(M, "web_design_item", ...valueOf(item));
    }
  }
  return textOf(M, "web_read_design", name);
}

// engine: { input() after queueing, say(text) }; link: where the designer runs.
export function designControls(M, link, engine) {
  const placement = $("placement"), fileInput = $("design-file");
  let requestedFor = null, taking = false, matchedAt = null, listsDropped = 0, id = 0;

  placement.addEventListener("change", () => {
    textOf(M, "web_place_pins", placement.value);
    engine.input();
  });
  $("open-design").addEventListener("click", () => fileInput.click());
  fileInput.addEventListener("change", async () => {
    const file = fileInput.files[0];
    fileInput.value = "";
    if (!file) return;
    const refusal = file.size > largestDesignFile
      ? `${file.name}: is larger than 1 MiB, which no design file is`
      : readDesign(M, file.name, await file.text());
    $("refused").replaceChildren();
    if (refusal) {
      $("refused").appendChild(document.createElement("div")).textContent = refusal;
      engine.say(`The design file ${file.name} is refused, as the line under the picture says.`);
      return;
    }
    engine.say(`Running the design from ${file.name}.`);
    engine.input();
  });
  $("save-design").addEventListener("click", () => download(
    new Blob([textOf(M, "web_design_file_text")], { type: "application/toml" }),
    "radial-engine-design.toml"));

  link.on("matched", (reply) => {
    if (reply.id !== id) return;
    requestedFor = null;
    callWithNumbers(M, "web_take_design_numbers", null, reply.numbers, matched);
    taking = true;
    engine.say(reply.misses || "Every cylinder matched to the master's top dead centre and stroke.");
    engine.input();
  });

  // After every callback, with the engine's status s.
  function follow(s) {
    if (placement.selectedIndex !== s.placement && document.activeElement !== placement) {
      placement.selectedIndex = s.placement;
    }
    placement.options[4].hidden = s.placement !== 4;
    if (s.listsDropped > listsDropped) {
      listsDropped = s.listsDropped;
      engine.say("The design's listed wrist-pin angles and link rod lengths were for another " +
                 "number of cylinders: the wrist pins follow the animation's rule now.");
    }
    if (taking) {
      taking = false;
      matchedAt = s.designChanges;
    }
    if (s.placement !== matched || s.designChanges === matchedAt ||
        s.designChanges === requestedFor) {
      return;
    }
    requestedFor = s.designChanges;
    link.send({ match: { numbers: designNumbers(M), id: ++id } });
  }
  return { follow };
}
