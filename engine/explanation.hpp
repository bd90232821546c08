// A mutant's explanation as the parts a person reads, in the order every
// surface gives them, each part a sentence from engine/explain.*; the
// sentence that a group of survivors shares; and where a student should
// start.  The surfaces lay these out and choose which parts a place shows;
// they work none of them out again.  Adding a part (a belief behind a wrong
// expectation, say) is a kind here, a line of explanation(), and a case in
// each surface's layout.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engine/explain.hpp"
#include "engine/scan.hpp"
#include "engine/suggest.hpp"
#include "mutants/beliefs.hpp"

namespace vorlak::engine {

// The parts of an explanation, in the order a person reads them.  (The
// concept's part is concepts here: concept is a keyword.)  A belief is the
// part of a wrong line's explanation that names what the line believed; a
// mutant's explanation holds none.
enum class partkind { state, loss, concepts, condition, mutant, answer, belief };

struct part {
    partkind kind;
    std::string text;   // the part's sentence, whole
    std::string brief;  // where a surface names what follows elsewhere: the concept's name in its frame
    // The answer's line, as the suggestion holds it (its newline included),
    // and where it stands in text, so that a page can mark it as code.
    std::string line;
    std::size_t at = 0;
    std::size_t length = 0;
};

// What the level allows of mutant n over the scan, in order: a survivor's
// state (whyof) and, when infected, how its difference was lost (from
// state on); its concept (from concept on, of a killed mutant too); then,
// of a survivor, what a line needs for the next step (from condition on),
// its description (from mutant on) and the line of answers that kills it,
// with its two results (at answer).
std::vector<part> explanation(const scanresult& scan, int n, hints level, const std::vector<suggestion>& answers);

// The killing line with its two results, the same on every surface: "a
// line that kills it: 02/29/2000 03/01/2000 (reference 1, mutant 0)".
part killingline(const suggestion& s);

// What a wrong line believed, when belief b answers what it expects: "line
// 2 expects 1: as if both the first and the last day were counted".
part beliefpart(const wrongline& w, const mutants::belief& b);

// The texts of one part, one for each mutant of a group, said once when
// they differ only in one short word, taken whole without the punctuation
// after it: "… in column …, after …. Here … stands for 1 (mutant 2) and 3
// (mutant 3)."  Empty when they differ more.
std::string sharedsentence(const std::vector<std::string>& texts, const std::vector<int>& members);

// Where a student should start: the concept with the most surviving
// mutants that the lines already reach, or, when they reach none, the one
// with the most survivors; the first of equals.  None when all are killed.
struct startpoint {
    mutants::idea idea;
    int count;     // its survivors that count
    bool reached;  // whether those are reached ones
};
std::optional<startpoint> wheretostart(const scanresult& scan);

}  // namespace vorlak::engine
