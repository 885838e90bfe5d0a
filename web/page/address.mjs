// The page's address: the settings it starts with, one line under the picture for each it
// cannot take, and the link that gives the engine's settings back.
import { textOf } from "./seam.mjs";

const $ = (id) => document.getElementById(id);

// Takes the address's settings before the first frame. With reduced motion asked for, the page
// starts paused unless the address says otherwise: true when it does so.
export function takeAddress(M) {
  const query = new URLSearchParams(location.search);
  for (const [name, text] of query) {
    const line = textOf(M, "web_parameter", name, text);
    if (line) $("refused").appendChild(document.createElement("div")).textContent = line;
  }
  const still = matchMedia("(prefers-reduced-motion: reduce)").matches && !query.has("paused");
  if (still) textOf(M, "web_parameter", "paused", "1");
  return still;
}

// "Link to these settings": the settings into the address, without a reload, and onto the
// clipboard where there is one. say(text) tells the visitor which.
export function wireLink(M, say) {
  $("share").addEventListener("click", () => {
    // The engine writes the query; a "+" (in an exponent) would read back as a space.
    const query = textOf(M, "web_address_query").replaceAll("+", "%2B");
    const url = location.href.replace(/[?#].*$/, "") + "?" + query;
    try { history.replaceState(null, "", url); } catch (error) { /* an opaque origin */ }
    const link = $("link");
    link.textContent = "";
    const a = link.appendChild(document.createElement("a"));
    a.href = a.textContent = url;
    const copied = navigator.clipboard ? navigator.clipboard.writeText(url) : Promise.reject();
    copied.then(() => say("The link to these settings is copied."),
                () => say("The link to these settings is in the address bar and below."));
  });
}

// A file for the visitor to keep, under its name.
export function download(blob, name) {
  const link = document.createElement("a");
  link.href = URL.createObjectURL(blob);
  link.download = name;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 1000);
}
