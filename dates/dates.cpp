// The reference date program: every stage with its reference parameters.
#include "dates/dates.hpp"

#include "dates/stages.hpp"

namespace vorlak::dates {

signed char line[linesize];
int len;
date firstdate;
date seconddate;

// Each character counts by its code minus that of '0', digit or not (a colon
// is ten, a blank minus sixteen); the syntax check decides what gets here.
int strtoint(int column) { return line[column] * 10 + line[column + 1] - 528; }

int chkinputsyntax() { return scansyntax<syntaxscan{}>(); }

// Divisible by 4 and not by 100, or divisible by 400.
int leap(int year) {
    if (year % 4 == 0 && year % 100 != 0)
        return 1;
    return year % 400 == 0 ? 1 : 0;
}

int chkdate(int month, int day, int year) { return checkdate<datebounds{}, leap>(month, day, year); }

int convertline() { return convert<chkdate>(); }

int daysdiff(date first, date second) { return countdays<dayterms{}, leap>(first, second); }

int testline(int length) { return evaluate<chkinputsyntax, convertline, daysdiff>(length); }

}  // namespace vorlak::dates
