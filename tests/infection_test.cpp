// Reach, infection and how a difference is lost, held against the mutants
// themselves.  On every line: a kill implies infection and infection implies
// reach, an uninfected mutant answers as the reference, and an infected one
// answers differently exactly when no way of losing the difference applies.
// Each date and day step is held against the mutant's own altered function
// over every value the step depends on.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "dates/dates.hpp"
#include "engine/explain.hpp"
#include "engine/fastjudge.hpp"
#include "engine/infection.hpp"
#include "engine/steps.hpp"
#include "model.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/mutants.hpp"
#include "mutants/wiring.hpp"
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
        const int got = mutants::entries[static_cast<std::size_t>(n - 1)](length);
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

// The altered rules of 43 to 45 and of the day counts 49 and 50, as their rows give them.
template <int N> constexpr dates::leaprule checkruleof = mutants::ruleof<mutants::mutantof(N).change.checkrule>();
template <int N> constexpr dates::leaprule countruleof = mutants::ruleof<mutants::mutantof(N).change.countrule>();
const dates::leaprule rules[3] = {checkruleof<43>, checkruleof<44>, checkruleof<45>};

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
                infected = (n == 49 ? countruleof<49>(d.year) : countruleof<50>(d.year)) != dates::leap(d.year);
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
    constexpr measure column = measure::stopcolumn, code = measure::datecode, check = measure::checkanswer,
                      count = measure::countanswer, day = measure::daynumber;
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
        {"02/28/2001 03/01/2001\n", 45, infected, unused, check, 1, 0, 1},
        {"01/01/2001 02/29/2001\n", 45, infected, none, check, 2, 0, 1},
        {"03/01/2001 03/01/2001\n", 45, unreached, none, column, 0, 0, 0},
        {"02/29/2000 03/01/2000\n", 43, infected, none, check, 1, 1, 0},
        // The rule of the day count: its answers for the year.
        {"01/01/2000 03/01/2000\n", 49, infected, none, count, 1, 1, 0},
        {"03/01/2000 04/01/2000\n", 49, infected, unused, count, 1, 1, 0},
        {"01/01/2000 02/01/2000\n", 49, infected, cancelled, count, 1, 1, 0},
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

// Each mutant's three conditions (what reaches it, what infects it, what
// carries the infection to the result), as its catalogue row says them,
// written again here as plain tests of a line, and held against the engine's
// verdicts and the mutants' own results over every line of a space: every
// line that meets all three kills the mutant, and a line that fails one
// leaves the mutant in the state before that step, so the hint it gets is
// the condition it failed.

// What a line that meets the conditions so far must do to a mutant.  A
// count mutant whose two day numbers move apart on a reversed pair may
// still lose the difference when both counts stay negative: its rows ask
// for the second date not before the first, and such a line is held to no
// more than an infection.
enum class wanted { unreached, reached, infected, killed, infectedatleast };

// The hint that each wanted state calls for: the condition of the step
// the line failed, in its frame.
std::string hintfor(const mutant& m, wanted w) {
    switch (w) {
    case wanted::unreached:
        return std::string(engine::reachframe) + std::string(m.reaches);
    case wanted::reached:
        return std::string(engine::infectframe) + std::string(m.condition);
    case wanted::infected:
    case wanted::infectedatleast:
        return std::string(engine::carryframe) + std::string(m.carries);
    case wanted::killed:
        break;
    }
    return "";
}

wanted stepsmet(bool reaches, bool infects, bool carries) {
    return !reaches ? wanted::unreached : !infects ? wanted::reached : !carries ? wanted::infected : wanted::killed;
}

// The states each mutant was seen in, over all the lines of the tests below,
// and the states whose hint has been held against the engine's.
struct conditiontally {
    std::array<std::array<int, 5>, mutantcount + 1> seen{};
    std::array<std::array<bool, 5>, mutantcount + 1> hinted{};
    int failures = 0;
};

// Holds mutant n on the line in the buffer against the state its conditions call for.
void holdstate(int n, const engine::trace& t, int length, wanted want, const std::string& text, conditiontally& tally) {
    const int got = mutants::entries[static_cast<std::size_t>(n - 1)](length);
    const engine::verdict v = engine::judge(t, n);
    const state s = got != t.result ? state::killed : v.reach;
    const auto w = static_cast<std::size_t>(want);
    tally.seen[static_cast<std::size_t>(n)][w]++;
    const bool right =
        want == wanted::infectedatleast ? s == state::infected || s == state::killed : static_cast<std::size_t>(s) == w;
    // The hint the engine gives for the state it found is the failed step's
    // condition; it depends on the state alone, so it is held once a state.
    bool hinted = true;
    if (right && want != wanted::infectedatleast && !tally.hinted[static_cast<std::size_t>(n)][w]) {
        hinted = engine::nexthint(mutantof(n), s) == hintfor(mutantof(n), want);
        tally.hinted[static_cast<std::size_t>(n)][w] = true;
    }
    if (right && hinted)
        return;
    constexpr std::array<const char*, 5> names = {"unreached", "reached", "infected", "killed", "infected or killed"};
    ADD_FAILURE() << "mutant " << n << " on " << printable(text) << ": " << engine::statename(s)
                  << ", where its conditions call for " << names[w] << (right ? ", and another hint" : "");
    tally.failures++;
}

// Every pattern of non-digits over the sixteen digit columns, each non-digit
// one of a few kinds of byte, in a full line and in one a column short: a
// syntax mutant is reached when the line has all its columns and digits in
// the digit columns before its own, infected by a non-digit in its own, and
// killed when every other digit column holds a digit.
TEST(Conditions, SyntaxMutantsOnEveryPatternOfNonDigits) {
    constexpr std::array<char, 5> nondigits = {'a', ':', '/', ' ', '\x80'};
    conditiontally tally;
    for (std::uint32_t pattern = 0; pattern < 1u << 16; pattern++)
        for (const bool full : {true, false}) {
            if (!full && pattern % 17 != 0)
                continue;
            std::string text = baseline;
            for (std::size_t i = 0; i < digitcolumns.size(); i++)
                if ((pattern >> i & 1) != 0)
                    text[static_cast<std::size_t>(digitcolumns[i])] = nondigits[(pattern + i) % nondigits.size()];
            if (!full)
                text = text.substr(0, 20) + '\n';
            const int length = putline(text);
            const engine::trace t = engine::tracepiece(length);
            for (int n = 1; n <= 16; n++) {
                const std::uint32_t own = 1u << (n - 1);
                const bool reaches = full && (pattern & (own - 1)) == 0;
                const bool infects = (pattern & own) != 0;
                const bool carries = (pattern & ~own) == 0;
                holdstate(n, t, length, stepsmet(reaches, infects, carries), text, tally);
            }
            if (tally.failures > maxreported)
                return;
        }
    // Nothing comes after mutant 16's column to mask it: an infection is a kill.
    for (int n = 1; n <= 16; n++)
        for (const wanted w : {wanted::unreached, wanted::reached, wanted::infected, wanted::killed})
            EXPECT_EQ(tally.seen[static_cast<std::size_t>(n)][static_cast<std::size_t>(w)] > 0,
                      n != 16 || w != wanted::infected)
                << n << ' ' << static_cast<int>(w);
}

bool valid(date d) { return tests::calendar::datecode(d.month, d.day, d.year) == 0; }
bool common(int year) { return !tests::calendar::isleap(year); }
bool century(int year) { return year % 100 == 0 && year % 400 != 0; }

// What a date-check mutant's row says reaches it on one date the program checks.
bool datereaches(int n, date d) {
    const bool month = d.month >= 1 && d.month <= 12;
    const bool day = d.day >= 1 && d.day <= 31;
    constexpr std::array<int, 12> leapyearlength = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (n <= 20)
        return true;
    if (n <= 24)
        return month;
    if (n <= 26)
        return month && day;
    if (n <= 30)
        return month && d.day >= 1 && d.day <= leapyearlength[static_cast<std::size_t>(d.month - 1)] && d.year >= 1900;
    if (n <= 42)
        return d.month == n - 30 && day && d.year >= 1900;
    return d.month == 2 && d.day >= 1 && d.day <= 29 && d.year >= 1900;
}

// What its row says infects it on such a date, once reached.
bool dateinfects(int n, date d) {
    switch (n) {
    case 17:
        return d.month == 0;
    case 18:
        return d.month == 1;
    case 19:
        return d.month == 12;
    case 20:
        return d.month == 13;
    case 21:
        return d.day == 0;
    case 22:
        return d.day == 1;
    case 23:
        return d.day == 31;
    case 24:
        return d.day == 32;
    case 25:
        return d.year == 1899;
    case 26:
        return d.year == 1900;
    case 27:
        return (d.month == 1 || d.month == 2) && d.day == 29 && common(d.year);
    case 28:
        return (d.month == 2 || d.month == 3) && d.day == 29 && common(d.year);
    case 29:
        return d.month == 2 && (d.day == 28 || d.day == 29) && common(d.year);
    case 30:
        return d.month == 2 && d.day == 29 && common(d.year);
    case 43:
        return d.year % 400 == 0;
    case 44:
        return century(d.year);
    case 45:
        return common(d.year);
    default:
        return d.day == (d.month == 2 ? 29 : 31);  // 31 to 42: the day the altered length decides
    }
}

// A day-count mutant's rows, on a pair of valid dates: whether the count
// reaches its altered step on a date, whether the step changes the date's
// day number there, and the fact of a date or a year that moves it.
bool countreaches(int n, date d) { return n <= 54 || d.month == n - 53; }

bool countinfects(int n, date d) {
    switch (n) {
    case 49:
        return d.year % 400 == 0;
    case 50:
        return century(d.year);
    case 51:
        return !common(d.year) && d.month == 2;
    case 52:
        return !common(d.year) && d.month == 3;
    case 53:
        return !common(d.year) && d.month <= 2;
    default:
        return countreaches(n, d);
    }
}

// For 46 to 48, a year between the first date's, exclusive, and the
// second's, inclusive, of the kind the row names.
bool yearbetween(int n, int from, int to) {
    for (int y = from + 1; y <= to; y++)
        if ((n == 46 && y % 400 == 0) || (n == 47 && century(y)) || (n == 48 && !common(y)))
            return true;
    return false;
}

// For 49 to 53 and 55 to 65, the dates the row asks for only one of.
bool onlyone(int n, date d) {
    switch (n) {
    case 49:
        return d.month <= 2 && d.year % 400 == 0;
    case 50:
        return d.month <= 2 && century(d.year);
    case 51:
        return d.month == 2 && !common(d.year);
    case 52:
        return d.month == 3 && !common(d.year);
    case 53:
        return d.month <= 2 && !common(d.year);
    default:
        return d.month == n - 53;
    }
}

wanted countwanted(int n, date a, date b) {
    if (!valid(a) || !valid(b))
        return wanted::unreached;
    const bool reaches = countreaches(n, a) || countreaches(n, b);
    const bool infects = countinfects(n, a) || countinfects(n, b);
    const bool inorder = tests::calendar::serial(a) <= tests::calendar::serial(b);
    bool carries = false, lost = false;
    if (n <= 48) {
        carries = yearbetween(n, a.year, b.year);
        lost = !carries && !yearbetween(n, b.year, a.year);
    } else if (n == 54) {
        // Months of different lengths in a common year, which February and a 31-day month are.
        constexpr std::array<int, 12> commonlength = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        const auto length = [&](date d) { return commonlength[static_cast<std::size_t>(d.month - 1)]; };
        carries = length(a) != length(b) && inorder;
        lost = length(a) == length(b);
    } else {
        carries = onlyone(n, a) != onlyone(n, b) && inorder;
        lost = onlyone(n, a) == onlyone(n, b);
    }
    const wanted w = stepsmet(reaches, infects, carries);
    return w == wanted::infected && !lost ? wanted::infectedatleast : w;
}

// The state a line of two dates calls for in mutant n, 17 to 65.  The
// second date is checked only when the first is valid, and the count runs
// only when both are.
wanted linewanted(int n, date a, date b) {
    if (n >= 46)
        return countwanted(n, a, b);
    const bool second = valid(a);
    const bool reaches = datereaches(n, a) || (second && datereaches(n, b));
    const auto infected = [&](date d) { return datereaches(n, d) && dateinfects(n, d); };
    const bool infects = infected(a) || (second && infected(b));
    // A date check's changed code is the line's result; the changed answer
    // of a leap rule in the check matters only on the 29th.
    bool carries = true;
    if (n >= 43)
        carries = (infected(a) && a.day == 29) || (second && infected(b) && b.day == 29);
    return stepsmet(reaches, infects, carries);
}

void holdline(date a, date b, int from, int to, conditiontally& tally) {
    const std::string text = tests::dateline(a, b);
    const int length = putline(text);
    const engine::trace t = engine::tracepiece(length);
    for (int n = from; n <= to; n++)
        holdstate(n, t, length, linewanted(n, a, b), text, tally);
}

// Every month and day that can reach or infect a date check, in the kinds of
// year its rows name, as the first date with valid and invalid second dates
// and as the second date after valid and invalid first ones; and every year
// on the dates where the year decides.
TEST(Conditions, DateChecksOnEveryDateInBothPlaces) {
    const date others[] = {{1, 1, 2000},  {6, 15, 1950}, {2, 28, 2100}, {12, 31, 2001}, {2, 29, 2000},
                           {2, 29, 2001}, {13, 1, 2000}, {4, 31, 2000}, {1, 0, 1900},   {1, 1, 1899}};
    conditiontally tally;
    for (const int y : {1899, 1900, 2000, 2001, 2100})
        for (int m = 0; m <= 13; m++)
            for (int d = 0; d <= 32; d++)
                for (const date& other : others) {
                    holdline({m, d, y}, other, 17, 65, tally);
                    holdline(other, {m, d, y}, 17, 65, tally);
                    if (tally.failures > maxreported)
                        return;
                }
    // Every year that four digits hold, on the dates where a year decides.
    for (int y = 0; y <= 9999; y++) {
        for (const date md : {date{1, 29, 0}, date{2, 1, 0}, date{2, 28, 0}, date{2, 29, 0}, date{3, 29, 0},
                              date{4, 31, 0}, date{12, 31, 0}}) {
            holdline({md.month, md.day, y}, others[0], 17, 45, tally);
            holdline(others[0], {md.month, md.day, y}, 17, 45, tally);
        }
        if (tally.failures > maxreported)
            return;
    }
    for (int n = 17; n <= 45; n++) {
        const auto& seen = tally.seen[static_cast<std::size_t>(n)];
        EXPECT_GT(seen[static_cast<std::size_t>(wanted::reached)], 0) << n;
        EXPECT_GT(seen[static_cast<std::size_t>(wanted::killed)], 0) << n;
        EXPECT_EQ(seen[static_cast<std::size_t>(wanted::infected)] > 0, n >= 43) << n;
        EXPECT_EQ(seen[static_cast<std::size_t>(wanted::unreached)] > 0, n >= 21) << n;
    }
}

// Every pair of valid dates in four years that hold every kind of year the
// day counts' rows name (a year divisible by 400, a century year that is
// not, a leap year and a common one), in every month; and every year's
// pairs that its kind decides.
TEST(Conditions, DayCountsOnEveryPairOfValidDates) {
    // A day-number shift depends on the year and the month alone; the day
    // orders the dates, which the first, a middle and the last of a month do.
    std::vector<date> days;
    for (const int y : {1999, 2000, 2004, 2100})
        for (int m = 1; m <= 12; m++)
            for (const int d : {1, 15, tests::calendar::lastday(m, y)})
                days.push_back({m, d, y});
    conditiontally tally;
    for (const date& a : days) {
        for (const date& b : days)
            holdline(a, b, 46, 65, tally);
        if (tally.failures > maxreported)
            return;
    }
    // Every year a valid date has, next to the year before it and within
    // itself, from January and February on to March, in both orders.
    for (int y = 1900; y <= 9999; y++) {
        const date pairs[][2] = {{{12, 31, y - 1}, {1, 1, y}}, {{1, 1, y}, {3, 1, y}}, {{2, 15, y}, {3, 15, y}}};
        for (const auto& [a, b] : pairs) {
            holdline(a, b, 46, 65, tally);
            holdline(b, a, 46, 65, tally);
        }
        if (tally.failures > maxreported)
            return;
    }
    for (int n = 46; n <= 65; n++) {
        const auto& seen = tally.seen[static_cast<std::size_t>(n)];
        EXPECT_GT(seen[static_cast<std::size_t>(wanted::infected)], 0) << n;
        EXPECT_GT(seen[static_cast<std::size_t>(wanted::killed)], 0) << n;
        EXPECT_EQ(seen[static_cast<std::size_t>(wanted::reached)] > 0, n >= 49 && n <= 53) << n;
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
    EXPECT_EQ(firstinfection[44].what, measure::checkanswer);
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
