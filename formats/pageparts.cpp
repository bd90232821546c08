#include "formats/pageparts.hpp"

#include <algorithm>
#include <array>
#include <vector>

#include "engine/cover.hpp"
#include "engine/expected.hpp"
#include "engine/explain.hpp"
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

// What the page says of a survivor's state: whyof's words, the line it
// names as the file had it when graded (where the grade kept it), and how
// an infected one's difference was lost.
std::string statehtml(const grade& g, int n) {
    const scanresult& scan = g.scan;
    const state s = scan.stateof(n);
    std::string html = htmltext(engine::whyof(scan, n)) + ".";
    const long line = s == state::infected  ? scan.reachof(n).infected
                      : s == state::reached ? scan.reachof(n).reached
                                            : 0;
    const auto own = std::find_if(scan.ownlines.begin(), scan.ownlines.end(),
                                  [&](const engine::ownline& l) { return l.number == line; });
    if (own != scan.ownlines.end())
        html += " Line " + number(line) + " reads <code>" + htmltext(shownline(own->text)) + "</code>.";
    if (s == state::infected)
        html += " " + htmltext(engine::lossmeaning(scan.reachof(n).why.lost));
    return html;
}

// The mutant's description and its alteration as a one-line diff.
std::string mutanthtml(int n) {
    std::string html = htmltext(mutants::mutantof(n).description) + ".";
    const auto at = engine::locate(n);
    if (const auto d = engine::diffof(n); d && at) {
        html += " " + htmltext(engine::diffplace(at->file, d->line)) + ": <code>" +
                htmltext(std::string(engine::referenceside) + d->reference) + "</code>";
        if (!d->mutant.empty())  // else the alteration removes the line's statements
            html += " <code>" + htmltext(std::string(engine::mutantside) + d->mutant) + "</code>";
    }
    return html;
}

std::string answerhtml(const grade& g, int n) {
    for (const engine::suggestion& a : g.answers)
        if (a.mutant == n)
            return htmltext(engine::killinghint) + "<code>" + htmltext(shownline(a.line)) + "</code> (" +
                   htmltext(engine::resultpair(a.reference, a.result)) + ").";
    return "";
}

// The parts a survivor's hints have, in the order a page shows them.
constexpr std::array<std::string_view, 4> partnames = {"state", "condition", "mutant", "answer"};

std::array<std::string, 4> partsof(const grade& g, int n, hints level) {
    const state s = g.scan.stateof(n);
    return {level >= hints::state ? statehtml(g, n) : "",
            level >= hints::condition ? htmltext(engine::nexthint(mutants::mutantof(n), s)) + "." : "",
            level >= hints::mutant ? mutanthtml(n) : "", level >= hints::answer ? answerhtml(g, n) : ""};
}

// The texts of one part, one for each mutant of a group, said once when
// they differ only in one short word: "… in column …, after …. Here
// … stands for 1 (mutant 2), 3 (mutant 3)."  Empty when they differ more.
std::string factored(const std::vector<std::string>& texts, const std::vector<int>& members) {
    constexpr std::size_t longest = 16;  // bytes of a run that differs
    const std::string& first = texts[0];
    std::size_t prefix = first.size();
    std::size_t suffix = first.size();
    for (const std::string& t : texts) {
        prefix =
            std::min(prefix, static_cast<std::size_t>(
                                 std::mismatch(first.begin(), first.end(), t.begin(), t.end()).first - first.begin()));
        suffix = std::min(
            suffix, static_cast<std::size_t>(std::mismatch(first.rbegin(), first.rend(), t.rbegin(), t.rend()).first -
                                             first.rbegin()));
    }
    // Whole words: the prefix ends at a blank, the suffix starts at one or at punctuation.
    while (prefix > 0 && first[prefix - 1] != ' ')
        prefix--;
    const auto wordend = [](char c) { return c == ' ' || c == ',' || c == '.' || c == ';'; };
    while (suffix > 0 && !wordend(first[first.size() - suffix]))
        suffix--;
    if (prefix == 0)
        return "";
    std::string list;
    for (std::size_t i = 0; i < texts.size(); i++) {
        if (texts[i].size() < prefix + suffix)
            return "";
        const std::string middle = texts[i].substr(prefix, texts[i].size() - prefix - suffix);
        if (middle.empty() || middle.size() > longest || middle.find_first_of("<> ") != std::string::npos)
            return "";
        list += (i == 0 ? "" : ", ") + middle + " (mutant " + number(members[i]) + ")";
    }
    return first.substr(0, prefix) + "…" + first.substr(first.size() - suffix) + " Here … stands for " + list + ".";
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
    std::string html = "<li class=\"group\" data-mutants=\"" + list + "\"><h3>" +
                       (members.size() == 1 ? "Mutant " : "Mutants ") + numbers.text();
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
        if (const std::string once = factored(texts, members); !once.empty()) {
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
                (saidof[i].size() == 1 ? "Mutant " : "Mutants ") + these.text() + "</p>\n" + said[i] + "</li>\n";
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
    return runsof ? r.text() : list;
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
        return "<p class=\"numbers\">" + std::string(all.size() == 1 ? "Mutant " : "Mutants ") + r.text() + ".</p>\n";
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
    const scanresult& scan = g.scan;
    if (scan.lineset.empty() || scan.lineset.size() != static_cast<std::size_t>(scan.lines))
        return "";
    const killset once = engine::killedonce(scan.sets, scan.lineset);
    const bool all = scan.lines <= maxlines;
    std::string rows;
    long others = 0;
    for (std::size_t i = 0; i < scan.lineset.size(); i++) {
        const killset kills = scan.sets[scan.lineset[i]];
        const killset alone = kills & once;
        if (!all && alone.empty()) {
            others++;
            continue;
        }
        const std::string line = number(static_cast<long>(i) + 1);
        rows += "<tr data-line=\"" + line + "\" data-kills=\"" + numbersof(kills, false) + "\" data-alone=\"" +
                numbersof(alone, false) + "\"><th scope=\"row\">" + line + "</th><td class=\"text\"><code>" +
                (i < g.lineshown.size() ? htmltext(g.lineshown[i]) : "") + "</code></td><td>" + numbersof(kills, true) +
                "</td><td>" + numbersof(alone, true) + "</td><td>" + std::string(engine::lineverdict(!alone.empty())) +
                "</td></tr>\n";
    }
    std::string html =
        "<section class=\"lines\">\n<h2>Your lines</h2>\n<p>For each line: its text, the mutants it kills, "
        "those that " +
        std::string(engine::alonename) + ", and whether taking it out alone would lower the score (" +
        std::string(engine::lineverdict(true)) + ") or not (" + std::string(engine::lineverdict(false)) + ").</p>\n";
    if (!rows.empty())
        html += "<div class=\"scroll\" role=\"region\" aria-label=\"Your lines\" tabindex=\"0\">\n<table "
                "id=\"lines\">\n<thead><tr><th scope=\"col\">line</th><th scope=\"col\">text</th><th "
                "scope=\"col\">kills</th>"
                "<th scope=\"col\">" +
                std::string(engine::alonename) + "</th><th scope=\"col\">taken out alone</th></tr></thead>\n<tbody>\n" +
                rows + "</tbody>\n</table>\n</div>\n";
    if (others > 0)
        html += "<p class=\"others\">" + number(others) + (others == 1 ? " other line kills" : " other lines kill") +
                " nothing that no other line kills: " + std::string(engine::lineverdict(false)) + ".</p>\n";
    return html + "</section>\n";
}

}  // namespace vorlak::formats::pageparts
