// The class as one page: a heat map of files by mutants, sortable, and the
// mutants hardest first with their kill rates.  Every text from a file or
// its name goes in through htmltext, and the page's policy lets run only
// its own script and style.
#include <cstdio>

#include "formats/classassets.hpp"
#include "formats/formats.hpp"
#include "formats/html.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/score.hpp"

namespace vorlak::formats {

using engine::classscores;
using engine::firstkill;
using engine::grade;
using engine::hardestfirst;
using engine::killersof;
using engine::scoresof;

namespace {

using mutants::mutantset;

constexpr int barwidth = 120;  // pixels of a kill rate of 100%

std::string number(long n) { return std::to_string(n); }

std::string onedecimal(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

// What vorlak says of one file and mutant, for the cell's tooltip.
std::string celltitle(const grade& g, int n) {
    const firstkill& k = g.of(n);
    if (k.line == 0)
        return "mutant " + number(n) + " survived";
    std::string piece = g.inputs[static_cast<std::size_t>(n - 1)];
    if (!piece.empty() && piece.back() == '\n')
        piece.pop_back();
    return "mutant " + number(n) + " killed by line " + number(k.line) + ": " + piece + " gives " +
           number(k.reference) + " =?= " + number(k.result);
}

void row(std::string& page, const grade& g, std::size_t index) {
    const std::string name = htmltext(g.name);
    page += "<tr data-index=\"" + number(static_cast<long>(index)) + "\" data-name=\"" + name + "\" data-score=\"";
    if (g.failed()) {
        page += "\"><th class=\"name\" scope=\"row\">" + name + "</th><td class=\"error\" colspan=\"" +
                number(mutants::mutantcount + 3) + "\">" + htmltext(g.error) + "</td></tr>\n";
        return;
    }
    page += onedecimal(g.score()) + "\"><th class=\"name\" scope=\"row\">" + name + "</th><td class=\"number\">" +
            htmltext(mutants::summary(g.killed())) + "</td><td class=\"number\">" + number(g.lines) +
            "</td><td class=\"number\">" + number(g.needed) + "</td>";
    for (int n = 1; n <= mutants::mutantcount; n++) {
        const firstkill& k = g.of(n);
        page += "<td class=\"cell ";
        page += k.line != 0 ? "killed" : "survived";
        page += "\" data-mutant=\"" + number(n) + "\"";
        if (k.line != 0)
            page += " data-line=\"" + number(k.line) + "\" data-reference=\"" + number(k.reference) +
                    "\" data-result=\"" + number(k.result) + "\"";
        page += " title=\"" + htmltext(celltitle(g, n)) + "\"></td>";
    }
    page += "</tr>\n";
}

}  // namespace

std::string classhtml(const std::vector<grade>& grades) {
    const classscores scores = scoresof(grades);
    const auto killers = killersof(grades);
    std::string summary = number(static_cast<long>(grades.size())) + (grades.size() == 1 ? " file, " : " files, ") +
                          number(scores.graded) + " graded";
    if (scores.graded > 0)
        summary += ", mean score " + onedecimal(scores.mean) + "%, median " + onedecimal(scores.median) + "%";

    std::string page = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; script-src ";
    page += classassets::scripthash;
    page += "; style-src ";
    page += classassets::stylehash;
    page += "; base-uri 'none'; form-action 'none'\">\n"
            "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>vorlak class: " +
            summary + "</title>\n<style>";
    page += classassets::style;
    page += "</style>\n</head>\n<body>\n<h1>vorlak class</h1>\n<p class=\"summary\">" + summary + "</p>\n";
    page += "<p class=\"legend\">Each row is a file, each column a mutant:<span class=\"cell killed\"></span>killed"
            "<span class=\"cell survived\"></span>survived. The rows are in the order given; sort them by name or "
            "score.</p>\n";

    page += "<table id=\"heatmap\">\n<thead><tr><th scope=\"col\" aria-sort=\"none\"><button type=\"button\" "
            "data-sort=\"name\">file</button></th><th scope=\"col\" aria-sort=\"none\"><button type=\"button\" "
            "data-sort=\"score\">score</button></th><th scope=\"col\">lines</th><th scope=\"col\">needed</th>";
    for (const mutants::mutant& m : mutantset) {
        const std::string description = htmltext(m.description);
        page += "<th class=\"mutant\" scope=\"col\" tabindex=\"0\" data-mutant=\"" + number(m.number) +
                "\" aria-label=\"mutant " + number(m.number) + ": " + description + "\">" + number(m.number) +
                "<span class=\"tip\" role=\"tooltip\">mutant " + number(m.number) + ": " + description + "</span></th>";
    }
    page += "</tr></thead>\n<tbody>\n";
    for (std::size_t i = 0; i < grades.size(); i++)
        row(page, grades[i], i);
    page += "</tbody>\n</table>\n";

    page += "<h2>Mutants, hardest first</h2>\n<table id=\"mutants\">\n<thead><tr><th scope=\"col\">mutant</th>"
            "<th scope=\"col\">stage</th><th scope=\"col\">killed by</th><th scope=\"col\">description</th></tr>"
            "</thead>\n<tbody>\n";
    for (const int n : hardestfirst(killers)) {
        const mutants::mutant& m = mutants::mutantof(n);
        const long killing = static_cast<long>(killers[static_cast<std::size_t>(n - 1)].size());
        const long width = scores.graded > 0 ? killing * barwidth / scores.graded : 0;
        page += "<tr data-mutant=\"" + number(n) + "\"><td class=\"number\">" + number(n) + "</td><td>" +
                htmltext(mutants::stagename(m.altered)) + "</td><td class=\"rate\"><svg width=\"" + number(barwidth) +
                "\" height=\"10\" aria-hidden=\"true\"><rect class=\"track\" width=\"" + number(barwidth) +
                "\" height=\"10\"/><rect class=\"rate\" width=\"" + number(width) + "\" height=\"10\"/></svg> " +
                number(killing) + "/" + number(scores.graded) + "</td><td>" + htmltext(m.description) + "</td></tr>\n";
    }
    page += "</tbody>\n</table>\n<script>";
    page += classassets::script;
    page += "</script>\n</body>\n</html>\n";
    return page;
}

}  // namespace vorlak::formats
