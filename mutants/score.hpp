// The score of a test file: vorlak's summary line, which vorlak-report and
// the playground print too.
#pragma once

#include <string>

namespace vorlak::mutants {

// The summary line for a kill count: "33/65 mutants killed. (51%)\n".
std::string summaryline(int killed);

}  // namespace vorlak::mutants
