#include "mutants/score.hpp"

namespace vorlak::mutants {

static_assert(mutantcount == 65, "the summary text names 65 mutants");

int percent(int killed) {
    // The exact share is a multiple of 1/13, never halfway between two whole
    // numbers, so rounding it meets no tie.  Kill counts are never negative;
    // adding a half and cutting off rounds them without the maths library,
    // which vorlak would otherwise load for this alone.
    return static_cast<int>(share(killed) + 0.5);
}

std::string summary(int killed) {
    return std::to_string(killed) + "/65 mutants killed. (" + std::to_string(percent(killed)) + "%)";
}

std::string summaryline(int killed) { return summary(killed) + '\n'; }

}  // namespace vorlak::mutants
