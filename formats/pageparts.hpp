// The parts of a student's feedback page: where to start, the survivors
// grouped as a tutor would speak of them, and the student's own lines.
#pragma once

#include <string>

#include "engine/grade.hpp"
#include "formats/formats.hpp"

namespace vorlak::formats::pageparts {

// With expectations, what a page shows first, since a wrong line is a
// fault in the tests: the count of each verdict, the wrong lines each
// explained as the level allows, then the lines that state none.  Empty
// when the grading held no expectations.
std::string expectations(const engine::grade& g, hints level);

// Where to start: the concept with the most survivors that the file already
// reaches (or, when it reaches none, the most survivors), as a paragraph;
// empty below concept or when every mutant is killed.
std::string wheretostart(const engine::grade& g, hints level);

// The survivors as the level allows: their numbers at score; from state on,
// those that share a state (and, from concept on, a concept) together, with
// what they share said once and what differs listed by mutant.
std::string survivors(const engine::grade& g, hints level);

// The file's own lines: for each, the mutants it kills, those only it
// kills, and whether it is needed; a file of more than maxlines lines shows
// only the lines that kill something alone and counts the rest.  Empty
// when the grade did not keep every line's kill set.
std::string ownlines(const engine::grade& g);

inline constexpr long maxlines = engine::shownlines;

}  // namespace vorlak::formats::pageparts
