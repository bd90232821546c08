// The reference date program against its table of results, its worked
// examples, and std::chrono's calendar over every date it can be given.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "dates/dates.hpp"
#include "dates/facts.hpp"
#include "testlines.hpp"

namespace {

using namespace vorlak;
using dates::date;
using tests::dateline;
using tests::putline;
using tests::reference;
using tests::show;
using tests::withbyte;
namespace calendar = tests::calendar;

// Stops a sweep after a few failures so that one fault does not print millions of lines.
constexpr int maxreported = 10;

int evaluate(const std::string& text) { return dates::testline(putline(text)); }

// --- the table of evaluation results -----------------------------------------

TEST(ResultTable, LengthBoundary) {
    // clang-format off
    struct row { std::string text; int result; };
    const std::vector<row> rows = {
        {"", -4},
        {"\n", -4},
        {"01/01/2000 01/01/200\n", -4},             // 20 columns and the newline: 21
        {"01/01/2000 01/01/2000", -4},              // 21 valid columns at the end of the file
        {"01/01/2000 01/01/2000\n", 0},             // the same with its newline: 22
        {"01/01/2000 01/01/2000x", 0},              // column 21 may hold anything
        {"01/01/2000 01/01/2001 and more text\n", 366},
        {std::string(999, '0'), -11},               // a line cut at 999 bytes, evaluated as any other
    };
    // clang-format on
    for (const auto& r : rows)
        EXPECT_EQ(evaluate(r.text), r.result) << '"' << r.text << '"';

    // The length argument alone decides, whatever the buffer holds.
    putline("01/01/2000 01/01/2001\n");
    for (const int length : {INT_MIN, -1, 0, 1, 20, 21})
        EXPECT_EQ(dates::testline(length), -4) << length;
    EXPECT_EQ(dates::testline(22), 366);
    EXPECT_EQ(dates::testline(999), 366);
}

TEST(ResultTable, ShortOrMalformedLinesLeaveTheRecordsAlone) {
    const date before1{7, 7, 1977}, before2{8, 8, 1988};
    for (const std::string text : {"01/01/2000 01/01/2001", "01/01/2000 01/01/200x\n", "x1/01/2000 01/01/2001\n"}) {
        dates::firstdate = before1;
        dates::seconddate = before2;
        EXPECT_EQ(evaluate(text), -4) << text;
        EXPECT_EQ(show(dates::firstdate), show(before1)) << text;
        EXPECT_EQ(show(dates::seconddate), show(before2)) << text;
    }
}

// Dates in the order of the date check's tests, each with its code, at the
// bounds of every test.  Each also stands in a line as the first date and as
// the second, so the same table decides -1x, -2x and the counts.
// clang-format off
struct coded { date d; int code; };
const std::vector<coded> codeddates = {
    // test 1, the month
    {{0, 10, 2000}, 1}, {{1, 10, 2000}, 0}, {{12, 10, 2000}, 0}, {{13, 10, 2000}, 1}, {{99, 99, 9999}, 1},
    {{0, 0, 0}, 1}, {{0, 32, 1800}, 1},
    // test 2, the day
    {{12, 0, 2000}, 2}, {{12, 1, 2000}, 0}, {{12, 31, 2000}, 0}, {{12, 32, 2000}, 2}, {{1, 99, 2000}, 2},
    {{12, 32, 1800}, 2}, {{2, 32, 1899}, 2},
    // test 3, the year
    {{12, 31, 1899}, 3}, {{1, 1, 1900}, 0}, {{1, 1, 0}, 3}, {{1, 1, 99}, 3}, {{12, 31, 9999}, 0},
    {{4, 31, 1899}, 3}, {{2, 30, 1899}, 3}, {{2, 29, 1800}, 3}, {{2, 29, 1600}, 3},
    // test 4, the length of the month
    {{1, 31, 2001}, 0}, {{2, 30, 2000}, 4}, {{2, 31, 2000}, 4}, {{2, 30, 2001}, 4}, {{3, 31, 2001}, 0},
    {{4, 30, 2000}, 0}, {{4, 31, 2000}, 4}, {{5, 31, 2001}, 0}, {{6, 30, 2001}, 0}, {{6, 31, 2001}, 4},
    {{7, 31, 2001}, 0}, {{8, 31, 2001}, 0}, {{9, 30, 2001}, 0}, {{9, 31, 2001}, 4}, {{10, 31, 2001}, 0},
    {{11, 30, 2001}, 0}, {{11, 31, 2001}, 4},
    // test 5, February 29
    {{2, 28, 2001}, 0}, {{2, 29, 2001}, 5}, {{2, 29, 2004}, 0}, {{2, 29, 1900}, 5}, {{2, 29, 2000}, 0},
    {{2, 29, 2100}, 5}, {{2, 29, 2400}, 0}, {{2, 29, 9999}, 5}, {{2, 29, 9996}, 0}, {{3, 29, 2001}, 0},
    {{1, 29, 2001}, 0},
};
// clang-format on

TEST(ResultTable, DateErrorsOfTheFirstAndTheSecondDate) {
    const date earliest{1, 1, 1900}, latest{12, 31, 9999}, invalid{0, 0, 0};
    for (const auto& [d, code] : codeddates) {
        const int tolatest = code ? 0 : calendar::serial(latest) - calendar::serial(d);
        const int fromearliest = code ? 0 : calendar::serial(d) - calendar::serial(earliest);
        EXPECT_EQ(evaluate(dateline(d, latest)), code ? -(10 + code) : tolatest) << dateline(d, latest);
        EXPECT_EQ(evaluate(dateline(earliest, d)), code ? -(20 + code) : fromearliest) << dateline(earliest, d);
        // Two invalid dates: the first decides, the second is not converted.
        EXPECT_EQ(evaluate(dateline(d, invalid)), code ? -(10 + code) : -21) << dateline(d, invalid);
    }
}

// The facts that the layers above read by name (dates/facts.hpp) say what
// the program does: the length test, the digit columns, the first valid
// year, and the decoding of every result a date's check gives.
TEST(ResultTable, TheProgramsFactsByName) {
    putline("01/01/2000 01/01/2001\n");
    EXPECT_EQ(dates::testline(dates::lastcolumn), dates::badsyntax);
    EXPECT_EQ(dates::testline(dates::lastcolumn + 1), 366);
    EXPECT_TRUE(std::equal(dates::digitcolumns.begin(), dates::digitcolumns.end(), tests::digitcolumns.begin(),
                           tests::digitcolumns.end()));
    EXPECT_EQ(dates::chkdate(1, 1, dates::firstyear), 0);
    EXPECT_EQ(dates::chkdate(12, 31, dates::firstyear - 1), 3);
    const date latest{12, 31, 9999};
    for (const auto& [d, code] : codeddates) {
        const dates::dateerror first = dates::dateerrorof(evaluate(dateline(d, latest)));
        const dates::dateerror second = dates::dateerrorof(evaluate(dateline(latest, d)));
        EXPECT_EQ(first.date, code != 0 ? 1 : 0) << dateline(d, latest);
        EXPECT_EQ(first.code, code) << dateline(d, latest);
        EXPECT_EQ(second.date, code != 0 ? 2 : 0) << dateline(latest, d);
        EXPECT_EQ(second.code, code) << dateline(latest, d);
    }
    // Nothing else decodes as a date's error, and every error decodes back.
    int errors = 0;
    for (int result = -1000; result <= 1000; result++) {
        const dates::dateerror e = dates::dateerrorof(result);
        if (e.date == 0)
            continue;
        errors++;
        EXPECT_EQ(result, -(10 * e.date + e.code)) << result;
        EXPECT_TRUE(e.code >= 1 && e.code <= dates::datetests) << result;
    }
    EXPECT_EQ(errors, 2 * dates::datetests);
    for (const int far : {INT_MIN, INT_MIN + 1, INT_MAX})
        EXPECT_EQ(dates::dateerrorof(far).date, 0) << far;
}

TEST(ResultTable, ReversedDatesAndCounts) {
    // clang-format off
    struct row { const char* line; int result; };
    const row rows[] = {
        {"06/15/2000 06/15/2000", 0},     {"06/15/2000 06/16/2000", 1},     {"06/15/2000 06/14/2000", -3},
        {"01/01/2000 12/31/1999", -3},    {"12/31/1999 01/01/2000", 1},     {"03/01/2000 02/29/2000", -3},
        {"12/31/9999 01/01/1900", -3},    {"01/01/1900 12/31/9999", 2958463}, {"12/31/9999 12/31/9999", 0},
        {"01/01/1901 12/31/1900", -3},
    };
    // clang-format on
    for (const auto& r : rows)
        EXPECT_EQ(reference(r.line), r.result) << r.line;
}

// Every byte in every digit column is a syntax error unless it is a digit;
// no byte in a separator column, nor in column 21 where the newline stands,
// changes anything.
TEST(ResultTable, EveryByteInEveryColumn) {
    const char* bases[] = {"01/01/2000 01/01/2001", "12/31/2000 01/01/2000", "13/01/2000 01/01/2000",
                           "01/01/2000 02/29/2001", "01/01/1900 12/31/9999"};
    for (const char* base : bases) {
        const int expected = reference(base);
        const std::string text = std::string(base) + '\n';
        for (int byte = 0; byte <= 255; byte++) {
            const bool digit = byte >= '0' && byte <= '9';
            for (const int column : tests::digitcolumns) {
                const int result = evaluate(withbyte(text, column, byte));
                if (digit)
                    EXPECT_NE(result, -4) << base << " column " << column << " byte " << byte;
                else
                    EXPECT_EQ(result, -4) << base << " column " << column << " byte " << byte;
            }
            for (const int column : tests::separatorcolumns)
                EXPECT_EQ(evaluate(withbyte(text, column, byte)), expected)
                    << base << " column " << column << " byte " << byte;
            EXPECT_EQ(evaluate(withbyte(text, 21, byte)), expected) << base << " column 21 byte " << byte;
        }
    }
}

// --- the pieces of the evaluation ----------------------------------------------

TEST(Syntax, AnswersOneAtTheFirstNonDigit) {
    putline("01/01/2000 01/01/2000\n");
    EXPECT_EQ(dates::chkinputsyntax(), 0);
    putline("01/01/2000 01/01/200\r\n");  // a carriage return stored before the newline
    EXPECT_EQ(dates::chkinputsyntax(), 1);
    putline(std::string("01/01/2000 01/01/200") + '\xcc' + '\n');
    EXPECT_EQ(dates::chkinputsyntax(), 1);
    putline(std::string("01/01/2000") + '\0' + "01/01/2000\n");
    EXPECT_EQ(dates::chkinputsyntax(), 0);
}

TEST(FieldReader, CountsEveryCharacterByItsCode) {
    // clang-format off
    struct row { char tens, units; int value; };
    const row rows[] = {
        {'0', '7', 7},     {'0', ':', 10},    {'1', '-', 7},     {' ', ' ', -176}, {'9', '9', 99},
        {'0', '0', 0},     {'0', '/', -1},    {'A', '0', 170},   {'\0', '0', -480}, {'\xcc', '0', -1000},
        {'\x80', '\x80', -1936}, {'\x7f', '\x7f', 869}, {'\xff', '0', -490},
    };
    // clang-format on
    // Every column that the conversion reads, the last one included.
    for (const int column : {0, 3, 6, 8, 11, 14, 17, 19}) {
        for (const auto& r : rows) {
            std::string text = "00/00/0000 00/00/0000\n";
            text[static_cast<std::size_t>(column)] = r.tens;
            text[static_cast<std::size_t>(column) + 1] = r.units;
            putline(text);
            EXPECT_EQ(dates::strtoint(column), r.value)
                << "column " << column << " bytes " << int(r.tens) << ' ' << int(r.units);
        }
    }
    // Over all pairs of bytes the value stays in -1936 to 869, and each byte
    // counts as a signed number: 128 to 255 are -128 to -1.
    int low = INT_MAX, high = INT_MIN;
    for (int a = 0; a <= 255; a++)
        for (int b = 0; b <= 255; b++) {
            dates::line[0] = static_cast<signed char>(a);
            dates::line[1] = static_cast<signed char>(b);
            const int value = dates::strtoint(0);
            const int sa = a < 128 ? a : a - 256, sb = b < 128 ? b : b - 256;
            ASSERT_EQ(value, (sa - 48) * 10 + (sb - 48)) << a << ' ' << b;
            low = std::min(low, value);
            high = std::max(high, value);
        }
    EXPECT_EQ(low, -1936);
    EXPECT_EQ(high, 869);
}

TEST(DateCheck, CodesInTheOrderOfTheTests) {
    for (const auto& [d, code] : codeddates)
        EXPECT_EQ(dates::chkdate(d.month, d.day, d.year), code) << d.month << '/' << d.day << '/' << d.year;

    // Defined for every integer; a month outside 1 to 12 never reaches the table.
    // clang-format off
    struct row { int month, day, year, code; };
    const row wide[] = {
        {-5, 1, 2000, 1},      {1000, 1, 2000, 1},   {INT_MIN, 1, 2000, 1}, {INT_MAX, 1, 2000, 1},
        {1, -1, 2000, 2},      {1, INT_MIN, 2000, 2}, {1, INT_MAX, 2000, 2}, {1, 1, INT_MIN, 3},
        {1, 1, -2000, 3},      {1, 1, INT_MAX, 0},   {2, 29, INT_MAX, 5},   {2, 29, 79996, 0},
        {2, 29, 80000, 0},     {2, 29, 80100, 5},    {-1, -1, -1, 1},
    };
    // clang-format on
    for (const auto& r : wide)
        EXPECT_EQ(dates::chkdate(r.month, r.day, r.year), r.code) << r.month << '/' << r.day << '/' << r.year;
}

TEST(Conversion, StoresEachDateBeforeCheckingIt) {
    // A valid first date writes the second record.
    EXPECT_EQ(reference("05/06/2004 07/08/2005"), 428);
    const date earlier{7, 8, 2005};
    EXPECT_EQ(show(dates::seconddate), show(earlier));

    // clang-format off
    struct row { const char* line; int result; date first, second; };
    // clang-format on
    const row rows[] = {
        // The first date fails: it is kept as read, and the second record is not touched.
        {"13/01/2000 02/30/2000", -11, {13, 1, 2000}, earlier},
        {"99/99/0099 01/01/2000", -11, {99, 99, 99}, earlier},
        {"01/01/0099 01/01/2000", -13, {1, 1, 99}, earlier},
        {"02/29/2001 01/01/2000", -15, {2, 29, 2001}, earlier},
        // The second date fails: both records hold the line's dates.
        {"01/01/2000 02/29/1900", -25, {1, 1, 2000}, {2, 29, 1900}},
        {"12/31/2004 00/45/0012", -21, {12, 31, 2004}, {0, 45, 12}},
        {"01/01/2000 01/01/1999", -3, {1, 1, 2000}, {1, 1, 1999}},
    };
    for (const auto& r : rows) {
        dates::seconddate = earlier;
        EXPECT_EQ(reference(r.line), r.result) << r.line;
        EXPECT_EQ(show(dates::firstdate), show(r.first)) << r.line;
        EXPECT_EQ(show(dates::seconddate), show(r.second)) << r.line;
    }

    // convertline itself answers 10 + k or 20 + k.
    putline("13/01/2000 02/30/2000\n");
    EXPECT_EQ(dates::convertline(), 11);
    putline("01/01/2000 02/29/1900\n");
    EXPECT_EQ(dates::convertline(), 25);
    putline("01/01/2004 12/31/2004\n");
    EXPECT_EQ(dates::convertline(), 0);
    EXPECT_EQ(dates::firstdate.year, 2004);
}

TEST(DayDifference, CountsThroughDatesNoCheckAccepts) {
    // clang-format off
    struct row { date first, second; int count; };
    const row rows[] = {
        {{1, 1, 2000}, {3, 1, 2000}, 60},   {{1, 1, 1900}, {3, 1, 1900}, 59},   {{3, 1, 2000}, {1, 1, 2000}, -60},
        {{2, 28, 2000}, {3, 1, 2000}, 2},   {{2, 29, 2000}, {3, 1, 2000}, 1},   {{2, 28, 1900}, {3, 1, 1900}, 1},
        {{12, 31, 1999}, {1, 1, 2000}, 1},  {{1, 1, 2000}, {1, 1, 2001}, 366},  {{1, 1, 1900}, {1, 1, 1901}, 365},
        {{1, 1, 1900}, {1, 1, 2000}, 36524}, {{1, 1, 1900}, {12, 31, 9999}, 2958463},
        {{5, 5, 2005}, {5, 5, 2005}, 0},
        // Dates only an altered check lets through follow the same formula.
        {{1, 0, 2001}, {12, 31, 2000}, 0},  {{2, 29, 1900}, {3, 1, 1900}, 0},   {{4, 31, 2001}, {5, 1, 2001}, 0},
        {{1, 1, 1899}, {1, 1, 1900}, 365},  {{1, 1, 79999}, {1, 1, 80000}, 365},
        // Below year 0 the divisions truncate toward zero, as written.
        {{1, 1, -1}, {1, 1, 0}, 364},       {{1, 1, -5}, {1, 1, -4}, 364},      {{1, 1, -101}, {3, 1, -100}, 424},
        {{1, 1, -400}, {1, 1, -399}, 367},  {{12, 31, -1}, {1, 1, 1}, 366},
    };
    // clang-format on
    for (const auto& r : rows)
        EXPECT_EQ(dates::daysdiff(r.first, r.second), r.count) << dateline(r.first, r.second);

    // Day numbers: 693,961 for 1 January 1900, 730,485 for 1 January 2000,
    // 3,652,424 for 31 December 9999.
    const date origin{1, 1, 1900};
    EXPECT_EQ(693961 + dates::daysdiff(origin, {1, 1, 2000}), 730485);
    EXPECT_EQ(693961 + dates::daysdiff(origin, {12, 31, 9999}), 3652424);
}

// --- the worked examples --------------------------------------------------------

TEST(WorkedExamples, LinesGiveTheirResults) {
    // clang-format off
    struct example { std::string text; int result; };
    const std::vector<example> examples = {
        // The road of one test line.
        {"02/29/2000 03/01/2000\n", 1},
        // The line evaluation.
        {"01/01/2000 01/01/2000", -4},            {"01/01/2000 01/01/2000\n", 0},
        {"01/01/2000 01/01/200\n", -4},           {"01/01/2000 01/01/2000 any text at all\n", 0},
        {"01/15/2000 03/01/2000\n", 46},          {"01-15-2000x03-01-2000\n", 46},
        {std::string("01/15/2000") + '\0' + "03/01/2000\n", 46},
        {"01/01/2000 01/01/2000\n", 0},           {"12/31/1999 01/01/2000\n", 1},
        {"01/01/2000 12/31/2000\n", 365},         {"02/29/2000 02/29/2004\n", 1461},
        {"01/01/2000 01/01/1999\n", -3},          {"13/01/2000 01/01/2000\n", -11},
        {"13/01/2000 13/01/2000\n", -11},         {"01/01/2000 13/01/2000\n", -21},
        {"01/01/1899 01/01/1900\n", -13},         {"02/29/1900 03/01/1900\n", -15},
        {"01/01/2000 02/30/2000\n", -24},         {"01/01/1900 12/31/9999\n", 2958463},
        {"01 01/2000 01/01/2000\n", 0},           {"0 /01/2000 01/01/2000\n", -4},
        {"01/01/2000 01/01/200\xcc\n", -4},        {std::string("01/01/2000 01/01/200") + '\0' + '\n', -4},
        // The conversion.
        {"01/01/2004 01/01/2004\n", 0},           {"01/01/0099 01/01/2000\n", -13},
        {"13/01/2000 02/30/2000\n", -11},         {"01/01/2000 02/29/1900\n", -25},
        // The day difference, as lines.
        {"01/01/2000 03/01/2000\n", 60},          {"01/01/1900 03/01/1900\n", 59},
        {"02/28/2000 03/01/2000\n", 2},           {"02/28/1900 03/01/1900\n", 1},
        {"01/01/2000 01/01/2001\n", 366},         {"01/01/1900 01/01/1901\n", 365},
        {"01/01/1900 01/01/2000\n", 36524},       {"03/01/2000 01/01/2000\n", -3},
    };
    // clang-format on
    for (const auto& e : examples)
        EXPECT_EQ(evaluate(e.text), e.result) << '"' << e.text << '"';
}

// --- the calendar, exhaustively -------------------------------------------------

TEST(Calendar, LeapYearsAgreeEverywhere) {
    for (int year = -9999; year <= 9999; year++)
        ASSERT_EQ(dates::leap(year), calendar::isleap(year) ? 1 : 0) << year;
}

TEST(Calendar, EveryDateCheckCode) {
    int failures = 0;
    for (int year = 1890; year <= 9999; year++)
        for (int month = 0; month <= 13; month++)
            for (int day = 0; day <= 32; day++) {
                const int want = calendar::datecode(month, day, year);
                const int got = dates::chkdate(month, day, year);
                if (got != want) {
                    ADD_FAILURE() << month << '/' << day << '/' << year << ": " << got << ", want " << want;
                    if (++failures == maxreported)
                        return;
                }
            }
}

// From a few anchors to every valid date in both directions: the count is the
// difference of chrono's serial days.
TEST(Calendar, EveryDayCount) {
    // clang-format off
    struct anchor { date d; int serial; };
    const anchor anchors[] = {{{1, 1, 1900}, calendar::serial(1, 1, 1900)},
                              {{2, 29, 2000}, calendar::serial(2, 29, 2000)},
                              {{12, 31, 9999}, calendar::serial(12, 31, 9999)}};
    // clang-format on
    int failures = 0, dates = 0;
    for (int year = 1900; year <= 9999; year++)
        for (int month = 1; month <= 12; month++) {
            const int last = calendar::lastday(month, year);
            const int first = calendar::serial(month, 1, year);
            for (int day = 1; day <= last; day++) {
                const date d{month, day, year};
                dates++;
                for (const auto& [a, serial] : anchors) {
                    const int want = first + day - 1 - serial;
                    const int forward = dates::daysdiff(a, d), backward = dates::daysdiff(d, a);
                    if (forward != want || backward != -want) {
                        ADD_FAILURE() << dateline(a, d) << "forward " << forward << ", backward " << backward
                                      << ", want " << want;
                        if (++failures == maxreported)
                            return;
                    }
                }
            }
        }
    EXPECT_EQ(dates, 2958464);
}

}  // namespace
