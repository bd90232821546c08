// Leap-year mutants 43 to 45: the reference date check asking an altered
// leap-year rule.  m43leap and m44leap serve the day counts of 49 and 50 too.
#include "mutants/wiring.hpp"

namespace vorlak::mutants {

// No 400-year rule: 2000 is a common year.
int m43leap(int year) {
    if (year % 4 == 0 && year % 100 != 0)
        return 1;
    return 0;
}

// No 100-year and 400-year rules: 1900 is a leap year.
int m44leap(int year) {
    if (year % 4 == 0)
        return 1;
    return year % 400 == 0 ? 1 : 0;
}

// Every year is a leap year; the year is passed all the same.
int m45leap(int /*year*/) { return 1; }

int m43chkdate(int month, int day, int year) { return chkdateof<43>(month, day, year); }
int m44chkdate(int month, int day, int year) { return chkdateof<44>(month, day, year); }
int m45chkdate(int month, int day, int year) { return chkdateof<45>(month, day, year); }

}  // namespace vorlak::mutants
