// The reference program's stages, each the plain one of dates/program.hpp
// with its reference values, and the fast forms of dates/fast.hpp in its
// helpers.
#include "dates/dates.hpp"

#include "dates/fast.hpp"
#include "dates/reference.hpp"

namespace vorlak::dates {

// Each thread evaluates in its own line buffer and dates, so that a class
// grades on several threads at once.
thread_local constinit signed char line[linesize]{};
thread_local constinit int len = 0;
thread_local constinit date firstdate{};
thread_local constinit date seconddate{};

int chkinputsyntax() { return fast::checksyntax<>(); }

int chkdate(int month, int day, int year) { return checkdate<>(month, day, year); }

int convertline() { return convert<chkdate, fast::strtoint>(); }

int daysdiff(date first, date second) { return referencecount(first, second); }

// Every stage is compiled into the evaluation (flatten), so that it is one
// body without calls; the stages run exactly as written.
[[gnu::flatten]] int testline(int length) { return referenceline(length); }

}  // namespace vorlak::dates
