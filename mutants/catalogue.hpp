// The catalogue of the mutants, a row each, and the one count of them.  Every fact about a mutant
// stands in its row: the altered function, the value it changes in the
// program (dates/program.hpp), what that does, and where it stands in the
// program's text.  The wiring reads the alteration from the row, the reports
// the description and the site.
#pragma once

#include <array>
#include <string_view>

#include "mutants/mutants.hpp"

namespace vorlak::mutants {

// Code that several sites name.
inline constexpr std::string_view test5 = "if (month == B.leapmonth && Leap(year) == 0 && day == B.leapday) return 5;";
inline constexpr std::string_view monthtable = "std::array<int, 12> monthdays = {";
inline constexpr std::string_view rule400 = "return year % 400 == 0 ? 1 : 0;";
inline constexpr std::string_view rule100 = "if (year % 4 == 0 && year % 100 != 0)";
inline constexpr std::string_view leapbody =
    "if (year % 4 == 0 && year % 100 != 0) return 1; return year % 400 == 0 ? 1 : 0;";
inline constexpr std::string_view term400 = "if (T.quadcenturies) n += y / 400;";
inline constexpr std::string_view term100 = "if (T.centuries) n -= y / 100; if (T.quadcenturies) n += y / 400;";
inline constexpr std::string_view term4 =
    "if (T.quadrennials) n += y / 4; if (T.centuries) n -= y / 100; if (T.quadcenturies) n += y / 400;";
inline constexpr std::string_view adjustment = "if (Leap(d.year) == 1 && d.month <= T.leapmonths) n -= 1;";
inline constexpr std::string_view daytable = "std::array<int, 12> daysbefore = {";

// The ordered set, in the order of the numbers; a run goes through it as it stands.
// clang-format off
inline constexpr auto mutantset = std::to_array<mutant>({
    {1, m1, stage::syntaxcheck, "m1chkinputsyntax", {.scan = {.first = 1}},
     "accepts any character in column 0, the tens digit of the first month",
     {"int column = S.first;", "S.first", inside, "1"},
     idea::digitcolumns, "a non-digit in column 0"},
    {2, m2, stage::syntaxcheck, "m2chkinputsyntax", {.scan = {.skipped = 1}},
     "accepts any character in column 1, the units digit of the first month",
     {"column == S.skipped", "S.skipped", inside, "1"},
     idea::digitcolumns, "a non-digit in column 1, after digits in the digit columns before it"},
    {3, m3, stage::syntaxcheck, "m3chkinputsyntax", {.scan = {.skipped = 3}},
     "accepts any character in column 3, the tens digit of the first day",
     {"column == S.skipped", "S.skipped", inside, "3"},
     idea::digitcolumns, "a non-digit in column 3, after digits in the digit columns before it"},
    {4, m4, stage::syntaxcheck, "m4chkinputsyntax", {.scan = {.skipped = 4}},
     "accepts any character in column 4, the units digit of the first day",
     {"column == S.skipped", "S.skipped", inside, "4"},
     idea::digitcolumns, "a non-digit in column 4, after digits in the digit columns before it"},
    {5, m5, stage::syntaxcheck, "m5chkinputsyntax", {.scan = {.skipped = 6}},
     "accepts any character in column 6, the thousands digit of the first year",
     {"column == S.skipped", "S.skipped", inside, "6"},
     idea::digitcolumns, "a non-digit in column 6, after digits in the digit columns before it"},
    {6, m6, stage::syntaxcheck, "m6chkinputsyntax", {.scan = {.skipped = 7}},
     "accepts any character in column 7, the hundreds digit of the first year",
     {"column == S.skipped", "S.skipped", inside, "7"},
     idea::digitcolumns, "a non-digit in column 7, after digits in the digit columns before it"},
    {7, m7, stage::syntaxcheck, "m7chkinputsyntax", {.scan = {.skipped = 8}},
     "accepts any character in column 8, the tens digit of the first year",
     {"column == S.skipped", "S.skipped", inside, "8"},
     idea::digitcolumns, "a non-digit in column 8, after digits in the digit columns before it"},
    {8, m8, stage::syntaxcheck, "m8chkinputsyntax", {.scan = {.skipped = 9}},
     "accepts any character in column 9, the units digit of the first year",
     {"column == S.skipped", "S.skipped", inside, "9"},
     idea::digitcolumns, "a non-digit in column 9, after digits in the digit columns before it"},
    {9, m9, stage::syntaxcheck, "m9chkinputsyntax", {.scan = {.skipped = 11}},
     "accepts any character in column 11, the tens digit of the second month",
     {"column == S.skipped", "S.skipped", inside, "11"},
     idea::digitcolumns, "a non-digit in column 11, after digits in the digit columns before it"},
    {10, m10, stage::syntaxcheck, "m10chkinputsyntax", {.scan = {.skipped = 12}},
     "accepts any character in column 12, the units digit of the second month",
     {"column == S.skipped", "S.skipped", inside, "12"},
     idea::digitcolumns, "a non-digit in column 12, after digits in the digit columns before it"},
    {11, m11, stage::syntaxcheck, "m11chkinputsyntax", {.scan = {.skipped = 14}},
     "accepts any character in column 14, the tens digit of the second day",
     {"column == S.skipped", "S.skipped", inside, "14"},
     idea::digitcolumns, "a non-digit in column 14, after digits in the digit columns before it"},
    {12, m12, stage::syntaxcheck, "m12chkinputsyntax", {.scan = {.skipped = 15}},
     "accepts any character in column 15, the units digit of the second day",
     {"column == S.skipped", "S.skipped", inside, "15"},
     idea::digitcolumns, "a non-digit in column 15, after digits in the digit columns before it"},
    {13, m13, stage::syntaxcheck, "m13chkinputsyntax", {.scan = {.skipped = 17}},
     "accepts any character in column 17, the thousands digit of the second year",
     {"column == S.skipped", "S.skipped", inside, "17"},
     idea::digitcolumns, "a non-digit in column 17, after digits in the digit columns before it"},
    {14, m14, stage::syntaxcheck, "m14chkinputsyntax", {.scan = {.skipped = 18}},
     "accepts any character in column 18, the hundreds digit of the second year",
     {"column == S.skipped", "S.skipped", inside, "18"},
     idea::digitcolumns, "a non-digit in column 18, after digits in the digit columns before it"},
    {15, m15, stage::syntaxcheck, "m15chkinputsyntax", {.scan = {.skipped = 19}},
     "accepts any character in column 19, the tens digit of the second year",
     {"column == S.skipped", "S.skipped", inside, "19"},
     idea::digitcolumns, "a non-digit in column 19, after digits in the digit columns before it"},
    {16, m16, stage::syntaxcheck, "m16chkinputsyntax", {.scan = {.last = 19}},
     "accepts any character in column 20, the units digit of the second year",
     {"column <= S.last;", "S.last", inside, "19"},
     idea::digitcolumns, "a non-digit in column 20, after digits in the digit columns before it"},
    {17, m17, stage::datecheck, "m17chkdate", {.bounds = {.lowmonth = -1}},
     "accepts month 0",
     {"month <= B.lowmonth", "B.lowmonth", inside, "-1"},
     idea::monthrange, "a date with month 00"},
    {18, m18, stage::datecheck, "m18chkdate", {.bounds = {.lowmonth = 1}},
     "rejects January, month 1",
     {"month <= B.lowmonth", "B.lowmonth", inside, "1"},
     idea::monthrange, "a date in January, month 01"},
    {19, m19, stage::datecheck, "m19chkdate", {.bounds = {.highmonth = 11}},
     "rejects December, month 12",
     {"month > B.highmonth", "B.highmonth", inside, "11"},
     idea::monthrange, "a date in December, month 12"},
    {20, m20, stage::datecheck, "m20chkdate", {.bounds = {.highmonth = 13}},
     "accepts month 13",
     {"month > B.highmonth", "B.highmonth", inside, "13"},
     idea::monthrange, "a date with month 13"},
    {21, m21, stage::datecheck, "m21chkdate", {.bounds = {.lowday = -1}},
     "accepts day 0",
     {"day <= B.lowday", "B.lowday", inside, "-1"},
     idea::dayrange, "a date with day 00 in a month from 01 to 12"},
    {22, m22, stage::datecheck, "m22chkdate", {.bounds = {.lowday = 1}},
     "rejects day 1 of every month",
     {"day <= B.lowday", "B.lowday", inside, "1"},
     idea::dayrange, "a date on day 01 of a month from 01 to 12"},
    {23, m23, stage::datecheck, "m23chkdate", {.bounds = {.highday = 30}},
     "rejects day 31 of every month",
     {"day > B.highday", "B.highday", inside, "30"},
     idea::dayrange, "a date on day 31 of a month from 01 to 12"},
    {24, m24, stage::datecheck, "m24chkdate", {.bounds = {.highday = 32}},
     "lets day 32 past the day range test",
     {"day > B.highday", "B.highday", inside, "32"},
     idea::dayrange, "a date on day 32 of a month from 01 to 12"},
    {25, m25, stage::datecheck, "m25chkdate", {.bounds = {.lastbadyear = 1898}},
     "accepts the year 1899",
     {"year <= B.lastbadyear", "B.lastbadyear", inside, "1898"},
     idea::firstyear, "a date in 1899 with a valid month and day"},
    {26, m26, stage::datecheck, "m26chkdate", {.bounds = {.lastbadyear = 1900}},
     "rejects the year 1900",
     {"year <= B.lastbadyear", "B.lastbadyear", inside, "1900"},
     idea::firstyear, "a date in 1900 with a valid month and day"},
    {27, m27, stage::datecheck, "m27chkdate", {.bounds = {.leapmonth = 1}},
     "makes the February 29 test on January dates instead",
     {"month == B.leapmonth", "B.leapmonth", inside, "1"},
     idea::february29, "January 29 or February 29 of a common year from 1900 on"},
    {28, m28, stage::datecheck, "m28chkdate", {.bounds = {.leapmonth = 3}},
     "makes the February 29 test on March dates instead",
     {"month == B.leapmonth", "B.leapmonth", inside, "3"},
     idea::february29, "February 29 or March 29 of a common year from 1900 on"},
    {29, m29, stage::datecheck, "m29chkdate", {.bounds = {.leapday = 28}},
     "rejects February 28 instead of February 29 in common years",
     {"day == B.leapday", "B.leapday", inside, "28"},
     idea::february29, "February 28 or February 29 of a common year from 1900 on"},
    {30, m30, stage::datecheck, "m30chkdate", {.checkrule = rule::none},
     "accepts February 29 in every year",
     {test5, test5, inside, ""},
     idea::february29, "February 29 of a common year from 1900 on"},
    {31, m31, stage::datecheck, "m31chkdate", monthdays(1, 30),
     "gives January 30 days",
     {monthtable, "31", 0, "30"},
     idea::monthlengths, "January 31 in a year from 1900 on"},
    {32, m32, stage::datecheck, "m32chkdate", monthdays(2, 28),
     "gives February 28 days, also in leap years",
     {monthtable, "29", 1, "28"},
     idea::monthlengths, "February 29 in a year from 1900 on"},
    {33, m33, stage::datecheck, "m33chkdate", monthdays(3, 30),
     "gives March 30 days",
     {monthtable, "31", 2, "30"},
     idea::monthlengths, "March 31 in a year from 1900 on"},
    {34, m34, stage::datecheck, "m34chkdate", monthdays(4, 31),
     "gives April 31 days",
     {monthtable, "30", 3, "31"},
     idea::monthlengths, "April 31 in a year from 1900 on"},
    {35, m35, stage::datecheck, "m35chkdate", monthdays(5, 30),
     "gives May 30 days",
     {monthtable, "31", 4, "30"},
     idea::monthlengths, "May 31 in a year from 1900 on"},
    {36, m36, stage::datecheck, "m36chkdate", monthdays(6, 31),
     "gives June 31 days",
     {monthtable, "30", 5, "31"},
     idea::monthlengths, "June 31 in a year from 1900 on"},
    {37, m37, stage::datecheck, "m37chkdate", monthdays(7, 30),
     "gives July 30 days",
     {monthtable, "31", 6, "30"},
     idea::monthlengths, "July 31 in a year from 1900 on"},
    {38, m38, stage::datecheck, "m38chkdate", monthdays(8, 30),
     "gives August 30 days",
     {monthtable, "31", 7, "30"},
     idea::monthlengths, "August 31 in a year from 1900 on"},
    {39, m39, stage::datecheck, "m39chkdate", monthdays(9, 31),
     "gives September 31 days",
     {monthtable, "30", 8, "31"},
     idea::monthlengths, "September 31 in a year from 1900 on"},
    {40, m40, stage::datecheck, "m40chkdate", monthdays(10, 30),
     "gives October 30 days",
     {monthtable, "31", 9, "30"},
     idea::monthlengths, "October 31 in a year from 1900 on"},
    {41, m41, stage::datecheck, "m41chkdate", monthdays(11, 31),
     "gives November 31 days",
     {monthtable, "30", 10, "31"},
     idea::monthlengths, "November 31 in a year from 1900 on"},
    {42, m42, stage::datecheck, "m42chkdate", monthdays(12, 30),
     "gives December 30 days",
     {monthtable, "31", 11, "30"},
     idea::monthlengths, "December 31 in a year from 1900 on"},
    {43, m43, stage::leapyear, "m43leap", {.checkrule = rule::m43leap},
     "treats 2000 and every year divisible by 400 as common years when checking February 29",
     {rule400, "year % 400 == 0 ? 1 : 0", inside, "0"},
     idea::fourhundred, "a February date in a year divisible by 400, such as 2000"},
    {44, m44, stage::leapyear, "m44leap", {.checkrule = rule::m44leap},
     "treats 1900 and every other century year as leap years when checking February 29",
     {rule100, "year % 4 == 0 && year % 100 != 0", inside, "year % 4 == 0"},
     idea::centuries, "a February date in a century year not divisible by 400, such as 1900 or 2100"},
    {45, m45, stage::leapyear, "m45leap", {.checkrule = rule::m45leap},
     "treats every year as a leap year when checking February 29",
     {leapbody, leapbody, inside, "return 1;"},
     idea::everyfourth, "a February date from 1900 on in a common year, such as 2001"},
    {46, m46, stage::daydifference, "m46daysdiff", {.terms = {.quadcenturies = false}},
     "leaves the 400-year term out of the day count",
     {term400, term400, inside, ""},
     idea::yearlength, "two valid dates"},
    {47, m47, stage::daydifference, "m47daysdiff", {.terms = {.centuries = false, .quadcenturies = false}},
     "leaves the 100-year and 400-year terms out of the day count",
     {term100, term100, inside, ""},
     idea::yearlength, "two valid dates"},
    {48, m48, stage::daydifference, "m48daysdiff", {.terms = {.quadrennials = false, .centuries = false, .quadcenturies = false}},
     "counts every year as 365 days",
     {term4, term4, inside, ""},
     idea::yearlength, "two valid dates"},
    {49, m49, stage::leapyear, "m43leap", {.countrule = rule::m43leap},
     "counts 2000 and every year divisible by 400 as common years in the day count",
     {rule400, "year % 400 == 0 ? 1 : 0", inside, "0"},
     idea::fourhundred, "two valid dates, one of them in a year divisible by 400, such as 2000"},
    {50, m50, stage::leapyear, "m44leap", {.countrule = rule::m44leap},
     "counts 1900 and every other century year as leap years in the day count",
     {rule100, "year % 4 == 0 && year % 100 != 0", inside, "year % 4 == 0"},
     idea::centuries, "two valid dates, one of them in a century year not divisible by 400, such as 1900"},
    {51, m51, stage::daydifference, "m51daysdiff", {.terms = {.leapmonths = 1}},
     "leaves February out of the leap-day adjustment",
     {"d.month <= T.leapmonths", "T.leapmonths", inside, "1"},
     idea::leapday, "two valid dates, one of them in February of a leap year"},
    {52, m52, stage::daydifference, "m52daysdiff", {.terms = {.leapmonths = 3}},
     "extends the leap-day adjustment to March",
     {"d.month <= T.leapmonths", "T.leapmonths", inside, "3"},
     idea::leapday, "two valid dates, one of them in March of a leap year"},
    {53, m53, stage::daydifference, "m53daysdiff", {.countrule = rule::none},
     "makes no leap-day adjustment at all",
     {adjustment, adjustment, inside, ""},
     idea::leapday, "two valid dates, one of them in January or February of a leap year"},
    {54, m54, stage::daydifference, "m54daysdiff", {.terms = {.daysbefore = {31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365}}},
     "counts the days up to the end of each month instead of before it",
     {daytable, "0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334", wholelist, "31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365"},
     idea::daysbefore, "two valid dates"},
    {55, m55, stage::daydifference, "m55daysdiff", daysbefore(2, 30),
     "counts 30 days before February instead of 31",
     {daytable, "31", 1, "30"},
     idea::daysbefore, "two valid dates, one of them in February"},
    {56, m56, stage::daydifference, "m56daysdiff", daysbefore(3, 58),
     "counts 58 days before March instead of 59",
     {daytable, "59", 2, "58"},
     idea::daysbefore, "two valid dates, one of them in March"},
    {57, m57, stage::daydifference, "m57daysdiff", daysbefore(4, 89),
     "counts 89 days before April instead of 90",
     {daytable, "90", 3, "89"},
     idea::daysbefore, "two valid dates, one of them in April"},
    {58, m58, stage::daydifference, "m58daysdiff", daysbefore(5, 119),
     "counts 119 days before May instead of 120",
     {daytable, "120", 4, "119"},
     idea::daysbefore, "two valid dates, one of them in May"},
    {59, m59, stage::daydifference, "m59daysdiff", daysbefore(6, 150),
     "counts 150 days before June instead of 151",
     {daytable, "151", 5, "150"},
     idea::daysbefore, "two valid dates, one of them in June"},
    {60, m60, stage::daydifference, "m60daysdiff", daysbefore(7, 180),
     "counts 180 days before July instead of 181",
     {daytable, "181", 6, "180"},
     idea::daysbefore, "two valid dates, one of them in July"},
    {61, m61, stage::daydifference, "m61daysdiff", daysbefore(8, 211),
     "counts 211 days before August instead of 212",
     {daytable, "212", 7, "211"},
     idea::daysbefore, "two valid dates, one of them in August"},
    {62, m62, stage::daydifference, "m62daysdiff", daysbefore(9, 242),
     "counts 242 days before September instead of 243",
     {daytable, "243", 8, "242"},
     idea::daysbefore, "two valid dates, one of them in September"},
    {63, m63, stage::daydifference, "m63daysdiff", daysbefore(10, 272),
     "counts 272 days before October instead of 273",
     {daytable, "273", 9, "272"},
     idea::daysbefore, "two valid dates, one of them in October"},
    {64, m64, stage::daydifference, "m64daysdiff", daysbefore(11, 303),
     "counts 303 days before November instead of 304",
     {daytable, "304", 10, "303"},
     idea::daysbefore, "two valid dates, one of them in November"},
    {65, m65, stage::daydifference, "m65daysdiff", daysbefore(12, 333),
     "counts 333 days before December instead of 334",
     {daytable, "334", 11, "333"},
     idea::daysbefore, "two valid dates, one of them in December"},
#ifdef VORLAK_TESTROW
    // A row that only the tests' build of its own adds (tests/rows/): it
    // proves that nothing but this table counts the mutants or says where
    // each one belongs.
    {66, m66, stage::datecheck, "m66chkdate", {.bounds = {.lastbadyear = 1999}},
     "rejects every year before 2000",
     {"year <= B.lastbadyear", "B.lastbadyear", inside, "1999"},
     idea::firstyear, "a date in a year from 1900 to 1999"},
#endif
});
// clang-format on

// How many mutants there are: the rows of the catalogue.
inline constexpr int mutantcount = static_cast<int>(mutantset.size());

// A mutant's number is its place in the set.
constexpr bool numberedinorder() {
    for (int n = 1; n <= mutantcount; n++)
        if (mutantset[static_cast<std::size_t>(n - 1)].number != n)
            return false;
    return true;
}
static_assert(numberedinorder(), "the rows must be numbered 1, 2, ... in the order they stand");

// Mutant n, 1 to mutantcount.
constexpr const mutant& mutantof(int n) { return mutantset[static_cast<std::size_t>(n - 1)]; }

// The entry functions alone, mutant n's at n - 1.  Code that runs a mutant
// chosen at run time calls it through this table rather than through its
// row, so that a program which never reads the rows' words, such as the
// playground's module at a low hint level, carries none of them.
inline constexpr auto entries = [] {
    std::array<entryfunction, mutantset.size()> e{};
    for (std::size_t i = 0; i < e.size(); i++)
        e[i] = mutantset[i].entry;
    return e;
}();

}  // namespace vorlak::mutants
