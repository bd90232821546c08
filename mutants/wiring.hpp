// The mutants, made from the catalogue's rows: each stage reads its mutant's
// alteration there and hands it to the stage of dates/program.hpp, and each
// entry is the reference evaluation with the one stage that its row alters.
// The rows call these functions by name (m1chkinputsyntax, m17chkdate,
// m17convertline, m46daysdiff, the entries m1, ...); here mutant N's are
// syntaxof<N>, chkdateof<N>, convertof<N>, daysdiffof<N> and entry<N>.
#pragma once

#include <algorithm>
#include <utility>

#include "dates/fast.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/mutants.hpp"

namespace vorlak::mutants {

template <int N> inline constexpr alteration changeof = mutantof(N).change;

// The leap-year rule with a change's values, or nullptr for none.
template <rulechange R> constexpr auto ruleof() {
    if constexpr (R.asked)
        return dates::leap<R.values>;
    else
        return nullptr;
}

// Every leap-year rule that the reference or a row asks, each once.
struct ruleset {
    std::array<dates::leaprule, 2 * mutantcount + 1> rules{};
    std::size_t size = 0;
    constexpr const dates::leaprule* begin() const { return rules.data(); }
    constexpr const dates::leaprule* end() const { return rules.data() + size; }
};
// The rules are told apart by their values, not by their addresses: with the
// sanitizers GCC does not take a function's address as non-null in a
// constant expression.
template <std::size_t... I> constexpr ruleset rulesof(std::index_sequence<I...>) {
    constexpr std::size_t count = 2 * sizeof...(I) + 1;
    const std::array<rulechange, count> changes = {rulechange{}, mutantset[I].change.checkrule...,
                                                   mutantset[I].change.countrule...};
    const std::array<dates::leaprule, count> asked = {dates::leap<>, ruleof<mutantset[I].change.checkrule>()...,
                                                      ruleof<mutantset[I].change.countrule>()...};
    std::array<dates::leapyears, count> seen{};
    ruleset out;
    for (std::size_t i = 0; i < count; i++) {
        const auto known = seen.begin() + static_cast<std::ptrdiff_t>(out.size);
        if (!changes[i].asked || std::find(seen.begin(), known, changes[i].values) != known)
            continue;
        seen[out.size] = changes[i].values;
        out.rules[out.size++] = asked[i];
    }
    return out;
}
inline constexpr ruleset leaprules = rulesof(std::make_index_sequence<mutantcount>{});

// Mutant N's syntax check, date check, conversion and day count.
template <int N> int syntaxof() { return dates::fast::checksyntax<changeof<N>.scan>(); }

template <int N> int chkdateof(int month, int day, int year) {
    return dates::checkdate<changeof<N>.bounds, ruleof<changeof<N>.checkrule>()>(month, day, year);
}

template <int N> int convertof() { return dates::convert<chkdateof<N>, dates::fast::strtoint>(); }

template <int N> int daysdiffof(date first, date second) {
    constexpr dates::dayterms terms = changeof<N>.terms;
    return dates::fast::countdays<terms, ruleof<changeof<N>.countrule>(), dates::fast::yearterms<terms>>(first, second);
}

// The day number that mutant N's count forms for one date.
template <int N> int daynumberof(date d) {
    constexpr dates::dayterms terms = changeof<N>.terms;
    return dates::fast::daynumber<terms, ruleof<changeof<N>.countrule>(), dates::fast::yearterms<terms>>(d);
}

// Which stage mutant N alters: its row changes the values of one.
template <int N> inline constexpr bool altersscan = changeof<N>.scan != dates::syntaxscan{};
template <int N>
inline constexpr bool altersdates = changeof<N>.bounds != dates::datebounds{} || changeof<N>.checkrule != rulechange{};

// Mutant N's entry: every stage is compiled into it (flatten), as into the reference's.
template <int N> [[gnu::flatten]] int entry(int length) {
    using dates::fast::dayresult;
    if constexpr (altersscan<N>)
        return dates::evaluate<syntaxof<N>, dates::convertline, dates::daysdiff, dayresult>(length);
    else if constexpr (altersdates<N>)
        return dates::evaluate<dates::chkinputsyntax, convertof<N>, dates::daysdiff, dayresult>(length);
    else
        return dates::evaluate<dates::chkinputsyntax, dates::convertline, daysdiffof<N>, dayresult>(length);
}

}  // namespace vorlak::mutants
