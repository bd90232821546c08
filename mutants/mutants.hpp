// The mutant set: 65 copies of the reference evaluation, each with exactly one
// function altered, and the catalogue that says what each alteration is.
// Every fact about a mutant stands in its row: the altered function, the
// value it changes in the program (dates/program.hpp), what that does, and
// where it stands in the program's text.  The wiring reads the alteration
// from the row, and vorlak-report the site.
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

// Where an alteration stands in dates/program.hpp.  context is the code
// around it, where every run of white space stands for any; text is what the
// alteration replaces there, and replacement what the mutant reads instead.
// With entry >= 0 the text is entry number entry of the brace list that
// follows context, so a table entry is found whatever the table holds.
inline constexpr int inside = -1;     // the text lies within the context
inline constexpr int wholelist = -2;  // the text is the whole brace list after the context

struct site {
    std::string_view context;
    std::string_view text;
    int entry;
    std::string_view replacement;
};

// One mutant of the set and its catalogue entry: the stage it alters, the
// altered function, the alteration, what it does in a sentence, and its site.
struct mutant {
    int number;
    entryfunction entry;
    stage altered;
    std::string_view function;
    alteration change;
    std::string_view description;
    site where;
};

inline constexpr int mutantcount = 65;

// Code that several sites name.
inline constexpr std::string_view test5 = "if (month == B.leapmonth && day == B.leapday && Leap(year) == 0) return 5;";
inline constexpr std::string_view monthtable = "std::array<int, 12> monthdays = {";
inline constexpr std::string_view rule400 = "return year % 400 == 0 ? 1 : 0;";
inline constexpr std::string_view rule100 = "if (year % 4 == 0 && year % 100 != 0)";
inline constexpr std::string_view leapbody =
    "if (year % 4 == 0 && year % 100 != 0) return 1; return year % 400 == 0 ? 1 : 0;";
inline constexpr std::string_view term400 = "if (T.quadcenturies) n += y / 400;";
inline constexpr std::string_view term100 = "if (T.centuries) n -= y / 100; if (T.quadcenturies) n += y / 400;";
inline constexpr std::string_view term4 =
    "if (T.quadrennials) n += y / 4; if (T.centuries) n -= y / 100; if (T.quadcenturies) n += y / 400;";
inline constexpr std::string_view adjustment = "if (d.month <= T.leapmonths && Leap(d.year) == 1) n -= 1;";
inline constexpr std::string_view daytable = "std::array<int, 12> daysbefore = {";

// The ordered set, in the order of the numbers; a run goes through it as it stands.
// clang-format off
inline constexpr std::array<mutant, mutantcount> mutantset = {{
    {1, m1, stage::syntaxcheck, "m1chkinputsyntax", {.scan = {.first = 1}},
     "accepts any character in column 0, the tens digit of the first month",
     {"int column = S.first;", "S.first", inside, "1"}},
    {2, m2, stage::syntaxcheck, "m2chkinputsyntax", {.scan = {.skipped = 1}},
     "accepts any character in column 1, the units digit of the first month",
     {"column == S.skipped", "S.skipped", inside, "1"}},
    {3, m3, stage::syntaxcheck, "m3chkinputsyntax", {.scan = {.skipped = 3}},
     "accepts any character in column 3, the tens digit of the first day",
     {"column == S.skipped", "S.skipped", inside, "3"}},
    {4, m4, stage::syntaxcheck, "m4chkinputsyntax", {.scan = {.skipped = 4}},
     "accepts any character in column 4, the units digit of the first day",
     {"column == S.skipped", "S.skipped", inside, "4"}},
    {5, m5, stage::syntaxcheck, "m5chkinputsyntax", {.scan = {.skipped = 6}},
     "accepts any character in column 6, the thousands digit of the first year",
     {"column == S.skipped", "S.skipped", inside, "6"}},
    {6, m6, stage::syntaxcheck, "m6chkinputsyntax", {.scan = {.skipped = 7}},
     "accepts any character in column 7, the hundreds digit of the first year",
     {"column == S.skipped", "S.skipped", inside, "7"}},
    {7, m7, stage::syntaxcheck, "m7chkinputsyntax", {.scan = {.skipped = 8}},
     "accepts any character in column 8, the tens digit of the first year",
     {"column == S.skipped", "S.skipped", inside, "8"}},
    {8, m8, stage::syntaxcheck, "m8chkinputsyntax", {.scan = {.skipped = 9}},
     "accepts any character in column 9, the units digit of the first year",
     {"column == S.skipped", "S.skipped", inside, "9"}},
    {9, m9, stage::syntaxcheck, "m9chkinputsyntax", {.scan = {.skipped = 11}},
     "accepts any character in column 11, the tens digit of the second month",
     {"column == S.skipped", "S.skipped", inside, "11"}},
    {10, m10, stage::syntaxcheck, "m10chkinputsyntax", {.scan = {.skipped = 12}},
     "accepts any character in column 12, the units digit of the second month",
     {"column == S.skipped", "S.skipped", inside, "12"}},
    {11, m11, stage::syntaxcheck, "m11chkinputsyntax", {.scan = {.skipped = 14}},
     "accepts any character in column 14, the tens digit of the second day",
     {"column == S.skipped", "S.skipped", inside, "14"}},
    {12, m12, stage::syntaxcheck, "m12chkinputsyntax", {.scan = {.skipped = 15}},
     "accepts any character in column 15, the units digit of the second day",
     {"column == S.skipped", "S.skipped", inside, "15"}},
    {13, m13, stage::syntaxcheck, "m13chkinputsyntax", {.scan = {.skipped = 17}},
     "accepts any character in column 17, the thousands digit of the second year",
     {"column == S.skipped", "S.skipped", inside, "17"}},
    {14, m14, stage::syntaxcheck, "m14chkinputsyntax", {.scan = {.skipped = 18}},
     "accepts any character in column 18, the hundreds digit of the second year",
     {"column == S.skipped", "S.skipped", inside, "18"}},
    {15, m15, stage::syntaxcheck, "m15chkinputsyntax", {.scan = {.skipped = 19}},
     "accepts any character in column 19, the tens digit of the second year",
     {"column == S.skipped", "S.skipped", inside, "19"}},
    {16, m16, stage::syntaxcheck, "m16chkinputsyntax", {.scan = {.last = 19}},
     "accepts any character in column 20, the units digit of the second year",
     {"column <= S.last;", "S.last", inside, "19"}},
    {17, m17, stage::datecheck, "m17chkdate", {.bounds = {.lowmonth = -1}},
     "accepts month 0",
     {"month <= B.lowmonth", "B.lowmonth", inside, "-1"}},
    {18, m18, stage::datecheck, "m18chkdate", {.bounds = {.lowmonth = 1}},
     "rejects January, month 1",
     {"month <= B.lowmonth", "B.lowmonth", inside, "1"}},
    {19, m19, stage::datecheck, "m19chkdate", {.bounds = {.highmonth = 11}},
     "rejects December, month 12",
     {"month > B.highmonth", "B.highmonth", inside, "11"}},
    {20, m20, stage::datecheck, "m20chkdate", {.bounds = {.highmonth = 13}},
     "accepts month 13",
     {"month > B.highmonth", "B.highmonth", inside, "13"}},
    {21, m21, stage::datecheck, "m21chkdate", {.bounds = {.lowday = -1}},
     "accepts day 0",
     {"day <= B.lowday", "B.lowday", inside, "-1"}},
    {22, m22, stage::datecheck, "m22chkdate", {.bounds = {.lowday = 1}},
     "rejects day 1 of every month",
     {"day <= B.lowday", "B.lowday", inside, "1"}},
    {23, m23, stage::datecheck, "m23chkdate", {.bounds = {.highday = 30}},
     "rejects day 31 of every month",
     {"day > B.highday", "B.highday", inside, "30"}},
    {24, m24, stage::datecheck, "m24chkdate", {.bounds = {.highday = 32}},
     "lets day 32 past the day range test",
     {"day > B.highday", "B.highday", inside, "32"}},
    {25, m25, stage::datecheck, "m25chkdate", {.bounds = {.lastbadyear = 1898}},
     "accepts the year 1899",
     {"year <= B.lastbadyear", "B.lastbadyear", inside, "1898"}},
    {26, m26, stage::datecheck, "m26chkdate", {.bounds = {.lastbadyear = 1900}},
     "rejects the year 1900",
     {"year <= B.lastbadyear", "B.lastbadyear", inside, "1900"}},
    {27, m27, stage::datecheck, "m27chkdate", {.bounds = {.leapmonth = 1}},
     "makes the February 29 test on January dates instead",
     {"month == B.leapmonth", "B.leapmonth", inside, "1"}},
    {28, m28, stage::datecheck, "m28chkdate", {.bounds = {.leapmonth = 3}},
     "makes the February 29 test on March dates instead",
     {"month == B.leapmonth", "B.leapmonth", inside, "3"}},
    {29, m29, stage::datecheck, "m29chkdate", {.bounds = {.leapday = 28}},
     "rejects February 28 instead of February 29 in common years",
     {"day == B.leapday", "B.leapday", inside, "28"}},
    {30, m30, stage::datecheck, "m30chkdate", {.checkrule = rule::none},
     "accepts February 29 in every year",
     {test5, test5, inside, ""}},
    {31, m31, stage::datecheck, "m31chkdate", monthdays(1, 30),
     "gives January 30 days",
     {monthtable, "31", 0, "30"}},
    {32, m32, stage::datecheck, "m32chkdate", monthdays(2, 28),
     "gives February 28 days, also in leap years",
     {monthtable, "29", 1, "28"}},
    {33, m33, stage::datecheck, "m33chkdate", monthdays(3, 30),
     "gives March 30 days",
     {monthtable, "31", 2, "30"}},
    {34, m34, stage::datecheck, "m34chkdate", monthdays(4, 31),
     "gives April 31 days",
     {monthtable, "30", 3, "31"}},
    {35, m35, stage::datecheck, "m35chkdate", monthdays(5, 30),
     "gives May 30 days",
     {monthtable, "31", 4, "30"}},
    {36, m36, stage::datecheck, "m36chkdate", monthdays(6, 31),
     "gives June 31 days",
     {monthtable, "30", 5, "31"}},
    {37, m37, stage::datecheck, "m37chkdate", monthdays(7, 30),
     "gives July 30 days",
     {monthtable, "31", 6, "30"}},
    {38, m38, stage::datecheck, "m38chkdate", monthdays(8, 30),
     "gives August 30 days",
     {monthtable, "31", 7, "30"}},
    {39, m39, stage::datecheck, "m39chkdate", monthdays(9, 31),
     "gives September 31 days",
     {monthtable, "30", 8, "31"}},
    {40, m40, stage::datecheck, "m40chkdate", monthdays(10, 30),
     "gives October 30 days",
     {monthtable, "31", 9, "30"}},
    {41, m41, stage::datecheck, "m41chkdate", monthdays(11, 31),
     "gives November 31 days",
     {monthtable, "30", 10, "31"}},
    {42, m42, stage::datecheck, "m42chkdate", monthdays(12, 30),
     "gives December 30 days",
     {monthtable, "31", 11, "30"}},
    {43, m43, stage::leapyear, "m43leap", {.checkrule = rule::m43leap},
     "treats 2000 and every year divisible by 400 as common years when checking February 29",
     {rule400, "year % 400 == 0 ? 1 : 0", inside, "0"}},
    {44, m44, stage::leapyear, "m44leap", {.checkrule = rule::m44leap},
     "treats 1900 and every other century year as leap years when checking February 29",
     {rule100, "year % 4 == 0 && year % 100 != 0", inside, "year % 4 == 0"}},
    {45, m45, stage::leapyear, "m45leap", {.checkrule = rule::m45leap},
     "treats every year as a leap year when checking February 29",
     {leapbody, leapbody, inside, "return 1;"}},
    {46, m46, stage::daydifference, "m46daysdiff", {.terms = {.quadcenturies = false}},
     "leaves the 400-year term out of the day count",
     {term400, term400, inside, ""}},
    {47, m47, stage::daydifference, "m47daysdiff", {.terms = {.centuries = false, .quadcenturies = false}},
     "leaves the 100-year and 400-year terms out of the day count",
     {term100, term100, inside, ""}},
    {48, m48, stage::daydifference, "m48daysdiff", {.terms = {.quadrennials = false, .centuries = false, .quadcenturies = false}},
     "counts every year as 365 days",
     {term4, term4, inside, ""}},
    {49, m49, stage::leapyear, "m43leap", {.countrule = rule::m43leap},
     "counts 2000 and every year divisible by 400 as common years in the day count",
     {rule400, "year % 400 == 0 ? 1 : 0", inside, "0"}},
    {50, m50, stage::leapyear, "m44leap", {.countrule = rule::m44leap},
     "counts 1900 and every other century year as leap years in the day count",
     {rule100, "year % 4 == 0 && year % 100 != 0", inside, "year % 4 == 0"}},
    {51, m51, stage::daydifference, "m51daysdiff", {.terms = {.leapmonths = 1}},
     "leaves February out of the leap-day adjustment",
     {"d.month <= T.leapmonths", "T.leapmonths", inside, "1"}},
    {52, m52, stage::daydifference, "m52daysdiff", {.terms = {.leapmonths = 3}},
     "extends the leap-day adjustment to March",
     {"d.month <= T.leapmonths", "T.leapmonths", inside, "3"}},
    {53, m53, stage::daydifference, "m53daysdiff", {.countrule = rule::none},
     "makes no leap-day adjustment at all",
     {adjustment, adjustment, inside, ""}},
    {54, m54, stage::daydifference, "m54daysdiff", {.terms = {.daysbefore = {31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365}}},
     "counts the days up to the end of each month instead of before it",
     {daytable, "0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334", wholelist, "31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365"}},
    {55, m55, stage::daydifference, "m55daysdiff", daysbefore(2, 30),
     "counts 30 days before February instead of 31",
     {daytable, "31", 1, "30"}},
    {56, m56, stage::daydifference, "m56daysdiff", daysbefore(3, 58),
     "counts 58 days before March instead of 59",
     {daytable, "59", 2, "58"}},
    {57, m57, stage::daydifference, "m57daysdiff", daysbefore(4, 89),
     "counts 89 days before April instead of 90",
     {daytable, "90", 3, "89"}},
    {58, m58, stage::daydifference, "m58daysdiff", daysbefore(5, 119),
     "counts 119 days before May instead of 120",
     {daytable, "120", 4, "119"}},
    {59, m59, stage::daydifference, "m59daysdiff", daysbefore(6, 150),
     "counts 150 days before June instead of 151",
     {daytable, "151", 5, "150"}},
    {60, m60, stage::daydifference, "m60daysdiff", daysbefore(7, 180),
     "counts 180 days before July instead of 181",
     {daytable, "181", 6, "180"}},
    {61, m61, stage::daydifference, "m61daysdiff", daysbefore(8, 211),
     "counts 211 days before August instead of 212",
     {daytable, "212", 7, "211"}},
    {62, m62, stage::daydifference, "m62daysdiff", daysbefore(9, 242),
     "counts 242 days before September instead of 243",
     {daytable, "243", 8, "242"}},
    {63, m63, stage::daydifference, "m63daysdiff", daysbefore(10, 272),
     "counts 272 days before October instead of 273",
     {daytable, "273", 9, "272"}},
    {64, m64, stage::daydifference, "m64daysdiff", daysbefore(11, 303),
     "counts 303 days before November instead of 304",
     {daytable, "304", 10, "303"}},
    {65, m65, stage::daydifference, "m65daysdiff", daysbefore(12, 333),
     "counts 333 days before December instead of 334",
     {daytable, "334", 11, "333"}},
}};
// clang-format on

// Mutant n, 1 to 65.
constexpr const mutant& mutantof(int n) { return mutantset[static_cast<std::size_t>(n - 1)]; }

}  // namespace vorlak::mutants
