#include "mutants/score.hpp"

namespace vorlak::mutants {

namespace {

// Whether some kill count's share lies exactly halfway between two whole
// percents, where rounding would have to pick a side.
constexpr bool hashalves() {
    for (int killed = 0; killed <= mutantcount; killed++)
        if (200 * killed % (2 * mutantcount) == mutantcount)
            return true;
    return false;
}
static_assert(!hashalves(), "a share halfway between two percents would need printf's rounding");

}  // namespace

int percent(int killed) {
    // The share rounded to the nearest whole number, in whole numbers: of 65
    // it is a multiple of 1/13, never halfway between two, so no tie arises.
    // No floating point and no maths library, which vorlak would load for
    // this alone.
    return (200 * killed + mutantcount) / (2 * mutantcount);
}

std::string summary(int killed) {
    return std::to_string(killed) + '/' + std::to_string(mutantcount) + " mutants killed. (" +
           std::to_string(percent(killed)) + "%)";
}

std::string summaryline(int killed) { return summary(killed) + '\n'; }

std::string comparison(int reference, int result) {
    return std::to_string(reference) + " =?= " + std::to_string(result);
}

}  // namespace vorlak::mutants
