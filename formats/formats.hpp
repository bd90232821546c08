// The report in its formats, each as the bytes to write.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/explain.hpp"
#include "engine/grade.hpp"
#include "engine/scan.hpp"
#include "engine/suggest.hpp"
#include "io/shown.hpp"

namespace vorlak::formats {

// Runs of consecutive numbers, written "3" or "3-7", separated by blanks
// (text); or as one list a person reads (listed, engine::numberlist).
class runs {
public:
    void add(long n);
    bool empty() const { return spans_.empty(); }
    bool single() const { return spans_.size() == 1 && spans_[0].first == spans_[0].second; }
    std::string text() const;
    std::vector<long> numbers() const;
    std::string listed() const { return engine::numberlist(numbers()); }

private:
    std::vector<std::pair<long, long>> spans_;
};

// How much a report tells of each mutant.
using engine::hintname;
using engine::hints;

// One aligned row per mutant as the level allows, a survivor's with its
// state and the first line of it, and under it the hints of its level (an
// infected one's loss, its concept, the next step's condition, the line of
// answers that kills it); vorlak's summary line, the survivors; from
// concept on each concept's mutants; with matrix (the scan kept every
// line's kill set) the kill matrix after them, each line with what only it
// kills and whether it is needed.
std::string textreport(const engine::scanresult& scan, bool matrix, hints level = hints::state,
                       const std::vector<engine::suggestion>& answers = {});

// RFC 4180: the header and one record per mutant, lines ending in CR LF;
// its last two fields the first lines that reach and infect the mutant.
// The fields stay; those the level does not allow are empty.
std::string csvreport(const engine::scanresult& scan, hints level);

// RFC 4180: the kill matrix as pairs "line,mutant", a line that kills
// nothing with an empty mutant; with expectations, a record per line, the
// program's result on a wrong or missing one only at answer.
std::string csvmatrix(const engine::scanresult& scan, hints level);

// What the mutation-testing report holds besides each mutant's state.
struct reportoptions {
    bool matrix = false;  // every killing and every reaching line (the scan kept them per line)
    bool diffs = false;   // each description ends with the alteration as a one-line diff
    // What each mutant tells: below mutant no description and no
    // replacement, and a location no narrower than the altered function.
    hints level = hints::mutant;
};

// The mutation-testing report.  name is the test file as the user named it;
// the scan must hold the source.  A survivor that no line reaches is
// NoCoverage; a reached mutant is covered by its first reaching line.
// indent < 0 writes it on one line.
std::string jsonreport(const engine::scanresult& scan, std::string_view name, const reportoptions& options,
                       const std::vector<engine::suggestion>& suggestions, int indent);

// What a grading platform's results document holds: the points that every
// mutant killed earns a share of, how much it tells (the hints, with the
// lines that kill the survivors at answer), and who sees the tests.
struct autograderoptions {
    double points = mutants::mutantcount;
    hints level = hints::condition;
    std::vector<engine::suggestion> answers;
    std::string visibility = "visible";
    bool leaderboard = false;  // Gradescope's leaderboard: the kills, then the tests (the scan read the whole file)
};

// Gradescope's results.json: the score, the summary and where to start,
// and one test per concept in the catalogue's order, worth its mutants'
// share of the points, passed when every one is killed.  Below concept a
// test is named by its mutants.  Every score is in hundredths, and the
// tests' add up to the score shown.  A file with no line long enough to
// test scores 0 with engine::untestable and no test.  With leaderboard, the
// mutants killed (more rank first) and the tests vorlak runs (fewer rank
// first).
std::string gradescopejson(const engine::scanresult& scan, const autograderoptions& options);

// Gradescope's results.json for a submission that could not be graded:
// score 0 and why.
std::string gradescopefailure(std::string_view why);

// PrairieLearn's results.json: gradable, the score as a fraction, and the
// same tests with points.  A file with no line long enough to test is not
// gradable, with engine::untestable, so that no attempt is charged.
std::string prairielearnjson(const engine::scanresult& scan, const autograderoptions& options);

// PrairieLearn's results.json for a submission that could not be graded:
// not gradable, so no attempt is charged, with why.
std::string prairielearnfailure(std::string_view why);

// The wrong lines under "wrong expectations:", each explained as the level
// allows, its first line flush and the others indented; empty when none is
// wrong.
std::string wrongtext(const engine::expectations& e, hints level);

// The wrong lines as wrongtext has them, then with missing under "missing
// expectations:" the lines that state none as missinglines has them.  With
// most, no more than most of them are listed (a run of lines with an empty
// tail counts once), the wrong ones first, then how many of the file's
// lines are left ("… and 140 more lines").
std::string expectationlist(const engine::expectations& e, hints level, std::size_t most = 0, bool missing = true);

// The lines that state no expectation, one sentence for each kind: the
// lines with none, as runs ("no expectation: lines 3-5"), and each tail
// that states none, with its text as a page shows it.
std::vector<std::string> missinglines(const engine::expectations& e);

// A field of a csv record: quoted when it holds a comma, a quote or a line break.
std::string csvfield(std::string_view text);

// A class, one row per file in the order given, then the mutants hardest
// first and the class's mean and median score.  With expected (the files
// were graded by their expectations) each file's count of right, wrong and
// missing expectations too, and the class's misconceptions.
std::string classtext(const std::vector<engine::grade>& grades, bool expected = false);

// RFC 4180: the gradebook, one record per file; with expected, three more
// fields at the end of each record: right,wrong,missing.
std::string classcsv(const std::vector<engine::grade>& grades, bool expected = false);

// RFC 4180: the files of a class graded by their expectations, by belief:
// "file" and each belief's id, then a record per file, its name and, for
// each belief, 1 when one of its wrong lines expects what the belief
// answers, else 0; empty fields for a file that was not read.
std::string classbeliefscsv(const std::vector<engine::grade>& grades);

// The class as one json document; indent < 0 writes it on one line.
std::string classjson(const std::vector<engine::grade>& grades, int indent, bool expected = false);

// The class as one self-contained page: a heat map of files by mutants.
std::string classhtml(const std::vector<engine::grade>& grades, bool expected = false);

// The name of each graded file's feedback page in a folder: the file's last
// name with every byte but letters, digits, '.', '-' and '_' made '_', a
// number added where names clash (letter case aside, and with index.html);
// empty for a file that was not read.
std::vector<std::string> feedbacknames(const std::vector<engine::grade>& grades);

// One student's page: the summary line and the survivors by concept, each
// with its state and the hints that level allows, from the grade alone: its
// own lines that the states name as the grading read them, and with
// hints::answer the grade's killing line for each survivor.  A line that
// would kill a survivor as shown was not kept by the grading; its number
// alone names it.
std::string feedbackpage(const engine::grade& g, hints level);

// engine::editornotes, each a sentence on a line of its own, for the top of
// a report or a platform's document.
std::string editornotelines(const engine::scanresult& scan);

// A line as a page shows it (io::shownline).  The grading keeps the file's
// own lines for the pages by this form.
using io::shownline;

// The teacher's page: each graded file with its score and a link to its
// page (names as feedbacknames gives them), then the files that could not
// be read, with why.
std::string feedbackindex(const std::vector<engine::grade>& grades, const std::vector<std::string>& names, hints level);

// A share in percent with one decimal, as the class outputs write a mean.
std::string onedecimal(double value);

// A test file's name as text: "-" is standard input, other bytes as in json.
std::string displayname(std::string_view name);

}  // namespace vorlak::formats
