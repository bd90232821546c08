// The beliefs: wrong calendars that a person may hold, one row each.  A
// belief answers a line as the reference program would with its one change,
// built from the program's own parts (dates/program.hpp) where it can be;
// where the change makes no sense for the line (a short line, a syntax
// error) it gives no answer, and it may give several (another test's code).
// The rows alone count the beliefs; nothing else names one.  Adding a belief
// is adding a row.
#pragma once

#include <array>
#include <string_view>

#include "dates/dates.hpp"
#include "dates/facts.hpp"

namespace vorlak::mutants {

// The results a belief answers for one line, in the order found.
struct answerset {
    std::array<int, dates::datetests> values{};
    int size = 0;
    void add(int value) {
        if (!contains(value) && size < static_cast<int>(values.size()))
            values[static_cast<std::size_t>(size++)] = value;
    }
    bool contains(int value) const {
        for (int i = 0; i < size; i++)
            if (values[static_cast<std::size_t>(i)] == value)
                return true;
        return false;
    }
};

// A belief's change: what it answers for the line in the line buffer, of
// length bytes, whose reference result is reference (never badsyntax).
using beliefchange = answerset (*)(int length, int reference);

struct belief {
    std::string_view id;        // as the json names it: "both-ends"
    std::string_view name;      // as a class's view shows it: "counts both the first and the last day"
    std::string_view sentence;  // what a wrong line believed: "as if both the first and the last day were counted"
    beliefchange change;
};

// The parts the rows build their changes from.
namespace believed {

answerset one(int value);

// A leap-year rule that knows no leap year.
int noleap(int year);
// The days of the years before year when every year has 366.
int leapyearterms(int year);

// The reference evaluation with another leap-year rule, in the date check
// and the count, and another year term.
template <auto Leap, dates::yearcounter Years> int calendar(int length) {
    return dates::evaluate<dates::chkinputsyntax, dates::convert<dates::checkdate<dates::datebounds{}, Leap>>,
                           dates::countdays<dates::dayterms{}, Leap, Years>>(length);
}

// The reference evaluation with each date's month and day fields swapped.
int dayfirst(int length);
// The second day number minus the first, of the dates in the line.
int backwards();
// The codes of the date check's other tests that also fail for the date
// that reference names.
answerset othertests(int reference);
// The second date's code when the first is rejected and the second too.
answerset secondcode(int reference);

}  // namespace believed

inline constexpr auto beliefset = std::to_array<belief>({
    {"both-ends", "counts both the first and the last day", "as if both the first and the last day were counted",
     [](int, int r) { return r >= 0 ? believed::one(r + 1) : answerset{}; }},
    {"no-leap-years", "knows no leap years", "as if no year were a leap year",
     [](int length, int) {
         return believed::one(
             believed::calendar<
                 believed::noleap,
                 dates::yearterms<dates::dayterms{.quadrennials = false, .centuries = false, .quadcenturies = false}>>(
                 length));
     }},
    {"every-fourth-year", "takes every year divisible by 4 as a leap year",
     "as if every year divisible by 4 were a leap year, the century years too",
     [](int length, int) {
         return believed::one(
             believed::calendar<dates::leap<dates::leapyears{.centuries = false}>,
                                dates::yearterms<dates::dayterms{.centuries = false, .quadcenturies = false}>>(length));
     }},
    {"no-400-rule", "forgets that years divisible by 400 are leap years",
     "as if no century year were a leap year, not even one divisible by 400",
     [](int length, int) {
         return believed::one(believed::calendar<dates::leap<dates::leapyears{.quadcenturies = false}>,
                                                 dates::yearterms<dates::dayterms{.quadcenturies = false}>>(length));
     }},
    {"every-year-leap", "gives every February a 29th", "as if every year had a February 29",
     [](int length, int) {
         return believed::one(
             believed::calendar<dates::leap<dates::leapyears{.always = true}>, believed::leapyearterms>(length));
     }},
    {"day-first", "reads the dates day first", "as if each date were written day first, then the month",
     [](int length, int) { return believed::one(believed::dayfirst(length)); }},
    {"counts-backwards", "counts a reversed pair backwards",
     "as if a second date before the first gave the days back to it, as a negative count",
     [](int, int r) { return r == dates::reversed ? believed::one(believed::backwards()) : answerset{}; }},
    {"another-test", "takes another failing test's code",
     "as if another of the date check's tests that the same date fails gave its code",
     [](int, int r) { return believed::othertests(r); }},
    {"second-date-first", "checks the second date first",
     "as if the second date were checked first, when both dates are wrong",
     [](int, int r) { return believed::secondcode(r); }},
});
inline constexpr int beliefcount = static_cast<int>(beliefset.size());

// What belief b answers for the line in the line buffer, of length bytes:
// nothing for a line that the reference rejects by its syntax.
answerset believes(const belief& b, int length);

}  // namespace vorlak::mutants
