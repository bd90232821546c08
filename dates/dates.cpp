// The reference date program: every stage with its reference parameters.
#include "dates/dates.hpp"

#include <array>
#include <cstddef>
#include <cstdint>

#include "dates/stages.hpp"

namespace vorlak::dates {

signed char line[linesize];
int len;
date firstdate;
date seconddate;

namespace {

// A field's value from its two characters: each counts by its code minus
// that of '0', digit or not (a colon is ten, a blank minus sixteen); the
// syntax check decides what gets here.
constexpr int fieldvalue(signed char tens, signed char units) { return tens * 10 + units - 528; }

// The value of every pair of bytes, indexed by the two bytes as one number,
// the first byte low.  The conversion reads eight fields per evaluation, two
// evaluations per line: one load of the pair and one of the table take the
// place of two loads and the arithmetic.  The values lie in -1936 to 869.
constexpr std::array<std::int16_t, 65536> fieldvalues = [] {
    std::array<std::int16_t, 65536> table{};
    for (std::size_t pair = 0; pair < table.size(); pair++)
        table[pair] = static_cast<std::int16_t>(
            fieldvalue(static_cast<signed char>(pair & 0xff), static_cast<signed char>(pair >> 8)));
    return table;
}();

}  // namespace

int strtoint(int column) {
    const auto tens = static_cast<unsigned char>(line[column]);
    const auto units = static_cast<unsigned char>(line[column + 1]);
    return fieldvalues[tens | static_cast<std::size_t>(units) << 8];
}

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
