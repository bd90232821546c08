#include "mutants/score.hpp"

#include <cstdio>

#include "mutants/mutants.hpp"

namespace vorlak::mutants {

static_assert(mutantcount == 65, "the summary text names 65 mutants");

std::string summaryline(int killed) {
    // The exact share is a multiple of 1/13, never halfway between two whole
    // numbers, so %.0f rounds it without a tie.
    const double share = static_cast<double>(killed * 100) / 65.0;
    char text[64];
    const int n = std::snprintf(text, sizeof text, "%d/65 mutants killed. (%.0f", killed, share);
    std::string line(text, static_cast<std::size_t>(n));
    line += '%';
    line += ")\n";
    return line;
}

}  // namespace vorlak::mutants
