// What vorlak's layers read of the date program (dates/program.hpp), each
// fact named once here or there and worked out from the program's own
// values: the shortest line tested (lastcolumn, in program.hpp), the digit
// columns, the first valid year and the results of a date's check.
#pragma once

#include <array>

#include "dates/program.hpp"

namespace vorlak::dates {

// Whether the reference's syntax check examines a column: the digit columns.
constexpr bool isdigitcolumn(int column) {
    constexpr syntaxscan scan{};
    return column >= scan.first && column <= scan.last && column != scan.skipped && !isseparator(column);
}

// The digit columns in order, all those before lastcolumn.
inline constexpr auto digitcolumns = [] {
    constexpr int count = [] {
        int n = 0;
        for (int column = 0; column < lastcolumn; column++)
            n += isdigitcolumn(column) ? 1 : 0;
        return n;
    }();
    std::array<int, count> columns{};
    std::size_t i = 0;
    for (int column = 0; column < lastcolumn; column++)
        if (isdigitcolumn(column))
            columns[i++] = column;
    return columns;
}();

// The first year that the date check accepts: test 3 rejects every year up
// to the one before it.
inline constexpr int firstyear = datebounds{}.lastbadyear + 1;

// The date check's tests, whose codes run from 1 to datetests.
inline constexpr int datetests = 5;

// A result that the date check of one date gave: the conversion answers
// 10 + k for code k of the first date and 20 + k for the second, and the
// evaluation their negations.  date is 1 or 2, and 0 for any other result,
// any int (a line's expectation) included.
struct dateerror {
    int date = 0;
    int code = 0;
};

constexpr dateerror dateerrorof(int result) {
    if (result > -11 || result < -(20 + datetests))
        return {};
    for (int date = 1; date <= 2; date++) {
        const int code = -result - 10 * date;
        if (code >= 1 && code <= datetests)
            return {date, code};
    }
    return {};
}

}  // namespace vorlak::dates
