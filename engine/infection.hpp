// Why a mutant survives a line: whether the line reaches the mutant's altered
// step, whether that step leaves a different state there than the
// reference's step would (infection), and, where it does without changing
// the result, how the difference was lost.  Every mutant is judged from one
// evaluation of the line by the reference.
#pragma once

#include <array>
#include <cstdint>

#include "dates/dates.hpp"
#include "engine/killset.hpp"
#include "mutants/mutants.hpp"

namespace vorlak::engine {

// What the reference's evaluation of a line leaves for the altered steps.
struct trace {
    int length = 0;
    int result = 0;               // the reference's result
    std::uint32_t nondigits = 0;  // bit c: digit column c holds a non-digit (read only for a long enough line)
    int checked = 0;              // the dates the conversion checked: 0, 1 or 2
    std::array<dates::date, 2> date{};
    std::array<int, 2> code{};       // the date check's code for each checked date
    bool counted = false;            // both dates valid: the day count ran
    std::array<int, 2> daynumber{};  // with counted
};

// Runs the reference's evaluation (dates/reference.hpp) of the line in the
// line buffer once, and reads the trace off its stages: the result, the
// records the conversion stored and the day numbers the count formed.
trace tracepiece(int length);

// How far a line got into a mutant.  A line that kills a mutant infects it,
// and one that infects it reaches it; killed is told by running the mutant.
enum class state : std::uint8_t { unreached, reached, infected, killed };

// How an infection was lost on the way to the result.
enum class loss : std::uint8_t {
    none,       // it was not: the results differ
    masked,     // a later digit column is a non-digit too, so both checks reject the line
    unused,     // the altered rule's answer changed no code and no day number
    cancelled,  // both day numbers moved by the same amount
    reversed,   // both counts are negative, so both results are -3
};

// What the two values at an altered step are.
enum class measure : std::uint8_t {
    stopcolumn,   // the column where the syntax check rejects the line; -1 when it accepts it
    datecode,     // the date check's code for the date
    checkanswer,  // the leap-year rule's answer for the date's year, as the date check asks it
    countanswer,  // the same, as the day count asks it
    daynumber,    // the date's day number
};

// A mutant on one line.  Where the line infects it: the date whose step was
// infected first (0 for the syntax check), the two values there, and how the
// difference was lost; lost is none exactly when the mutant's result differs
// from the reference's.
struct verdict {
    state reach = state::unreached;  // unreached, reached or infected
    loss lost = loss::none;
    measure what = measure::stopcolumn;
    int date = 0;
    int reference = 0;
    int mutant = 0;
    dates::date at{};  // that date, when date is 1 or 2
};

verdict judge(const trace& t, int mutant);
std::array<verdict, mutants::mutantcount> judgeall(const trace& t);

// A line's verdicts as sets: the mutants it reaches (infected and killed
// ones included), those it infects (killed ones included) and those it kills.
struct linestates {
    killset reached;
    killset infected;
    killset killed;
    constexpr bool operator==(const linestates&) const = default;

    // Adds mutant n as its verdict places it.
    constexpr void note(int n, const verdict& v) {
        if (v.reach != state::unreached)
            reached.add(n);
        if (v.reach == state::infected)
            infected.add(n);
        if (v.reach == state::infected && v.lost == loss::none)
            killed.add(n);
    }
};
linestates statesof(const std::array<verdict, mutants::mutantcount>& verdicts);

// The altered step of a date check, on one date that the conversion checks
// with the reference's code for it.
struct checkstep {
    bool reached = false;
    bool infected = false;
    measure what = measure::datecode;
    int reference = 0;  // at the step: the codes, or the rule's answers
    int mutant = 0;
    int mutantcode = 0;  // the mutant's code for the date, when reached
};
checkstep judgecheck(int mutant, const dates::date& d, int code);

// The altered step of a day count, on one date of a count that runs, whose
// day number in the reference is referenceday.
struct countstep {
    bool reached = false;
    bool infected = false;
    measure what = measure::daynumber;
    int reference = 0;  // at the step: the rule's answers, or the day numbers
    int mutant = 0;
    int offset = 0;  // the mutant's day number minus the reference's
};
countstep judgecount(int mutant, const dates::date& d, int referenceday);

}  // namespace vorlak::engine
