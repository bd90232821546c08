// The reference date program as vorlak runs it: the functions of one line
// evaluation, with the fast forms of dates/fast.hpp in place of the plain
// ones where there are any.  dates/program.hpp is the program itself.  A test
// line holds two dates in 21 fixed columns; testline answers with the days
// from the first to the second, or with a negative code saying what is wrong
// with the line.
#pragma once

#include "dates/program.hpp"

namespace vorlak::dates {

int testline(int length);                   // the reference evaluation of line
int chkinputsyntax();                       // 0 when all sixteen digit columns hold digits, else 1
int convertline();                          // 0, 10 + k for the first date, 20 + k for the second
int chkdate(int month, int day, int year);  // date error code 0 to 5
int daysdiff(date first, date second);      // days from first to second, signed

}  // namespace vorlak::dates
