// vorlak-report's synopsis and help, and the levels as they list them.
#pragma once

#include <string>
#include <string_view>

#include "engine/explain.hpp"

namespace vorlak::report {

// What vorlak-report writes on a wrong command line, and first in its help.
extern const std::string_view synopsis;

// The whole help, the synopsis first.
std::string helptext();

// The levels' names in their order, the last after last ("score, state, …
// mutant or answer"); with mark, that after the level marked.
std::string levelnames(std::string_view last, engine::hints marked = engine::hints::score, std::string_view mark = "");

}  // namespace vorlak::report
