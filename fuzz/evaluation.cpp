// Fuzz target: one line evaluated by the reference and by all 65 mutants.
//
// The input is the line as the reader would hand it over: its bytes (at most
// 999; the rest of a longer input is dropped) followed by a zero byte, the
// count of bytes as the length.  Each evaluation is run with two different
// leftovers in the buffer after the zero, and must give the same results,
// leave the line as it was, keep to what the wiring alone decides, and to
// the reach and infection that the engine judges from the reference alone.
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "dates/dates.hpp"
#include "engine/fastjudge.hpp"
#include "engine/infection.hpp"
#include "fuzz/target.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/mutants.hpp"

namespace vorlak::fuzz {

namespace {

using dates::line;

constexpr int maxlength = dates::linesize - 1;  // the longest piece the reader hands out
constexpr int shortest = 22;                    // 21 date columns and one more
constexpr int maxdays = 3'000'000;              // above 01/01/1900 to 12/31/9999, 2,958,463 days

// Leftovers of earlier lines.  The first is a valid test line laid from
// column 0, so that a read past the zero would find plausible dates there.
constexpr std::string_view validline = "12/31/1999 01/01/2000\n";
constexpr std::string_view nondigits = "\xff";

struct results {
    int reference;
    std::array<int, mutants::mutantcount> mutant;
};

void fillafter(int length, std::string_view pattern) {
    for (int i = length + 1; i < dates::linesize; i++)
        line[i] = static_cast<signed char>(pattern[static_cast<std::size_t>(i) % pattern.size()]);
}

// The codes of the table of evaluation results, or a day count of 0 or more.
bool tablecode(int result) {
    return result >= 0 || result == -3 || result == -4 || (result <= -11 && result >= -15) ||
           (result <= -21 && result >= -25);
}

// As the harness does it: the reference first, then the mutant, on the same
// line; the reference must come out the same before every mutant.
results evaluateall(int length) {
    results r{};
    r.reference = dates::testline(length);
    for (const auto& m : mutants::mutantset) {
        const int again = dates::testline(length);
        if (again != r.reference)
            fail("the reference gives %d before mutant %d, %d at first", again, m.number, r.reference);
        r.mutant[static_cast<std::size_t>(m.number - 1)] =
            mutants::entries[static_cast<std::size_t>(m.number - 1)](length);
    }
    return r;
}

// The digit field at column, for a line whose digit columns are digits.
int field(int column, int width) {
    int value = 0;
    for (int i = column; i < column + width; i++)
        value = value * 10 + (line[i] - '0');
    return value;
}

bool digitcolumns() {
    for (int i = 0; i <= 20; i++) {
        if (i == 2 || i == 5 || i == 10 || i == 13 || i == 16)
            continue;
        if (line[i] < '0' || line[i] > '9')
            return false;
    }
    return true;
}

// The date error code, with the standard calendar deciding which days exist.
int datecode(int month, int day, int year) {
    if (month < 1 || month > 12)
        return 1;
    if (day < 1 || day > 31)
        return 2;
    if (year < 1900)
        return 3;
    const std::chrono::year_month_day ymd{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                                          std::chrono::day{static_cast<unsigned>(day)}};
    if (ymd.ok())
        return 0;
    return month == 2 && day == 29 ? 5 : 4;
}

std::chrono::sys_days serial(int month, int day, int year) {
    return std::chrono::sys_days{std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)} /
                                 std::chrono::day{static_cast<unsigned>(day)}};
}

// The reference result worked out independently of the date program.
int oracle(int length) {
    if (length < shortest || !digitcolumns())
        return -4;
    const int m1 = field(0, 2), d1 = field(3, 2), y1 = field(6, 4);
    if (const int k = datecode(m1, d1, y1); k != 0)
        return -(10 + k);
    const int m2 = field(11, 2), d2 = field(14, 2), y2 = field(17, 4);
    if (const int k = datecode(m2, d2, y2); k != 0)
        return -(20 + k);
    const auto days = (serial(m2, d2, y2) - serial(m1, d1, y1)).count();
    return days < 0 ? -3 : static_cast<int>(days);
}

// The evaluations only read the line; its bytes and the zero stay as stored.
void checkunchanged(const std::array<signed char, dates::linesize>& before, int length) {
    if (std::memcmp(line, before.data(), static_cast<std::size_t>(length) + 1) != 0)
        fail("an evaluation wrote into the line of length %d", length);
}

void checkwiring(int length, const results& r) {
    const int ref = r.reference;
    if (!tablecode(ref) || ref > maxdays)
        fail("the reference gives %d, not a result of the table", ref);
    if (const int expected = oracle(length); ref != expected)
        fail("the reference gives %d, the calendar %d", ref, expected);
    // The program as it reads, without the fast forms, gives what vorlak runs.
    using namespace dates;
    if (const int plain = evaluate<checksyntax<>, convert<checkdate<>>, countdays<>>(length); plain != ref)
        fail("the reference gives %d, the plain program %d", ref, plain);
    const bool syntaxok = length >= shortest && dates::chkinputsyntax() == 0;
    for (const auto& m : mutants::mutantset) {
        const int got = r.mutant[static_cast<std::size_t>(m.number - 1)];
        if (!tablecode(got))
            fail("mutant %d gives %d, not a result of the table", m.number, got);
        if (length < shortest && got != -4)
            fail("mutant %d gives %d for a line of length %d", m.number, got, length);
        // Every altered syntax check accepts what the reference check accepts.
        if (syntaxok && m.number <= 16 && got != ref)
            fail("mutant %d gives %d for a line of valid syntax, the reference %d", m.number, got, ref);
        if (!syntaxok && m.number >= 17 && got != -4)
            fail("mutant %d gives %d for a line the syntax check rejects", m.number, got);
        if (ref <= -11 && m.number >= 46 && got != ref)
            fail("mutant %d gives %d for an invalid date, the reference %d", m.number, got, ref);
        if (ref >= -3 && m.number >= 46 && got < -3)
            fail("mutant %d gives %d for two valid dates", m.number, got);
    }
}

// A kill implies infection, and an infected mutant is killed exactly when no
// way of losing the difference applies.
void checkverdicts(int length, const results& r) {
    const engine::trace t = engine::tracepiece(length);
    if (t.result != r.reference)
        fail("the engine's trace gives %d, the reference %d", t.result, r.reference);
    const auto verdicts = engine::judgeall(t);
    for (const auto& m : mutants::mutantset) {
        const auto i = static_cast<std::size_t>(m.number - 1);
        const engine::verdict& v = verdicts[i];
        const bool killed = r.mutant[i] != r.reference;
        const bool infected = v.reach == engine::state::infected;
        if (killed && !infected)
            fail("mutant %d gives %d, the reference %d, on a line that does not infect it", m.number, r.mutant[i],
                 r.reference);
        if (infected && killed != (v.lost == engine::loss::none))
            fail("mutant %d gives %d, the reference %d, but the engine says the difference was lost by way %d",
                 m.number, r.mutant[i], r.reference, static_cast<int>(v.lost));
    }
    // The scan's judging from tables, against the verdicts and the kills.
    // One judging for every input, as a scan has one for all its pieces.
    static engine::fast::judging judging;
    const engine::linestates fast = judging(t);
    if (fast != engine::statesof(verdicts))
        fail("the fast judging differs from the verdicts");
    for (const auto& m : mutants::mutantset)
        if (fast.killed.has(m.number) != (r.mutant[static_cast<std::size_t>(m.number - 1)] != r.reference))
            fail("the fast judging says mutant %d is %skilled", m.number, fast.killed.has(m.number) ? "" : "not ");
}

}  // namespace

}  // namespace vorlak::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vorlak;
    using namespace vorlak::fuzz;
    const int length = size < maxlength ? static_cast<int>(size) : maxlength;
    if (length > 0)  // an empty input may come as a null pointer
        std::memcpy(dates::line, data, static_cast<std::size_t>(length));
    dates::line[length] = 0;
    dates::len = length;

    std::array<signed char, dates::linesize> before;
    std::memcpy(before.data(), dates::line, before.size());

    fillafter(length, validline);
    const results first = evaluateall(length);
    checkunchanged(before, length);
    checkwiring(length, first);
    checkverdicts(length, first);

    fillafter(length, nondigits);
    const results second = evaluateall(length);
    checkunchanged(before, length);
    if (second.reference != first.reference)
        fail("the reference gives %d or %d by what follows the line", first.reference, second.reference);
    for (std::size_t i = 0; i < first.mutant.size(); i++) {
        if (second.mutant[i] != first.mutant[i])
            fail("mutant %zu gives %d or %d by what follows the line", i + 1, first.mutant[i], second.mutant[i]);
    }
    return 0;
}
