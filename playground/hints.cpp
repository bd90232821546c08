// The playground's module past the score, up to the hint level it is built
// for (playground/module.hpp): a mutant's state, its concept, what a line
// needs for its next step, the mutant itself and a line that kills it, in
// the words the reports use.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engine/explain.hpp"
#include "engine/scan.hpp"
#include "engine/sites.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/mutants.hpp"
#include "playground/module.hpp"
#if VORLAK_PLAYGROUND_HINTS >= VORLAK_HINTS_ANSWER
#include "engine/suggest.hpp"
#endif

namespace vorlak::playground {
namespace {

// One field of every row, in the order of the numbers.
template <class T> constexpr std::array<T, mutants::mutantcount> eachrow(T mutants::mutant::*field) {
    std::array<T, mutants::mutantcount> out{};
    for (std::size_t i = 0; i < out.size(); i++)
        out[i] = mutants::mutantset[i].*field;
    return out;
}

// What the module reads of the catalogue's rows, worked out as it compiles:
// each mutant's stage and concept, and from condition up the rows
// themselves, without what a level above the module's adds.  The module
// never reads mutants::mutantset as it runs, so the rows' other words stay
// out of it.
#if VORLAK_PLAYGROUND_HINTS >= VORLAK_HINTS_STATE
constexpr auto stages = eachrow(&mutants::mutant::altered);
#endif
#if VORLAK_PLAYGROUND_HINTS >= VORLAK_HINTS_CONCEPT
constexpr auto concepts = eachrow(&mutants::mutant::teaches);
#endif
#if VORLAK_PLAYGROUND_HINTS >= VORLAK_HINTS_CONDITION
constexpr auto rows = [] {
    auto out = mutants::mutantset;
    if (cap < engine::hints::mutant)
        for (mutants::mutant& m : out) {
            m.description = {};
            m.where = {};
        }
    return out;
}();
#endif
#if VORLAK_PLAYGROUND_HINTS >= VORLAK_HINTS_ANSWER
engine::suggestion proposal;  // the last line vorlak_suggest found
#endif

}  // namespace
}  // namespace vorlak::playground

using namespace vorlak;
using namespace vorlak::playground;

#if VORLAK_PLAYGROUND_HINTS >= VORLAK_HINTS_STATE
// How far the lines got into the mutant: its state as a word ("killed",
// "infected", "reached" or "unreached"), the first line that reaches it and
// the first that infects it (0 for none), and all of it in a sentence with
// how an infection was lost.  -1 for a number outside the set.
VORLAK_EXPORT(vorlak_state) int state(int mutant) {
    return known(mutant) ? answer(engine::statename(graded.stateof(mutant))) : -1;
}
VORLAK_EXPORT(vorlak_reachline) long reachline(int mutant) {
    return known(mutant) ? graded.reachof(mutant).reached : 0;
}
VORLAK_EXPORT(vorlak_infectline) long infectline(int mutant) {
    return known(mutant) ? graded.reachof(mutant).infected : 0;
}
VORLAK_EXPORT(vorlak_why) int why(int mutant) { return known(mutant) ? answer(engine::whyof(graded, mutant)) : -1; }
// For a survivor that a line infects, what its loss means; empty for the others.
VORLAK_EXPORT(vorlak_lossmeaning) int lossmeaning(int mutant) {
    if (!known(mutant) || graded.stateof(mutant) != engine::state::infected)
        return known(mutant) ? answer("") : -1;
    return answer(engine::lossmeaning(graded.reachof(mutant).why.lost));
}

// The stage a mutant alters.  -1 for a number outside the set.
VORLAK_EXPORT(vorlak_stage) int stage(int mutant) {
    return known(mutant) ? answer(mutants::stagename(stages[at(mutant)])) : -1;
}

// The legend's entries, the furthest state first, each with what it means
// (-1 past the last); and the name of the state at place s of its
// enumeration, which vorlak_nexthint takes (-1 past the last).
VORLAK_EXPORT(vorlak_legend) int legend(int entry) {
    if (entry < 0 || static_cast<std::size_t>(entry) >= engine::furthestfirst.size())
        return -1;
    return answer(engine::legendentry(engine::furthestfirst[static_cast<std::size_t>(entry)]));
}
VORLAK_EXPORT(vorlak_statename) int statename(int s) {
    if (s < 0 || static_cast<std::size_t>(s) >= engine::furthestfirst.size())
        return -1;
    return answer(engine::statename(static_cast<engine::state>(s)));
}
#endif

#if VORLAK_PLAYGROUND_HINTS >= VORLAK_HINTS_CONCEPT
// The concept a test must hold to kill the mutant, its name and its
// sentence, and the words that introduce it.
VORLAK_EXPORT(vorlak_concept) int conceptname(int mutant) {
    return known(mutant) ? answer(mutants::ideaof(concepts[at(mutant)]).name) : -1;
}
VORLAK_EXPORT(vorlak_conceptsentence) int conceptsentence(int mutant) {
    return known(mutant) ? answer(mutants::ideaof(concepts[at(mutant)]).sentence) : -1;
}
VORLAK_EXPORT(vorlak_conceptframe) int conceptframe() { return answer(engine::conceptframe); }
#endif

#if VORLAK_PLAYGROUND_HINTS >= VORLAK_HINTS_CONDITION
// What a line needs for the next step from the state at place s of its
// enumeration, in its frame, as the reports say it ("to infect it: ...");
// empty for a killed mutant, -1 for a number or a state outside the sets.
VORLAK_EXPORT(vorlak_nexthint) int nexthint(int mutant, int s) {
    if (!known(mutant) || s < 0 || static_cast<std::size_t>(s) >= engine::furthestfirst.size())
        return -1;
    return answer(engine::nexthint(rows[at(mutant)], static_cast<engine::state>(s)));
}
#endif

#if VORLAK_PLAYGROUND_HINTS >= VORLAK_HINTS_MUTANT
// The mutant itself: its altered function and what the alteration does.
// -1 for a number outside the set.
VORLAK_EXPORT(vorlak_function) int function(int mutant) {
    return known(mutant) ? answer(rows[at(mutant)].function) : -1;
}
VORLAK_EXPORT(vorlak_description) int description(int mutant) {
    return known(mutant) ? answer(rows[at(mutant)].description) : -1;
}

// The mutant's alteration as a one-line diff: where it stands in the handed
// program, as the class page heads it ("program.cpp, line 125"), and the
// line as the reference and as the mutant read it (-1 when the sources no
// longer hold the code); and the words that tell the two apart, the
// reference's side (0) and the mutant's (1).
VORLAK_EXPORT(vorlak_diffplace) int diffplace(int mutant) {
    const std::optional<engine::codediff> d = known(mutant) ? engine::diffof(mutant) : std::nullopt;
    const std::optional<engine::location> s = known(mutant) ? engine::locate(mutant) : std::nullopt;
    return d && s ? answer(engine::diffplace(s->file, d->line)) : -1;
}
VORLAK_EXPORT(vorlak_diffreference) int diffreference(int mutant) {
    const std::optional<engine::codediff> d = known(mutant) ? engine::diffof(mutant) : std::nullopt;
    return d ? answer(d->reference) : -1;
}
VORLAK_EXPORT(vorlak_diffmutant) int diffmutant(int mutant) {
    const std::optional<engine::codediff> d = known(mutant) ? engine::diffof(mutant) : std::nullopt;
    return d ? answer(d->mutant) : -1;
}
VORLAK_EXPORT(vorlak_diffside) int diffside(int mutantside) {
    return answer(mutantside != 0 ? engine::mutantside : engine::referenceside);
}
#endif

#if VORLAK_PLAYGROUND_HINTS >= VORLAK_HINTS_ANSWER
// A test line that kills the mutant, by vorlak-report's suggestion search:
// its length, with the line as the text; -1 when no candidate kills it.
VORLAK_EXPORT(vorlak_suggest) int suggestfor(int mutant) {
    if (!known(mutant))
        return -1;
    engine::killset wanted;
    wanted.add(mutant);
    const std::vector<engine::suggestion> found = engine::suggest(wanted);
    if (found.empty())
        return -1;
    proposal = found.front();
    return answer(proposal.line);
}
// The reference's and the mutant's results on the last suggested line, in
// words: "reference 0, mutant -1"; and the words that introduce the line.
VORLAK_EXPORT(vorlak_suggestedresults) int suggestedresults() {
    return answer(engine::resultpair(proposal.reference, proposal.result));
}
VORLAK_EXPORT(vorlak_killinghint) int killinghint() { return answer(engine::killinghint); }
#endif
