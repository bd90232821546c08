// The date program.  It evaluates a test line that holds two dates: it
// answers with the days from the first date to the second, or with a
// negative code that says what is wrong with the line.  The parts stand in
// the order in which an evaluation runs them: the length test, the syntax
// check, the conversion of the two dates, the date check with its five
// tests and the leap-year rule, and the day count.  The caller puts the
// line in line and calls evaluate with its length.
//!
//! This is the program as vorlak builds it.  A stage that a mutant alters is
//! a template over the values that mutants change, and the defaults of those
//! values are the reference program's.  A mutant is this program with one of
//! them changed (mutants/mutants.hpp), so the one difference is all there is
//! to see.  vorlak compiles faster forms of some small functions here in
//! their place (dates/fast.hpp); the tests prove each equal to the function
//! it stands in for.
//!
//! The program as a student is handed it is this file without what vorlak
//! alone needs (dates/handout.cmake): a line marked "//!" at its end, or a
//! comment line that starts with it, is vorlak's alone, and so is every line
//! from "//!{" to "//!}"; a block that such a line opens loses its indent
//! with it.  A comment line that starts with "//>" is the handed program's
//! alone.  Each record of values gives its defaults in place of their uses,
//! and each template is its one reference instance.
#pragma once  //!

#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>  //!

namespace vorlak::dates {  //!

// A test line holds two dates in 21 fixed columns, month, day and year:
//
//     columns  0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21
//     holds    m m / d d / y y y y    m  m  /  d  d  /  y  y  y  y  \n
//
// The reader stores the line in line (at most 999 bytes, the newline if one
// was read, then a zero) and its length in len.  Columns 2, 5, 10, 13 and 16
// separate the fields and are never examined; column 21 must be there.
//! A line that ends before lastcolumn is too short to be tested further.
inline constexpr int lastcolumn = 21;  //!
inline constexpr int linesize = 1000;  // bytes in the line buffer, terminating zero included
extern thread_local constinit signed char line[linesize];
extern thread_local constinit int len;

// A date as the conversion stores it; the year is the full number.
struct date {
    std::int32_t month;
    std::int32_t day;
    std::int32_t year;
};
extern thread_local constinit date firstdate;
extern thread_local constinit date seconddate;

// The results that are not day counts.  A date the check rejects with code k
// gives -(10 + k) for the first date and -(20 + k) for the second.
inline constexpr int badsyntax = -4;  // short line, or a non-digit in a digit column
inline constexpr int reversed = -3;   // the second date lies before the first

//!{ The stages, as the evaluation is handed them.
using syntaxcheck = int (*)();
using conversion = int (*)();
using fieldreader = int (*)(int column);
using datechecker = int (*)(int month, int day, int year);
using leaprule = int (*)(int year);
using yearcounter = int (*)(int year);
using daycounter = int (*)(date first, date second);
using resultrule = int (*)(int days);
//!}
//> // The stages, each defined below.
//> int checksyntax();
//> int convert();
//> int checkdate(int month, int day, int year);
//> int countdays(date first, date second);

// The day count as a result.
constexpr int dayresult(int days) {
    if (days < 0)
        return reversed;
    return days;
}

// One line evaluation.  Each test ends it when it fires.
template <syntaxcheck checksyntax, conversion convert, daycounter countdays,  //!
          resultrule dayresult = dates::dayresult>                            //!
int evaluate(int length) {
    if (length <= lastcolumn)  // the 21 date columns and one more, normally the newline
        return badsyntax;
    if (checksyntax() != 0)
        return badsyntax;
    if (const int c = convert(); c != 0)
        return -c;
    return dayresult(countdays(firstdate, seconddate));
}

// The syntax check: every digit column must hold one of '0' to '9'.  A byte of
// 128 to 255 is a negative number here, and not a digit.
constexpr bool isdigitchar(int c) { return c >= '0' && c <= '9'; }

constexpr bool isseparator(int column) {
    return column == 2 || column == 5 || column == 10 || column == 13 || column == 16;
}

struct syntaxscan {
    int first = 0;     // the scan runs from column 0 ...
    int last = 20;     // ... to column 20
    int skipped = -1;  // no digit column is passed over
    friend constexpr bool operator==(const syntaxscan&, const syntaxscan&) = default;
};

template <syntaxscan S = syntaxscan{}>  //!
int checksyntax() {
    for (int column = S.first; column <= S.last; column++) {
        //> if (isseparator(column))
        if (isseparator(column) || column == S.skipped)  //!
            continue;
        if (!isdigitchar(line[column]))
            return 1;
    }
    return 0;
}

// The two-character field at column: each character counts by its code minus
// that of '0', digit or not (a colon counts ten, a blank minus sixteen).
//! Only a mutant of the syntax check lets a non-digit get here.
constexpr int fieldvalue(int tens, int units) { return (tens - '0') * 10 + (units - '0'); }

inline int strtoint(int column) { return fieldvalue(line[column], line[column + 1]); }

// A date from its ten columns from first on: month, day and a year of two
// fields, the hundreds read first.
template <fieldreader strtoint>  //!
date readdate(int first) {
    date d;
    d.month = strtoint(first);
    d.day = strtoint(first + 3);
    const int hundreds = strtoint(first + 6);
    d.year = 100 * hundreds + strtoint(first + 8);
    return d;
}

// The conversion: store each date, then check it; the second date is read
// only when the first is valid.  Returns 0, 10 + k or 20 + k.
template <datechecker checkdate, fieldreader Field = strtoint>  //!
int convert() {
    firstdate = readdate<Field>(0);
    if (const int k = checkdate(firstdate.month, firstdate.day, firstdate.year); k != 0)
        return 10 + k;
    seconddate = readdate<Field>(11);
    if (const int k = checkdate(seconddate.month, seconddate.day, seconddate.year); k != 0)
        return 20 + k;
    return 0;
}

//! The values of the date check.
struct datebounds {
    int lowmonth = 0;  // test 1: month <= 0 or month > 12
    int highmonth = 12;
    int lowday = 0;  // test 2: day <= 0 or day > 31
    int highday = 31;
    int lastbadyear = 1899;  // test 3: year <= 1899
    // Test 4: the last day of each month.  February has 29 in every year;
    // test 5 rejects February 29 of a common year.
    std::array<int, 12> monthdays = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int leapmonth = 2;  // test 5: month == 2, a common year and day == 29
    int leapday = 29;
    friend constexpr bool operator==(const datebounds&, const datebounds&) = default;
};

// Test 4's entry for a month, and 31 for a month that has none.
//! Test 1 lets only months with an entry through, unless a mutant widens it
//! to month 0 or 13.
template <datebounds B>  //!
constexpr int lastday(int month) {
    if (month < 1 || month > 12)
        return 31;
    return B.monthdays[static_cast<std::size_t>(month - 1)];
}

//! Whether a stage has a leap-year rule: a mutant may take it out (nullptr).
template <auto Leap> inline constexpr bool hasleaprule = !std::is_null_pointer_v<decltype(Leap)>;  //!

//! The values of the leap-year rule.
struct leapyears {
    bool quadcenturies = true;  // a year divisible by 400 is a leap year after all,
    bool centuries = true;      // a year divisible by 100 is not,
    bool always = false;        // or every year is one, whatever it is
    friend constexpr bool operator==(const leapyears&, const leapyears&) = default;
};

template <leapyears L = leapyears{}>  //!
inline int leap(int year);

// The date check: the first of its five tests that holds names the error.
template <datebounds B = datebounds{}, auto leap = dates::leap<>>  //!
int checkdate(int month, int day, int year) {
    if (month <= B.lowmonth || month > B.highmonth)
        return 1;
    if (day <= B.lowday || day > B.highday)
        return 2;
    if (year <= B.lastbadyear)
        return 3;
    if (day > lastday<B>(month))
        return 4;
    if constexpr (hasleaprule<leap>) {  //!
        if (month == B.leapmonth && leap(year) == 0 && day == B.leapday)
            return 5;
    }  //!
    return 0;
}

// The leap-year rule: divisible by 4 and not by 100, or divisible by 400.
template <leapyears L>  //!
inline int leap(int year) {
    //!{ A rule with other values answers before the reference's would.
    if constexpr (L.always)
        return 1;
    if constexpr (!L.centuries)
        if (year % 4 == 0)
            return 1;
    //!}
    if (year % 4 == 0 && year % 100 != 0)
        return 1;
    //!{
    if constexpr (!L.quadcenturies)
        return 0;
    //!}
    return year % 400 == 0 ? 1 : 0;
}

// The day count: each date becomes a day number, which grows by one from
// each calendar day to the next, and the count is their difference.

//! The values of the day count.
struct dayterms {
    bool quadrennials = true;   // a year term of + y / 4,
    bool centuries = true;      //   - y / 100
    bool quadcenturies = true;  //   and + y / 400
    // The days of a common year before the 1st of each month.
    std::array<int, 12> daysbefore = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    int leapmonths = 2;  // a leap year's January and February count one day less
    friend constexpr bool operator==(const dayterms&, const dayterms&) = default;
};

// The days of the years before year: 365 * y + y / 4 - y / 100 + y / 400.
template <dayterms T = dayterms{}>  //!
constexpr int yearterms(int y) {
    int n = 365 * y;
    if (T.quadrennials)
        n += y / 4;
    if (T.centuries)
        n -= y / 100;
    if (T.quadcenturies)
        n += y / 400;
    return n;
}

// The days before a month, and none before a month that has no entry.
//! Only a mutant of the date check lets month 0 or 13 get here, and no table
//! is read for it.
template <dayterms T>  //!
constexpr int daysbefore(int month) {
    if (month < 1 || month > 12)
        return 0;
    return T.daysbefore[static_cast<std::size_t>(month - 1)];
}

// For the dates that get here the day number lies from 690,000 to 30,000,000.
// The leap-year rule is asked for every date, once its other terms are
// summed, and only then is the month looked at.
template <dayterms T = dayterms{}, auto leap = dates::leap<>, yearcounter yearterms = dates::yearterms<T>>  //!
int daynumber(date d) {
    int n = yearterms(d.year) + daysbefore<T>(d.month) + d.day;
    if constexpr (hasleaprule<leap>) {  //!
        if (leap(d.year) == 1 && d.month <= T.leapmonths)
            n -= 1;
    }  //!
    return n;
}

//!{ Whoever watches an evaluation hears the two day numbers of its count;
// the program itself runs unwatched.  vorlak's engine watches the
// reference's evaluation to learn how far a line gets into each mutant.
struct unwatched {
    static void daynumbers(int /*first*/, int /*second*/) {}
};
//!}

// The first date's day number is formed first.
template <dayterms T = dayterms{}, auto Leap = leap<>, yearcounter Years = yearterms<T>, class Watch = unwatched>  //!
int countdays(date first, date second) {
    const int from = daynumber<T, Leap, Years>(first);
    const int to = daynumber<T, Leap, Years>(second);
    Watch::daynumbers(from, to);  //!
    return to - from;
}

}  //! namespace vorlak::dates
