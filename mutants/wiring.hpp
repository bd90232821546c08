// The altered stages, made from the catalogue's rows: each reads its
// mutant's alteration there and hands it to the stage of dates/program.hpp.
#pragma once

#include "dates/fast.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/mutants.hpp"

namespace vorlak::mutants {

template <int N> inline constexpr alteration changeof = mutantof(N).change;

// The function, or nullptr, that a rule names.
template <rule R> constexpr auto ruleof() {
    if constexpr (R == rule::leap)
        return dates::leap;
    else if constexpr (R == rule::m43leap)
        return m43leap;
    else if constexpr (R == rule::m44leap)
        return m44leap;
    else if constexpr (R == rule::m45leap)
        return m45leap;
    else
        return nullptr;
}

// Mutant N's syntax check, date check and day count.
template <int N> int syntaxof() { return dates::fast::checksyntax<changeof<N>.scan>(); }

template <int N> int chkdateof(int month, int day, int year) {
    return dates::checkdate<changeof<N>.bounds, ruleof<changeof<N>.checkrule>()>(month, day, year);
}

template <int N> int daysdiffof(date first, date second) {
    constexpr dates::dayterms terms = changeof<N>.terms;
    return dates::fast::countdays<terms, ruleof<changeof<N>.countrule>(), dates::fast::yearterms<terms>>(first, second);
}

// The day number that mutant N's count forms for one date.
template <int N> int daynumberof(date d) {
    constexpr dates::dayterms terms = changeof<N>.terms;
    return dates::fast::daynumber<terms, ruleof<changeof<N>.countrule>(), dates::fast::yearterms<terms>>(d);
}

}  // namespace vorlak::mutants
