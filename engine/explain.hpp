// A mutant's state over a file in words, as the reports and the playground
// say it: how far the lines got into it and, for an infected survivor, the
// two values at its altered step and how the difference was lost.
#pragma once

#include <string>
#include <string_view>

#include "engine/infection.hpp"
#include "engine/scan.hpp"

namespace vorlak::engine {

// "killed", "infected", "reached" or "unreached".
std::string_view statename(state s);

// "masked", "unused", "cancelled" or "reversed"; empty for none.
std::string_view lossname(loss l);

// What the loss means, in one sentence.
std::string_view lossmeaning(loss l);

// The two values at the altered step of an infecting verdict, such as "the
// leap-year rule answers 1 instead of 0 for 2001".
std::string stepvalues(const verdict& v);

// The mutant's state over the scan with its first line, such as "infected
// by line 5: the leap-year rule answers 1 instead of 0 for 2001, unused"
// or "no line reaches it".
std::string whyof(const scanresult& scan, int mutant);

}  // namespace vorlak::engine
