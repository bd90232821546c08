// Day-difference mutants 46 to 65: one term, one bound or one table entry of
// the day number differs, for both dates of the count.
#include "dates/stages.hpp"
#include "mutants/mutants.hpp"

namespace vorlak::mutants {

using dates::countdays;
using dates::dayterms;
using dates::leap;

// The reference terms with the days before one month changed.
constexpr dayterms withdaysbefore(int month, int days) {
    return {.daysbefore = dates::withentry(dayterms{}.daysbefore, month, days)};
}

// The year term.
int m46daysdiff(date first, date second) { return countdays<dayterms{.quadcenturies = false}, leap>(first, second); }
int m47daysdiff(date first, date second) {
    return countdays<dayterms{.centuries = false, .quadcenturies = false}, leap>(first, second);
}
int m48daysdiff(date first, date second) {
    return countdays<dayterms{.quadrennials = false, .centuries = false, .quadcenturies = false}, leap>(first, second);
}

// The leap adjustment: its rule (the copies of 49 and 50), its months, or none at all.
int m49daysdiff(date first, date second) { return countdays<dayterms{}, m43leap>(first, second); }
int m50daysdiff(date first, date second) { return countdays<dayterms{}, m44leap>(first, second); }
int m51daysdiff(date first, date second) { return countdays<dayterms{.leapmonths = 1}, leap>(first, second); }
int m52daysdiff(date first, date second) { return countdays<dayterms{.leapmonths = 3}, leap>(first, second); }
int m53daysdiff(date first, date second) { return countdays<dayterms{}, nullptr>(first, second); }

// The days-before-month table: the days up to the end of each month, or one entry off by one.
int m54daysdiff(date first, date second) {
    return countdays<dayterms{.daysbefore = {31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365}}, leap>(first,
                                                                                                              second);
}
int m55daysdiff(date first, date second) { return countdays<withdaysbefore(2, 30), leap>(first, second); }
int m56daysdiff(date first, date second) { return countdays<withdaysbefore(3, 58), leap>(first, second); }
int m57daysdiff(date first, date second) { return countdays<withdaysbefore(4, 89), leap>(first, second); }
int m58daysdiff(date first, date second) { return countdays<withdaysbefore(5, 119), leap>(first, second); }
int m59daysdiff(date first, date second) { return countdays<withdaysbefore(6, 150), leap>(first, second); }
int m60daysdiff(date first, date second) { return countdays<withdaysbefore(7, 180), leap>(first, second); }
int m61daysdiff(date first, date second) { return countdays<withdaysbefore(8, 211), leap>(first, second); }
int m62daysdiff(date first, date second) { return countdays<withdaysbefore(9, 242), leap>(first, second); }
int m63daysdiff(date first, date second) { return countdays<withdaysbefore(10, 272), leap>(first, second); }
int m64daysdiff(date first, date second) { return countdays<withdaysbefore(11, 303), leap>(first, second); }
int m65daysdiff(date first, date second) { return countdays<withdaysbefore(12, 333), leap>(first, second); }

}  // namespace vorlak::mutants
