// The report in its formats, each as the bytes to write.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/grade.hpp"
#include "engine/scan.hpp"
#include "engine/suggest.hpp"

namespace vorlak::formats {

// Runs of consecutive numbers, written "3" or "3-7", separated by blanks.
class runs {
public:
    void add(long n);
    bool empty() const { return spans_.empty(); }
    bool single() const { return spans_.size() == 1 && spans_[0].first == spans_[0].second; }
    std::string text() const;

private:
    std::vector<std::pair<long, long>> spans_;
};

// One aligned row per mutant, a survivor's with its state and the first line
// of it and an infected one's with how the difference was lost; vorlak's
// summary line, the survivors; with matrix (the scan kept every line's kill
// set) the kill matrix after them.
std::string textreport(const engine::scanresult& scan, bool matrix);

// RFC 4180: the header and one record per mutant, lines ending in CR LF;
// its last two fields the first lines that reach and infect the mutant.
std::string csvreport(const engine::scanresult& scan);

// RFC 4180: the kill matrix as pairs "line,mutant", a line that kills
// nothing with an empty mutant.
std::string csvmatrix(const engine::scanresult& scan);

// What the mutation-testing report holds besides each mutant's state.
struct reportoptions {
    bool matrix = false;  // every killing and every reaching line (the scan kept them per line)
    bool diffs = false;   // each description ends with the alteration as a one-line diff
};

// The mutation-testing report.  name is the test file as the user named it;
// the scan must hold the source.  A survivor that no line reaches is
// NoCoverage; a reached mutant is covered by its first reaching line.
// indent < 0 writes it on one line.
std::string jsonreport(const engine::scanresult& scan, std::string_view name, const reportoptions& options,
                       const std::vector<engine::suggestion>& suggestions, int indent);

// A field of a csv record: quoted when it holds a comma, a quote or a line break.
std::string csvfield(std::string_view text);

// A class, one row per file in the order given, then the mutants hardest
// first and the class's mean and median score.
std::string classtext(const std::vector<engine::grade>& grades);

// RFC 4180: the gradebook, one record per file.
std::string classcsv(const std::vector<engine::grade>& grades);

// The class as one json document; indent < 0 writes it on one line.
std::string classjson(const std::vector<engine::grade>& grades, int indent);

// The class as one self-contained page: a heat map of files by mutants.
std::string classhtml(const std::vector<engine::grade>& grades);

// A share in percent with one decimal, as the class outputs write a mean.
std::string onedecimal(double value);

// A test file's name as text: "-" is standard input, other bytes as in json.
std::string displayname(std::string_view name);

}  // namespace vorlak::formats
