// The step each mutant alters, worked out from its catalogue row: what the
// judging of a line needs to know of the mutant.  Private to the engine.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <utility>

#include "dates/fast.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/wiring.hpp"

namespace vorlak::engine::altered {

using dates::date;
using mutants::alteration;
using mutants::rulechange;

// The step a mutant alters, by what its alteration changes.
enum class kind : std::uint8_t {
    syntaxcolumn,  // the digit test of one column
    datetest,      // one test of the date check
    checkrule,     // the leap-year rule in test 5 of the date check
    countrule,     // the leap-year rule in the day count
    daynumber,     // a term, the leap adjustment or the table of the day number
};

// What judging a mutant needs of its alteration, worked out from its row.
struct step {
    kind what = kind::daynumber;
    int column = -1;             // syntaxcolumn: the digit column the scan leaves out
    std::uint32_t examined = 0;  // syntaxcolumn: the columns its scan examines, as bits
    int test = 0;                // datetest and checkrule: the test, 1 to 5
    std::uint32_t months = 0;    // bit m for each month whose table entry differs (test 4, or the day table)
    dates::datechecker check = nullptr;
    dates::leaprule rule = nullptr;
    int (*daynumber)(date) = nullptr;
};

template <dates::syntaxscan S> constexpr std::uint32_t examinedcolumns() {
    std::uint32_t bits = 0;
    for (int column = 0; column < dates::lastcolumn; column++)
        if (dates::fast::examined<S>(column))
            bits |= 1u << column;
    return bits;
}

constexpr std::uint32_t changedmonths(const std::array<int, 12>& table, const std::array<int, 12>& reference) {
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < table.size(); i++)
        if (table[i] != reference[i])
            bits |= 1u << (i + 1);
    return bits;
}

// The test of the date check that bounds and a test-5 rule alter; 0 for none.
constexpr int alteredtest(const dates::datebounds& b, const rulechange& checkrule) {
    constexpr dates::datebounds r{};
    if (b.lowmonth != r.lowmonth || b.highmonth != r.highmonth)
        return 1;
    if (b.lowday != r.lowday || b.highday != r.highday)
        return 2;
    if (b.lastbadyear != r.lastbadyear)
        return 3;
    if (b.monthdays != r.monthdays)
        return 4;
    if (b.leapmonth != r.leapmonth || b.leapday != r.leapday || checkrule != rulechange{})
        return 5;
    return 0;
}

constexpr bool alteredrule(const rulechange& r) { return r.asked && r.values != dates::leapyears{}; }

template <int N> constexpr step stepof() {
    constexpr alteration a = mutants::changeof<N>;
    constexpr std::uint32_t reference = examinedcolumns<dates::syntaxscan{}>();
    constexpr std::uint32_t examined = examinedcolumns<a.scan>();
    step s;
    if (examined != reference) {
        s.what = kind::syntaxcolumn;
        s.examined = examined;
        s.column = std::countr_zero(reference & ~examined);
    } else if (alteredrule(a.checkrule)) {
        s.what = kind::checkrule;
        s.test = 5;
        s.check = mutants::chkdateof<N>;
        s.rule = mutants::ruleof<a.checkrule>();
    } else if (const int test = alteredtest(a.bounds, a.checkrule); test != 0) {
        s.what = kind::datetest;
        s.test = test;
        s.months = changedmonths(a.bounds.monthdays, dates::datebounds{}.monthdays);
        s.check = mutants::chkdateof<N>;
    } else if (alteredrule(a.countrule)) {
        s.what = kind::countrule;
        s.rule = mutants::ruleof<a.countrule>();
        s.daynumber = mutants::daynumberof<N>;
    } else {
        s.what = kind::daynumber;
        s.months = changedmonths(a.terms.daysbefore, dates::dayterms{}.daysbefore);
        s.daynumber = mutants::daynumberof<N>;
    }
    return s;
}

template <std::size_t... I> constexpr std::array<step, mutants::mutantcount> stepsof(std::index_sequence<I...>) {
    return {stepof<static_cast<int>(I) + 1>()...};
}

inline constexpr std::array<step, mutants::mutantcount> steps =
    stepsof(std::make_index_sequence<mutants::mutantcount>{});

inline const step& stepof(int mutant) { return steps[static_cast<std::size_t>(mutant - 1)]; }

}  // namespace vorlak::engine::altered
