// Hands the report inlined as data to the viewer; JSON.parse runs nothing of it.
document.querySelector("mutation-test-report-app").report =
  JSON.parse(document.getElementById("vorlak-report-data").textContent);
