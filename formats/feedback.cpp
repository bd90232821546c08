// A page for each student of a class and one for the teacher that links
// them.  A student's page names the ideas the file misses and hints at them
// as far as the teacher allows; below the answers it shows only the
// student's own lines, never one that kills a survivor.  The pages have no
// script, and their policy lets in only the class page's style sheet.

#include <algorithm>
#include <cctype>
#include <set>

#include "engine/expected.hpp"
#include "engine/explain.hpp"
#include "formats/classassets.hpp"
#include "formats/classwords.hpp"
#include "formats/formats.hpp"
#include "formats/html.hpp"
#include "formats/pageparts.hpp"
#include "formats/utf8.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/score.hpp"

namespace vorlak::formats {

using engine::grade;

namespace {

constexpr std::size_t longestname = 100;  // bytes of a file's name kept in its page's name

std::string number(long n) { return std::to_string(n); }

// The head of both pages, and the start of their body: no script.
std::string head(std::string_view title) { return classassets::head(title, false) + "<main>\n"; }

constexpr std::string_view foot = "</main>\n</body>\n</html>\n";

}  // namespace

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
    const std::string name = displayname(g.name);
    std::string page = head("vorlak feedback: " + name);
    page += "<h1>Feedback on " + htmltext(name) + "</h1>\n<p class=\"summary\">" +
            htmltext(mutants::summary(g.killed())) + "</p>\n";
    page += editorparagraphs(engine::editornotes(g.scan));
    // A wrong line is a fault in the tests: it comes before the survivors.
    page += pageparts::expectations(g, level);
    if (!g.scan.testable)
        return page + "<p class=\"untestable\">" + htmltext(engine::untestable) + "</p>\n" + std::string(foot);
    if (g.killed() == mutants::mutantcount)
        return page + "<p>" + htmltext(engine::allkilled) + "</p>\n" + pageparts::ownlines(g) + std::string(foot);
    page += "<p>A mutant is a copy of the date program with one small fault; a line kills it when the copy's "
            "result differs from the program's. These mutants survive your lines";
    page += level >= hints::concepts ? ", grouped by the idea a test needs to kill them." : ".";
    if (level >= hints::state)
        page += " Each says how far your lines got into it:</p>\n" +
                statelegend(std::span(engine::furthestfirst).subspan(1), false);
    else
        page += "</p>\n";
    page += pageparts::wheretostart(g, level) + pageparts::survivors(g, level) + pageparts::ownlines(g);
    return page + std::string(foot);
}

std::string feedbackindex(const std::vector<grade>& grades, const std::vector<std::string>& names, hints level) {
    const std::string summary = classsummary(grades);
    std::string page = head("vorlak feedback: " + summary);
    page += "<h1>vorlak feedback</h1>\n<p class=\"summary\">" + summary +
            "</p>\n<p>One page for each file read, "
            "with hints up to: " +
            std::string(hintname(level)) + ".</p>\n";
    // Graded by their expectations, the files' counts of each verdict too.
    const bool expected =
        std::any_of(grades.begin(), grades.end(), [](const grade& g) { return g.scan.expected.held; });
    std::string rows;
    std::string unread;
    for (std::size_t i = 0; i < grades.size(); i++) {
        const grade& g = grades[i];
        const std::string name = htmltext(displayname(g.name));
        if (g.failed())
            unread += "<li><span class=\"name\">" + name + "</span>: " + htmltext(g.error) + "</li>\n";
        else
            rows +=
                "<tr><th scope=\"row\" class=\"name\"><a href=\"" + htmltext(names[i]) + "\">" + name +
                "</a></th><td class=\"number\">" + htmltext(mutants::summary(g.killed())) + "</td>" +
                (expected ? "<td class=\"expectations\">" + htmltext(engine::verdictcounts(g.scan.expected)) + "</td>"
                          : "") +
                "</tr>\n";
    }
    if (!rows.empty())
        page += "<div class=\"scroll\" role=\"region\" aria-label=\"files\" tabindex=\"0\">\n<table "
                "id=\"files\">\n<thead><tr><th scope=\"col\">file</th><th scope=\"col\">score</th>" +
                (expected ? "<th scope=\"col\">" + std::string(engine::expectationsname) + "</th>" : std::string()) +
                "</tr></thead>\n<tbody>\n" + rows + "</tbody>\n</table>\n</div>\n";
    if (!unread.empty())
        page += "<h2>Files that could not be read</h2>\n<ul id=\"unread\">\n" + unread + "</ul>\n";
    return page + std::string(foot);
}

}  // namespace vorlak::formats
