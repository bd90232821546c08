// Test lines that kill the survivors, found by evaluating candidate lines.
#pragma once

#include <string>
#include <vector>

#include "engine/killset.hpp"

namespace vorlak::engine {

struct suggestion {
    int mutant;
    std::string line;  // a whole test line, its newline included
    int reference;     // the two results on it
    int result;
};

// For every mutant of wanted, the first candidate line that kills it, in
// the order of the mutants.  Candidates are tried in a fixed order (one
// non-digit in each digit column of a valid line, then each valid date with
// the day after it, then each invalid date with the next valid date), each
// against the reference and the mutants it may still be needed for, so one
// line often serves several.  A mutant no candidate kills has none.
std::vector<suggestion> suggest(killset wanted);

}  // namespace vorlak::engine
