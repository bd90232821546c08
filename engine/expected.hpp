// Lines that state what they expect: what the program's results mean, which
// mutants answer what a wrong line expects, and how every surface words a
// line's expectation.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/explain.hpp"
#include "engine/killset.hpp"
#include "engine/scan.hpp"
#include "io/expectation.hpp"

namespace vorlak::engine {

// "right", "wrong" or "missing".
std::string_view oraclename(oracle o);

// Whether a surface states the program's result on a line of this verdict
// at level: a right line's is the student's own; a wrong or missing line's
// is what the student is to find, and only the answers give it.
constexpr bool resultshown(oracle verdict, hints level) { return verdict == oracle::right || level >= hints::answer; }

// The count of each verdict, "3 right, 1 wrong, 2 missing", and so as it
// follows the summary line: "expectations: 3 right, 1 wrong, 2 missing".
inline constexpr std::string_view expectationsname = "expectations";
std::string verdictcounts(const expectations& e);
std::string expectationcounts(const expectations& e);

// What a result of the program means on a line of length bytes, such as
// "the first date fails test 5, February 29 of a common year".
std::string resultmeaning(int result, int length);

// The mutants whose result on the line (its first 999 bytes, as a piece)
// is value.
killset answering(std::string_view line, int value);

// The beliefs whose answer on the line (its first 999 bytes, as a piece)
// is value, as places in mutants::beliefset, in its order.
std::vector<int> believing(std::string_view line, int value);

// What each of those beliefs says the line believed, a sentence each; and
// what is said of a wrong line that no belief and no mutant answers: "no
// belief or mutant we know answers 1".
std::vector<std::string> wrongbeliefs(const wrongline& w, const std::vector<int>& beliefs);
std::string unanswered(std::int32_t expected);

// The parts of a wrong line's explanation: what it expects and what the
// program answers, with what that answer means; the concepts of the mutants
// in answers (those that answer what it expects), each in its frame; and
// those mutants ("as mutants 44 and 50 do"), each with its description, or
// that none does.
std::vector<std::string> wronganswer(const wrongline& w);
std::vector<std::string> wrongconcepts(killset answers);
std::vector<std::string> wrongmutants(killset answers, std::int32_t expected);

// What a wrong line says below answer, nothing the program's result on it
// follows from: that it is wrong, "line 5: the result it expects is wrong";
// and, from state on, the kind of result it expects and whether the
// program's is another of that kind or of another kind: "line 5 expects a
// day count, and the count is another".
std::string wrongmark(const wrongline& w);
std::string wrongkind(const wrongline& w);

// A wrong line, as every surface explains it, line by line as the level
// allows: below answer wrongmark and, from state on, wrongkind; at answer
// "line 4 expects 2, the program answers 1" and what that answer means;
// from concept on, the beliefs that answer what the line expects and the
// concepts of the mutants that do, or that none does; from mutant on, those
// mutants.  A caller that must not hold the
// words of a level above cap (the playground's module) names it, so that
// what only a higher level says is not even linked in.
template <hints cap = hints::answer> std::vector<std::string> wrongexplained(const wrongline& w, hints level) {
    std::vector<std::string> lines;
    if (cap >= hints::answer && level >= hints::answer) {
        if constexpr (cap >= hints::answer)
            lines = wronganswer(w);
    } else {
        lines.push_back(wrongmark(w));
        if constexpr (cap >= hints::state)
            if (level >= hints::state)
                lines.push_back(wrongkind(w));
    }
    if constexpr (cap >= hints::concepts) {
        if (level < hints::concepts)
            return lines;
        const std::vector<int> beliefs = believing(w.text, w.expected);
        for (std::string& l : wrongbeliefs(w, beliefs))
            lines.push_back(std::move(l));
        const killset answers = answering(w.text, w.expected);
        for (std::string& l : wrongconcepts(answers))
            lines.push_back(std::move(l));
        if (beliefs.empty() && answers.empty()) {
            lines.push_back(unanswered(w.expected));
            return lines;
        }
        if constexpr (cap >= hints::mutant) {
            if (level < hints::mutant)
                return lines;
            for (std::string& l : wrongmutants(answers, w.expected))
                lines.push_back(std::move(l));
        }
    }
    return lines;
}

// The concepts of the mutants in k, in the catalogue's order.
std::vector<mutants::idea> conceptsof(killset k);

// How the lines with an empty tail are listed: "no expectation".
inline constexpr std::string_view nonename = "no expectation";

// The headings of the wrong lines and of the lines that state no
// expectation, and what a wrong line is to its writer.
inline constexpr std::string_view wronghead = "wrong expectations";
inline constexpr std::string_view missinghead = "missing expectations";
inline constexpr std::string_view wrongmeaning =
    "A line that expects another result than the program's is a fault in the tests: it counts for nothing, "
    "and kills no mutant, until it expects what the program answers.";

// What a list that stops short says of the lines it leaves out: "… and 140
// more lines".
std::string morelines(long count);

// A tail that states no value, with its line: "line 6: malformed
// expectation" or "line 6: expectation out of range", its text to follow.
std::string badtailhead(const badtail& b);

// What an editor added to the file unseen, a sentence each, for the top of
// the file's page, report and platform document at every level: a
// byte-order mark at the start of line 1, lines that end in CR LF.  Empty
// for a file with neither.
std::vector<std::string> editornotes(const scanresult& scan);

}  // namespace vorlak::engine
