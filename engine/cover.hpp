// The smallest subset of a test file: an exact minimum set cover.
#pragma once

#include <cstddef>
#include <vector>

#include "engine/killset.hpp"

namespace vorlak::engine {

// A smallest family of the given sets whose union is the union of all of
// them, as indices into sets in increasing order.  Exact, not greedy: a
// branch and bound over the mutants.  Among equal sets, or among
// families of the same size, the one found first is kept, so the answer
// depends only on the sets and their order.
std::vector<std::size_t> minimumcover(const std::vector<killset>& sets);

}  // namespace vorlak::engine
