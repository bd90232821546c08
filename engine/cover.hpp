// The smallest subset of a test file: an exact minimum set cover.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/killset.hpp"
#include "engine/scan.hpp"

namespace vorlak::engine {

// A smallest family of the given sets whose union is the union of all of
// them, as indices into sets in increasing order.  Exact, not greedy: a
// branch and bound over the mutants.  Among equal sets, or among
// families of the same size, the one found first is kept, so the answer
// depends only on the sets and their order.
std::vector<std::size_t> minimumcover(const std::vector<killset>& sets);

// The mutants that exactly one line kills, from the kill set of every
// line (line i + 1 kills sets[lineset[i]]).  What only line i + 1 kills is
// its set within these; taking that line out alone lowers the score exactly
// when it kills one of them.
killset killedonce(const std::vector<killset>& sets, const std::vector<std::uint32_t>& lineset);

// What each of a file's own lines does: the mutants it kills, those that
// only it kills, and so whether taking it out alone would lower the score.
// A file of more than maxlines lines lists only its needed lines, and
// counts the others.  Empty when the scan kept no kill set per line.
inline constexpr long maxlines = 1000;
struct lineview {
    long line;
    killset kills;
    killset alone;
};
struct linesview {
    std::vector<lineview> rows;
    long others = 0;  // the lines left out
};
linesview ownlineview(const scanresult& scan);

}  // namespace vorlak::engine
