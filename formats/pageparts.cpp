#include "formats/pageparts.hpp"

#include <algorithm>
#include <array>
#include <vector>

#include "engine/cover.hpp"
#include "engine/expected.hpp"
#include "engine/explain.hpp"
#include "engine/explanation.hpp"
#include "engine/sites.hpp"
#include "formats/classwords.hpp"
#include "formats/html.hpp"
#include "mutants/catalogue.hpp"

namespace vorlak::formats::pageparts {

using engine::grade;
using engine::killset;
using engine::scanresult;
using engine::state;

namespace {

std::string number(long n) { return std::to_string(n); }

std::string paragraph(std::string_view kind, const std::string& html) {
    return html.empty() ? "" : "<p class=\"" + std::string(kind) + "\">" + html + "</p>\n";
}

// The line that a survivor's state names, as the file had it when graded
// (where the grade kept it).
std::string namedline(const grade& g, int n) {
    const scanresult& scan = g.scan;
    const state s = scan.stateof(n);
    const long line = s == state::infected  ? scan.reachof(n).infected
                      : s == state::reached ? scan.reachof(n).reached
                                            : 0;
    const auto own = std::find_if(scan.ownlines.begin(), scan.ownlines.end(),
                                  [&](const engine::ownline& l) { return l.number == line; });
    if (own == scan.ownlines.end())
        return "";
    return " " + htmltext(engine::linereads(line)) + "<code>" + htmltext(shownline(own->text)) + "</code>.";
}

// The mutant's alteration as a one-line diff.
std::string diffhtml(int n) {
    const auto at = engine::locate(n);
    const auto d = engine::diffof(n);
    if (!d || !at)
        return "";
    std::string html = " " + htmltext(engine::diffplace(at->file, d->line)) + ": <code>" +
                       htmltext(std::string(engine::referenceside) + d->reference) + "</code>";
    if (!d->mutant.empty())  // else the alteration removes the line's statements
        html += " <code>" + htmltext(std::string(engine::mutantside) + d->mutant) + "</code>";
    return html;
}

// The parts a survivor's hints have, in the order a page shows them.
constexpr std::array<std::string_view, 4> partnames = {"state", "condition", "mutant", "answer"};

// The parts of the survivor's explanation as the page lays them out: the
// state with the line it names and how the difference was lost in one
// paragraph; the concept in the heading of its section; the description
// with its diff; the killing line with the line as code.
std::array<std::string, 4> partsof(const grade& g, int n, hints level) {
    using engine::partkind;
    std::array<std::string, 4> html;
    for (const engine::part& p : engine::explanation(g.scan, n, level, g.answers))
        switch (p.kind) {
        case partkind::state:
            html[0] = htmltext(p.text) + "." + namedline(g, n);
            break;
        case partkind::loss:
            html[0] += " " + htmltext(p.text);
            break;
        case partkind::concepts:
            break;
        case partkind::condition:
            html[1] = htmltext(p.text) + ".";
            break;
        case partkind::mutant:
            html[2] = htmltext(p.text) + "." + diffhtml(n);
            break;
        case partkind::answer:
            if (html[3].empty())
                html[3] = htmltext(std::string_view(p.text).substr(0, p.at)) + "<code>" + htmltext(shownline(p.line)) +
                          "</code>" + htmltext(std::string_view(p.text).substr(p.at + p.length)) + ".";
            break;
        case partkind::belief:
            break;
        }
    return html;
}

// Survivors in one state: what they share once, then what differs by mutant.
std::string group(const grade& g, const std::vector<int>& members, hints level) {
    runs numbers;
    std::string list;
    for (const int n : members) {
        numbers.add(n);
        list += (list.empty() ? "" : " ") + number(n);
    }
    std::vector<std::array<std::string, 4>> parts;
    for (const int n : members)
        parts.push_back(partsof(g, n, level));
    std::array<bool, 4> shared{};
    for (std::size_t p = 0; p < shared.size(); p++)
        shared[p] = std::all_of(parts.begin(), parts.end(), [&](const auto& each) { return each[p] == parts[0][p]; });
    std::string html =
        "<li class=\"group\" data-mutants=\"" + list + "\"><h3>" + engine::mutantlist(numbers.numbers(), true);
    if (level >= hints::state)
        html += ": " + std::string(engine::statename(g.scan.stateof(members[0])));
    html += "</h3>\n";
    for (std::size_t p = 0; p < shared.size(); p++) {
        if (shared[p] || members.size() == 1) {
            html += paragraph(partnames[p], parts[0][p]);
            shared[p] = true;
            continue;
        }
        std::vector<std::string> texts;
        for (const auto& each : parts)
            texts.push_back(each[p]);
        if (const std::string once = engine::sharedsentence(texts, members); !once.empty()) {
            html += paragraph(partnames[p], once);
            shared[p] = true;
        }
    }
    if (std::all_of(shared.begin(), shared.end(), [](bool b) { return b; }))
        return html + "</li>\n";
    // What differs, with the mutants for which it reads the same together.
    std::vector<std::string> said;
    std::vector<std::vector<int>> saidof;
    for (std::size_t i = 0; i < members.size(); i++) {
        std::string own;
        for (std::size_t p = 0; p < shared.size(); p++)
            if (!shared[p])
                own += paragraph(partnames[p], parts[i][p]);
        const auto at = std::find(said.begin(), said.end(), own);
        if (at == said.end()) {
            said.push_back(own);
            saidof.push_back({members[i]});
        } else {
            saidof[static_cast<std::size_t>(at - said.begin())].push_back(members[i]);
        }
    }
    html += "<ul class=\"members\">\n";
    for (std::size_t i = 0; i < said.size(); i++) {
        runs these;
        std::string theselist;
        for (const int n : saidof[i]) {
            these.add(n);
            theselist += (theselist.empty() ? "" : " ") + number(n);
        }
        html += "<li class=\"survivor\" data-mutants=\"" + theselist + "\"><p class=\"name\">" +
                engine::mutantlist(these.numbers(), true) + "</p>\n" + said[i] + "</li>\n";
    }
    html += "</ul>\n";
    return html + "</li>\n";
}

// The survivors among candidates, by state from the furthest, each state a group.
std::string groups(const grade& g, const std::vector<int>& candidates, hints level) {
    std::string html;
    for (const state s : engine::furthestfirst) {
        std::vector<int> members;
        for (const int n : candidates)
            if (g.scan.stateof(n) == s && s != state::killed)
                members.push_back(n);
        if (!members.empty())
            html += group(g, members, level);
    }
    return html.empty() ? "" : "<ul class=\"groups\">\n" + html + "</ul>\n";
}

std::vector<int> survivorsof(const grade& g) {
    std::vector<int> out;
    for (int n = 1; n <= mutants::mutantcount; n++)
        if (g.scan.stateof(n) != state::killed)
            out.push_back(n);
    return out;
}

std::string numbersof(killset s, bool runsof) {
    runs r;
    std::string list;
    engine::foreachmutant(s, [&](int n) {
        r.add(n);
        list += (list.empty() ? "" : " ") + number(n);
    });
    return runsof ? r.listed() : list;
}

}  // namespace

std::string expectations(const grade& g, hints level) {
    const engine::expectations& e = g.scan.expected;
    if (!e.held)
        return "";
    std::string html = "<p class=\"counts\">" + htmltext(capitalized(engine::expectationcounts(e))) + ".</p>\n";
    if (!e.wrongs.empty()) {
        html += "<section class=\"wrong\">\n<h2>" + htmltext(capitalized(engine::wronghead)) + "</h2>\n<p>" +
                htmltext(engine::wrongmeaning) + "</p>\n<ul class=\"wronglines\">\n";
        for (const engine::wrongline& w : e.wrongs) {
            const std::vector<std::string> lines = engine::wrongexplained(w, level);
            html += "<li class=\"wrongline\" data-line=\"" + number(w.line) + "\"><p class=\"name\">" +
                    htmltext(capitalized(lines[0])) + "</p>\n";
            for (std::size_t i = 1; i < lines.size(); i++)
                html += "<p>" + htmltext(capitalized(lines[i])) + "</p>\n";
            html += "</li>\n";
        }
        html += "</ul>\n</section>\n";
    }
    const std::vector<std::string> missing = missinglines(e);
    if (!missing.empty()) {
        html += "<section class=\"missing\">\n<h2>" + htmltext(capitalized(engine::missinghead)) +
                "</h2>\n<ul class=\"missinglines\">\n";
        for (const std::string& line : missing)
            html += "<li>" + htmltext(capitalized(line)) + "</li>\n";
        html += "</ul>\n</section>\n";
    }
    return html;
}

std::string wheretostart(const grade& g, hints level) {
    const std::string start = wheretostarttext(g.scan, level);
    if (start.empty())
        return "";
    return "<p class=\"start\"><strong>" + htmltext(startframe) + "</strong>" +
           htmltext(std::string_view(start).substr(startframe.size() - 1)) + "</p>\n";
}

std::string survivors(const grade& g, hints level) {
    const std::vector<int> all = survivorsof(g);
    if (level == hints::score) {
        runs r;
        for (const int n : all)
            r.add(n);
        return "<p class=\"numbers\">" + engine::mutantlist(r.numbers(), true) + ".</p>\n";
    }
    if (level == hints::state)
        return groups(g, all, level);
    std::string html;
    for (std::size_t i = 0; i < mutants::ideas.size(); i++) {
        std::vector<int> members;
        for (const int n : all)
            if (static_cast<std::size_t>(mutants::mutantof(n).teaches) == i)
                members.push_back(n);
        if (members.empty())
            continue;
        const mutants::ideatext& idea = mutants::ideas[i];
        html += "<section class=\"concept\">\n<h2>" + htmltext(engine::conceptframe) + htmltext(idea.name) +
                "</h2>\n<p class=\"sentence\">" + htmltext(idea.sentence) + "</p>\n" + groups(g, members, level) +
                "</section>\n";
    }
    return html;
}

std::string ownlines(const grade& g) {
    const engine::linesview view = engine::ownlineview(g.scan);
    if (view.rows.empty() && view.others == 0)
        return "";
    std::string rows;
    for (const engine::lineview& l : view.rows) {
        const std::string line = number(l.line);
        const auto index = static_cast<std::size_t>(l.line - 1);
        rows += "<tr data-line=\"" + line + "\" data-kills=\"" + numbersof(l.kills, false) + "\" data-alone=\"" +
                numbersof(l.alone, false) + "\"><th scope=\"row\">" + line + "</th><td class=\"text\"><code>" +
                (index < g.lineshown.size() ? htmltext(g.lineshown[index]) : "") + "</code></td><td>" +
                numbersof(l.kills, true) + "</td><td>" + numbersof(l.alone, true) + "</td><td>" +
                std::string(engine::lineverdict(!l.alone.empty())) + "</td></tr>\n";
    }
    std::string html = "<section class=\"lines\">\n<h2>" + htmltext(engine::ownlineshead) + "</h2>\n<p>" +
                       htmltext(engine::ownlinesmeaning()) + "</p>\n";
    if (!rows.empty()) {
        html += "<div class=\"scroll\" role=\"region\" aria-label=\"" + htmltext(engine::ownlineshead) +
                "\" tabindex=\"0\">\n<table id=\"lines\">\n<thead><tr>";
        for (const std::string_view column : engine::ownlinecolumns)
            html += "<th scope=\"col\">" + htmltext(column) + "</th>";
        html += "</tr></thead>\n<tbody>\n" + rows + "</tbody>\n</table>\n</div>\n";
    }
    if (view.others > 0)
        html += "<p class=\"others\">" + htmltext(engine::otherlines(view.others)) + "</p>\n";
    return html + "</section>\n";
}

}  // namespace vorlak::formats::pageparts
