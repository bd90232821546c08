// A class of test files, one from each student: each file graded as vorlak
// grades it, and what the grades say of the class.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/killset.hpp"
#include "engine/scan.hpp"
#include "engine/suggest.hpp"
#include "mutants/mutants.hpp"
#include "mutants/score.hpp"

namespace vorlak::engine {

// What a grade keeps besides the first kills and reaches.
struct gradeneeds {
    bool killtext = false;  // the piece that first kills each mutant
    bool ownlines = false;  // the file's own lines that its survivors' states name
    bool answers = false;   // a line that kills each survivor, where a candidate does
    bool perline = false;   // every line's kill set, for the per-line view
    bool expected = false;  // a line counts only when its expectation is right; the concepts its wrong ones point at
    // With ownlines: a line as a page shows it, which a student may copy.  A
    // line whose shown form would kill a survivor is not kept.
    std::string (*shown)(std::string_view line) = nullptr;
};

// One file's grade: the scan of the file as vorlak -i reads it, with what
// the outputs of a class need of it.  A file that could not be read has its
// reason in error and nothing else.
struct grade {
    std::string name;   // the path as given
    std::string error;  // empty when the file was read
    long needed = 0;    // lines in a smallest subset that kills as much
    // The lines, the first kills and reaches; with killtext each first
    // killing piece; with ownlines, in scan.ownlines, only the lines that a
    // survivor's state names and that a page may show.  The distinct kill
    // sets are let go once they are counted, unless perline keeps them with
    // the set of every line.
    scanresult scan;
    std::vector<suggestion> answers;  // with answers, in the order of the mutants
    // With expected: the beliefs that answer what one of the file's wrong
    // lines expects, as places in mutants::beliefset in its order; and the
    // concepts of the mutants that answer what a wrong line that no belief
    // answers expects, in the catalogue's order.
    std::vector<int> beliefs;
    std::vector<mutants::idea> misconceptions;
    // With perline and shown: each line as shown (for the first maxlines
    // lines, and past them those that kill a mutant no other line kills),
    // empty for the others and for a line whose shown form would kill a
    // survivor.
    std::vector<std::string> lineshown;

    bool failed() const { return !error.empty(); }
    int killed() const { return scan.killed(); }
    killset killedset() const { return scan.killedset(); }
    double score() const { return mutants::share(killed()); }
    const firstkill& of(int mutant) const { return scan.of(mutant); }
};

// Grades the file at path as vorlak -i path does, reading it once, and keeps
// what needs asks for.  judging keeps for the next file on this thread what
// it works out for this one.
grade gradefile(const std::string& path, const gradeneeds& needs, fast::judging& judging);

// Grades every file of paths on up to jobs threads, this one among them,
// each thread with its own judging and evaluation; the grades stand in the
// order of paths whatever jobs is.  A file that cannot be read or graded has
// its error in its own grade.  (Not in the playground's module, which has
// no threads.)
std::vector<grade> gradeclass(const std::vector<std::string>& paths, int jobs, const gradeneeds& needs);

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

// A concept and how many of the files that were read hold a wrong line
// whose expectation a mutant of that concept answers.
struct misconceptioncount {
    mutants::idea idea;
    long files = 0;
};

// Every concept by its misconceptions: most files first, then in the
// catalogue's order.
std::vector<misconceptioncount> misconceptionsof(const std::vector<grade>& grades);

// A belief, as its place in mutants::beliefset, and how many of the files
// that were read hold a wrong line whose expectation it answers.
struct beliefcount {
    int belief = 0;
    long files = 0;
};

// Every belief by its files: most files first, then in the beliefs' order.
std::vector<beliefcount> beliefsof(const std::vector<grade>& grades);

// The mutants hardest first: fewest files killing them, then by number.
std::array<int, mutants::mutantcount>
hardestfirst(const std::array<std::vector<std::size_t>, mutants::mutantcount>& killers);

}  // namespace vorlak::engine
