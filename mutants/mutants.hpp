// The mutant set: 65 copies of the reference evaluation, each with exactly one
// function altered, and the catalogue that says what each alteration is.
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

// One mutant of the set and its catalogue entry: the stage it alters, the
// altered function, and what the alteration does, in a sentence.
struct mutant {
    int number;
    entryfunction entry;
    stage altered;
    std::string_view function;
    std::string_view description;
};

inline constexpr int mutantcount = 65;

// The ordered set, in the order of the numbers; a run goes through it as it stands.
// clang-format off
inline constexpr std::array<mutant, mutantcount> mutantset = {{
    {1, m1, stage::syntaxcheck, "m1chkinputsyntax", "accepts any character in column 0, the tens digit of the first month"},
    {2, m2, stage::syntaxcheck, "m2chkinputsyntax", "accepts any character in column 1, the units digit of the first month"},
    {3, m3, stage::syntaxcheck, "m3chkinputsyntax", "accepts any character in column 3, the tens digit of the first day"},
    {4, m4, stage::syntaxcheck, "m4chkinputsyntax", "accepts any character in column 4, the units digit of the first day"},
    {5, m5, stage::syntaxcheck, "m5chkinputsyntax", "accepts any character in column 6, the thousands digit of the first year"},
    {6, m6, stage::syntaxcheck, "m6chkinputsyntax", "accepts any character in column 7, the hundreds digit of the first year"},
    {7, m7, stage::syntaxcheck, "m7chkinputsyntax", "accepts any character in column 8, the tens digit of the first year"},
    {8, m8, stage::syntaxcheck, "m8chkinputsyntax", "accepts any character in column 9, the units digit of the first year"},
    {9, m9, stage::syntaxcheck, "m9chkinputsyntax", "accepts any character in column 11, the tens digit of the second month"},
    {10, m10, stage::syntaxcheck, "m10chkinputsyntax", "accepts any character in column 12, the units digit of the second month"},
    {11, m11, stage::syntaxcheck, "m11chkinputsyntax", "accepts any character in column 14, the tens digit of the second day"},
    {12, m12, stage::syntaxcheck, "m12chkinputsyntax", "accepts any character in column 15, the units digit of the second day"},
    {13, m13, stage::syntaxcheck, "m13chkinputsyntax", "accepts any character in column 17, the thousands digit of the second year"},
    {14, m14, stage::syntaxcheck, "m14chkinputsyntax", "accepts any character in column 18, the hundreds digit of the second year"},
    {15, m15, stage::syntaxcheck, "m15chkinputsyntax", "accepts any character in column 19, the tens digit of the second year"},
    {16, m16, stage::syntaxcheck, "m16chkinputsyntax", "accepts any character in column 20, the units digit of the second year"},
    {17, m17, stage::datecheck, "m17chkdate", "accepts month 0"},
    {18, m18, stage::datecheck, "m18chkdate", "rejects January, month 1"},
    {19, m19, stage::datecheck, "m19chkdate", "rejects December, month 12"},
    {20, m20, stage::datecheck, "m20chkdate", "accepts month 13"},
    {21, m21, stage::datecheck, "m21chkdate", "accepts day 0"},
    {22, m22, stage::datecheck, "m22chkdate", "rejects day 1 of every month"},
    {23, m23, stage::datecheck, "m23chkdate", "rejects day 31 of every month"},
    {24, m24, stage::datecheck, "m24chkdate", "lets day 32 past the day range test"},
    {25, m25, stage::datecheck, "m25chkdate", "accepts the year 1899"},
    {26, m26, stage::datecheck, "m26chkdate", "rejects the year 1900"},
    {27, m27, stage::datecheck, "m27chkdate", "makes the February 29 test on January dates instead"},
    {28, m28, stage::datecheck, "m28chkdate", "makes the February 29 test on March dates instead"},
    {29, m29, stage::datecheck, "m29chkdate", "rejects February 28 instead of February 29 in common years"},
    {30, m30, stage::datecheck, "m30chkdate", "accepts February 29 in every year"},
    {31, m31, stage::datecheck, "m31chkdate", "gives January 30 days"},
    {32, m32, stage::datecheck, "m32chkdate", "gives February 28 days, also in leap years"},
    {33, m33, stage::datecheck, "m33chkdate", "gives March 30 days"},
    {34, m34, stage::datecheck, "m34chkdate", "gives April 31 days"},
    {35, m35, stage::datecheck, "m35chkdate", "gives May 30 days"},
    {36, m36, stage::datecheck, "m36chkdate", "gives June 31 days"},
    {37, m37, stage::datecheck, "m37chkdate", "gives July 30 days"},
    {38, m38, stage::datecheck, "m38chkdate", "gives August 30 days"},
    {39, m39, stage::datecheck, "m39chkdate", "gives September 31 days"},
    {40, m40, stage::datecheck, "m40chkdate", "gives October 30 days"},
    {41, m41, stage::datecheck, "m41chkdate", "gives November 31 days"},
    {42, m42, stage::datecheck, "m42chkdate", "gives December 30 days"},
    {43, m43, stage::leapyear, "m43leap", "treats 2000 and every year divisible by 400 as common years when checking February 29"},
    {44, m44, stage::leapyear, "m44leap", "treats 1900 and every other century year as leap years when checking February 29"},
    {45, m45, stage::leapyear, "m45leap", "treats every year as a leap year when checking February 29"},
    {46, m46, stage::daydifference, "m46daysdiff", "leaves the 400-year term out of the day count"},
    {47, m47, stage::daydifference, "m47daysdiff", "leaves the 100-year and 400-year terms out of the day count"},
    {48, m48, stage::daydifference, "m48daysdiff", "counts every year as 365 days"},
    {49, m49, stage::leapyear, "m43leap", "counts 2000 and every year divisible by 400 as common years in the day count"},
    {50, m50, stage::leapyear, "m44leap", "counts 1900 and every other century year as leap years in the day count"},
    {51, m51, stage::daydifference, "m51daysdiff", "leaves February out of the leap-day adjustment"},
    {52, m52, stage::daydifference, "m52daysdiff", "extends the leap-day adjustment to March"},
    {53, m53, stage::daydifference, "m53daysdiff", "makes no leap-day adjustment at all"},
    {54, m54, stage::daydifference, "m54daysdiff", "counts the days up to the end of each month instead of before it"},
    {55, m55, stage::daydifference, "m55daysdiff", "counts 30 days before February instead of 31"},
    {56, m56, stage::daydifference, "m56daysdiff", "counts 58 days before March instead of 59"},
    {57, m57, stage::daydifference, "m57daysdiff", "counts 89 days before April instead of 90"},
    {58, m58, stage::daydifference, "m58daysdiff", "counts 119 days before May instead of 120"},
    {59, m59, stage::daydifference, "m59daysdiff", "counts 150 days before June instead of 151"},
    {60, m60, stage::daydifference, "m60daysdiff", "counts 180 days before July instead of 181"},
    {61, m61, stage::daydifference, "m61daysdiff", "counts 211 days before August instead of 212"},
    {62, m62, stage::daydifference, "m62daysdiff", "counts 242 days before September instead of 243"},
    {63, m63, stage::daydifference, "m63daysdiff", "counts 272 days before October instead of 273"},
    {64, m64, stage::daydifference, "m64daysdiff", "counts 303 days before November instead of 304"},
    {65, m65, stage::daydifference, "m65daysdiff", "counts 333 days before December instead of 334"},
}};
// clang-format on

}  // namespace vorlak::mutants
