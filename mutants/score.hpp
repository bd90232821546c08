// The score of a test file: how many of the mutants it kills, that share in
// percent, and vorlak's summary line, which vorlak-report and the
// playground print too.
#pragma once

#include <string>

#include "mutants/catalogue.hpp"

namespace vorlak::mutants {

// The share of the mutants that a kill count is, in percent: exact for a whole
// count, so it compares with a whole threshold without rounding.  A mean of
// counts may be a fraction.
constexpr double share(double killed) { return killed * 100.0 / mutantcount; }

// The share as the summary line writes it, a whole number: 51 for 33 kills.
int percent(int killed);

// The summary for a kill count, "33/65 mutants killed. (51%)", and the
// line that vorlak prints, the same with a newline.
std::string summary(int killed);
std::string summaryline(int killed);

// How vorlak sets the reference's result against a mutant's on a line that
// kills it: "0 =?= -1".
std::string comparison(int reference, int result);

}  // namespace vorlak::mutants
