#include "engine/infection.hpp"

#include <bit>
#include <cstddef>
#include <utility>

#include "dates/facts.hpp"
#include "dates/reference.hpp"
#include "engine/steps.hpp"

namespace vorlak::engine {

namespace {

using dates::date;
using namespace altered;

// Hears the two day numbers of the reference's count for the trace that
// tracepiece is forming; it reads them only from an evaluation that counted.
// Like the line buffer it hears from, each thread has its own.
struct countwatch {
    static inline thread_local constinit std::array<int, 2> heard{};
    static void daynumbers(int first, int second) { heard = {first, second}; }
};

bool inmonths(std::uint32_t months, int month) { return month >= 1 && month <= 12 && (months >> month & 1) != 0; }

verdict judgesyntax(const trace& t, const step& s) {
    verdict v;
    if (t.length <= dates::lastcolumn)
        return v;
    // The scan reaches the column when every column it examines before it holds a digit.
    if ((t.nondigits & s.examined & ((1u << s.column) - 1)) != 0)
        return v;
    v.reach = state::reached;
    if ((t.nondigits >> s.column & 1) == 0)
        return v;
    // The reference's scan stops at the column; the mutant's goes on to the next non-digit.
    const std::uint32_t later = t.nondigits & s.examined;
    v.reach = state::infected;
    v.what = measure::stopcolumn;
    v.reference = s.column;
    v.mutant = later != 0 ? std::countr_zero(later) : -1;
    v.lost = later != 0 ? loss::masked : loss::none;
    return v;
}

// The mutant's check sees the second date only when it passed the first, and
// its result differs from the reference's exactly when a code does.
verdict judgedates(const trace& t, int mutant) {
    verdict v;
    for (int i = 0; i < t.checked; i++) {
        const int code = t.code[static_cast<std::size_t>(i)];
        const checkstep c = judgecheck(mutant, t.date[static_cast<std::size_t>(i)], code);
        if (c.reached && v.reach == state::unreached)
            v.reach = state::reached;
        if (c.infected && v.reach != state::infected) {
            v = {state::infected,
                 loss::unused,
                 c.what,
                 i + 1,
                 c.reference,
                 c.mutant,
                 t.date[static_cast<std::size_t>(i)]};
        }
        if (c.reached && c.mutantcode != code) {
            v.lost = loss::none;
            return v;
        }
    }
    return v;
}

// A count's step on one date whose reference day number is referenceday.
countstep countat(const step& s, const date& d, int referenceday) {
    countstep out;
    if (s.what == kind::countrule) {
        // The rule is asked for every date, whatever the month; where it
        // answers as the reference's, the day number is the reference's.
        out.reached = true;
        out.what = measure::countanswer;
        out.reference = dates::leap(d.year);
        out.mutant = s.rule(d.year);
        out.infected = out.reference != out.mutant;
        if (out.infected)
            out.offset = s.daynumber(d) - referenceday;
    } else if (s.what == kind::daynumber && (s.months == 0 || inmonths(s.months, d.month))) {
        out.reached = true;
        out.reference = referenceday;
        out.mutant = s.daynumber(d);
        out.infected = out.reference != out.mutant;
        out.offset = out.mutant - out.reference;
    }
    return out;
}

// The mutant's count is the reference's plus the second date's offset minus the first's.
verdict judgedays(const trace& t, const step& s) {
    verdict v;
    if (!t.counted)
        return v;
    const std::array<countstep, 2> c = {countat(s, t.date[0], t.daynumber[0]), countat(s, t.date[1], t.daynumber[1])};
    if (!c[0].reached && !c[1].reached)
        return v;
    v.reach = state::reached;
    const int first = c[0].infected ? 0 : c[1].infected ? 1 : -1;
    if (first < 0)
        return v;
    const countstep& at = c[static_cast<std::size_t>(first)];
    v = {state::infected,
         loss::none,
         at.what,
         first + 1,
         at.reference,
         at.mutant,
         t.date[static_cast<std::size_t>(first)]};
    const int count = t.daynumber[1] - t.daynumber[0];
    const int altered = count + c[1].offset - c[0].offset;
    if (c[0].offset == 0 && c[1].offset == 0)
        v.lost = loss::unused;
    else if (c[0].offset == c[1].offset)
        v.lost = loss::cancelled;
    else if (count < 0 && altered < 0)
        v.lost = loss::reversed;
    return v;
}

}  // namespace

trace tracepiece(int length) {
    trace t;
    t.length = length;
    t.result = dates::referenceline<countwatch>(length);
    if (length <= dates::lastcolumn)
        return t;
    // Only the syntax check gives badsyntax to a line long enough.  The
    // reference's check stops at the first non-digit; the syntax mutants
    // need the others too, so a line it rejects is read column by column.
    if (t.result == dates::badsyntax) {
        for (const int column : dates::digitcolumns)
            if (!dates::isdigitchar(dates::line[column]))
                t.nondigits |= 1u << column;
        return t;
    }
    // The conversion stored each date it read in the records; a result that
    // is no date's error is the count's.
    const dates::dateerror e = dates::dateerrorof(t.result);
    t.checked = e.date == 1 ? 1 : 2;
    t.date[0] = dates::firstdate;
    if (t.checked == 2)
        t.date[1] = dates::seconddate;
    t.code[0] = e.date == 1 ? e.code : 0;
    t.code[1] = e.date == 2 ? e.code : 0;
    if (e.date != 0)
        return t;
    t.counted = true;
    t.daynumber = countwatch::heard;
    return t;
}

checkstep judgecheck(int mutant, const dates::date& d, int code) {
    const step& s = stepof(mutant);
    checkstep out;
    if (s.what != kind::datetest && s.what != kind::checkrule)
        return out;
    // A test runs when those before it pass: the code is 0, or the test's own or a later one.
    bool reached = code == 0 || code >= s.test;
    if (s.test == 4)
        reached = reached && inmonths(s.months, d.month);
    if (s.what == kind::checkrule)
        reached = reached && d.month == dates::datebounds{}.leapmonth;
    if (!reached)
        return out;
    out.reached = true;
    out.mutantcode = s.check(d.month, d.day, d.year);
    if (s.what == kind::checkrule) {
        out.what = measure::checkanswer;
        out.reference = dates::leap(d.year);
        out.mutant = s.rule(d.year);
    } else {
        out.reference = code;
        out.mutant = out.mutantcode;
    }
    out.infected = out.reference != out.mutant;
    return out;
}

countstep judgecount(int mutant, const dates::date& d, int referenceday) {
    return countat(stepof(mutant), d, referenceday);
}

verdict judge(const trace& t, int mutant) {
    const step& s = stepof(mutant);
    switch (s.what) {
    case kind::syntaxcolumn:
        return judgesyntax(t, s);
    case kind::datetest:
    case kind::checkrule:
        return judgedates(t, mutant);
    case kind::countrule:
    case kind::daynumber:
        return judgedays(t, s);
    }
    return {};
}

std::array<verdict, mutants::mutantcount> judgeall(const trace& t) {
    std::array<verdict, mutants::mutantcount> all;
    for (int n = 1; n <= mutants::mutantcount; n++)
        all[static_cast<std::size_t>(n - 1)] = judge(t, n);
    return all;
}

linestates statesof(const std::array<verdict, mutants::mutantcount>& verdicts) {
    linestates s;
    for (int n = 1; n <= mutants::mutantcount; n++)
        s.note(n, verdicts[static_cast<std::size_t>(n - 1)]);
    return s;
}

}  // namespace vorlak::engine
