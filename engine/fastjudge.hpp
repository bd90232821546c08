// The fast form of judging a line: the sets of mutants that it reaches,
// infects and kills, worked out from tables instead of 65 verdicts.  The
// scan uses it on every piece; the tests prove it equal to the plain form.
#pragma once

#include "engine/infection.hpp"

namespace vorlak::engine::fast {

// Stands in for statesof(judgeall(t)).
linestates judgesets(const trace& t);

}  // namespace vorlak::engine::fast
