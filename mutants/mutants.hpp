// The mutant set: copies of the reference evaluation, each with exactly one
// function altered.  What the catalogue (mutants/catalogue.hpp) says of each:
// the alteration, its description and its site; the functions themselves are
// made from its rows (mutants/wiring.hpp).
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "dates/dates.hpp"

namespace vorlak::mutants {

using dates::date;

// A mutant's entry function, with the contract of dates::testline.
using entryfunction = int (*)(int length);

// The leap-year rule is one function that two stages ask; a mutant of it
// changes one stage's asking alone, and its stage names which.
enum class stage { syntaxcheck, datecheck, leapcheck, leapcount, daydifference };
inline constexpr std::size_t stagecount = 5;

constexpr std::string_view stagename(stage s) {
    // clang-format off
    switch (s) {
    case stage::syntaxcheck: return "syntax check";
    case stage::datecheck: return "date check";
    case stage::leapcheck: return "leap year, in the date check";
    case stage::leapcount: return "leap year, in the day count";
    case stage::daydifference: return "day difference";
    }
    // clang-format on
    return "";
}

// The leap-year rule that a stage asks: the reference's, one with other
// values (dates::leapyears), or none at all (the test or the adjustment is
// gone).
struct rulechange {
    bool asked = true;
    dates::leapyears values{};
    friend constexpr bool operator==(const rulechange&, const rulechange&) = default;
};
inline constexpr rulechange norule{.asked = false};

// What a mutant changes in the program: the values of the stages' templates
// in dates/program.hpp, all the reference's but one.
struct alteration {
    dates::syntaxscan scan{};    // the syntax check
    dates::datebounds bounds{};  // the date check
    rulechange checkrule{};      // its test 5
    dates::dayterms terms{};     // the day count
    rulechange countrule{};      // its leap adjustment
};

// The reference's alteration with one month's last day changed, or the days
// before one month.
constexpr alteration monthdays(int month, int days) {
    alteration a;
    a.bounds.monthdays[static_cast<std::size_t>(month - 1)] = days;
    return a;
}
constexpr alteration daysbefore(int month, int days) {
    alteration a;
    a.terms.daysbefore[static_cast<std::size_t>(month - 1)] = days;
    return a;
}

// Where an alteration stands in the program as a student is handed it,
// dates/program.hpp written with the reference's values in place
// (dates/handout.cmake).  context is the code around it, where every run of
// white space stands for any; text is what the alteration replaces there,
// and replacement what the mutant reads instead.  With entry >= 0 the text
// is entry number entry of the brace list that follows context, so a table
// entry is found whatever the table holds.
inline constexpr int inside = -1;     // the text lies within the context
inline constexpr int wholelist = -2;  // the text is the whole brace list after the context

struct site {
    std::string_view context;
    std::string_view text;
    int entry;
    std::string_view replacement;
};

// The idea a test must hold to kill a mutant, which the reports call its
// concept: a name and a sentence a student understands.
enum class idea {
    digitcolumns,
    monthrange,
    dayrange,
    firstyear,
    february29,
    monthlengths,
    everyfourth,
    centuries,
    fourhundred,
    yearlength,
    leapday,
    daysbefore,
};

struct ideatext {
    std::string_view name;
    std::string_view sentence;
};

// In the order of the enumeration.
inline constexpr std::array<ideatext, 12> ideas = {{
    {"the digit columns", "Each of the sixteen digit columns must hold a digit, and the check must look at every one."},
    {"the month range", "A month runs from 1 to 12: 0 and 13 are wrong, 1 and 12 are right."},
    {"the day range", "A day runs from 1 to 31 before the month's own length is asked: 0 and 32 are wrong."},
    {"the first valid year", "Dates start in 1900: 1899 is wrong, 1900 is right."},
    {"the February 29 test", "February 29 is a date only in a leap year, and only February 29 is tested so."},
    {"the month lengths", "Each month has its own last day: 31, 30, or 29 for February."},
    {"leap years every fourth year", "A year divisible by 4 is a leap year; the others are common years."},
    {"the century years", "A year divisible by 100 is a common year, unless it is divisible by 400."},
    {"the 400-year rule", "A year divisible by 400, such as 2000, is a leap year after all."},
    {"the length of a year in the day count", "The count gives a year 365 days, and one more for each leap year."},
    {"the leap day in the day count", "A leap year's extra day is the last of February: it counts from March on."},
    {"the days before each month",
     "The count adds the days of the months before a date's: 31 before February, and so on."},
}};

constexpr const ideatext& ideaof(idea i) { return ideas[static_cast<std::size_t>(i)]; }

// One mutant of the set and its catalogue entry: the stage it alters, the
// altered function, the alteration, what it does in a sentence, its site,
// the concept a test must hold to kill it, and in a sentence each what a
// line needs for the three steps to a kill: to infect it (condition), to
// reach its altered code at all (reaches), and, once infected, to carry the
// difference on to the result (carries).
struct mutant {
    int number;
    stage altered;
    std::string_view function;
    alteration change;
    std::string_view description;
    site where;
    idea teaches;
    std::string_view condition;
    std::string_view reaches;
    std::string_view carries;
};

}  // namespace vorlak::mutants
