// Reach, infection and how a difference is lost, held against the mutants
// themselves.  On every line: a kill implies infection and infection implies
// reach, an uninfected mutant answers as the reference, and an infected one
// answers differently exactly when no way of losing the difference applies.
// Each date and day step is held against the mutant's own altered function
// over every value the step depends on.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "dates/dates.hpp"
#include "engine/fastjudge.hpp"
#include "engine/infection.hpp"
#include "engine/steps.hpp"
#include "model.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/mutants.hpp"
#include "testlines.hpp"

namespace {

using namespace vorlak;
using namespace vorlak::mutants;
using dates::date;
using engine::loss;
using engine::measure;
using engine::state;
using tests::digitcolumns;
using tests::putline;
using tests::withbyte;

using tests::printable;

constexpr int maxreported = 10;

std::string show(date d) { return tests::show(d); }

// What the lines of a test saw, so that it can say each state and way was met.
struct tally {
    std::array<int, 4> states{};
    std::array<int, 5> losses{};
    int failures = 0;
};

// Judges the line in the buffer and holds every verdict against the mutant's
// own result.  Returns the verdicts.
std::array<engine::verdict, mutantcount> checkline(const std::string& text, tally& seen) {
    // One judging for every line, as a scan has one for all its pieces.
    static engine::fast::judging judging;
    const int length = putline(text);
    const int ref = dates::testline(length);
    const engine::trace t = engine::tracepiece(length);
    if (t.result != ref)
        ADD_FAILURE() << "the trace gives " << t.result << " for " << printable(text) << ", the reference " << ref;
    const auto all = engine::judgeall(t);
    for (int n = 1; n <= mutantcount; n++) {
        const engine::verdict v = all[static_cast<std::size_t>(n - 1)];
        const int got = mutantof(n).entry(length);
        const bool killed = got != ref;
        std::string wrong;
        if (killed && v.reach != state::infected)
            wrong = "killed but not infected";
        else if (v.reach == state::infected && killed != (v.lost == loss::none))
            wrong = "the way it was lost is wrong";
        else if (v.reach != state::infected && v.lost != loss::none)
            wrong = "lost without being infected";
        else if (n >= 17 && n <= 42 && v.reach == state::infected && !killed)
            wrong = "a date-check mutant infected and not killed";
        if (n == 1 && judging(t) != engine::statesof(all))
            wrong = "the fast judging differs from the verdicts";
        const engine::verdict one = engine::judge(t, n);
        if (one.reach != v.reach || one.lost != v.lost || one.reference != v.reference || one.mutant != v.mutant)
            wrong = "judge and judgeall differ";
        if (!wrong.empty()) {
            ADD_FAILURE() << "mutant " << n << " on " << printable(text) << ": " << wrong << " (state "
                          << static_cast<int>(v.reach) << ", lost " << static_cast<int>(v.lost) << ", reference " << ref
                          << ", mutant " << got << ')';
            seen.failures++;
        }
        seen.states[static_cast<std::size_t>(killed ? state::killed : v.reach)]++;
        if (v.reach == state::infected)
            seen.losses[static_cast<std::size_t>(v.lost)]++;
    }
    return all;
}

const std::string baseline = "01/01/2000 01/01/2000\n";

// --- the syntax check ------------------------------------------------------------------

// Every byte in every digit column, and non-digits in two columns at once.
TEST(SyntaxStep, EveryByteInEveryColumn) {
    tally seen;
    for (const int column : digitcolumns)
        for (int byte = 0; byte < 256; byte++) {
            const std::string text = withbyte(baseline, column, byte);
            const auto v = checkline(text, seen);
            const bool digit = byte >= '0' && byte <= '9';
            for (int n = 1; n <= 16; n++) {
                const engine::verdict& m = v[static_cast<std::size_t>(n - 1)];
                const int own = engine::altered::stepof(n).column;
                ASSERT_EQ(own, digitcolumns[static_cast<std::size_t>(n - 1)]);
                // A lone non-digit stops the reference's scan, so columns after it are not reached.
                const state want = own == column && !digit  ? state::infected
                                   : own > column && !digit ? state::unreached
                                                            : state::reached;
                ASSERT_EQ(m.reach, want) << "mutant " << n << " on " << printable(text);
            }
            // The line is too short by one: nothing is reached.
            std::string shortline = text.substr(0, 20) + '\n';
            for (const auto& m : checkline(shortline, seen))
                ASSERT_EQ(m.reach, state::unreached) << printable(shortline);
            if (seen.failures > maxreported)
                return;
        }
    for (const int a : digitcolumns)
        for (const int b : digitcolumns)
            for (const int byte : {0, int{' '}, int{':'}, int{'a'}, 0xff}) {
                if (a >= b)
                    continue;
                const std::string text = withbyte(withbyte(baseline, a, byte), b, '/');
                const auto v = checkline(text, seen);
                for (int n = 1; n <= 16; n++) {
                    const engine::verdict& m = v[static_cast<std::size_t>(n - 1)];
                    if (engine::altered::stepof(n).column != a)
                        continue;
                    ASSERT_EQ(m.reach, state::infected);
                    ASSERT_EQ(m.lost, loss::masked);
                    EXPECT_EQ(m.what, measure::stopcolumn);
                    EXPECT_EQ(m.reference, a);
                    EXPECT_EQ(m.mutant, b);
                }
                if (seen.failures > maxreported)
                    return;
            }
    EXPECT_GT(seen.losses[static_cast<std::size_t>(loss::masked)], 0);
}

// --- the date check --------------------------------------------------------------------

// The test that each date-check mutant alters, and for test 4 the month.
struct alteredtest {
    int test;   // 1 to 5; 6 for the leap rule within test 5
    int month;  // for test 4
};

alteredtest testof(int n) {
    if (n <= 20)
        return {1, 0};
    if (n <= 24)
        return {2, 0};
    if (n <= 26)
        return {3, 0};
    if (n <= 30)
        return {5, 0};
    if (n <= 42)
        return {4, n - 30};
    return {6, 0};
}

// Whether the reference check runs its test t on a date, told by checks that
// differ from it only in making that test hold for every date they are given.
bool runs(int t, int month, int day, int year) {
    constexpr int above = 100000;  // above every day and year the tests give
    switch (t) {
    case 1:
        return true;
    case 2:
        return dates::checkdate<dates::datebounds{.lowday = above, .highday = 2 * above}>(month, day, year) == 2;
    case 3:
        return dates::checkdate<dates::datebounds{.lastbadyear = above}>(month, day, year) == 3;
    case 4: {
        constexpr dates::datebounds never{.monthdays = {INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN,
                                                        INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN}};
        return dates::checkdate<never>(month, day, year) == 4;
    }
    default:
        // Test 5 runs when tests 1 to 4 pass: the check without it accepts the date.
        return dates::checkdate<dates::datebounds{}, nullptr>(month, day, year) == 0;
    }
}

const dates::leaprule rules[3] = {m43leap, m44leap, m45leap};

// Mutant n's verdict on one date against its own check and, for 43 to 45, its own rule.
bool checkdate(int n, int month, int day, int year, int& failures) {
    const date d{month, day, year};
    const int code = dates::chkdate(month, day, year);
    const engine::checkstep c = engine::judgecheck(n, d, code);
    const int own = tests::datechecks[static_cast<std::size_t>(n - 17)](month, day, year);
    const alteredtest at = testof(n);
    const bool reached = at.test == 6 ? runs(5, month, day, year) && month == 2
                                      : runs(at.test, month, day, year) && (at.test != 4 || month == at.month);
    bool infected = own != code;
    if (at.test == 6)
        infected = reached && rules[n - 43](year) != dates::leap(year);
    std::string wrong;
    if (c.reached != reached)
        wrong = "reach";
    else if (c.infected != infected)
        wrong = "infection";
    else if (!reached && own != code)
        wrong = "differs unreached";
    else if (reached && c.mutantcode != own)
        wrong = "the mutant's code";
    else if (at.test != 6 && c.infected && (c.reference != code || c.mutant != own))
        wrong = "the values";
    else if (at.test == 6 && (own != code) != (infected && day == 29))
        wrong = "the codes differ other than on an infected 29th";
    else if (at.test == 6 && c.infected && (c.reference != dates::leap(year) || c.mutant != rules[n - 43](year)))
        wrong = "the rule's answers";
    if (wrong.empty())
        return true;
    ADD_FAILURE() << "mutant " << n << " on " << show(d) << ": " << wrong << " (judged " << c.reached << c.infected
                  << ", want " << reached << infected << ", codes " << code << ' ' << own << ')';
    return ++failures < maxreported;
}

// Every month and every day that two columns can hold, each with the other
// field at its edges; every year to 79,999 on the dates where a year decides;
// and every date of months 0 to 14 and days 0 to 33 around the century years.
TEST(DateCheckStep, AgainstEachMutantsOwnCheck) {
    std::vector<date> dates;
    const int fieldlow = -1936, fieldhigh = 869;
    for (int v = fieldlow; v <= fieldhigh; v++) {
        for (const int other : {fieldlow, -1, 0, 1, 2, 12, 13, 28, 29, 30, 31, 32, fieldhigh})
            for (const int y : {0, 1899, 1900, 2000, 2001}) {
                dates.push_back({v, other, y});
                dates.push_back({other, v, y});
            }
    }
    for (int y = 0; y <= 79999; y++)
        for (const date md : {date{1, 29, 0}, date{2, 28, 0}, date{2, 29, 0}, date{3, 29, 0}, date{4, 31, 0},
                              date{12, 31, 0}, date{0, 15, 0}, date{13, 15, 0}, date{1, 0, 0}, date{1, 32, 0}})
            dates.push_back({md.month, md.day, y});
    for (int y = 1890; y <= 2410; y++)
        for (int m = 0; m <= 14; m++)
            for (int d = 0; d <= 33; d++)
                dates.push_back({m, d, y});
    int failures = 0;
    for (const date& d : dates)
        for (int n = 17; n <= 45; n++)
            if (!checkdate(n, d.month, d.day, d.year, failures))
                return;
    // Only date-check mutants have a date-check step.
    for (const int n : {1, 16, 46, 49, 65})
        EXPECT_FALSE(engine::judgecheck(n, {2, 29, 2000}, 0).reached) << n;
}

// --- the day count ---------------------------------------------------------------------

// Every year to 79,999 in every month, and every day two columns can hold in
// every month of a few years: each mutant's date offset against its own
// count from a date where every offset is known, and its reach and infection.
TEST(DayCountStep, AgainstEachMutantsOwnCount) {
    // In January of year 1 no term, rule or table entry but 54's differs.
    const date anchor{1, 1, 1};
    for (int n = 46; n <= 65; n++)
        ASSERT_EQ(engine::judgecount(n, anchor, dates::daynumber<>(anchor)).offset, n == 54 ? 31 : 0) << n;
    std::vector<date> dates;
    for (int y = 0; y <= 79999; y++)
        for (int m = 0; m <= 13; m++)
            dates.push_back({m, 1, y});
    for (int d = -1936; d <= 869; d++)
        for (int m = 0; m <= 13; m++)
            for (const int y : {1900, 2000, 2001, 2004})
                dates.push_back({m, d, y});
    int failures = 0;
    for (const date& d : dates)
        for (int n = 46; n <= 65; n++) {
            const engine::countstep c = engine::judgecount(n, d, dates::daynumber<>(d));
            const int offset = tests::daycounts[static_cast<std::size_t>(n - 46)](anchor, d) -
                               dates::daysdiff(anchor, d) + (n == 54 ? 31 : 0);
            bool reached = true;
            if (n >= 55)
                reached = d.month == n - 53;
            else if (n == 54)
                reached = d.month >= 1 && d.month <= 12;
            bool infected = offset != 0;
            if (n == 49 || n == 50)
                infected = (n == 49 ? m43leap(d.year) : m44leap(d.year)) != dates::leap(d.year);
            std::string wrong;
            if (c.reached != reached)
                wrong = "reach";
            else if (c.infected != infected)
                wrong = "infection";
            else if (c.offset != offset)
                wrong = "offset " + std::to_string(c.offset) + ", counted " + std::to_string(offset);
            else if (!reached && offset != 0)
                wrong = "moves unreached";
            else if (n >= 54 && reached && !infected)
                wrong = "a table entry reached without moving the day";
            if (!wrong.empty()) {
                ADD_FAILURE() << "mutant " << n << " on " << show(d) << ": " << wrong;
                if (++failures == maxreported)
                    return;
            }
        }
    for (int n = 1; n <= 45; n++)
        EXPECT_FALSE(engine::judgecount(n, {1, 1, 2000}, dates::daynumber<>(dates::date{1, 1, 2000})).reached) << n;
}

// --- whole lines -----------------------------------------------------------------------

// Dates where some step changes: month and day edges, leap years, century
// years and the largest year.
// clang-format off
const date edges[] = {
    {1, 1, 2000}, {1, 1, 1900}, {2, 28, 2001}, {2, 29, 2000}, {2, 29, 1900}, {2, 29, 2001}, {2, 28, 1900},
    {1, 29, 2001}, {3, 29, 2001}, {3, 1, 2000}, {3, 31, 2000}, {4, 30, 2000}, {4, 31, 2000}, {6, 31, 2001},
    {9, 31, 2000}, {11, 31, 2001}, {11, 30, 2001}, {12, 31, 1899}, {12, 31, 2000}, {0, 15, 2000},
    {13, 15, 2000}, {1, 0, 2000}, {1, 32, 2000}, {2, 29, 1899}, {1, 31, 2100}, {12, 31, 2099}, {2, 1, 2400},
    {7, 4, 2401}, {5, 31, 2000}, {8, 31, 9999}, {10, 31, 1999}, {12, 31, 9999}, {1, 1, 0}, {2, 15, 2004},
};
// clang-format on

// Every pair of dates where some step changes, in both orders: each way of
// losing a difference comes up, and each verdict is held against the mutants.
TEST(Lines, PairsOfEdgeDates) {
    tally seen;
    for (const date& a : edges)
        for (const date& b : edges) {
            checkline(tests::dateline(a, b), seen);
            if (seen.failures > maxreported)
                return;
        }
    for (const loss l : {loss::none, loss::unused, loss::cancelled, loss::reversed})
        EXPECT_GT(seen.losses[static_cast<std::size_t>(l)], 0) << "no line loses by way " << static_cast<int>(l);
    for (const state s : {state::unreached, state::reached, state::infected, state::killed})
        EXPECT_GT(seen.states[static_cast<std::size_t>(s)], 0) << "no line leaves state " << static_cast<int>(s);
}

// Each edge date as the first date of a line and as the second, with every
// month 0 to 14 and day 0 to 33 of three years in the other place: the mutant
// checks the second date only when its check passed the first.
TEST(Lines, BothRolesOfADate) {
    tally seen;
    for (const date& a : edges)
        for (const int y : {1900, 2000, 2001})
            for (int m = 0; m <= 14; m++)
                for (int d = 0; d <= 33; d++) {
                    const date b{m, d, y};
                    checkline(tests::dateline(a, b), seen);
                    checkline(tests::dateline(b, a), seen);
                    if (seen.failures > maxreported)
                        return;
                }
}

// What the verdicts say on lines of each kind, values included.
TEST(Lines, Examples) {
    struct example {
        std::string line;
        int n;
        state reach;
        loss lost;
        measure what;
        int date, reference, mutant;
    };
    constexpr state unreached = state::unreached, reached = state::reached, infected = state::infected;
    constexpr loss none = loss::none, masked = loss::masked, unused = loss::unused, cancelled = loss::cancelled,
                   reversed = loss::reversed;
    constexpr measure column = measure::stopcolumn, code = measure::datecode, answer = measure::leapanswer,
                      day = measure::daynumber;
    // clang-format off
    const example examples[] = {
        // The syntax check: the columns where the reference's and the mutant's checks stop.
        {"ab/cd/2000 01/01/2000\n", 1, infected, masked, column, 0, 0, 1},
        {"a1/01/2000 01/01/2000\n", 1, infected, none, column, 0, 0, -1},
        {"01/01/2000 01/01/200\r\n", 16, infected, none, column, 0, 20, -1},
        {"01/01/2000 01/01/20x\r\n", 16, unreached, none, column, 0, 0, 0},
        {"01/01/2000 01/01/2000", 1, unreached, none, column, 0, 0, 0},
        {"0x/01/2000 0x/01/2000\n", 9, unreached, none, column, 0, 0, 0},
        {"01/01/2000 0x/01/2000\n", 9, reached, none, column, 0, 0, 0},
        // The date check: the codes of the date.
        {"01/15/2000 01/16/2000\n", 18, infected, none, code, 1, 0, 1},
        {"13/01/2000 01/15/2000\n", 18, reached, none, column, 0, 0, 0},
        {"04/30/2000 05/01/2000\n", 34, reached, none, column, 0, 0, 0},
        {"04/31/2000 05/01/2000\n", 34, infected, none, code, 1, 4, 0},
        {"01/01/2000 04/31/2000\n", 34, infected, none, code, 2, 4, 0},
        {"12/32/2000 04/31/2000\n", 34, unreached, none, column, 0, 0, 0},
        {"02/28/2001 02/28/2001\n", 29, infected, none, code, 1, 0, 5},
        {"02/29/2001 03/01/2001\n", 30, infected, none, code, 1, 5, 0},
        // The rule of the date check: its answers for the year.
        {"02/28/2001 03/01/2001\n", 45, infected, unused, answer, 1, 0, 1},
        {"01/01/2001 02/29/2001\n", 45, infected, none, answer, 2, 0, 1},
        {"03/01/2001 03/01/2001\n", 45, unreached, none, column, 0, 0, 0},
        {"02/29/2000 03/01/2000\n", 43, infected, none, answer, 1, 1, 0},
        // The rule of the day count: its answers for the year.
        {"01/01/2000 03/01/2000\n", 49, infected, none, answer, 1, 1, 0},
        {"03/01/2000 04/01/2000\n", 49, infected, unused, answer, 1, 1, 0},
        {"01/01/2000 02/01/2000\n", 49, infected, cancelled, answer, 1, 1, 0},
        {"02/29/1900 03/01/1900\n", 50, unreached, none, column, 0, 0, 0},
        {"01/01/2001 03/01/2001\n", 50, reached, none, column, 0, 0, 0},
        // The day count: the day numbers of the date.
        {"01/01/2000 01/01/2000\n", 47, infected, cancelled, day, 1, 730485, 730500},
        {"01/01/2001 01/01/2000\n", 47, infected, cancelled, day, 1, 730851, 730866},
        {"01/01/2000 01/01/1999\n", 46, infected, reversed, day, 1, 730485, 730480},
        {"12/31/1999 01/01/2000\n", 46, infected, none, day, 1, 730484, 730480},
        {"03/01/2000 03/05/2000\n", 65, unreached, none, column, 0, 0, 0},
        {"03/01/2000 12/01/2000\n", 65, infected, none, day, 2, 730820, 730819},
        {"12/01/2000 12/05/2000\n", 65, infected, cancelled, day, 1, 730820, 730819},
        {"12/05/2000 11/01/2000\n", 65, infected, reversed, day, 1, 730824, 730823},
    };
    // clang-format on
    tally seen;
    for (const example& e : examples) {
        const auto v = checkline(e.line, seen)[static_cast<std::size_t>(e.n - 1)];
        EXPECT_EQ(v.reach, e.reach) << "mutant " << e.n << " on " << printable(e.line);
        EXPECT_EQ(v.lost, e.lost) << "mutant " << e.n << " on " << printable(e.line);
        if (v.reach != state::infected)
            continue;
        EXPECT_EQ(v.what, e.what) << "mutant " << e.n << " on " << printable(e.line);
        EXPECT_EQ(v.date, e.date) << "mutant " << e.n << " on " << printable(e.line);
        EXPECT_EQ(v.reference, e.reference) << "mutant " << e.n << " on " << printable(e.line);
        EXPECT_EQ(v.mutant, e.mutant) << "mutant " << e.n << " on " << printable(e.line);
    }
}

// Lines of every kind: valid pairs, reversed pairs, invalid dates, syntax
// errors, short and long lines, and bytes of every kind in every column.
TEST(Lines, Generated) {
    tests::adversary source(2311);
    tally seen;
    for (int i = 0; i < 30000; i++) {
        std::string text = source.line();
        if (text.size() > dates::linesize - 1)
            text.resize(dates::linesize - 1);
        // A line splits at its newline, as the reader would.
        if (const auto nl = text.find('\n'); nl != std::string::npos)
            text.resize(nl + 1);
        checkline(text, seen);
        if (seen.failures > maxreported)
            return;
    }
    for (const loss l : {loss::none, loss::masked, loss::unused, loss::cancelled, loss::reversed})
        EXPECT_GT(seen.losses[static_cast<std::size_t>(l)], 0) << "no line loses by way " << static_cast<int>(l);
}

// --- the conditions --------------------------------------------------------------------

// Each mutant's condition, as its catalogue row says it, met by a line: the
// line infects the mutant.
TEST(Conditions, ALineThatMeetsEachConditionInfectsItsMutant) {
    std::array<std::string, mutantcount + 1> lines;
    for (int n = 1; n <= 16; n++) {
        std::string text = baseline;
        text[static_cast<std::size_t>(engine::altered::stepof(n).column)] = 'a';
        lines[static_cast<std::size_t>(n)] = text;
    }
    const std::array<std::pair<int, const char*>, 26> rows = {{
        {17, "00/01/2000 01/01/2000"}, {18, "01/01/2000 01/02/2000"}, {19, "12/01/2000 12/02/2000"},
        {20, "13/01/2000 01/01/2000"}, {21, "01/00/2000 01/01/2000"}, {22, "01/01/2000 01/02/2000"},
        {23, "01/31/2000 02/01/2000"}, {24, "01/32/2000 01/01/2000"}, {25, "01/01/1899 01/01/2000"},
        {26, "01/01/1900 01/01/2000"}, {27, "01/29/2001 01/30/2001"}, {28, "03/29/2001 03/30/2001"},
        {29, "02/28/2001 03/01/2001"}, {30, "02/29/2001 03/01/2001"}, {43, "02/01/2000 02/02/2000"},
        {44, "02/01/1900 02/02/1900"}, {45, "02/01/2001 02/02/2001"}, {46, "01/01/2001 01/02/2001"},
        {47, "01/01/2001 01/02/2001"}, {48, "01/01/2001 01/02/2001"}, {49, "01/01/2000 01/02/2000"},
        {50, "01/01/1900 01/02/1900"}, {51, "02/01/2000 03/01/2000"}, {52, "03/01/2000 04/01/2000"},
        {53, "01/01/2000 01/02/2000"}, {54, "01/01/2001 01/02/2001"},
    }};
    for (const auto& [n, text] : rows)
        lines[static_cast<std::size_t>(n)] = std::string(text) + "\n";
    // Test 4 of month m on its longer last day; the day table of month m.
    constexpr std::array<int, 12> longer = {31, 29, 31, 31, 31, 31, 31, 31, 31, 31, 31, 31};
    char text[32];
    for (std::size_t m = 1; m <= 12; m++) {
        std::snprintf(text, sizeof text, "%02zu/%02d/2001 12/31/2001\n", m, longer[m - 1]);
        lines[30 + m] = text;
        std::snprintf(text, sizeof text, "%02zu/01/2001 %02zu/02/2001\n", m, m);
        if (m >= 2)
            lines[53 + m] = text;
    }
    for (int n = 1; n <= mutantcount; n++) {
        const std::string& line = lines[static_cast<std::size_t>(n)];
        const engine::verdict v = engine::judge(engine::tracepiece(putline(line)), n);
        EXPECT_EQ(v.reach, state::infected)
            << "mutant " << n << " (" << mutantof(n).condition << ") on " << printable(line);
    }
}

// --- the starter file ------------------------------------------------------------------

TEST(Lines, StarterFile) {
    std::ifstream in(VORLAK_EXAMPLES "/starter.txt");
    ASSERT_TRUE(in) << "cannot read the starter file";
    std::array<int, mutantcount> reached{}, infected{};
    std::array<engine::verdict, mutantcount> firstinfection{};
    tally seen;
    std::string text;
    int number = 0;
    while (std::getline(in, text)) {
        number++;
        const auto all = checkline(text + '\n', seen);
        for (int n = 1; n <= mutantcount; n++) {
            const auto i = static_cast<std::size_t>(n - 1);
            if (all[i].reach != state::unreached && reached[i] == 0)
                reached[i] = number;
            if (all[i].reach == state::infected && infected[i] == 0) {
                infected[i] = number;
                firstinfection[i] = all[i];
            }
        }
    }
    // 45: the rule answers 1 instead of 0 for 2001 on February 28, which needs no answer.
    EXPECT_EQ(infected[44], 5);
    EXPECT_EQ(firstinfection[44].what, measure::leapanswer);
    EXPECT_EQ(firstinfection[44].date, 1);
    EXPECT_EQ(firstinfection[44].reference, 0);
    EXPECT_EQ(firstinfection[44].mutant, 1);
    EXPECT_EQ(firstinfection[44].lost, loss::unused);
    // 47: both day numbers of 2000 move by 15.
    EXPECT_EQ(infected[46], 1);
    EXPECT_EQ(firstinfection[46].lost, loss::cancelled);
    EXPECT_EQ(firstinfection[46].mutant - firstinfection[46].reference, 15);
    // 1: column 0 holds a non-digit, and so does column 1.
    EXPECT_EQ(infected[0], 9);
    EXPECT_EQ(firstinfection[0].lost, loss::masked);
    EXPECT_EQ(firstinfection[0].reference, 0);
    EXPECT_EQ(firstinfection[0].mutant, 1);
    // No line has a date from April to November.
    for (int n = 34; n <= 41; n++)
        EXPECT_EQ(reached[static_cast<std::size_t>(n - 1)], 0) << n;
    EXPECT_EQ(number, 9);
}

}  // namespace
