// The output of a run in the format asked for: the test lines that
// --minimize and --suggest write, or a report of a file or a class.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "engine/cover.hpp"
#include "engine/expected.hpp"
#include "engine/suggest.hpp"
#include "formats/formats.hpp"
#include "formats/html.hpp"
#include "io/expectation.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/score.hpp"
#include "report/findings.hpp"
#include "report/options.hpp"

namespace vorlak::report {

using engine::suggestion;

namespace {

// What the suggestions kill, to standard error; and the lines, each once,
// with expected each followed by the program's result on it.
std::string suggestedlines(const std::vector<suggestion>& found, bool expected) {
    std::string lines;
    std::vector<std::string_view> written;
    for (const suggestion& g : found) {
        const mutants::mutant& m = mutants::mutantof(g.mutant);
        std::string shown = g.line.substr(0, g.line.size() - 1);
        say("mutant " + std::to_string(g.mutant) + " (" + std::string(m.description) +
            "): " + engine::resultpair(g.reference, g.result) + " on " + shown + "\n");
        if (std::find(written.begin(), written.end(), g.line) == written.end()) {
            written.push_back(g.line);
            // A line of exactly the two dates takes the result after a
            // blank; any other would read differently with one.
            lines +=
                expected && shown.size() == io::tailcolumn ? shown + " " + std::to_string(g.reference) + "\n" : g.line;
        }
    }
    return lines;
}

// --minimize and --suggest without a report: the kept lines, then the
// suggested ones; note gets what was done to them.
std::string testlines(const settings& s, const findings& f, std::string& note) {
    std::string out;
    bool newline = f.file.scan.endsinnewline;  // the output so far ends a line
    if (s.minimize) {
        const auto kept = engine::minimumcover(f.file.scan.sets);
        for (const std::size_t i : kept)
            out += f.file.scan.settext[i];
        newline = out.empty() || out.back() == '\n';
        note = "kept " + std::to_string(kept.size()) + " of " + std::to_string(f.file.scan.lines) + " lines\n";
    }
    if (!s.suggest)
        return out;
    if (f.file.answers.empty()) {
        note += "every mutant is killed: nothing to suggest\n";
        return out;
    }
    // Appended to a file whose last line has no newline, the first
    // suggestion would run on in that line.
    if (!newline) {
        out += '\n';
        note += s.minimize ? "the last kept line has no newline: one follows it\n"
                           : "the test file ends without a newline: the lines begin with one\n";
    }
    return out + suggestedlines(f.file.answers, s.expected);
}

}  // namespace

// The output, of a file or a class, in the format asked for; note gets
// what to say once it is written.
std::string render(const settings& s, const findings& f, std::string& note) {
    const bool report = s.form == format::json || s.form == format::html;
    if (s.minimize || (s.suggest && !report))
        return testlines(s, f, note);
    switch (s.form) {
    case format::text:
        return s.grading ? formats::classtext(f.grades, s.expected)
                         : formats::textreport(f.file.scan, s.matrix, s.hints, f.file.answers);
    case format::csv:
        if (s.grading)
            return formats::classcsv(f.grades, s.expected);
        return s.matrix ? formats::csvmatrix(f.file.scan, s.hints) : formats::csvreport(f.file.scan, s.hints);
    case format::json:
        return s.grading ? formats::classjson(f.grades, 2, s.expected)
                         : formats::jsonreport(f.file.scan, s.testfile, {.matrix = s.matrix, .level = s.hints},
                                               f.file.answers, 2);
    case format::gradescope:
    case format::prairielearn: {
        const bool gradescope = s.form == format::gradescope;
        if (f.file.failed())
            return gradescope ? formats::gradescopefailure(f.file.error) : formats::prairielearnfailure(f.file.error);
        const formats::autograderoptions o{.points = s.points > 0 ? s.points : mutants::mutantcount,
                                           .level = s.hints,
                                           .answers = f.file.answers,
                                           .visibility = s.visibility != nullptr ? s.visibility : "visible",
                                           .leaderboard = s.leaderboard};
        return gradescope ? formats::gradescopejson(f.file.scan, o) : formats::prairielearnjson(f.file.scan, o);
    }
    case format::html:
        if (s.grading)
            return formats::classhtml(f.grades, s.expected);
        return formats::renderhtml(formats::jsonreport(f.file.scan, s.testfile,
                                                       {.matrix = s.matrix, .diffs = true, .level = s.hints},
                                                       f.file.answers, -1),
                                   formats::displayname(s.testfile) + ": " + mutants::summary(f.file.scan.killed()) +
                                       (s.expected ? "; " + engine::expectationcounts(f.file.scan.expected) : ""),
                                   engine::editornotes(f.file.scan));
    }
    return {};
}

}  // namespace vorlak::report
