// The faster forms that vorlak compiles in place of some functions of the
// date program (dates/program.hpp).  Each gives the same answer as the
// function it stands in for on every input that can reach it; the tests
// prove it over all of them.  Read program.hpp to learn what the program
// does; read this to learn how vorlak makes it fast.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "dates/program.hpp"

namespace vorlak::dates::fast {

// --- checksyntax<S>: all examined columns tested at once -------------------
//
// The scan answers only whether some examined column fails, so it tests them
// all at once rather than one after the other: the same answer, without a
// branch per column.

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

// Three words of eight cover columns 0 to 20: the last starts at column 13
// and so overlaps the second, which leaves 13 to 15 to it.  Nothing past
// column 20 is read.
template <syntaxscan S> int wordscan() {
    static_assert(S.first >= 0 && S.last <= 20);
    constexpr std::uint64_t low = scanmask<S>(0);
    constexpr std::uint64_t middle = scanmask<S>(8) & ~scanmask<syntaxscan{.first = 13}>(8);
    constexpr std::uint64_t high = scanmask<S>(13);
    std::uint64_t w0, w1, w2;
    std::memcpy(&w0, line, 8);
    std::memcpy(&w1, line + 8, 8);
    std::memcpy(&w2, line + 13, 8);
    return ((nondigits(w0) & low) | (nondigits(w1) & middle) | (nondigits(w2) & high)) != 0 ? 1 : 0;
}

#if defined(__SSE2__)
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

// The bytes of x that are digits, as bits.
inline unsigned digitbits(__m128i x) {
    const __m128i shifted = _mm_add_epi8(x, _mm_set1_epi8(static_cast<char>(digitshift)));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmplt_epi8(shifted, _mm_set1_epi8(highestshifted + 1))));
}

// One 16-byte vector holds columns 0 to 15 and another columns 16 to 21,
// loaded as four bytes and two.  A line that gets this far is at least 22
// bytes long, and the reader stores it in halves of sixteen before the zero
// byte that ends it; a load of columns 16 to 31 would take in that zero too,
// and a load that needs two stores waits until both reach the cache, where
// one within a single store gets its bytes from the store at once.
template <syntaxscan S> int vectorscan() {
    static_assert(S.first >= 0 && S.last <= 20);
    constexpr unsigned columns = scanbits<S>(0) | scanbits<S>(16) << 16;
    std::int32_t middle;
    std::int16_t last;
    std::memcpy(&middle, line + 16, sizeof middle);
    std::memcpy(&last, line + 20, sizeof last);
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line));
    const __m128i high = _mm_insert_epi16(_mm_cvtsi32_si128(middle), last, 2);  // columns 16 to 21, then zeros
    return ((digitbits(low) | digitbits(high) << 16) & columns) != columns ? 1 : 0;
}
#endif

// Stands in for checksyntax<S>: the vector scan where the processor has
// 16-byte vectors, else the word scan.
template <syntaxscan S = syntaxscan{}> int checksyntax() {
#if defined(__SSE2__)
    return vectorscan<S>();
#else
    return wordscan<S>();
#endif
}

// --- strtoint: a field's value by table -----------------------------------
//
// The conversion reads eight fields per evaluation, two evaluations per line:
// one load of the pair of bytes and one of the table take the place of two
// loads and the arithmetic.

// The value of every pair of bytes, indexed by the two bytes as one number,
// the first byte low.  The values lie in -1936 to 869.
inline constexpr std::array<std::int16_t, 65536> fieldvalues = [] {
    std::array<std::int16_t, 65536> table{};
    for (std::size_t pair = 0; pair < table.size(); pair++) {
        const auto tens = static_cast<signed char>(pair & 0xff);
        const auto units = static_cast<signed char>(pair >> 8);
        table[pair] = static_cast<std::int16_t>(fieldvalue(tens, units));
    }
    return table;
}();

// Stands in for strtoint.
inline int strtoint(int column) {
    const auto tens = static_cast<unsigned char>(line[column]);
    const auto units = static_cast<unsigned char>(line[column + 1]);
    return fieldvalues[tens | static_cast<std::size_t>(units) << 8];
}

// --- yearterms<T>: the terms of the years 0 to 9999 by table ----------------

// The years of the dates that reach the count lie from 1899 up, and almost
// all of them to 9999, where a table has their terms: one load in place of
// the multiplications and divisions.
inline constexpr int tabledyears = 10000;

template <bool Quadrennials, bool Centuries, bool Quadcenturies>
inline constexpr std::array<int, tabledyears> yeartermtable = [] {
    constexpr dayterms terms{.quadrennials = Quadrennials, .centuries = Centuries, .quadcenturies = Quadcenturies};
    std::array<int, tabledyears> table{};
    for (int year = 0; year < tabledyears; year++)
        table[static_cast<std::size_t>(year)] = dates::yearterms<terms>(year);
    return table;
}();

// Stands in for yearterms<T>.  Larger years come only from mutants that pass
// over a year column, and any year from a direct caller: they are worked out.
template <dayterms T = dayterms{}> int yearterms(int y) {
    if (const auto year = static_cast<unsigned>(y); year < tabledyears)
        return yeartermtable<T.quadrennials, T.centuries, T.quadcenturies>[year];
    return dates::yearterms<T>(y);
}

// --- daynumber<T, Leap, Years>: the month looked at before the rule ---------
//
// The leap-year rule is pure, so the day number is the same whether the rule
// or the month is asked first; most dates lie after February, and asking
// the month first spares them the rule's divisions and a branch that
// follows no pattern.

// Stands in for daynumber<T, Leap, Years>.
template <dayterms T = dayterms{}, auto Leap = leap<>, yearcounter Years = yearterms<T>> int daynumber(date d) {
    int n = Years(d.year) + daysbefore<T>(d.month) + d.day;
    if constexpr (hasleaprule<Leap>) {
        if (d.month <= T.leapmonths && Leap(d.year) == 1)
            n -= 1;
    }
    return n;
}

// Stands in for countdays<T, Leap, Years, Watch>, with the day number above.
template <dayterms T = dayterms{}, auto Leap = leap<>, yearcounter Years = yearterms<T>, class Watch = unwatched>
int countdays(date first, date second) {
    const int from = fast::daynumber<T, Leap, Years>(first);
    const int to = fast::daynumber<T, Leap, Years>(second);
    Watch::daynumbers(from, to);
    return to - from;
}

// --- dayresult: the sign without a branch ---------------------------------
//
// In a file of mixed lines the sign of the count follows no pattern, and a
// branch on it would be guessed wrong for about every other valid line.

// Stands in for dayresult.
constexpr int dayresult(int days) {
    const int negative = days >> 31;  // all ones for a negative count, else zero
    return (days & ~negative) | (reversed & negative);
}

}  // namespace vorlak::dates::fast
