// The words that the class's outputs share: the class's summary and the
// legend of the states.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/explain.hpp"
#include "engine/grade.hpp"
#include "engine/infection.hpp"

namespace vorlak::formats {

// The class in one line, such as "3 files, 2 graded, mean score 54.6%,
// median 54.6%": the text, the class page and the feedback index begin
// with it.
std::string classsummary(const std::vector<engine::grade>& grades);

// Where a student's file should go next, from concept on: "Where to start:
// the digit columns, where your lines already reach 16 mutants that
// survive.", the concept with the most survivors that the file reaches (or,
// when it reaches none, the most survivors).  Empty below concept or when
// every mutant is killed.
inline constexpr std::string_view startframe = "Where to start: ";
std::string wheretostarttext(const engine::scanresult& scan, engine::hints level);

// The class's misconceptions, as every class output heads and words them:
// the heading, what it counts, and a line for each belief that a file's
// wrong line names, most files first, such as "counts both the first and
// the last day: 9 files", then for each concept whose mutants answer a wrong
// line that no belief answers, such as "the century years: 2 files"; "none"
// when no file holds a wrong line that a belief or a mutant answers.
inline constexpr std::string_view misconceptionshead = "misconceptions";
inline constexpr std::string_view misconceptionsmeaning =
    "the beliefs that answer what a file's wrong line expects, then the concepts whose mutants answer a wrong "
    "line that no belief answers, by the files that hold such a line";
struct misconceptionline {
    bool belief = false;  // a belief's line, or a concept's
    int which = 0;        // the belief's place in mutants::beliefset, or the concept's
    long files = 0;
    std::string text;
};
std::vector<misconceptionline> misconceptionlines(const std::vector<engine::grade>& grades);
inline constexpr std::string_view nomisconceptions = "none";

// The states as a list, each with what it means; with swatches, each after
// a cell in the heat map's colour of it.
std::string statelegend(std::span<const engine::state> states, bool swatches);

}  // namespace vorlak::formats
