// The words that the class's outputs share: the class's summary and the
// legend of the states.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "engine/grade.hpp"
#include "engine/infection.hpp"

namespace vorlak::formats {

// The class in one line, such as "3 files, 2 graded, mean score 54.6%,
// median 54.6%": the text, the class page and the feedback index begin
// with it.
std::string classsummary(const std::vector<engine::grade>& grades);

// The states as a list, each with what it means; with swatches, each after
// a cell in the heat map's colour of it.
std::string statelegend(std::span<const engine::state> states, bool swatches);

}  // namespace vorlak::formats
