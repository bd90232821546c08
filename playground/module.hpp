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
// The build names each level's place (VORLAK_HINTS_STATE and so on) from
// engine::hintnames (cmake/levels.cmake), and the module's level.
#if !defined(VORLAK_HINTS_ANSWER) || !defined(VORLAK_PLAYGROUND_HINTS)
#error "the build names the levels and the module's level"
#endif

#define VORLAK_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace vorlak::playground {

inline constexpr auto cap = static_cast<engine::hints>(VORLAK_PLAYGROUND_HINTS);
static_assert(static_cast<int>(engine::hints::concepts) == VORLAK_HINTS_CONCEPT &&
                  static_cast<int>(engine::hints::answer) == VORLAK_HINTS_ANSWER,
              "the enumeration of the levels is in the order of their names");
#ifdef VORLAK_PLAYGROUND_LEVEL
static_assert(engine::hintname(cap) == VORLAK_PLAYGROUND_LEVEL, "the build's level is the module's");
#endif

extern engine::scanresult graded;  // what vorlak_grade found in the file

// Leaves s as the answer that is text, and returns its length.
int answer(std::string_view s);

inline bool known(int mutant) { return mutant >= 1 && mutant <= mutants::mutantcount; }
constexpr std::size_t at(int mutant) { return static_cast<std::size_t>(mutant - 1); }

}  // namespace vorlak::playground
