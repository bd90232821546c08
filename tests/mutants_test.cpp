// The mutant set against what each alteration may and may not change.  A
// model of every mutant, built from the difference tables and std::chrono
// alone, predicts all 65 results of a line; the kill tables pin exact values,
// and a seeded stream of lines checks that nothing else changed.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "dates/dates.hpp"
#include "model.hpp"
#include "mutants/beliefs.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/mutants.hpp"
#include "mutants/wiring.hpp"
#include "testlines.hpp"

namespace {

using namespace vorlak;
using namespace vorlak::mutants;
using dates::date;
using tests::digitcolumns;
using tests::putline;
using tests::withbyte;
namespace calendar = tests::calendar;

using tests::printable;

constexpr int maxreported = 10;

int run(int number, int length) { return mutants::entries[static_cast<std::size_t>(number - 1)](length); }

// --- the model ---------------------------------------------------------------------

// The code a date-check mutant (17 to 45) gives where its row says it differs
// from the reference; nothing where the row says the codes are equal.
std::optional<int> listedcode(int n, int m, int d, int y) {
    const bool month112 = m >= 1 && m <= 12;
    const bool common = y >= 1900 && !calendar::isleap(y);  // a common year that passes test 3
    const bool feb29 = m == 2 && d == 29;
    // clang-format off
    switch (n) {
    case 17:
    case 20:
        // Month 0 or 13 gets the last valid day 31 in test 4.
        if (m == (n == 17 ? 0 : 13))
            return d < 1 || d > 31 ? 2 : y <= 1899 ? 3 : 0;
        break;
    case 18: if (m == 1) return 1; break;
    case 19: if (m == 12) return 1; break;
    case 21: if (d == 0 && month112) return y <= 1899 ? 3 : 0; break;
    case 22: if (d == 1 && month112) return 2; break;
    case 23: if (d == 31 && month112) return 2; break;
    case 24: if (d == 32 && month112) return y <= 1899 ? 3 : 4; break;
    case 25:
        if (y == 1899 && month112 && d >= 1 && d <= 31)
            return calendar::ymd(m, d, y).ok() ? 0 : feb29 ? 5 : 4;
        break;
    case 26: if (y == 1900 && month112 && d >= 1 && d <= 31) return 3; break;
    case 27: if (common && m == 1 && d == 29) return 5; if (common && feb29) return 0; break;
    case 28: if (common && m == 3 && d == 29) return 5; if (common && feb29) return 0; break;
    case 29: if (common && m == 2 && d == 28) return 5; if (common && feb29) return 0; break;
    case 30: if (common && feb29) return 0; break;
    case 43: if (feb29 && y >= 1900 && y % 400 == 0) return 5; break;
    case 44: if (feb29 && y >= 1900 && y % 100 == 0 && y % 400 != 0) return 0; break;
    case 45: if (feb29 && common) return 0; break;
    default:
        if (n >= 31 && n <= 42) {
            // One month-length entry: the month, the day that changes, and its new code.
            struct entry { int month, day, code; };
            static constexpr entry entries[] = {{1, 31, 4}, {2, 29, 4},  {3, 31, 4},  {4, 31, 0},
                                                {5, 31, 4}, {6, 31, 0},  {7, 31, 4},  {8, 31, 4},
                                                {9, 31, 0}, {10, 31, 4}, {11, 31, 0}, {12, 31, 4}};
            const entry& e = entries[n - 31];
            if (y >= 1900 && m == e.month && d == e.day)
                return e.code;
        }
        break;
    }
    // clang-format on
    return std::nullopt;
}

int mutantcode(int n, int m, int d, int y) {
    const auto listed = listedcode(n, m, d, y);
    return listed ? *listed : calendar::datecode(m, d, y);
}

// The reference day number up to a constant, for any date a date-check mutant
// lets through: day 0, a day past the month's end, year 1899, and months 0
// and 13, which count 0 days before the month (January's 0, but month 13
// without the leap adjustment of January and February).
int daynumber(date x) {
    if (x.month == 0)
        return calendar::serial(1, x.day, x.year);
    if (x.month == 13)
        return calendar::serial(1, x.day, x.year) + (calendar::isleap(x.year) ? 1 : 0);
    return calendar::serial(x);
}

// Date offsets of the day-difference mutants 46 to 65: the mutant's day
// number minus the reference's.
int offset(int n, date x) {
    const int y = x.year, m = x.month;
    const bool leapyear = calendar::isleap(y);
    static constexpr int monthlength[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    // clang-format off
    switch (n) {
    case 46: return -(y / 400);
    case 47: return y / 100 - y / 400;
    case 48: return -(y / 4 - y / 100 + y / 400);
    case 49: return m <= 2 && y % 400 == 0 ? 1 : 0;
    case 50: return m <= 2 && y % 100 == 0 && y % 400 != 0 ? -1 : 0;
    case 51: return m == 2 && leapyear ? 1 : 0;
    case 52: return m == 3 && leapyear ? -1 : 0;
    case 53: return m <= 2 && leapyear ? 1 : 0;
    case 54: return monthlength[m - 1];
    default: return m == n - 53 ? -1 : 0;  // 55 to 65: February to December
    }
    // clang-format on
}

int counted(int days) { return days < 0 ? -3 : days; }

int digitat(int column) { return dates::line[column] - '0'; }

date readdate(int column) {
    return {digitat(column) * 10 + digitat(column + 1), digitat(column + 3) * 10 + digitat(column + 4),
            digitat(column + 6) * 1000 + digitat(column + 7) * 100 + digitat(column + 8) * 10 + digitat(column + 9)};
}

bool isdigit(int column) { return dates::line[column] >= '0' && dates::line[column] <= '9'; }

// What mutant n must answer for the line in the buffer, given the reference
// result ref of the same line.
int predict(int n, int length, int ref) {
    if (length <= 21)
        return -4;
    if (n <= 16) {
        // Differs exactly when its unexamined column alone holds a non-digit;
        // then the reference stages go on with whatever that column reads as.
        const int own = digitcolumns[static_cast<std::size_t>(n - 1)];
        for (const int column : digitcolumns)
            if ((column == own) == isdigit(column))
                return ref;
        if (const int c = dates::convertline(); c != 0)
            return -c;
        return counted(dates::daysdiff(dates::firstdate, dates::seconddate));
    }
    if (ref == -4)
        return -4;
    const date a = readdate(0), b = readdate(11);
    if (n <= 45) {
        if (const int k = mutantcode(n, a.month, a.day, a.year); k != 0)
            return -(10 + k);
        if (const int k = mutantcode(n, b.month, b.day, b.year); k != 0)
            return -(20 + k);
        return counted(daynumber(b) - daynumber(a));
    }
    if (ref != -3 && ref < 0)
        return ref;  // an invalid date: the reference conversion decides
    return counted(calendar::serial(b) - calendar::serial(a) + offset(n, b) - offset(n, a));
}

// Every one of the 65 mutants answers the line as the model predicts.
void expectall(const std::string& text) {
    const int length = putline(text);
    const int ref = dates::testline(length);
    for (int n = 1; n <= mutantcount; n++) {
        const int want = predict(n, length, ref);
        EXPECT_EQ(run(n, length), want) << "mutant " << n << " on " << printable(text) << " (reference " << ref << ')';
    }
}

// --- the kill tables -----------------------------------------------------------------

// A line that kills mutant n, both results exact, and a neighbouring line on
// the other side of its boundary that gives agreed for both.  Lines are their
// 21 columns; the newline is added.
struct killrow {
    int n;
    std::string kill;
    int ref, mutant;
    std::string neighbour;
    int agreed;
};

void checkrows(const std::vector<killrow>& rows) {
    for (const auto& r : rows) {
        const std::string kill = r.kill + '\n', neighbour = r.neighbour + '\n';
        ASSERT_NE(r.ref, r.mutant) << "mutant " << r.n;
        int length = putline(kill);
        EXPECT_EQ(dates::testline(length), r.ref) << "reference on " << printable(kill);
        EXPECT_EQ(run(r.n, length), r.mutant) << "mutant " << r.n << " on " << printable(kill);
        length = putline(neighbour);
        EXPECT_EQ(dates::testline(length), r.agreed) << "reference on " << printable(neighbour);
        EXPECT_EQ(run(r.n, length), r.agreed) << "mutant " << r.n << " on " << printable(neighbour);
        expectall(kill);
        expectall(neighbour);
    }
}

// A line and what the reference and one mutant give for it, equal or not.
struct edgerow {
    int n;
    std::string line;
    int ref, mutant;
};

void checkedges(const std::vector<edgerow>& rows) {
    for (const auto& r : rows) {
        const std::string text = r.line + '\n';
        const int length = putline(text);
        EXPECT_EQ(dates::testline(length), r.ref) << "reference on " << printable(text);
        EXPECT_EQ(run(r.n, length), r.mutant) << "mutant " << r.n << " on " << printable(text);
        expectall(text);
    }
}

const std::string baseline = "01/01/2000 01/01/2000";

// --- syntax-check mutants 1 to 16 -----------------------------------------------------

TEST(SyntaxMutants, KillTable) {
    // Results with a colon, a blank and a nine in the mutant's unexamined column.
    // clang-format off
    struct results { int colon, blank, nine; };
    const results table[16] = {
        {-11, -11, -11}, {-3, -11, -3},  {-12, -12, -12}, {-3, -12, -3}, {-3, -13, -3},   {-3, -13, -3},
        {-3, -13, -3},   {-3, 5844, -3}, {-21, -21, -21}, {274, -21, 244}, {-22, -22, -22}, {9, -22, 8},
        {2921940, -23, 2556698}, {365243, -23, 328719}, {36525, -23, 32873}, {3653, -3, 3288},
    };
    // clang-format on
    std::vector<killrow> rows;
    for (int n = 1; n <= 16; n++) {
        const int column = digitcolumns[static_cast<std::size_t>(n - 1)];
        const results& r = table[n - 1];
        const std::string nine = withbyte(baseline, column, '9');
        rows.push_back({n, withbyte(baseline, column, ':'), -4, r.colon, nine, r.nine});
        rows.push_back({n, withbyte(baseline, column, ' '), -4, r.blank, nine, r.nine});
    }
    checkrows(rows);
}

TEST(SyntaxMutants, OneNonDigitKillsOneMutantAndNoMore) {
    for (int n = 1; n <= 16; n++) {
        const int column = digitcolumns[static_cast<std::size_t>(n - 1)];
        const int other = digitcolumns[static_cast<std::size_t>(n % 16)];
        const std::string colon = withbyte(baseline, column, ':');
        const int killed = [&] {
            const int length = putline(colon + '\n');
            return run(n, length);
        }();
        // A second non-digit elsewhere makes the mutant's own check fail too.
        checkedges({{n, withbyte(colon, other, 'x'), -4, -4}});
        // Only the length test looks beyond column 20: 21 bytes kill nothing,
        // and anything after column 20 changes nothing.
        const int length = putline(colon);
        for (int m = 1; m <= mutantcount; m++)
            EXPECT_EQ(run(m, length), -4) << "mutant " << m << " on the 21 bytes of " << printable(colon);
        checkedges({{n, colon + " and more text", -4, killed}, {n, colon + std::string(1, '\0'), -4, killed}});
    }
}

TEST(SyntaxMutants, Edges) {
    // clang-format off
    checkedges({
        {8, withbyte(baseline, 9, 204), -4, 36524},           // a byte of 128 or more counts as negative
        {16, "01/01/2000 01/01/200\r", -4, -3},               // a stored carriage return in column 20
        {16, "01/01/2000 01/01/200", -4, -4},                 // the same line without it is 21 bytes long
        {9, "13/01/2000 x1/01/2000", -4, -11},                // the rest of the line need not be valid
        {9, "13/01/2000 x1/01/200x", -4, -4},
        {1, "\xff" "1/01/2000 01/01/2000", -4, -11},
        {5, "01/01/\x80" "000 01/01/2000", -4, -13},
        {13, "01/01/2000 01/01/:000", -4, 2921940},
    });
    // clang-format on
}

TEST(SyntaxMutants, EachPassesOverItsOwnColumnOnly) {
    using scan = int (*)();
    const auto scans = []<std::size_t... I>(std::index_sequence<I...>) {
        return std::array<scan, 16>{syntaxof<static_cast<int>(I) + 1>...};
    }
    (std::make_index_sequence<16>{});
    for (int byte = 0; byte <= 255; byte++) {
        const bool digit = byte >= '0' && byte <= '9';
        for (const int column : digitcolumns) {
            putline(withbyte(baseline + '\n', column, byte));
            for (int n = 1; n <= 16; n++) {
                const int want = digit || column == digitcolumns[static_cast<std::size_t>(n - 1)] ? 0 : 1;
                ASSERT_EQ(scans[static_cast<std::size_t>(n - 1)](), want)
                    << "m" << n << "chkinputsyntax, byte " << byte << " in column " << column;
            }
        }
        for (const int column : tests::separatorcolumns) {
            putline(withbyte(baseline + '\n', column, byte));
            for (int n = 1; n <= 16; n++)
                ASSERT_EQ(scans[static_cast<std::size_t>(n - 1)](), 0)
                    << "m" << n << "chkinputsyntax, byte " << byte << " in column " << column;
        }
    }
}

// What a syntax mutant's description says follows a non-digit in its column,
// on every such byte and every digit in the other column of its field:
// where it says the date check rejects the line instead, no month or day the
// byte makes passes; where it does not, some byte gets the line a count.
TEST(SyntaxMutants, WhatTheDateCheckThenDoes) {
    for (int n = 1; n <= 16; n++) {
        const int column = digitcolumns[static_cast<std::size_t>(n - 1)];
        const bool rejects = mutantof(n).description.ends_with("which rejects the line instead");
        // The column that makes a two-digit field with this one.
        const int other =
            column % 11 == 0 || column % 11 == 3 || column % 11 == 6 || column % 11 == 8 ? column + 1 : column - 1;
        bool counted = false;
        for (int byte = 0; byte <= 255; byte++) {
            if (byte >= '0' && byte <= '9')
                continue;
            for (char digit = '0'; digit <= '9'; digit++) {
                const std::string text = withbyte(withbyte(baseline, other, digit), column, byte) + '\n';
                const int result = run(n, putline(text));
                if (rejects) {
                    ASSERT_LE(result, -11) << "mutant " << n << " on " << printable(text);
                }
                counted = counted || result >= -3;
            }
        }
        EXPECT_NE(counted, rejects) << "mutant " << n;
    }
}

// --- date-check mutants 17 to 42 ---------------------------------------------------------

TEST(DateCheckMutants, KillTable) {
    checkrows({
        {17, "00/00/2000 01/01/2001", -11, -12, "01/00/2000 01/01/2001", -12},
        {18, "01/15/2000 01/16/2000", 1, -11, "02/15/2000 02/16/2000", 1},
        {19, "12/15/2000 12/16/2000", 1, -11, "11/15/2000 11/16/2000", 1},
        {20, "13/00/2000 01/01/2001", -11, -12, "12/00/2000 01/01/2001", -12},
        {21, "01/00/2000 01/01/2000", -12, 1, "01/01/2000 01/01/2000", 0},
        {22, "01/01/2000 01/02/2000", 1, -12, "01/02/2000 01/03/2000", 1},
        {23, "01/31/2000 02/01/2000", 1, -12, "01/30/2000 02/01/2000", 2},
        {24, "01/32/2000 02/01/2000", -12, -14, "01/33/2000 02/01/2000", -12},
        {25, "12/31/1899 01/01/1900", -13, 1, "12/31/1898 01/01/1900", -13},
        {26, "01/01/1900 01/02/1900", 1, -13, "01/01/1901 01/02/1901", 1},
        {27, "01/29/2001 01/30/2001", 1, -15, "01/29/2004 01/30/2004", 1},
        {28, "03/29/2001 03/30/2001", 1, -15, "03/29/2004 03/30/2004", 1},
        {29, "02/28/2001 03/01/2001", 1, -15, "02/28/2004 03/01/2004", 2},
        {30, "02/29/2001 03/01/2001", -15, 0, "02/29/2004 03/01/2004", 1},
        {31, "01/31/2000 02/01/2000", 1, -14, "01/30/2000 02/01/2000", 2},
        {32, "02/29/2000 03/01/2000", 1, -14, "02/28/2000 03/01/2000", 2},
        {33, "03/31/2000 04/01/2000", 1, -14, "03/30/2000 04/01/2000", 2},
        {34, "04/31/2000 05/01/2000", -14, 0, "04/30/2000 05/01/2000", 1},
        {35, "05/31/2000 06/01/2000", 1, -14, "05/30/2000 06/01/2000", 2},
        {36, "06/31/2000 07/01/2000", -14, 0, "06/30/2000 07/01/2000", 1},
        {37, "07/31/2000 08/01/2000", 1, -14, "07/30/2000 08/01/2000", 2},
        {38, "08/31/2000 09/01/2000", 1, -14, "08/30/2000 09/01/2000", 2},
        {39, "09/31/2000 10/01/2000", -14, 0, "09/30/2000 10/01/2000", 1},
        {40, "10/31/2000 11/01/2000", 1, -14, "10/30/2000 11/01/2000", 2},
        {41, "11/31/2000 12/01/2000", -14, 0, "11/30/2000 12/01/2000", 1},
        {42, "12/31/2000 01/01/2001", 1, -14, "12/30/2000 01/01/2001", 2},
    });
}

// Months 0 and 13 pass test 4 up to day 31 and count 0 days before the month.
TEST(DateCheckMutants, MonthsZeroAndThirteen) {
    // clang-format off
    checkedges({
        {17, "00/45/2000 01/01/2001", -11, -12},  {17, "00/15/1899 01/01/2001", -11, -13},
        {17, "00/31/2000 01/01/2001", -11, 336},  {17, "00/32/2000 01/01/2001", -11, -12},
        {17, "00/15/2000 01/15/2000", -11, 0},    {17, "01/01/2000 00/15/2000", -21, 14},
        {17, "01/01/2000 00/32/2000", -21, -22},  {17, "01/01/2000 00/05/1899", -21, -23},
        {17, "01/02/2000 00/01/2000", -21, -3},   {20, "13/31/2000 01/01/2001", -11, 335},
        {20, "13/15/2001 01/01/2002", -11, 351},  {20, "13/15/2000 01/16/2000", -11, 0},
        {20, "13/15/2000 01/15/2000", -11, -3},   {20, "01/01/2000 13/15/2000", -21, 15},
        {20, "13/99/2000 01/01/2001", -11, -12},  {20, "01/01/2000 14/15/2000", -21, -21},
        {17, "99/15/2000 01/01/2001", -11, -11},
    });
    // clang-format on
}

TEST(DateCheckMutants, Edges) {
    // clang-format off
    checkedges({
        {27, "02/29/2001 03/01/2001", -15, 0}, {28, "02/29/2001 03/01/2001", -15, 0},
        {29, "02/29/2001 03/01/2001", -15, 0}, {30, "02/29/2001 03/01/2001", -15, 0},
        {32, "02/29/2001 03/01/2001", -15, -14}, {32, "02/29/2000 03/01/2000", 1, -14},
        {21, "01/01/2000 03/00/2000", -22, 59}, {21, "01/00/1899 01/01/2000", -12, -13},
        {22, "01/01/1899 01/01/1900", -13, -12}, {23, "01/01/1900 04/31/1899", -23, -22},
        {24, "01/32/1899 02/01/2000", -12, -13}, {25, "02/29/1899 03/01/1900", -13, -15},
        {25, "04/31/1899 01/01/1900", -13, -14}, {25, "01/01/1900 12/31/1899", -23, -3},
        {26, "02/29/1900 03/01/1900", -15, -13}, {34, "04/31/2001 05/01/2001", -14, 0},
        {30, "02/29/1900 03/01/1900", -15, 0},  {29, "02/28/2000 03/01/2000", 2, 2},
        {27, "01/29/1900 01/30/1900", 1, -15},  {27, "01/29/1899 01/30/1900", -13, -13},
    });
    // clang-format on
}

// The difference tables read as equal codes on every date they do not list.
TEST(DateCheckMutants, DifferOnlyOnTheDatesTheirRowsList) {
    std::vector<int> years;
    for (int y = 1880; y <= 2420; y++)
        years.push_back(y);
    for (const int y : {0, 1, 99, 1600, 1700, 1800, 2800, 3000, 9900, 9996, 9999, 10000, 79996})
        years.push_back(y);
    std::array<int, 29> differing{};
    int failures = 0;
    for (const int y : years)
        for (int m = -1; m <= 14; m++)
            for (int d = -1; d <= 33; d++) {
                const int ref = calendar::datecode(m, d, y);
                for (int n = 17; n <= 45; n++) {
                    const auto listed = listedcode(n, m, d, y);
                    const int want = listed ? *listed : ref;
                    const int got = tests::datechecks[static_cast<std::size_t>(n - 17)](m, d, y);
                    if (listed) {
                        differing[static_cast<std::size_t>(n - 17)]++;
                        if (*listed == ref)
                            ADD_FAILURE()
                                << "row " << n << " lists " << m << '/' << d << '/' << y << " with the reference code";
                    }
                    if (got != want) {
                        ADD_FAILURE() << "m" << n << "chkdate(" << m << ", " << d << ", " << y << ") = " << got
                                      << ", want " << want << " (reference " << ref << ')';
                        if (++failures == maxreported)
                            return;
                    }
                }
            }
    for (int n = 17; n <= 45; n++)
        EXPECT_GT(differing[static_cast<std::size_t>(n - 17)], 0) << "mutant " << n << " never differs";
}

TEST(DateCheckMutants, ConversionCopiesCallTheirOwnCheckForBothDates) {
    using conversion = int (*)();
    // clang-format off
    const auto conversions = []<std::size_t... I>(std::index_sequence<I...>) {
        return std::array<conversion, 29>{convertof<static_cast<int>(I) + 17>...};
    }(std::make_index_sequence<29>{});
    const date dates[] = {{0, 0, 2000},  {0, 15, 2000}, {1, 15, 2000},  {12, 15, 2000}, {13, 15, 2000},
                          {1, 0, 2000},  {1, 1, 2000},  {1, 31, 2000},  {1, 32, 2000},  {12, 31, 1899},
                          {1, 1, 1900},  {1, 29, 2001}, {3, 29, 2001},  {2, 28, 2001},  {2, 29, 2001},
                          {2, 29, 2000}, {2, 29, 1900}, {3, 31, 2000},  {4, 31, 2000},  {5, 31, 2000},
                          {6, 31, 2000}, {7, 31, 2000}, {8, 31, 2000},  {9, 31, 2000},  {10, 31, 2000},
                          {11, 31, 2000}, {12, 31, 2000}, {6, 15, 2004}};
    // clang-format on
    for (int n = 17; n <= 45; n++)
        for (const date& a : dates)
            for (const date& b : dates) {
                putline(tests::dateline(a, b));
                const int ka = mutantcode(n, a.month, a.day, a.year), kb = mutantcode(n, b.month, b.day, b.year);
                const int want = ka ? 10 + ka : kb ? 20 + kb : 0;
                ASSERT_EQ(conversions[static_cast<std::size_t>(n - 17)](), want)
                    << "m" << n << "convertline on " << tests::dateline(a, b);
                ASSERT_EQ(tests::show(dates::firstdate), tests::show(a));
                if (ka == 0) {
                    ASSERT_EQ(tests::show(dates::seconddate), tests::show(b));
                }
            }
}

// --- leap-year mutants 43 to 45 -------------------------------------------------------------

TEST(LeapYearMutants, KillTable) {
    checkrows({
        {43, "02/29/2000 03/01/2000", 1, -15, "02/29/2004 03/01/2004", 1},
        {44, "02/29/1900 03/01/1900", -15, 0, "02/29/2000 03/01/2000", 1},
        {45, "02/29/2001 03/01/2001", -15, 0, "02/29/2004 03/01/2004", 1},
        {49, "01/01/2000 03/01/2000", 60, 59, "01/01/2000 02/01/2000", 31},
        {50, "01/01/1900 03/01/1900", 59, 60, "01/01/1900 02/01/1900", 31},
    });
}

TEST(LeapYearMutants, Edges) {
    // clang-format off
    checkedges({
        {44, "02/29/1900 03/01/1900", -15, 0},    {45, "02/29/1900 03/01/1900", -15, 0},
        {44, "02/29/2000 03/01/2000", 1, 1},      {45, "02/29/2000 03/01/2000", 1, 1},
        {43, "02/28/2000 03/01/2000", 2, 2},      {44, "02/28/1900 03/01/1900", 1, 1},
        {45, "02/28/2001 03/01/2001", 1, 1},      {43, "02/29/1600 03/01/2000", -13, -13},
        {44, "02/29/1800 03/01/2000", -13, -13},  {43, "01/01/2000 02/29/2400", 146156, -25},
        {44, "01/01/2000 02/29/2100", -25, 36584}, {49, "01/01/2000 02/28/2000", 58, 58},
        {50, "01/01/1900 02/28/1900", 58, 58},    {49, "03/01/2000 01/01/2000", -3, -3},
        {50, "03/01/1900 01/01/1900", -3, -3},    {49, "01/01/2000 01/01/2400", 146097, 146097},
        {49, "01/01/2000 03/01/2400", 146157, 146156},
    });
    // clang-format on
}

// The rules that the rows of 43 to 45 give the date check, and 49 and 50
// the day count, against the calendar.
TEST(LeapYearMutants, RulesDifferOnTheirYearsOnly) {
    constexpr dates::leaprule m43 = ruleof<mutantof(43).change.checkrule>();
    constexpr dates::leaprule m44 = ruleof<mutantof(44).change.checkrule>();
    constexpr dates::leaprule m45 = ruleof<mutantof(45).change.checkrule>();
    EXPECT_EQ(m43, ruleof<mutantof(49).change.countrule>());
    EXPECT_EQ(m44, ruleof<mutantof(50).change.countrule>());
    for (int y = -9999; y <= 9999; y++) {
        const bool leapyear = calendar::isleap(y);
        ASSERT_EQ(dates::leap(y), leapyear ? 1 : 0) << y;
        ASSERT_EQ(m43(y), leapyear && y % 400 != 0 ? 1 : 0) << y;
        ASSERT_EQ(m44(y), leapyear || (y % 100 == 0 && y % 400 != 0) ? 1 : 0) << y;
        ASSERT_EQ(m45(y), 1) << y;
    }
}

// --- the wiring ----------------------------------------------------------------------

TEST(Wiring, SharedLeapRulesServeOneStageEach) {
    // clang-format off
    checkedges({
        {43, "02/29/2000 03/01/2000", 1, -15}, {49, "02/29/2000 03/01/2000", 1, 0},
        {43, "01/01/2000 03/01/2000", 60, 60}, {49, "01/01/2000 03/01/2000", 60, 59},
        {44, "02/29/1900 03/01/1900", -15, 0}, {50, "02/29/1900 03/01/1900", -15, -15},
        {44, "01/01/1900 03/01/1900", 59, 59}, {50, "01/01/1900 03/01/1900", 59, 60},
    });
    // clang-format on
}

TEST(Wiring, WhatTheWiringAloneDecides) {
    // clang-format off
    const std::string lines[] = {
        "", "\n", "01/01/2000 01/01/200\n", "01/01/2000 01/01/2000", "x1/01/2000 01/01/2000\n",
        "01/01/2000 01/01/2a00\n", "13/01/2000 01/01/2000\n", "02/29/1900 03/01/2000\n", "01/01/2000 02/30/2000\n",
    };
    // clang-format on
    for (const auto& text : lines) {
        const int length = putline(text);
        const int ref = dates::testline(length);
        const int first = length <= 21 ? 1 : ref == -4 ? 17 : 46;
        for (int n = first; n <= mutantcount; n++)
            EXPECT_EQ(run(n, length), ref) << "mutant " << n << " on " << printable(text);
        // Every altered syntax check accepts what the reference accepts.
        if (ref != -4) {
            for (int n = 1; n <= 16; n++)
                EXPECT_EQ(run(n, length), ref) << "mutant " << n << " on " << printable(text);
        }
    }
}

// --- day-difference mutants 46 to 65 -------------------------------------------------------

TEST(DayDifferenceMutants, KillTable) {
    checkrows({
        {46, "12/31/1999 01/01/2000", 1, 0, "01/01/2000 01/01/2001", 366},
        {47, "12/31/2099 01/01/2100", 1, 2, "12/31/2100 01/01/2101", 1},
        {48, "03/01/2003 03/01/2004", 366, 365, "03/01/2004 03/01/2005", 365},
        {49, "01/01/2000 03/01/2000", 60, 59, "01/01/2000 02/01/2000", 31},
        {50, "01/01/1900 03/01/1900", 59, 60, "01/01/1900 02/01/1900", 31},
        {51, "02/01/2000 03/01/2000", 29, 28, "02/01/2001 03/01/2001", 28},
        {52, "03/01/2000 04/01/2000", 31, 32, "03/01/2001 04/01/2001", 31},
        {53, "01/01/2000 03/01/2000", 60, 59, "01/01/2001 03/01/2001", 59},
        {54, "01/01/2001 02/01/2001", 31, 28, "01/01/2001 03/01/2001", 59},
        {55, "01/01/2001 02/01/2001", 31, 30, "01/01/2001 03/01/2001", 59},
        {56, "02/01/2001 03/01/2001", 28, 27, "02/01/2001 04/01/2001", 59},
        {57, "03/01/2001 04/01/2001", 31, 30, "03/01/2001 05/01/2001", 61},
        {58, "04/01/2001 05/01/2001", 30, 29, "04/01/2001 06/01/2001", 61},
        {59, "05/01/2001 06/01/2001", 31, 30, "05/01/2001 07/01/2001", 61},
        {60, "06/01/2001 07/01/2001", 30, 29, "06/01/2001 08/01/2001", 61},
        {61, "07/01/2001 08/01/2001", 31, 30, "07/01/2001 09/01/2001", 62},
        {62, "08/01/2001 09/01/2001", 31, 30, "08/01/2001 10/01/2001", 61},
        {63, "09/01/2001 10/01/2001", 30, 29, "09/01/2001 11/01/2001", 61},
        {64, "10/01/2001 11/01/2001", 31, 30, "10/01/2001 12/01/2001", 61},
        {65, "11/01/2001 12/01/2001", 30, 29, "11/01/2001 01/01/2002", 61},
    });
}

TEST(DayDifferenceMutants, Edges) {
    // clang-format off
    checkedges({
        {47, "01/01/1900 12/31/2099", 73048, 73048},   {46, "01/01/2000 12/31/2399", 146096, 146096},
        {48, "01/01/2001 12/31/2003", 1094, 1094},     {46, "01/01/2000 12/31/1999", -3, 0},
        {54, "02/01/2001 01/31/2001", -3, 2},          {47, "01/01/2100 12/31/2099", -3, -3},
        {54, "01/31/2001 02/01/2001", 1, -3},          {50, "02/29/1900 03/01/1900", -15, -15},
        {46, "01/01/2000 01/31/2000", 30, 30},         {65, "12/01/2001 12/31/2001", 30, 30},
        {54, "07/15/2004 07/15/2004", 0, 0},           {48, "12/31/9999 12/31/9999", 0, 0},
        {48, "01/01/1900 12/31/9999", 2958463, 2956499}, {46, "12/31/9999 01/01/1900", -3, -3},
        {53, "12/31/1999 02/01/2000", 32, 33},         {51, "02/28/2000 03/01/2000", 2, 1},
        {52, "02/29/2000 03/01/2000", 1, 0},           {49, "02/29/2000 03/01/2000", 1, 0},
        {56, "02/28/2001 03/01/2001", 1, 0},           {56, "03/01/2001 02/28/2001", -3, 0},
        {48, "12/31/1999 01/01/2000", 1, 0},  // its row's example: the leap-day adjustment stays
    });
    // clang-format on
}

// The year terms of the reference and of the three mutants that drop terms,
// year by year from 0 past 9999, where they stop being looked up and start
// being worked out: March 1 to March 1 is 365 days, and one more when the
// later year has a leap day under the terms that the count keeps.
TEST(DayDifferenceMutants, YearLengthsFromYearZeroOn) {
    // clang-format off
    struct terms { int (*count)(date, date); bool quadrennials, centuries, quadcenturies; };
    // clang-format on
    const terms counts[] = {{dates::daysdiff, true, true, true},
                            {daysdiffof<46>, true, true, false},
                            {daysdiffof<47>, true, false, false},
                            {daysdiffof<48>, false, false, false}};
    for (const auto& t : counts)
        for (int year = 0; year <= 10005; year++) {
            const int next = year + 1;
            const int leapday = (t.quadrennials && next % 4 == 0 ? 1 : 0) - (t.centuries && next % 100 == 0 ? 1 : 0) +
                                (t.quadcenturies && next % 400 == 0 ? 1 : 0);
            ASSERT_EQ(t.count({3, 1, year}, {3, 1, next}), 365 + leapday)
                << "terms " << t.quadrennials << t.centuries << t.quadcenturies << ", year " << year;
        }
}

// Each altered count is the reference count plus the second date's offset
// minus the first date's: every day of three centuries, then the first of
// every month, February 29 and December 31 of every year to 9999.
TEST(DayDifferenceMutants, CountsFollowTheirDateOffsets) {
    std::vector<date> sweep;
    for (int y = 1896; y <= 2104; y++)
        for (int m = 1; m <= 12; m++)
            for (int d = 1; d <= calendar::lastday(m, y); d++)
                sweep.push_back({m, d, y});
    for (int y = 2105; y <= 9999; y++) {
        for (int m = 1; m <= 12; m++)
            sweep.push_back({m, 1, y});
        sweep.push_back({2, calendar::lastday(2, y), y});
        sweep.push_back({12, 31, y});
    }
    // An anchor with an offset of its own in most of the twenty.
    const date anchors[] = {{2, 29, 2000}};
    int failures = 0;
    for (const date& x : sweep) {
        const int serial = calendar::serial(x);
        for (const date& a : anchors) {
            const int days = serial - calendar::serial(a);
            for (int n = 46; n <= 65; n++) {
                const int want = days + offset(n, x) - offset(n, a);
                const int forward = tests::daycounts[static_cast<std::size_t>(n - 46)](a, x),
                          backward = tests::daycounts[static_cast<std::size_t>(n - 46)](x, a);
                if (forward != want || backward != -want) {
                    ADD_FAILURE() << "m" << n << "daysdiff " << tests::dateline(a, x) << "forward " << forward
                                  << ", backward " << backward << ", want " << want;
                    if (++failures == maxreported)
                        return;
                }
            }
        }
    }
}

// --- nothing else changed ---------------------------------------------------------------

// Test lines from a fixed seed.  Only the engine's raw output is used, so
// every standard library gives the same lines.
class linesource {
public:
    std::string next() {
        // clang-format off
        switch (below(10)) {
        case 0: case 1: case 2: return dateline(validdate(), validdate());
        case 3: return dateline(validdate(), near(validdate()));
        case 4: case 5: return below(2) ? dateline(boundarydate(), boundarydate()) : dateline(validdate(), boundarydate());
        case 6: return nondigits(1);
        case 7: return nondigits(2 + below(3));
        case 8: return shortline();
        default: return anyseparators();
        }
        // clang-format on
    }

private:
    std::mt19937 rng{20240229};

    int below(int n) { return static_cast<int>(rng() % static_cast<std::uint32_t>(n)); }
    template <std::size_t N> int pick(const int (&values)[N]) { return values[below(static_cast<int>(N))]; }

    int year() {
        // clang-format off
        static constexpr int years[] = {1900, 1901, 1903, 1904, 1999, 2000, 2001, 2004, 2099, 2100,
                                        2101, 2399, 2400, 2401, 2800, 2900, 9996, 9999};
        // clang-format on
        return below(2) ? pick(years) : 1900 + below(8100);
    }

    date validdate() {
        const int y = year(), m = 1 + below(12);
        const int last = calendar::lastday(m, y);
        static constexpr int days[] = {1, 2, 27, 28, 29, 30, 31};
        int d = below(2) ? pick(days) : 1 + below(31);
        if (d > last)
            d = last;
        return {m, d, y};
    }

    // A date of the same year or close to it, in either direction.
    date near(date x) {
        if (below(2))
            return {1 + below(12), 1 + below(28), x.year};
        return {x.month, 1 + below(28), x.year + below(3) - 1};
    }

    date boundarydate() {
        // The dates on which some date check differs, as the difference tables list them.
        // clang-format off
        static constexpr date traps[] = {
            {2, 29, 1900}, {2, 29, 2000}, {2, 29, 2001}, {2, 29, 2100}, {2, 29, 2400}, {2, 28, 2001},
            {1, 29, 2001}, {3, 29, 2001}, {4, 31, 2000}, {6, 31, 2001}, {9, 31, 2000}, {11, 31, 2001},
            {12, 31, 1899}, {0, 15, 2000}, {13, 15, 2000}, {1, 0, 2000},  {1, 32, 2000}, {2, 29, 1899},
        };
        // clang-format on
        if (below(3) == 0)
            return traps[below(static_cast<int>(std::size(traps)))];
        static constexpr int months[] = {0, 1, 2, 3, 4, 6, 9, 11, 12, 13};
        static constexpr int days[] = {0, 1, 28, 29, 30, 31, 32};
        static constexpr int years[] = {0, 99, 1600, 1800, 1898, 1899, 1900, 1901, 2000, 2001, 2100, 2400};
        const int m = below(4) ? pick(months) : below(100);
        const int d = below(4) ? pick(days) : below(100);
        const int y = below(3) ? pick(years) : below(10000);
        return {m, d, y};
    }

    static std::string dateline(date a, date b) { return tests::dateline(a, b); }

    int nondigit() {
        static constexpr int bytes[] = {0, '\t', '\n', '\r', ' ', '-', '/', ':', 'A', 'x', 0x7f, 0x80, 0xcc, 0xff};
        if (below(2))
            return pick(bytes);
        const int b = below(246);
        return b < '0' ? b : b + 10;
    }

    std::string nondigits(int count) {
        std::string text = below(2) ? dateline(validdate(), validdate()) : dateline(boundarydate(), boundarydate());
        for (int i = 0; i < count; i++)
            text = withbyte(text, digitcolumns[static_cast<std::size_t>(below(16))], nondigit());
        return text;
    }

    std::string shortline() {
        std::string text = dateline(validdate(), validdate());
        text.resize(static_cast<std::size_t>(below(22)));
        if (below(2) && !text.empty())
            text.back() = '\n';
        return text;
    }

    std::string anyseparators() {
        std::string text = below(2) ? dateline(validdate(), validdate()) : dateline(boundarydate(), validdate());
        for (const int column : tests::separatorcolumns)
            if (below(2))
                text = withbyte(text, column, below(256));
        text.pop_back();
        if (below(4) == 0)
            text += std::string(static_cast<std::size_t>(below(990)), static_cast<char>(below(256)));
        else
            text += static_cast<char>(below(256));
        if (below(2))
            text += '\n';
        return text;
    }
};

// --- the beliefs ----------------------------------------------------------------------

// A wrong calendar written plainly: its leap years, the date check's tests
// each alone in their order (February with 29 days in test 4), and a day
// count that walks the years from 1900.
struct plaincalendar {
    bool (*leap)(int year);

    static constexpr int lengths[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool fails(int test, date x) const {
        // clang-format off
        switch (test) {
        case 1: return x.month <= 0 || x.month > 12;
        case 2: return x.day <= 0 || x.day > 31;
        case 3: return x.year <= 1899;
        case 4: return x.day > (x.month >= 1 && x.month <= 12 ? lengths[x.month - 1] : 31);
        default: return x.month == 2 && x.day == 29 && !leap(x.year);
        }
        // clang-format on
    }
    int code(date x) const {
        for (int test = 1; test <= 5; test++)
            if (fails(test, x))
                return test;
        return 0;
    }
    int daynumber(date x) const {
        int n = x.day;
        for (int y = 1900; y < x.year; y++)
            n += leap(y) ? 366 : 365;
        for (int m = 1; m < x.month; m++)
            n += m == 2 ? (leap(x.year) ? 29 : 28) : lengths[m - 1];
        return n;
    }
    int evaluate(date a, date b) const {
        if (const int k = code(a); k != 0)
            return -(10 + k);
        if (const int k = code(b); k != 0)
            return -(20 + k);
        return counted(daynumber(b) - daynumber(a));
    }
};

constexpr plaincalendar gregorian{[](int y) { return calendar::isleap(y); }};

// Every belief's answers against a plain evaluation of its change, on
// generated lines, and each answers something on them that the reference
// does not.
TEST(Beliefs, AnswerAsTheirChangesSay) {
    using answers = std::set<int>;
    using plainbelief = answers (*)(date a, date b, int ref);
    struct row {
        std::string_view id;
        plainbelief plain;
    };
    // clang-format off
    const row rows[] = {
        {"both-ends", [](date, date, int ref) { return ref >= 0 ? answers{ref + 1} : answers{}; }},
        {"no-leap-years", [](date a, date b, int) {
            return answers{plaincalendar{[](int) { return false; }}.evaluate(a, b)}; }},
        {"every-fourth-year", [](date a, date b, int) {
            return answers{plaincalendar{[](int y) { return y % 4 == 0; }}.evaluate(a, b)}; }},
        {"no-400-rule", [](date a, date b, int) {
            return answers{plaincalendar{[](int y) { return y % 4 == 0 && y % 100 != 0; }}.evaluate(a, b)}; }},
        {"every-year-leap", [](date a, date b, int) {
            return answers{plaincalendar{[](int) { return true; }}.evaluate(a, b)}; }},
        {"day-first", [](date a, date b, int) {
            return answers{gregorian.evaluate({a.day, a.month, a.year}, {b.day, b.month, b.year})}; }},
        {"counts-backwards", [](date a, date b, int ref) {
            return ref == -3 ? answers{calendar::serial(b) - calendar::serial(a)} : answers{}; }},
        {"another-test", [](date a, date b, int ref) {
            answers out;
            const int which = ref <= -21 ? 2 : ref <= -11 ? 1 : 0;
            for (int test = 1; which != 0 && test <= 5; test++)
                if (-(10 * which + test) != ref && gregorian.fails(test, which == 1 ? a : b))
                    out.insert(-(10 * which + test));
            return out; }},
        {"second-date-first", [](date, date b, int ref) {
            return ref <= -11 && ref >= -15 && gregorian.code(b) != 0 ? answers{-(20 + gregorian.code(b))} : answers{}; }},
    };
    // clang-format on
    ASSERT_EQ(std::size(rows), beliefset.size());
    constexpr int linecount = 6000;
    linesource source;
    std::array<int, std::size(rows)> differing{};
    int failures = 0;
    for (int i = 0; i < linecount; i++) {
        const std::string text = source.next();
        const int length = putline(text);
        const int ref = dates::testline(length);
        for (std::size_t r = 0; r < std::size(rows); r++) {
            const belief& b = beliefset[r];
            ASSERT_EQ(b.id, rows[r].id);
            const answerset got = believes(b, length);
            const answers have(got.values.begin(), got.values.begin() + got.size);
            const answers want = ref == -4 ? answers{} : rows[r].plain(readdate(0), readdate(11), ref);
            if (have.size() != static_cast<std::size_t>(got.size) || have != want) {
                std::string list;
                for (const int v : have)
                    list += ' ' + std::to_string(v);
                ADD_FAILURE() << "line " << i << ' ' << printable(text) << ": " << b.id << " answers" << list
                              << " (reference " << ref << ')';
                if (++failures == maxreported)
                    return;
            }
            differing[r] += want.empty() || want == answers{ref} ? 0 : 1;
        }
        // The belief leaves the line as it found it.
        ASSERT_EQ(dates::testline(length), ref) << printable(text);
    }
    for (std::size_t r = 0; r < std::size(rows); r++)
        EXPECT_GT(differing[r], 0) << rows[r].id << " never answers otherwise than the reference";
}

TEST(NothingElseChanged, GeneratedLines) {
    constexpr int linecount = 6000;
    linesource source;
    std::set<int> codes;
    std::array<int, mutantcount> kills{};
    int failures = 0;
    for (int i = 0; i < linecount; i++) {
        const std::string text = source.next();
        const int length = putline(text);
        const int ref = dates::testline(length);
        codes.insert(ref < 0 ? ref : 0);
        for (int n = 1; n <= mutantcount; n++) {
            const int want = predict(n, length, ref);
            const int got = run(n, length);
            if (want != ref)
                kills[static_cast<std::size_t>(n - 1)]++;
            if (got != want) {
                ADD_FAILURE() << "line " << i << ' ' << printable(text) << ": mutant " << n << " gives " << got
                              << ", want " << want << " (reference " << ref << ')';
                if (++failures == maxreported)
                    return;
            }
        }
    }
    // The lines reach every result code and tell every mutant apart somewhere.
    const std::set<int> all = {-4, -11, -12, -13, -14, -15, -21, -22, -23, -24, -25, -3, 0};
    EXPECT_EQ(codes, all);
    for (int n = 1; n <= mutantcount; n++)
        EXPECT_GT(kills[static_cast<std::size_t>(n - 1)], 0) << "no generated line kills mutant " << n;
}

// The pass stores a line's zero byte only after both evaluations, so no
// evaluation may read the bytes after the line: whatever stands there, the
// reference and every mutant give the results they give with the zero.
TEST(NothingElseChanged, BytesAfterTheLineAreNotRead) {
    constexpr int linecount = 2000;
    linesource source;
    int failures = 0;
    for (int i = 0; i < linecount; i++) {
        std::string text = source.next();
        // Every length from 0 to the line's own, the short ones included.
        if (i % 4 == 0)
            text.resize(static_cast<std::size_t>(i / 4) % (text.size() + 1));
        const int length = putline(text);
        std::array<int, mutantcount + 1> want{};
        want[0] = dates::testline(length);
        for (int n = 1; n <= mutantcount; n++)
            want[static_cast<std::size_t>(n)] = run(n, length);
        for (const int byte : {int{'0'}, int{'9'}, int{'\n'}, int{' '}, 0x80, 0xff}) {
            for (std::size_t at = static_cast<std::size_t>(length); at < 64; at++)
                dates::line[at] = static_cast<signed char>(byte);
            for (int n = 0; n <= mutantcount; n++) {
                const int got = n == 0 ? dates::testline(length) : run(n, length);
                if (got != want[static_cast<std::size_t>(n)]) {
                    ADD_FAILURE() << printable(text) << " followed by byte " << byte << ": evaluation " << n
                                  << " gives " << got << ", not " << want[static_cast<std::size_t>(n)];
                    if (++failures == maxreported)
                        return;
                }
            }
        }
    }
}

// --- the ordered set and the catalogue --------------------------------------------------

TEST(OrderedSet, NumbersStagesAndCatalogue) {
    std::set<entryfunction> entries;
    std::set<std::string_view> descriptions;
    for (int i = 0; i < mutantcount; i++) {
        const mutant& m = mutantset[static_cast<std::size_t>(i)];
        const int n = i + 1;
        EXPECT_EQ(m.number, n);
        entries.insert(mutants::entries[static_cast<std::size_t>(i)]);
        descriptions.insert(m.description);
        EXPECT_FALSE(m.description.empty()) << n;
        stage want = stage::daydifference;
        std::string function = "m" + std::to_string(n) + "daysdiff";
        if (n <= 16) {
            want = stage::syntaxcheck;
            function = "m" + std::to_string(n) + "chkinputsyntax";
        } else if (n <= 42) {
            want = stage::datecheck;
            function = "m" + std::to_string(n) + "chkdate";
        } else if (n <= 45) {
            want = stage::leapcheck;
            function = "m" + std::to_string(n) + "leap";
        } else if (n == 49 || n == 50) {
            want = stage::leapcount;
            function = n == 49 ? "m43leap" : "m44leap";
        }
        EXPECT_EQ(m.altered, want) << n;
        EXPECT_EQ(m.function, function) << n;
    }
    EXPECT_EQ(entries.size(), 65u);
    EXPECT_EQ(descriptions.size(), 65u);
    std::set<std::string_view> names;
    for (const stage s :
         {stage::syntaxcheck, stage::datecheck, stage::leapcheck, stage::leapcount, stage::daydifference})
        names.insert(stagename(s));
    EXPECT_EQ(names.size(), stagecount);
    EXPECT_EQ(names.count(""), 0u);
}

// No two mutants answer alike on every line, with one exception: mutant 30
// drops the February 29 test and mutant 45 makes every year a leap year for
// it, so both accept February 29 of every year and nothing else changes (the
// test after this one holds them alike on every line).  The kill lines of
// all four tables, with one more, tell every other pair apart.
TEST(OrderedSet, EveryPairOfMutantsToldApart) {
    const char* lines[] = {
        "00/00/2000 01/01/2001", "01/15/2000 01/16/2000", "12/15/2000 12/16/2000", "13/00/2000 01/01/2001",
        "01/00/2000 01/01/2000", "01/01/2000 01/02/2000", "01/31/2000 02/01/2000", "01/32/2000 02/01/2000",
        "12/31/1899 01/01/1900", "01/01/1900 01/02/1900", "01/29/2001 01/30/2001", "03/29/2001 03/30/2001",
        "02/28/2001 03/01/2001", "02/29/2001 03/01/2001", "02/29/2000 03/01/2000", "03/31/2000 04/01/2000",
        "04/31/2000 05/01/2000", "05/31/2000 06/01/2000", "06/31/2000 07/01/2000", "07/31/2000 08/01/2000",
        "08/31/2000 09/01/2000", "09/31/2000 10/01/2000", "10/31/2000 11/01/2000", "11/31/2000 12/01/2000",
        "12/31/2000 01/01/2001", "02/29/1900 03/01/1900", "12/31/1999 01/01/2000", "12/31/2099 01/01/2100",
        "03/01/2003 03/01/2004", "01/01/2000 03/01/2000", "01/01/1900 03/01/1900", "02/01/2000 03/01/2000",
        "03/01/2000 04/01/2000", "01/01/2001 02/01/2001", "02/01/2001 03/01/2001", "03/01/2001 04/01/2001",
        "04/01/2001 05/01/2001", "05/01/2001 06/01/2001", "06/01/2001 07/01/2001", "07/01/2001 08/01/2001",
        "08/01/2001 09/01/2001", "09/01/2001 10/01/2001", "10/01/2001 11/01/2001", "11/01/2001 12/01/2001",
        "01/01/2004 03/01/2004",
    };
    std::vector<std::string> texts;
    for (const char* l : lines)
        texts.push_back(std::string(l) + '\n');
    for (const int column : digitcolumns)
        texts.push_back(withbyte(baseline, column, ':') + '\n');
    std::vector<std::vector<int>> answers(mutantcount);
    for (const auto& text : texts) {
        const int length = putline(text);
        for (int n = 1; n <= mutantcount; n++)
            answers[static_cast<std::size_t>(n - 1)].push_back(run(n, length));
    }
    for (int i = 0; i < mutantcount; i++)
        for (int j = i + 1; j < mutantcount; j++) {
            const auto& a = answers[static_cast<std::size_t>(i)];
            const auto& b = answers[static_cast<std::size_t>(j)];
            if (i + 1 == 30 && j + 1 == 45)
                EXPECT_EQ(a, b);
            else
                EXPECT_NE(a, b) << "mutants " << i + 1 << " and " << j + 1 << " answer alike on every line";
        }
}

// Mutants 30 and 45 answer alike on every line, not only on the lines
// above.  Both are the reference but for the date check, so a line tells
// them apart only through a date the conversion checks, and the syntax check
// lets only dates of digits get there: every such date, month and day 0 to
// 99 and year 0 to 9999, gets one code from both.  Whole lines of those dates
// in both places, where the second date is checked only after a valid first,
// get one result.
TEST(OrderedSet, ThirtyAndFortyFiveAnswerAlikeOnEveryLine) {
    int failures = 0;
    for (int y = 0; y <= 9999; y++)
        for (int m = 0; m <= 99; m++)
            for (int d = 0; d <= 99; d++)
                if (chkdateof<30>(m, d, y) != chkdateof<45>(m, d, y)) {
                    ADD_FAILURE() << "the checks of 30 and 45 differ on " << tests::show({m, d, y});
                    if (++failures == maxreported)
                        return;
                }
    const date others[] = {{1, 1, 2000}, {2, 29, 2001}, {2, 29, 2000}, {13, 1, 2000}, {12, 31, 1899}};
    for (const int y : {1899, 1900, 2000, 2001, 2100})
        for (int m = 0; m <= 13; m++)
            for (int d = 0; d <= 32; d++)
                for (const date& other : others)
                    for (const std::string& text :
                         {tests::dateline({m, d, y}, other), tests::dateline(other, {m, d, y})}) {
                        const int length = putline(text);
                        ASSERT_EQ(run(30, length), run(45, length)) << printable(text);
                    }
}

}  // namespace
