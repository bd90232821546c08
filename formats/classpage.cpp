// The class as one page: a heat map of files by mutants, sortable, and the
// mutants hardest first with their kill rates.  Every text from a file or
// its name goes in through htmltext, and the page's policy lets run only
// its own script and style.

#include <optional>

#include "engine/expected.hpp"
#include "engine/explain.hpp"
#include "engine/sites.hpp"
#include "formats/classassets.hpp"
#include "formats/classwords.hpp"
#include "formats/formats.hpp"
#include "formats/html.hpp"
#include "mutants/beliefs.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/score.hpp"

namespace vorlak::formats {

using engine::classscores;
using engine::firstkill;
using engine::grade;
using engine::hardestfirst;
using engine::killersof;
using engine::scoresof;
using engine::state;
using engine::statecountsof;

namespace {

using mutants::mutantset;

constexpr int barwidth = 120;  // pixels of a kill rate of 100%

std::string number(long n) { return std::to_string(n); }

// What vorlak says of one file and mutant, for the cell's tooltip: what
// killed it, or how far the lines got into it.
std::string celltitle(const grade& g, int n) {
    const firstkill& k = g.of(n);
    if (k.line == 0)
        return "mutant " + number(n) + " " + std::string(engine::statusname(false)) + ": " + engine::whyof(g.scan, n);
    std::string piece = g.scan.killtext[static_cast<std::size_t>(n - 1)];
    if (!piece.empty() && piece.back() == '\n')
        piece.pop_back();
    return "mutant " + number(n) + " " + engine::whyof(g.scan, n) + ": " + piece + " gives " +
           mutants::comparison(k.reference, k.result);
}

// A table cell around html, escaped already; attributes, when there are
// any, begin with a blank.
std::string cell(std::string_view tag, std::string_view attributes, std::string_view html) {
    std::string c = "<";
    c.append(tag).append(attributes).append(">").append(html).append("</").append(tag).append(">");
    return c;
}

// The cells that the tables repeat: a number, the heading of a row, the
// heading of a column.
std::string numbercell(std::string_view html) { return cell("td", " class=\"number\"", html); }
std::string rowhead(std::string_view html) { return cell("th", " class=\"name\" scope=\"row\"", html); }
std::string colhead(std::string_view html, std::string_view more = "") {
    return cell("th", " scope=\"col\"" + std::string(more), html);
}

// A heading that sorts the rows by key.
std::string sorthead(std::string_view key, std::string_view label) {
    return colhead("<button type=\"button\" data-sort=\"" + std::string(key) + "\">" + std::string(label) + "</button>",
                   " aria-sort=\"none\"");
}

// One file's cell of the heat map for mutant n: how far its lines got into
// the mutant, with what killed it.
std::string heatcell(const grade& g, int n) {
    const firstkill& k = g.of(n);
    const std::string_view state = engine::statename(g.scan.stateof(n));
    std::string attributes = " class=\"cell ";
    attributes.append(state).append("\" data-state=\"").append(state).append("\"");
    attributes += " data-mutant=\"" + number(n) + "\"";
    if (k.line != 0)
        attributes += " data-line=\"" + number(k.line) + "\" data-reference=\"" + number(k.reference) +
                      "\" data-result=\"" + number(k.result) + "\"";
    return cell("td", attributes + " title=\"" + htmltext(celltitle(g, n)) + "\"", "");
}

void row(std::string& page, const grade& g, std::size_t index, bool expected) {
    const std::string name = htmltext(g.name);
    page += "<tr data-index=\"" + number(static_cast<long>(index)) + "\" data-name=\"" + name + "\" data-score=\"" +
            (g.failed() ? "" : onedecimal(g.score())) + "\">" + rowhead(name);
    if (g.failed()) {
        const std::string across =
            " class=\"error\" colspan=\"" + number(mutants::mutantcount + (expected ? 6 : 3)) + "\"";
        page += cell("td", across, htmltext(g.error)) + "</tr>\n";
        return;
    }
    page += numbercell(htmltext(mutants::summary(g.killed()))) + numbercell(number(g.scan.lines)) +
            numbercell(number(g.needed));
    if (expected)
        for (const long count : {g.scan.expected.right, g.scan.expected.wrong, g.scan.expected.missing})
            page += numbercell(number(count));
    if (!g.scan.testable) {
        page += cell("td", " class=\"error\" colspan=\"" + number(mutants::mutantcount) + "\"",
                     htmltext(engine::untestable)) +
                "</tr>\n";
        return;
    }
    for (int n = 1; n <= mutants::mutantcount; n++)
        page += heatcell(g, n);
    page += "</tr>\n";
}

// A mutant's column label: its number, shown for 1 and every fifth so that
// the labels hold apart; the others read only by a screen reader, which
// takes the heading's name from its aria-label anyway.
std::string label(int n) {
    return n == 1 || n % 5 == 0 ? number(n) : "<span class=\"hidden\">" + number(n) + "</span>";
}

// The heat map's headings: the file and its numbers, then every mutant
// with its description as a tooltip.
std::string heatmaphead(bool expected) {
    std::string head =
        "<thead><tr>" + sorthead("name", "file") + sorthead("score", "score") + colhead("lines") + colhead("needed");
    if (expected)
        for (const engine::oracle o : {engine::oracle::right, engine::oracle::wrong, engine::oracle::missing})
            head += colhead(engine::oraclename(o));
    for (const mutants::mutant& m : mutantset) {
        const std::string description = htmltext(m.description);
        head += cell("th",
                     " class=\"mutant\" scope=\"col\" tabindex=\"0\" data-mutant=\"" + number(m.number) +
                         "\" aria-label=\"mutant " + number(m.number) + ": " + description + "\"",
                     label(m.number) + "<span class=\"tip\" role=\"tooltip\">mutant " + number(m.number) + ": " +
                         description + "</span>");
    }
    return head + "</tr></thead>\n";
}

// A mutant's alteration as a one-line diff, the line as the reference has
// it and as the mutant has it; nothing when the sources no longer hold it.
std::string diffhtml(int n) {
    const std::optional<engine::codediff> d = engine::diffof(n);
    const std::optional<engine::location> s = engine::locate(n);
    if (!d || !s)
        return "";
    return "<div class=\"diff\">" + htmltext(engine::diffplace(s->file, d->line)) +
           "<code class=\"reference\"><span class=\"hidden\">" + htmltext(engine::referenceside) + "</span>" +
           htmltext(d->reference) + "</code><code class=\"mutant\"><span class=\"hidden\">" +
           htmltext(engine::mutantside) + "</span>" + htmltext(d->mutant) + "</code></div>";
}

// Mutant n's row in the list hardest first: how many of the graded files
// kill it, as a bar and as a count, and how many infect it without killing
// it, only reach it and never reach it.
std::string hardestrow(int n, const engine::statecounts& counts, long graded) {
    const mutants::mutant& m = mutants::mutantof(n);
    const long killing = counts[static_cast<std::size_t>(state::killed)];
    const long width = graded > 0 ? killing * barwidth / graded : 0;
    const std::string bar = "<svg width=\"" + number(barwidth) +
                            "\" height=\"10\" aria-hidden=\"true\"><rect class=\"track\" width=\"" + number(barwidth) +
                            "\" height=\"10\"/><rect class=\"rate\" width=\"" + number(width) +
                            "\" height=\"10\"/></svg> ";
    std::string row = "<tr data-mutant=\"" + number(n) + "\">" + numbercell(number(n)) +
                      cell("td", "", htmltext(mutants::stagename(m.altered))) +
                      cell("td", " class=\"rate\"", bar + number(killing) + "/" + number(graded));
    for (const state s : {state::infected, state::reached, state::unreached})
        row += cell("td", " class=\"number\" data-state=\"" + std::string(engine::statename(s)) + "\"",
                    number(counts[static_cast<std::size_t>(s)]));
    return row + cell("td", "", htmltext(m.description) + diffhtml(n)) + "</tr>\n";
}

// The concepts hardest first: how many of the graded files kill every
// mutant of each.
std::string concepttable(const std::vector<grade>& grades, long graded) {
    std::string table =
        "<h2>Concepts, hardest first</h2>\n<div class=\"scroll\" role=\"region\" aria-label=\"concepts\" "
        "tabindex=\"0\">\n<table id=\"concepts\">\n<thead><tr>" +
        colhead("concept") + colhead("files killing all its mutants") + colhead("mutants") + "</tr></thead>\n<tbody>\n";
    for (const engine::conceptgrade& c : engine::conceptsof(grades)) {
        const mutants::ideatext& idea = mutants::ideaof(c.idea);
        std::vector<long> members;
        engine::foreachmutant(c.mutants, [&](int n) { members.push_back(n); });
        const std::string numbers = engine::numberlist(members);
        table += "<tr data-concept=\"" + number(static_cast<long>(c.idea)) + "\">" +
                 rowhead(htmltext(idea.name) + "<span class=\"sentence\">" + htmltext(idea.sentence) + "</span>") +
                 numbercell(number(c.files) + "/" + number(graded)) + cell("td", "", numbers) + "</tr>\n";
    }
    return table + "</tbody>\n</table>\n</div>\n";
}

// The misconceptions: for each belief that a file's wrong line names, then
// each concept that a wrong line no belief answers points at, how many
// files hold such a line, most first.
std::string misconceptionlist(const std::vector<grade>& grades) {
    std::string html = "<h2>" + htmltext(capitalized(misconceptionshead)) + "</h2>\n<p>" +
                       htmltext(capitalized(misconceptionsmeaning)) + ":</p>\n";
    const std::vector<misconceptionline> lines = misconceptionlines(grades);
    if (lines.empty())
        return html + "<p id=\"misconceptions\">" + htmltext(capitalized(nomisconceptions)) + ".</p>\n";
    html += "<ul id=\"misconceptions\">\n";
    for (const misconceptionline& l : lines)
        html += "<li " +
                (l.belief ? "data-belief=\"" + std::string(mutants::beliefset[static_cast<std::size_t>(l.which)].id)
                          : "data-concept=\"" + number(static_cast<long>(l.which))) +
                "\" data-files=\"" + number(l.files) + "\">" + htmltext(l.text) + "</li>\n";
    return html + "</ul>\n";
}

}  // namespace

std::string classassets::head(std::string_view title, bool withscript) {
    std::string page = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; ";
    if (withscript) {
        page += "script-src ";
        page += classassets::scripthash;
        page += "; ";
    }
    page += "style-src ";
    page += classassets::stylehash;
    page += "; base-uri 'none'; form-action 'none'\">\n"
            "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
    page += htmltext(title);
    page += "</title>\n<style>";
    page += classassets::style;
    page += "</style>\n</head>\n<body>\n";
    return page;
}

std::string classhtml(const std::vector<grade>& grades, bool expected) {
    const classscores scores = scoresof(grades);
    const auto killers = killersof(grades);
    const std::string summary = classsummary(grades);

    std::string page = classassets::head("vorlak class: " + summary, true);
    page += "<h1>vorlak class</h1>\n<p class=\"summary\">" + summary + "</p>\n";
    page += "<p>Each row is a file, each column a mutant, each cell how far the file's lines got into the "
            "mutant:</p>\n" +
            statelegend(engine::furthestfirst, true) +
            "<p>The rows are in the order given; sort them by name or score.</p>\n";

    page += concepttable(grades, scores.graded);
    if (expected)
        page += misconceptionlist(grades);
    // The map scrolls within its own region, the files' names kept in view.
    page += "<div class=\"scroll\" role=\"region\" aria-label=\"heat map\" tabindex=\"0\">\n<table id=\"heatmap\">\n" +
            heatmaphead(expected) + "<tbody>\n";
    for (std::size_t i = 0; i < grades.size(); i++)
        row(page, grades[i], i, expected);
    page += "</tbody>\n</table>\n</div>\n";

    const auto counts = statecountsof(grades);
    page += "<h2>Mutants, hardest first</h2>\n<div class=\"scroll\" role=\"region\" aria-label=\"mutants\" "
            "tabindex=\"0\">\n<table id=\"mutants\">\n<thead><tr>" +
            colhead("mutant") + colhead("stage") + colhead("killed by") + colhead("infected by") +
            colhead("only reached by") + colhead("unreached by") + colhead("description") + "</tr></thead>\n<tbody>\n";
    for (const int n : hardestfirst(killers))
        page += hardestrow(n, counts[static_cast<std::size_t>(n - 1)], scores.graded);
    page += "</tbody>\n</table>\n</div>\n<script>";
    page += classassets::script;
    page += "</script>\n</body>\n</html>\n";
    return page;
}

}  // namespace vorlak::formats
