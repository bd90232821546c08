// A page for each student of a class and one for the teacher that links
// them.  A student's page names the ideas the file misses and hints at them
// as far as the teacher allows; below the answers it shows only the
// student's own lines, never one that kills a survivor.  The pages have no
// script, and their policy lets in only the class page's style sheet.

#include <algorithm>
#include <cctype>
#include <set>

#include "engine/explain.hpp"
#include "formats/classassets.hpp"
#include "formats/classwords.hpp"
#include "formats/formats.hpp"
#include "formats/html.hpp"
#include "formats/utf8.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/score.hpp"

namespace vorlak::formats {

using engine::grade;
using engine::scanresult;
using engine::state;
using engine::suggestion;

namespace {

constexpr std::size_t longestname = 100;  // bytes of a file's name kept in its page's name
constexpr std::size_t longestline = 100;  // bytes of a line shown, "..." after them

std::string number(long n) { return std::to_string(n); }

// The head of both pages, and the start of their body: no script.
std::string head(std::string_view title) { return classassets::head(title, false) + "<main>\n"; }

constexpr std::string_view foot = "</main>\n</body>\n</html>\n";

// What the page says of a survivor's state: whyof's words, the line it
// names as the file had it when graded (where the grade kept it), and how
// an infected one's difference was lost.
std::string statehtml(const grade& g, int n) {
    const scanresult& scan = g.scan;
    const state s = scan.stateof(n);
    std::string html = "<p class=\"state\">" + htmltext(engine::whyof(scan, n)) + ".";
    const long line = s == state::infected  ? scan.reachof(n).infected
                      : s == state::reached ? scan.reachof(n).reached
                                            : 0;
    const auto own = std::find_if(scan.ownlines.begin(), scan.ownlines.end(),
                                  [&](const engine::ownline& l) { return l.number == line; });
    if (own != scan.ownlines.end())
        html += " Line " + number(line) + " reads <code>" + htmltext(shownline(own->text)) + "</code>.";
    if (s == state::infected)
        html += " " + htmltext(engine::lossmeaning(scan.reachof(n).why.lost));
    return html + "</p>\n";
}

// One survivor: its state and the hints that level allows.
std::string survivorhtml(const grade& g, int n, hints level) {
    const mutants::mutant& m = mutants::mutantof(n);
    std::string html = "<li class=\"survivor\" data-mutant=\"" + number(n) + "\"><h3>Mutant " + number(n);
    if (level >= hints::condition)
        html += ": " + htmltext(m.description);
    html += "</h3>\n" + statehtml(g, n);
    if (level >= hints::condition)
        html += "<p class=\"condition\">" + htmltext(engine::nexthint(m, g.scan.stateof(n))) + ".</p>\n";
    if (level == hints::answer)
        for (const suggestion& a : g.answers)
            if (a.mutant == n)
                html += "<p class=\"answer\">" + htmltext(engine::killinghint) + "<code>" +
                        htmltext(shownline(a.line)) + "</code> (" +
                        htmltext(engine::resultpair(a.reference, a.result)) + ").</p>\n";
    return html + "</li>\n";
}

}  // namespace

std::string shownline(std::string_view line) {
    if (!line.empty() && line.back() == '\n')
        line.remove_suffix(1);
    std::string shown;
    for (const char c : validutf8(line.substr(0, longestline)))
        shown += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? std::string("\xEF\xBF\xBD") : std::string(1, c);
    return line.size() > longestline ? shown + "..." : shown;
}

std::vector<std::string> feedbacknames(const std::vector<grade>& grades) {
    std::vector<std::string> names;
    std::set<std::string> taken = {"index.html"};
    const auto lower = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
        return s;
    };
    for (const grade& g : grades) {
        if (g.failed()) {
            names.emplace_back();
            continue;
        }
        const std::size_t slash = g.name.find_last_of('/');
        std::string stem = slash == std::string::npos || slash + 1 == g.name.size() ? g.name : g.name.substr(slash + 1);
        stem.resize(std::min(stem.size(), longestname));
        for (char& c : stem)
            if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '-' && c != '_')
                c = '_';
        // No hidden file, no "." or "..".
        if (stem.empty() || stem.front() == '.')
            stem.insert(0, "_");
        std::string name = stem + ".html";
        for (int i = 2; taken.contains(lower(name)); i++)
            name = stem + "-" + number(i) + ".html";
        taken.insert(lower(name));
        names.push_back(name);
    }
    return names;
}

std::string feedbackpage(const grade& g, hints level) {
    std::vector<int> survivors;
    for (int n = 1; n <= mutants::mutantcount; n++)
        if (g.scan.stateof(n) != state::killed)
            survivors.push_back(n);
    const std::string name = displayname(g.name);
    std::string page = head("vorlak feedback: " + name);
    page += "<h1>Feedback on " + htmltext(name) + "</h1>\n<p class=\"summary\">" +
            htmltext(mutants::summary(g.killed())) + "</p>\n";
    if (survivors.empty())
        return page + "<p>Your lines kill every mutant.</p>\n" + std::string(foot);
    page += "<p>A mutant is a copy of the date program with one small fault; a line kills it when the copy's "
            "result differs from the program's. These mutants survive your lines, grouped by the idea a test "
            "needs to kill them. Each says how far your lines got into it:</p>\n" +
            statelegend(std::span(engine::furthestfirst).subspan(1), false);
    for (std::size_t i = 0; i < mutants::ideas.size(); i++) {
        std::string items;
        for (const int n : survivors)
            if (static_cast<std::size_t>(mutants::mutantof(n).teaches) == i)
                items += survivorhtml(g, n, level);
        if (items.empty())
            continue;
        const mutants::ideatext& idea = mutants::ideas[i];
        page += "<section class=\"concept\">\n<h2>" + htmltext(idea.name) + "</h2>\n<p class=\"sentence\">" +
                htmltext(idea.sentence) + "</p>\n<ul>\n" + items + "</ul>\n</section>\n";
    }
    return page + std::string(foot);
}

std::string feedbackindex(const std::vector<grade>& grades, const std::vector<std::string>& names, hints level) {
    const std::string summary = classsummary(grades);
    std::string page = head("vorlak feedback: " + summary);
    page += "<h1>vorlak feedback</h1>\n<p class=\"summary\">" + summary +
            "</p>\n<p>One page for each file read, "
            "with hints up to: " +
            std::string(hintname(level)) + ".</p>\n";
    std::string rows;
    std::string unread;
    for (std::size_t i = 0; i < grades.size(); i++) {
        const grade& g = grades[i];
        const std::string name = htmltext(displayname(g.name));
        if (g.failed())
            unread += "<li><span class=\"name\">" + name + "</span>: " + htmltext(g.error) + "</li>\n";
        else
            rows += "<tr><th scope=\"row\" class=\"name\"><a href=\"" + htmltext(names[i]) + "\">" + name +
                    "</a></th><td class=\"number\">" + htmltext(mutants::summary(g.killed())) + "</td></tr>\n";
    }
    if (!rows.empty())
        page += "<table id=\"files\">\n<thead><tr><th scope=\"col\">file</th><th scope=\"col\">score</th></tr>"
                "</thead>\n<tbody>\n" +
                rows + "</tbody>\n</table>\n";
    if (!unread.empty())
        page += "<h2>Files that could not be read</h2>\n<ul id=\"unread\">\n" + unread + "</ul>\n";
    return page + std::string(foot);
}

}  // namespace vorlak::formats
