// The reference date program: the line buffer, the two date records and the
// functions of one line evaluation.  A test line holds two dates in 21 fixed
// columns; testline answers with the days from the first to the second, or
// with a negative code saying what is wrong with the line.
#pragma once

#include <cstdint>

namespace vorlak::dates {

inline constexpr int linesize = 1000;  // bytes in the line buffer, terminating zero included

// A calendar date as the conversion stage stores it; the year is the full number.
struct date {
    std::int32_t month;
    std::int32_t day;
    std::int32_t year;
};

// Shared state of the evaluation.  The reader fills line (at most 999 bytes,
// the newline if one was read, then a zero) and len; every evaluation writes
// the date records before it reads them.
extern signed char line[linesize];
extern int len;
extern date firstdate;
extern date seconddate;

// The evaluation results that are not day counts.
inline constexpr int badsyntax = -4;  // short line, or a non-digit in a digit column
inline constexpr int reversed = -3;   // the second date lies before the first

int testline(int length);                   // the reference evaluation of line
int chkinputsyntax();                       // 0 when all sixteen digit columns hold digits, else 1
int strtoint(int column);                   // the two-character field at column, digits or not
int convertline();                          // 0, 10 + k for the first date, 20 + k for the second
int chkdate(int month, int day, int year);  // date error code 0 to 5
int leap(int year);                         // 1 for a Gregorian leap year, else 0
int daysdiff(date first, date second);      // days from first to second, signed

}  // namespace vorlak::dates
