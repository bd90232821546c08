// The text and csv reports.
#include <array>
#include <cstdio>

#include "engine/cover.hpp"
#include "engine/expected.hpp"
#include "engine/explain.hpp"
#include "engine/explanation.hpp"
#include "formats/aligned.hpp"
#include "formats/formats.hpp"
#include "formats/html.hpp"
#include "formats/utf8.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/score.hpp"

namespace vorlak::formats {

using engine::firstkill;
using engine::firstreach;
using engine::foreachmutant;
using engine::killset;
using engine::scanresult;
using engine::state;

namespace {

using mutants::mutantset;

std::string number(long n) { return std::to_string(n); }

// A line number, or nothing for none.
std::string lineor(long n) { return n != 0 ? number(n) : ""; }

// The cells of one mutant's row as the level allows: number, stage, status,
// line, the two results, description.  A survivor's status is its state
// and its line the first that got it that far, from state on.
std::array<std::string, 7> cells(const scanresult& scan, int n, hints level) {
    const mutants::mutant& m = mutants::mutantof(n);
    const firstkill& k = scan.of(n);
    const bool killed = k.line != 0;
    std::array<std::string, 7> c = {number(n),
                                    level >= hints::state ? std::string(mutants::stagename(m.altered)) : "",
                                    std::string(engine::statusname(killed)),
                                    killed ? number(k.line) : "",
                                    killed ? number(k.reference) : "",
                                    killed ? number(k.result) : "",
                                    level >= hints::mutant ? std::string(m.description) : ""};
    if (!killed && level >= hints::state) {
        const state s = scan.stateof(n);
        const firstreach& f = scan.reachof(n);
        c[2] = engine::statename(s);
        c[3] = lineor(s == state::infected ? f.infected : f.reached);
    }
    return c;
}

// What follows a survivor's row as the level allows: the parts of its
// explanation that the row does not say already.  The row holds its state
// and its description; an infected one's state is said again, with the two
// values, and the concept by its name, whose sentence follows the table.
std::vector<std::string> hintlines(const scanresult& scan, int n, hints level,
                                   const std::vector<engine::suggestion>& answers) {
    std::vector<std::string> lines;
    if (scan.stateof(n) == state::killed)
        return lines;
    for (const engine::part& p : engine::explanation(scan, n, level, answers)) {
        if (p.kind == engine::partkind::mutant ||
            (p.kind == engine::partkind::state && scan.stateof(n) != state::infected))
            continue;
        lines.push_back(validutf8(p.brief));
    }
    return lines;
}

// Each concept with its killed and its surviving mutants, and its sentence.
void concepts(const scanresult& scan, std::string& out) {
    out += "concepts:\n";
    for (std::size_t i = 0; i < mutants::ideas.size(); i++) {
        runs killed;
        runs surviving;
        for (const mutants::mutant& m : mutantset)
            if (static_cast<std::size_t>(m.teaches) == i)
                (scan.of(m.number).line != 0 ? killed : surviving).add(m.number);
        out += std::string(mutants::ideas[i].name) + ": ";
        if (!killed.empty())
            out += "killed " + killed.text() + (surviving.empty() ? "" : ", ");
        if (!surviving.empty())
            out += "surviving " + surviving.text();
        out += "\n    " + std::string(mutants::ideas[i].sentence) + '\n';
    }
}

// The lines that kill each mutant, and the lines with the same kill set
// run together, from the kill set of every line.
void matrix(const scanresult& scan, std::string& out) {
    std::vector<runs> bymutant(mutantset.size());
    for (std::size_t i = 0; i < scan.lineset.size(); i++)
        foreachmutant(scan.sets[scan.lineset[i]],
                      [&](int n) { bymutant[static_cast<std::size_t>(n - 1)].add(static_cast<long>(i) + 1); });
    out += "\nkill matrix, by mutant:\n";
    for (const mutants::mutant& m : mutantset) {
        const runs& r = bymutant[static_cast<std::size_t>(m.number - 1)];
        out += "mutant " + number(m.number) + ": ";
        out += r.empty() ? "no line" : (r.single() ? "line " : "lines ") + r.text();
        out += '\n';
    }
    out += "kill matrix, by line:\n";
    const killset once = engine::killedonce(scan.sets, scan.lineset);
    if (scan.lineset.empty())
        out += "no line\n";
    for (std::size_t i = 0; i < scan.lineset.size();) {
        std::size_t j = i + 1;
        while (j < scan.lineset.size() && scan.lineset[j] == scan.lineset[i])
            j++;
        out += j - i == 1 ? "line " + number(static_cast<long>(i) + 1)
                          : "lines " + number(static_cast<long>(i) + 1) + "-" + number(static_cast<long>(j));
        // Lines that kill the same mutants kill none of them alone.
        const killset kills = scan.sets[scan.lineset[i]];
        const killset alone = j - i == 1 ? kills & once : killset{};
        runs killed;
        foreachmutant(kills, [&](int n) { killed.add(n); });
        runs only;
        foreachmutant(alone, [&](int n) { only.add(n); });
        out += ": ";
        out += killed.empty() ? "no mutant" : (killed.single() ? "mutant " : "mutants ") + killed.text();
        if (!only.empty())
            out += "; " + std::string(engine::alonename) + " " + only.text();
        out += "; " + std::string(engine::lineverdict(!alone.empty())) + '\n';
        i = j;
    }
}

// With expectations, the matrix by line: each line with its expectation (a
// tail that states none as it reads), its verdict, the program's result
// (of a wrong or missing line at answer only) and the mutants it kills,
// separated by blanks.
std::string csvexpectations(const scanresult& scan, hints level) {
    const engine::expectations& e = scan.expected;
    std::string out = "line,expected,verdict,reference,mutants\r\n";
    std::size_t bad = 0;
    for (std::size_t i = 0; i < e.lines.size(); i++) {
        const long line = static_cast<long>(i) + 1;
        const engine::lineexpectation& l = e.lines[i];
        std::string expected;
        if (l.verdict != engine::oracle::missing)
            expected = number(l.expected);
        while (bad < e.bad.size() && e.bad[bad].line < line)
            bad++;
        if (bad < e.bad.size() && e.bad[bad].line == line)
            expected = csvfield(shownline(e.bad[bad].tail.text));
        std::string killed;
        if (i < scan.lineset.size())
            foreachmutant(scan.sets[scan.lineset[i]],
                          [&](int n) { killed += (killed.empty() ? "" : " ") + number(n); });
        out += number(line) + ',' + expected + ',' + std::string(engine::oraclename(l.verdict)) + ',' +
               (engine::resultshown(l.verdict, level) ? number(l.reference) : "") + ',' + killed + "\r\n";
    }
    return out;
}

}  // namespace

void runs::add(long n) {
    if (!spans_.empty() && spans_.back().second + 1 == n)
        spans_.back().second = n;
    else
        spans_.push_back({n, n});
}

std::string runs::text() const {
    std::string out;
    for (const auto& [first, last] : spans_) {
        if (!out.empty())
            out += ' ';
        out += number(first);
        if (last != first)
            out += '-' + number(last);
    }
    return out;
}

std::vector<long> runs::numbers() const {
    std::vector<long> out;
    for (const auto& [first, last] : spans_)
        for (long n = first; n <= last; n++)
            out.push_back(n);
    return out;
}

std::string csvfield(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string editornotelines(const scanresult& scan) {
    std::string out;
    for (const std::string& note : engine::editornotes(scan))
        out += capitalized(note) + ".\n";
    return out;
}

std::string textreport(const scanresult& scan, bool withmatrix, hints level,
                       const std::vector<engine::suggestion>& answers) {
    std::vector<std::array<std::string, 7>> rows = {
        {"mutant", "stage", "status", "line", "reference", "result", "description"}};
    std::vector<std::vector<std::string>> under(mutantset.size() + 1);
    for (const mutants::mutant& m : mutantset) {
        rows.push_back(cells(scan, m.number, level));
        under[static_cast<std::size_t>(m.number)] = hintlines(scan, m.number, level, answers);
    }
    const std::string table = aligned(rows, {true, false, false, true, true, true, false});
    const std::size_t header = table.find('\n');
    const std::string indent(columns(std::string_view(table).substr(0, header)) - columns(rows[0].back()), ' ');
    std::string out = editornotelines(scan);
    std::size_t row = 0;
    for (std::size_t from = 0; from < table.size(); row++) {
        const std::size_t end = table.find('\n', from) + 1;
        // A row whose last cell is empty ends without the blanks before it.
        std::size_t last = end - 1;
        while (last > from && table[last - 1] == ' ')
            last--;
        out.append(table, from, last - from);
        out += '\n';
        if (row < under.size())
            for (const std::string& line : under[row])
                out += indent + line + '\n';
        from = end;
    }
    out += mutants::summaryline(scan.killed());
    if (scan.expected.held)
        out += engine::expectationcounts(scan.expected) + '\n';
    runs survivors;
    for (const mutants::mutant& m : mutantset)
        if (scan.of(m.number).line == 0)
            survivors.add(m.number);
    out += "surviving mutants: " + (survivors.empty() ? std::string("none") : survivors.text()) + '\n';
    if (scan.expected.held)
        out += expectationlist(scan.expected, level);
    if (level >= hints::concepts)
        concepts(scan, out);
    if (withmatrix)
        matrix(scan, out);
    return out;
}

std::string csvreport(const scanresult& scan, hints level) {
    std::string out = "mutant,stage,function,status,line,reference,result,description,reached,infected\r\n";
    // The status is killed or survived, the line the first killing line; the
    // state is in the last two fields.
    const bool state = level >= hints::state;
    for (const mutants::mutant& m : mutantset) {
        const auto c = cells(scan, m.number, level);
        const firstkill& k = scan.of(m.number);
        const firstreach& f = scan.reachof(m.number);
        out += c[0] + ',' + csvfield(c[1]) + ',' + (state ? csvfield(m.function) : "") + ',' +
               std::string(engine::statusname(k.line != 0)) + ',' + lineor(k.line) + ',' + c[4] + ',' + c[5] + ',' +
               csvfield(c[6]) + ',' + (state ? lineor(f.reached) : "") + ',' + (state ? lineor(f.infected) : "") +
               "\r\n";
    }
    return out;
}

std::string csvmatrix(const scanresult& scan, hints level) {
    if (scan.expected.held)
        return csvexpectations(scan, level);
    std::string out = "line,mutant\r\n";
    for (std::size_t i = 0; i < scan.lineset.size(); i++) {
        const std::string line = number(static_cast<long>(i) + 1);
        const killset s = scan.sets[scan.lineset[i]];
        if (s.empty())
            out += line + ",\r\n";
        foreachmutant(s, [&](int n) { out += line + ',' + number(n) + "\r\n"; });
    }
    return out;
}

}  // namespace vorlak::formats
