// The stages of one line evaluation, each written once.  The reference
// program instantiates every stage with its default parameters; a mutant
// instantiates one stage with the single parameter that its alteration
// changes, so the alteration is all that differs between the two.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "dates/dates.hpp"

namespace vorlak::dates {

using syntaxcheck = int (*)();
using conversion = int (*)();
using datechecker = int (*)(int month, int day, int year);
using leaprule = int (*)(int year);
using daycounter = int (*)(date first, date second);

inline constexpr int shortestline = 22;  // 21 date columns and one more, normally the newline

// The digit test.  A byte of 128 to 255 comes here as a negative value and is
// not a digit; no classification table is ever indexed with it.
constexpr bool isdigitchar(int c) { return c >= '0' && c <= '9'; }

// The separator columns are never examined.
constexpr bool isseparator(int column) {
    return column == 2 || column == 5 || column == 10 || column == 13 || column == 16;
}

// Whether a stage has a leap rule at all, told by its type: with
// -fsanitize=null g++ does not take a comparison of a function's address
// with nullptr as a constant expression.
template <auto Leap> inline constexpr bool hasleaprule = !std::is_null_pointer_v<decltype(Leap)>;

// A month table with one entry changed; the table alterations are written so.
constexpr std::array<int, 12> withentry(std::array<int, 12> table, int month, int value) {
    table[static_cast<std::size_t>(month - 1)] = value;
    return table;
}

// What the syntax check scans.
struct syntaxscan {
    int first = 0;     // first column of the scan
    int last = 20;     // last column of the scan
    int skipped = -1;  // a digit column passed over as well; -1 for none
};

// Whether a scan examines column i.
template <syntaxscan S> constexpr bool examined(int i) {
    return i >= S.first && i <= S.last && !isseparator(i) && i != S.skipped;
}

// The columns that a scan examines, for the word of eight columns that
// starts at offset: 0xff in the byte of each examined column, else 0.
template <syntaxscan S> constexpr std::uint64_t scanmask(int offset) {
    std::array<unsigned char, 8> bytes{};
    for (int b = 0; b < 8; b++) {
        if (examined<S>(offset + b))
            bytes[static_cast<std::size_t>(b)] = 0xff;
    }
    return std::bit_cast<std::uint64_t>(bytes);
}

// The bytes of a word that are not digits, as their high bits.  A byte x is
// a digit when x ^ '0' is less than ten; adding 0x76 to its low seven bits
// sets the high bit exactly when they are ten or more, and never carries
// into the next byte.
constexpr std::uint64_t nondigits(std::uint64_t word) {
    constexpr std::uint64_t ones = 0x0101010101010101u;
    const std::uint64_t x = word ^ (ones * '0');
    return (((x & (ones * 0x7f)) + ones * 0x76) | x) & (ones * 0x80);
}

static_assert(
    [] {
        for (int c = 0; c < 256; c++)
            if (((nondigits(static_cast<std::uint64_t>(c)) & 0x80) == 0) != isdigitchar(static_cast<signed char>(c)))
                return false;
        return true;
    }(),
    "the word test must agree with the digit test on every byte");

// The columns that a scan examines among the sixteen from offset, as bits.
template <syntaxscan S> constexpr unsigned scanbits(int offset) {
    unsigned bits = 0;
    for (int b = 0; b < 16; b++) {
        if (examined<S>(offset + b))
            bits |= 1u << b;
    }
    return bits;
}

// Adding digitshift to a byte, with wrap-around, takes '0' to '9' to the ten
// lowest signed values and every other byte above them: one signed compare
// then tells the digits from the rest.
inline constexpr int digitshift = 0x80 - '0';
inline constexpr int highestshifted = -128 + 9;

static_assert(
    [] {
        for (int c = 0; c < 256; c++) {
            const auto shifted = static_cast<signed char>((c + digitshift) & 0xff);
            if ((shifted <= highestshifted) != isdigitchar(static_cast<signed char>(c)))
                return false;
        }
        return true;
    }(),
    "the shifted compare must agree with the digit test on every byte");

#if defined(__SSE2__)
// The bytes of x that are digits, as bits.
inline unsigned digitbits(__m128i x) {
    const __m128i shifted = _mm_add_epi8(x, _mm_set1_epi8(static_cast<char>(digitshift)));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmplt_epi8(shifted, _mm_set1_epi8(highestshifted + 1))));
}
#endif

// The scan answers only whether some examined column fails, so it tests them
// all at once rather than one after the other: the same answer, without a
// branch per column.  Where the processor has 16-byte vectors, one of them
// holds columns 0 to 15 and another columns 16 to 21, loaded as four bytes and
// two; else three words of eight cover columns 0 to 20: the last starts at
// column 13 and so overlaps the second, which leaves 13 to 15 to it.  Either
// way nothing past column 21 is read.  A line that gets this far is at least
// 22 bytes long, and the reader stores it in halves of sixteen before the
// zero byte that ends it; a load of columns 16 to 31 would take in that zero
// too, and a load that needs two stores waits until both reach the cache,
// where one within a single store gets its bytes from the store at once.
template <syntaxscan S> int scansyntax() {
    static_assert(S.first >= 0 && S.last <= 20);
#if defined(__SSE2__)
    constexpr unsigned columns = scanbits<S>(0) | scanbits<S>(16) << 16;
    std::int32_t middle;
    std::int16_t last;
    std::memcpy(&middle, line + 16, sizeof middle);
    std::memcpy(&last, line + 20, sizeof last);
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line));
    const __m128i high = _mm_insert_epi16(_mm_cvtsi32_si128(middle), last, 2);  // columns 16 to 21, then zeros
    return ((digitbits(low) | digitbits(high) << 16) & columns) != columns ? 1 : 0;
#else
    constexpr std::uint64_t low = scanmask<S>(0);
    constexpr std::uint64_t middle = scanmask<S>(8) & ~scanmask<syntaxscan{.first = 13}>(8);
    constexpr std::uint64_t high = scanmask<S>(13);
    std::uint64_t w0, w1, w2;
    std::memcpy(&w0, line, 8);
    std::memcpy(&w1, line + 8, 8);
    std::memcpy(&w2, line + 13, 8);
    return ((nondigits(w0) & low) | (nondigits(w1) & middle) | (nondigits(w2) & high)) != 0 ? 1 : 0;
#endif
}

// The bounds and the table of the date check, test by test.
struct datebounds {
    int lowmonth = 0;        // test 1: month <= lowmonth ...
    int highmonth = 12;      // ... or month > highmonth gives 1
    int lowday = 0;          // test 2: day <= lowday ...
    int highday = 31;        // ... or day > highday gives 2
    int lastbadyear = 1899;  // test 3: year <= lastbadyear gives 3
    // Test 4: the last valid day of each month.  February has 29 in every
    // year; test 5 rejects February 29 of a common year.
    std::array<int, 12> monthdays = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int leapmonth = 2;  // test 5: month == leapmonth, a common year ...
    int leapday = 29;   // ... and day == leapday gives 5
};

// The last valid day of a month for test 4.  Test 1 admits only months with
// a table entry, unless it is itself altered to let month 0 or 13 through;
// such a month gets 31, so test 4 never reads outside the table.
template <datebounds B> constexpr int lastday(int month) {
    if (month < 1 || month > 12)
        return 31;
    return B.monthdays[static_cast<std::size_t>(month - 1)];
}

// The date check: the first test that holds names the error.  With no leap
// rule (nullptr) test 5 is absent and no leap-year function is called.
template <datebounds B, auto Leap> int checkdate(int month, int day, int year) {
    if (month <= B.lowmonth || month > B.highmonth)
        return 1;
    if (day <= B.lowday || day > B.highday)
        return 2;
    if (year <= B.lastbadyear)
        return 3;
    if (day > lastday<B>(month))
        return 4;
    if constexpr (hasleaprule<Leap>) {
        if (month == B.leapmonth && day == B.leapday && Leap(year) == 0)
            return 5;
    }
    return 0;
}

// The conversion stage: store each date, then check it; the second date is
// read only when the first is valid.
template <datechecker Check> int convert() {
    firstdate.month = strtoint(0);
    firstdate.day = strtoint(3);
    const int firsthundreds = strtoint(6);
    firstdate.year = 100 * firsthundreds + strtoint(8);
    if (const int k = Check(firstdate.month, firstdate.day, firstdate.year); k != 0)
        return 10 + k;
    seconddate.month = strtoint(11);
    seconddate.day = strtoint(14);
    const int secondhundreds = strtoint(17);
    seconddate.year = 100 * secondhundreds + strtoint(19);
    if (const int k = Check(seconddate.month, seconddate.day, seconddate.year); k != 0)
        return 20 + k;
    return 0;
}

// The terms and the table of the day number.
struct dayterms {
    bool quadrennials = true;   // year term + y / 4
    bool centuries = true;      // year term - y / 100
    bool quadcenturies = true;  // year term + y / 400
    // Days of a common year before the 1st of each month.
    std::array<int, 12> daysbefore = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    int leapmonths = 2;  // a leap year's months 1 to leapmonths count one day less
};

// Days before a month.  Only an altered date check lets month 0 or 13 reach
// the day count; it counts 0 days before such a month and reads no table.
template <dayterms T> constexpr int daysbefore(int month) {
    if (month < 1 || month > 12)
        return 0;
    return T.daysbefore[static_cast<std::size_t>(month - 1)];
}

// The days of the years before a year, as the day number counts them, in
// the arithmetic of Year.
template <class Year, dayterms T> constexpr Year yearterms(Year year) {
    Year n = 365 * year;
    if constexpr (T.quadrennials)
        n += year / 4;
    if constexpr (T.centuries)
        n -= year / 100;
    if constexpr (T.quadcenturies)
        n += year / 400;
    return n;
}

// The year terms of every year that four digits write, 0 to 9999, for each
// choice of terms: one load in place of the multiplications and divisions.
inline constexpr int tabledyears = 10000;

template <bool Quadrennials, bool Centuries, bool Quadcenturies>
inline constexpr std::array<int, tabledyears> yeartermtable = [] {
    constexpr dayterms terms{.quadrennials = Quadrennials, .centuries = Centuries, .quadcenturies = Quadcenturies};
    std::array<int, tabledyears> table{};
    for (int year = 0; year < tabledyears; year++)
        table[static_cast<std::size_t>(year)] = yearterms<int, terms>(year);
    return table;
}();

// The day number of a date: grows by one from each calendar day to the next.
// For the dates that reach it, 690,000 to 30,000,000: nothing overflows.
// With no leap rule (nullptr) the leap adjustment is absent.
template <dayterms T, auto Leap> int daynumber(date d) {
    // The years of the dates that reach the count lie from 1899 up, and
    // almost all of them to 9999, where the table has their terms.  Larger
    // ones come from mutants that pass over a year column, and any from a
    // direct caller; they are worked out, those from 0 up unsigned, where a
    // division is a shift or one multiplication without the corrections for
    // a negative dividend.
    const auto year = static_cast<unsigned>(d.year);
    int n = year < tabledyears ? yeartermtable<T.quadrennials, T.centuries, T.quadcenturies>[year]
            : d.year >= 0      ? static_cast<int>(yearterms<unsigned, T>(year))
                               : yearterms<int, T>(d.year);
    n += daysbefore<T>(d.month) + d.day;
    // The month is tested first: the leap rule is pure, and most months
    // need no answer from it.
    if constexpr (hasleaprule<Leap>) {
        if (d.month <= T.leapmonths && Leap(d.year) == 1)
            n -= 1;
    }
    return n;
}

// The day difference: the first date's day number is formed first.
template <dayterms T, auto Leap> int countdays(date first, date second) {
    const int from = daynumber<T, Leap>(first);
    return daynumber<T, Leap>(second) - from;
}

// One line evaluation: the length test, then the three stages, each of which
// may end it with its result code.  Every stage is compiled into the
// evaluation (flatten), so that each entry is one body without calls; the
// stages run exactly as written.
template <syntaxcheck Syntax, conversion Convert, daycounter Count> [[gnu::flatten]] int evaluate(int length) {
    if (length < shortestline)
        return badsyntax;
    if (Syntax() != 0)
        return badsyntax;
    if (const int c = Convert(); c != 0)
        return -c;
    const int days = Count(firstdate, seconddate);
    // A negative count becomes reversed without a branch: in a file of mixed
    // lines the sign follows no pattern, and a branch on it would be guessed
    // wrong for about every other valid line.
    const int negative = days >> 31;  // all ones for a negative count, else zero
    return (days & ~negative) | (reversed & negative);
}

}  // namespace vorlak::dates
