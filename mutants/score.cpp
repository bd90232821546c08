#include "mutants/score.hpp"

namespace vorlak::mutants {

static_assert(mutantcount == 65, "the summary text names 65 mutants");

int percent(int killed) {
    // The share rounded to the nearest whole number, in whole numbers: it is
    // a multiple of 1/13, never halfway between two, so no tie arises.  No
    // floating point and no maths library, which vorlak would load for this
    // alone.
    return (200 * killed + mutantcount) / (2 * mutantcount);
}

std::string summary(int killed) {
    return std::to_string(killed) + "/65 mutants killed. (" + std::to_string(percent(killed)) + "%)";
}

std::string summaryline(int killed) { return summary(killed) + '\n'; }

}  // namespace vorlak::mutants
