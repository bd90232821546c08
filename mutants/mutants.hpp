// The mutant set: 65 copies of the reference evaluation, each with exactly one
// function altered.  Their entry functions and altered functions, and what
// the catalogue (mutants/catalogue.hpp) says of each: the alteration, its
// description and its site.
#pragma once

#include <array>
#include <string_view>

#include "dates/dates.hpp"

namespace vorlak::mutants {

using dates::date;

// The entry functions; each has the contract of dates::testline.
// clang-format off
int m1(int length);  int m2(int length);  int m3(int length);  int m4(int length);
int m5(int length);  int m6(int length);  int m7(int length);  int m8(int length);
int m9(int length);  int m10(int length); int m11(int length); int m12(int length);
int m13(int length); int m14(int length); int m15(int length); int m16(int length);
int m17(int length); int m18(int length); int m19(int length); int m20(int length);
int m21(int length); int m22(int length); int m23(int length); int m24(int length);
int m25(int length); int m26(int length); int m27(int length); int m28(int length);
int m29(int length); int m30(int length); int m31(int length); int m32(int length);
int m33(int length); int m34(int length); int m35(int length); int m36(int length);
int m37(int length); int m38(int length); int m39(int length); int m40(int length);
int m41(int length); int m42(int length); int m43(int length); int m44(int length);
int m45(int length); int m46(int length); int m47(int length); int m48(int length);
int m49(int length); int m50(int length); int m51(int length); int m52(int length);
int m53(int length); int m54(int length); int m55(int length); int m56(int length);
int m57(int length); int m58(int length); int m59(int length); int m60(int length);
int m61(int length); int m62(int length); int m63(int length); int m64(int length);
int m65(int length);
#ifdef VORLAK_TESTROW
int m66(int length);
int m66chkdate(int month, int day, int year);
#endif

// Syntax-check mutants 1 to 16 (syntax.cpp): each leaves one digit column unexamined.
int m1chkinputsyntax();  int m2chkinputsyntax();  int m3chkinputsyntax();  int m4chkinputsyntax();
int m5chkinputsyntax();  int m6chkinputsyntax();  int m7chkinputsyntax();  int m8chkinputsyntax();
int m9chkinputsyntax();  int m10chkinputsyntax(); int m11chkinputsyntax(); int m12chkinputsyntax();
int m13chkinputsyntax(); int m14chkinputsyntax(); int m15chkinputsyntax(); int m16chkinputsyntax();

// Conversion copies of mutants 17 to 45 (wiring.cpp): each calls its own date check.
int m17convertline(); int m18convertline(); int m19convertline(); int m20convertline();
int m21convertline(); int m22convertline(); int m23convertline(); int m24convertline();
int m25convertline(); int m26convertline(); int m27convertline(); int m28convertline();
int m29convertline(); int m30convertline(); int m31convertline(); int m32convertline();
int m33convertline(); int m34convertline(); int m35convertline(); int m36convertline();
int m37convertline(); int m38convertline(); int m39convertline(); int m40convertline();
int m41convertline(); int m42convertline(); int m43convertline(); int m44convertline();
int m45convertline();

// Date-check mutants 17 to 42 (datecheck.cpp).
int m17chkdate(int month, int day, int year); int m18chkdate(int month, int day, int year);
int m19chkdate(int month, int day, int year); int m20chkdate(int month, int day, int year);
int m21chkdate(int month, int day, int year); int m22chkdate(int month, int day, int year);
int m23chkdate(int month, int day, int year); int m24chkdate(int month, int day, int year);
int m25chkdate(int month, int day, int year); int m26chkdate(int month, int day, int year);
int m27chkdate(int month, int day, int year); int m28chkdate(int month, int day, int year);
int m29chkdate(int month, int day, int year); int m30chkdate(int month, int day, int year);
int m31chkdate(int month, int day, int year); int m32chkdate(int month, int day, int year);
int m33chkdate(int month, int day, int year); int m34chkdate(int month, int day, int year);
int m35chkdate(int month, int day, int year); int m36chkdate(int month, int day, int year);
int m37chkdate(int month, int day, int year); int m38chkdate(int month, int day, int year);
int m39chkdate(int month, int day, int year); int m40chkdate(int month, int day, int year);
int m41chkdate(int month, int day, int year); int m42chkdate(int month, int day, int year);

// Leap-year mutants 43 to 45 (leap.cpp): the altered rules and the date checks that call them.
int m43leap(int year); int m44leap(int year); int m45leap(int year);
int m43chkdate(int month, int day, int year); int m44chkdate(int month, int day, int year);
int m45chkdate(int month, int day, int year);

// Day-difference mutants 46 to 65 (daysdiff.cpp); 49 and 50 are copies calling m43leap and m44leap.
int m46daysdiff(date first, date second); int m47daysdiff(date first, date second);
int m48daysdiff(date first, date second); int m49daysdiff(date first, date second);
int m50daysdiff(date first, date second); int m51daysdiff(date first, date second);
int m52daysdiff(date first, date second); int m53daysdiff(date first, date second);
int m54daysdiff(date first, date second); int m55daysdiff(date first, date second);
int m56daysdiff(date first, date second); int m57daysdiff(date first, date second);
int m58daysdiff(date first, date second); int m59daysdiff(date first, date second);
int m60daysdiff(date first, date second); int m61daysdiff(date first, date second);
int m62daysdiff(date first, date second); int m63daysdiff(date first, date second);
int m64daysdiff(date first, date second); int m65daysdiff(date first, date second);
// clang-format on

using entryfunction = int (*)(int length);

enum class stage { syntaxcheck, datecheck, leapyear, daydifference };

constexpr std::string_view stagename(stage s) {
    // clang-format off
    switch (s) {
    case stage::syntaxcheck: return "syntax check";
    case stage::datecheck: return "date check";
    case stage::leapyear: return "leap year";
    case stage::daydifference: return "day difference";
    }
    // clang-format on
    return "";
}

// The leap-year rule that a stage asks: the reference's, one of the three
// altered rules, or none at all (the test or the adjustment is gone).
enum class rule { leap, m43leap, m44leap, m45leap, none };

// What a mutant changes in the program: the values of the stages' templates
// in dates/program.hpp, all the reference's but one.
struct alteration {
    dates::syntaxscan scan{};     // the syntax check
    dates::datebounds bounds{};   // the date check
    rule checkrule = rule::leap;  // its test 5
    dates::dayterms terms{};      // the day count
    rule countrule = rule::leap;  // its leap adjustment
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
    entryfunction entry;
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
