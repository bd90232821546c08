// A class of test files, one from each student: each file graded as vorlak
// grades it, and what the grades say of the class.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/killset.hpp"
#include "engine/scan.hpp"
#include "mutants/mutants.hpp"
#include "mutants/score.hpp"

namespace vorlak::engine {

// One file's grade.  A file that could not be read has its reason in error
// and nothing else.
struct grade {
    std::string name;   // the path as given
    std::string error;  // empty when the file was read
    long lines = 0;
    long needed = 0;  // lines in a smallest subset that kills as much
    std::array<firstkill, mutants::mutantcount> kills{};
    std::array<firstreach, mutants::mutantcount> reach{};  // each mutant's first reaching and infecting line
    std::array<std::string, mutants::mutantcount> inputs;  // with texts: each first killing piece

    bool failed() const { return !error.empty(); }
    int killed() const { return killedset().count(); }
    killset killedset() const { return killedin(kills); }
    double score() const { return mutants::share(killed()); }
    const firstkill& of(int mutant) const { return kills[static_cast<std::size_t>(mutant - 1)]; }
    // The first kills and reaches as a scan's, for what the engine says of
    // a scan: each mutant's stateof and whyof.
    scanresult firsts() const;
};

// Grades the file at path as vorlak -i path does, reading it once; with
// texts it keeps the piece that first kills each mutant.
grade gradefile(const std::string& path, bool texts);

// The mean and the median of the scores of the files that were read; both
// 0 when none was.
struct classscores {
    int graded = 0;
    double mean = 0;
    double median = 0;
};
classscores scoresof(const std::vector<grade>& grades);

// The files that kill each mutant, as indices into grades.
std::array<std::vector<std::size_t>, mutants::mutantcount> killersof(const std::vector<grade>& grades);

// For each mutant, how many of the files that were read got that far into
// it and no further, indexed by state: unreached, reached, infected, killed.
using statecounts = std::array<long, 4>;
std::array<statecounts, mutants::mutantcount> statecountsof(const std::vector<grade>& grades);

// A concept of the catalogue: its mutants, and how many of the files that
// were read kill every one of them.
struct conceptgrade {
    mutants::idea idea;
    killset mutants;
    long files = 0;
};

// Every concept, hardest first: fewest files killing all its mutants, then
// in the catalogue's order.
std::vector<conceptgrade> conceptsof(const std::vector<grade>& grades);

// The mutants hardest first: fewest files killing them, then by number.
std::array<int, mutants::mutantcount>
hardestfirst(const std::array<std::vector<std::size_t>, mutants::mutantcount>& killers);

}  // namespace vorlak::engine
