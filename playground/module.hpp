// What the two files of the playground's module share: the hint level it
// is built for, the file's grading, and the answer that is text.
#pragma once

#include <cstddef>
#include <string_view>

#include "engine/explain.hpp"
#include "engine/scan.hpp"
#include "mutants/catalogue.hpp"

// The hint level the module is built for, as the place of its name in
// engine::hintnames: it holds nothing that a higher level adds, so that a page
// capped below a level cannot reach what the level tells, not even by calling
// the module.  Below state it has no state words, below concept no concepts,
// below condition no conditions, below mutant no descriptions and no diffs,
// and below answer no suggestion search.
#define VORLAK_HINTS_STATE 1
#define VORLAK_HINTS_CONCEPT 2
#define VORLAK_HINTS_CONDITION 3
#define VORLAK_HINTS_MUTANT 4
#define VORLAK_HINTS_ANSWER 5
#ifndef VORLAK_PLAYGROUND_HINTS
#define VORLAK_PLAYGROUND_HINTS VORLAK_HINTS_ANSWER
#endif

#define VORLAK_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace vorlak::playground {

inline constexpr auto cap = static_cast<engine::hints>(VORLAK_PLAYGROUND_HINTS);
static_assert(static_cast<int>(engine::hints::state) == VORLAK_HINTS_STATE &&
                  static_cast<int>(engine::hints::concepts) == VORLAK_HINTS_CONCEPT &&
                  static_cast<int>(engine::hints::condition) == VORLAK_HINTS_CONDITION &&
                  static_cast<int>(engine::hints::mutant) == VORLAK_HINTS_MUTANT &&
                  static_cast<int>(engine::hints::answer) == VORLAK_HINTS_ANSWER,
              "the module's level numbers are the places of the levels");
#ifdef VORLAK_PLAYGROUND_LEVEL
static_assert(engine::hintname(cap) == VORLAK_PLAYGROUND_LEVEL, "the build's level is the module's");
#endif

extern engine::scanresult graded;  // what vorlak_grade found in the file

// Leaves s as the answer that is text, and returns its length.
int answer(std::string_view s);

inline bool known(int mutant) { return mutant >= 1 && mutant <= mutants::mutantcount; }
constexpr std::size_t at(int mutant) { return static_cast<std::size_t>(mutant - 1); }

}  // namespace vorlak::playground
