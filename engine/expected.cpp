#include "engine/expected.hpp"

#include <array>
#include <cstdint>

#include "dates/facts.hpp"
#include "engine/evaluate.hpp"
#include "engine/explain.hpp"
#include "engine/explanation.hpp"
#include "io/shown.hpp"
#include "mutants/catalogue.hpp"

namespace vorlak::engine {

namespace {

// What the date check's test with code k found.
std::string datetest(int k) {
    switch (k) {
    case 1:
        return "month out of range";
    case 2:
        return "day out of range";
    case 3:
        return "year before " + std::to_string(dates::firstyear);
    case 4:
        return "day beyond the month's last day";
    case 5:
        return "February 29 of a common year";
    default:
        return "";
    }
}

// The kinds of the program's results, and of a value it never gives.
enum class resultkind : std::uint8_t { count, dateerror, syntax, reversed, never };

resultkind kindof(std::int32_t result) {
    if (result >= 0)
        return resultkind::count;
    if (result == dates::badsyntax)
        return resultkind::syntax;
    if (result == dates::reversed)
        return resultkind::reversed;
    if (dates::dateerrorof(result).date != 0)
        return resultkind::dateerror;
    return resultkind::never;
}

// A result of each kind, as a line expects it.  A kind of a single value
// is named by what it is, which its value follows from; so it is named only
// as what a line expects, never as the program's answer.
std::string_view kindname(resultkind k) {
    switch (k) {
    case resultkind::count:
        return "a day count";
    case resultkind::dateerror:
        return "a date error code";
    case resultkind::syntax:
        return "the syntax error code";
    case resultkind::reversed:
        return "the code for reversed dates";
    case resultkind::never:
        return "a result the program never gives";
    }
    return {};
}

// Each mutant's concept, worked out as this compiles: the catalogue's rows
// are never read as it runs, so that a caller that explains concepts alone
// (the playground's module below mutant) holds none of their other words.
constexpr auto teaching = [] {
    std::array<mutants::idea, mutants::mutantcount> out{};
    for (std::size_t i = 0; i < out.size(); i++)
        out[i] = mutants::mutantset[i].teaches;
    return out;
}();

}  // namespace

std::string_view oraclename(oracle o) {
    switch (o) {
    case oracle::right:
        return "right";
    case oracle::wrong:
        return "wrong";
    case oracle::missing:
        return "missing";
    }
    return {};
}

std::string verdictcounts(const expectations& e) {
    return std::to_string(e.right) + " right, " + std::to_string(e.wrong) + " wrong, " + std::to_string(e.missing) +
           " missing";
}

std::string expectationcounts(const expectations& e) { return std::string(expectationsname) + ": " + verdictcounts(e); }

std::string resultmeaning(int result, int length) {
    if (result == 0)
        return "the two dates are the same day";
    if (result == 1)
        return "the second date is 1 day after the first";
    if (result > 0)
        return "the second date is " + std::to_string(result) + " days after the first";
    if (result == dates::reversed)
        return "the second date lies before the first";
    if (result == dates::badsyntax)
        return length <= dates::lastcolumn
                   ? "the line is too short: it ends before column " + std::to_string(dates::lastcolumn)
                   : "a non-digit in a digit column";
    if (const dates::dateerror e = dates::dateerrorof(result); e.date != 0)
        return std::string(e.date == 1 ? "the first" : "the second") + " date fails test " + std::to_string(e.code) +
               ", " + datetest(e.code);
    return "a result the program never gives";
}

killset answering(std::string_view line, int value) {
    const int length = putline(line);
    killset k;
    for (int n = 1; n <= mutants::mutantcount; n++)
        if (mutants::entries[static_cast<std::size_t>(n - 1)](length) == value)
            k.add(n);
    return k;
}

std::vector<int> believing(std::string_view line, int value) {
    const int length = putline(line);
    std::vector<int> which;
    for (int i = 0; i < mutants::beliefcount; i++)
        if (mutants::believes(mutants::beliefset[static_cast<std::size_t>(i)], length).contains(value))
            which.push_back(i);
    return which;
}

std::vector<std::string> wrongbeliefs(const wrongline& w, const std::vector<int>& beliefs) {
    std::vector<std::string> lines;
    for (const int i : beliefs)
        lines.push_back(beliefpart(w, mutants::beliefset[static_cast<std::size_t>(i)]).text);
    return lines;
}

std::string unanswered(std::int32_t expected) {
    return "no belief or mutant we know answers " + std::to_string(expected);
}

std::vector<mutants::idea> conceptsof(killset k) {
    std::array<bool, mutants::ideas.size()> found{};
    foreachmutant(k, [&](int n) { found[static_cast<std::size_t>(teaching[static_cast<std::size_t>(n - 1)])] = true; });
    std::vector<mutants::idea> out;
    for (std::size_t i = 0; i < found.size(); i++)
        if (found[i])
            out.push_back(static_cast<mutants::idea>(i));
    return out;
}

std::vector<std::string> wronganswer(const wrongline& w) {
    return {"line " + std::to_string(w.line) + " expects " + std::to_string(w.expected) + ", the program answers " +
                std::to_string(w.reference),
            std::to_string(w.reference) + " means " + resultmeaning(w.reference, static_cast<int>(w.text.size()))};
}

std::string wrongmark(const wrongline& w) {
    return "line " + std::to_string(w.line) + ": the result it expects is wrong";
}

std::string wrongkind(const wrongline& w) {
    // The program's own kind is told only as the line's: the same kind
    // leaves every other value of it, another kind every value of the rest.
    const resultkind expects = kindof(w.expected);
    std::string kind = "line " + std::to_string(w.line) + " expects " + std::string(kindname(expects));
    if (expects == kindof(w.reference))
        kind += expects == resultkind::count ? ", and the count is another" : ", and the code is another";
    else if (expects != resultkind::never)
        kind += ", and the program's result is of another kind";
    return kind;
}

std::vector<std::string> wrongconcepts(killset answers) {
    std::vector<std::string> lines;
    for (const mutants::idea i : conceptsof(answers))
        lines.push_back(std::string(conceptframe) + std::string(mutants::ideaof(i).name));
    return lines;
}

std::vector<std::string> wrongmutants(killset answers, std::int32_t expected) {
    if (answers.empty())
        return {"no mutant answers " + std::to_string(expected)};
    std::vector<long> which;
    foreachmutant(answers, [&](int n) { which.push_back(n); });
    std::vector<std::string> lines = {"as " + mutantlist(which) + (which.size() == 1 ? " does" : " do")};
    for (const long n : which)
        lines.push_back("mutant " + std::to_string(n) + ": " +
                        std::string(mutants::mutantof(static_cast<int>(n)).description));
    return lines;
}

std::string morelines(long count) {
    return "\u2026 and " + std::to_string(count) + (count == 1 ? " more line" : " more lines");
}

std::string badtailhead(const badtail& b) {
    return "line " + std::to_string(b.line) + ": " +
           (b.tail.what == io::expectation::kind::outofrange ? "expectation out of range" : "malformed expectation");
}

std::vector<std::string> editornotes(const scanresult& scan) {
    std::vector<std::string> notes;
    if (scan.bom)
        notes.push_back("line 1 begins with a byte-order mark (shown as " + std::string(io::bomsign) +
                        "), three bytes that an editor added: vorlak reads them as the line's columns 0 to 2");
    if (scan.crlf)
        notes.push_back("the lines end in CR LF, as some editors save them: the carriage return (shown as \u240D) "
                        "is one more byte before the newline, and it changes no result of a line whose two dates "
                        "fill their 21 columns");
    return notes;
}

}  // namespace vorlak::engine
