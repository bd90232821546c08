// Date-check mutants 17 to 42: one bound, one comparison or one month length
// of the date check differs from the reference; everything else is the same.
#include "dates/stages.hpp"
#include "mutants/mutants.hpp"

namespace vorlak::mutants {

using dates::checkdate;
using dates::datebounds;
using dates::leap;

// The reference bounds with the last valid day of one month changed.
constexpr datebounds withmonthdays(int month, int days) {
    return {.monthdays = dates::withentry(datebounds{}.monthdays, month, days)};
}

// Test 1, the month range.  Months 0 and 13 get the last valid day 31 in test 4.
int m17chkdate(int month, int day, int year) { return checkdate<datebounds{.lowmonth = -1}, leap>(month, day, year); }
int m18chkdate(int month, int day, int year) { return checkdate<datebounds{.lowmonth = 1}, leap>(month, day, year); }
int m19chkdate(int month, int day, int year) { return checkdate<datebounds{.highmonth = 11}, leap>(month, day, year); }
int m20chkdate(int month, int day, int year) { return checkdate<datebounds{.highmonth = 13}, leap>(month, day, year); }

// Test 2, the day range.
int m21chkdate(int month, int day, int year) { return checkdate<datebounds{.lowday = -1}, leap>(month, day, year); }
int m22chkdate(int month, int day, int year) { return checkdate<datebounds{.lowday = 1}, leap>(month, day, year); }
int m23chkdate(int month, int day, int year) { return checkdate<datebounds{.highday = 30}, leap>(month, day, year); }
int m24chkdate(int month, int day, int year) { return checkdate<datebounds{.highday = 32}, leap>(month, day, year); }

// Test 3, the first year.
int m25chkdate(int month, int day, int year) {
    return checkdate<datebounds{.lastbadyear = 1898}, leap>(month, day, year);
}
int m26chkdate(int month, int day, int year) {
    return checkdate<datebounds{.lastbadyear = 1900}, leap>(month, day, year);
}

// Test 5, February 29 of a common year; m30 has no test 5 and calls no leap rule.
int m27chkdate(int month, int day, int year) { return checkdate<datebounds{.leapmonth = 1}, leap>(month, day, year); }
int m28chkdate(int month, int day, int year) { return checkdate<datebounds{.leapmonth = 3}, leap>(month, day, year); }
int m29chkdate(int month, int day, int year) { return checkdate<datebounds{.leapday = 28}, leap>(month, day, year); }
int m30chkdate(int month, int day, int year) { return checkdate<datebounds{}, nullptr>(month, day, year); }

// Test 4, the month-length table: one entry each.
int m31chkdate(int month, int day, int year) { return checkdate<withmonthdays(1, 30), leap>(month, day, year); }
int m32chkdate(int month, int day, int year) { return checkdate<withmonthdays(2, 28), leap>(month, day, year); }
int m33chkdate(int month, int day, int year) { return checkdate<withmonthdays(3, 30), leap>(month, day, year); }
int m34chkdate(int month, int day, int year) { return checkdate<withmonthdays(4, 31), leap>(month, day, year); }
int m35chkdate(int month, int day, int year) { return checkdate<withmonthdays(5, 30), leap>(month, day, year); }
int m36chkdate(int month, int day, int year) { return checkdate<withmonthdays(6, 31), leap>(month, day, year); }
int m37chkdate(int month, int day, int year) { return checkdate<withmonthdays(7, 30), leap>(month, day, year); }
int m38chkdate(int month, int day, int year) { return checkdate<withmonthdays(8, 30), leap>(month, day, year); }
int m39chkdate(int month, int day, int year) { return checkdate<withmonthdays(9, 31), leap>(month, day, year); }
int m40chkdate(int month, int day, int year) { return checkdate<withmonthdays(10, 30), leap>(month, day, year); }
int m41chkdate(int month, int day, int year) { return checkdate<withmonthdays(11, 31), leap>(month, day, year); }
int m42chkdate(int month, int day, int year) { return checkdate<withmonthdays(12, 30), leap>(month, day, year); }

}  // namespace vorlak::mutants
