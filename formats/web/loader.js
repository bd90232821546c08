// Colours of the viewer that fall short of WCAG AA's 4.5:1, each mended in
// the one element that shows it.  The viewer sets its palette inside each
// element's shadow root, out of reach of this page's style, so each rule goes
// into the element's own styles, which it adopts when it is made: the report
// set below makes the first ones.
// The status bar writes its counts in the theme's text colour on green, red
// and yellow: dark grey on red is 3.1:1 and no darker grey reaches 4.5:1, so
// that count is white; the dark theme's light grey fails on green and yellow.
// The metrics table writes the scores in colours meant for a light page, and
// its yellow and green fail even there, on the grey of every other row; the
// dark theme gets the lighter shades.
const mended = {
  "mte-result-status-bar": `
    .bg-green-600 > span, .bg-yellow-600 > span { color: var(--color-zinc-800); }
    .bg-red-600 > span { color: #fff; }`,
  "mte-metrics-table": `
    .text-red-700 { color: light-dark(var(--color-red-700), var(--color-red-300)); }
    .text-yellow-600 { color: light-dark(var(--color-yellow-800), var(--color-yellow-400)); }
    .text-green-700 { color: light-dark(var(--color-green-800), var(--color-green-300)); }`,
};
for (const [name, rules] of Object.entries(mended)) {
  const element = customElements.get(name);
  if (element) {
    const sheet = new CSSStyleSheet();
    sheet.replaceSync(rules);
    element.elementStyles.push(sheet);
  }
}

// Hands the report inlined as data to the viewer; JSON.parse runs nothing of it.
document.querySelector("mutation-test-report-app").report =
  JSON.parse(document.getElementById("vorlak-report-data").textContent);
