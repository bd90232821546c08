// A text evaluated as a test line, by the reference and by a mutant.
#pragma once

#include <string_view>
#include <utility>

namespace vorlak::engine {

// Puts text into the line buffer as the reader would (at most 999 bytes,
// then a zero); returns the length to evaluate.
int putline(std::string_view text);

// The results of text as a test line: the reference's first, then mutant n's.
std::pair<int, int> results(std::string_view text, int mutant);

}  // namespace vorlak::engine
