// The text and csv reports.
#include <array>
#include <cstdio>

#include "engine/explain.hpp"
#include "formats/aligned.hpp"
#include "formats/formats.hpp"
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

// The cells of one mutant's row: number, stage, status, line, the two results, description.
std::array<std::string, 7> cells(const scanresult& scan, int n) {
    const mutants::mutant& m = mutants::mutantof(n);
    const firstkill& k = scan.of(n);
    const bool killed = k.line != 0;
    return {number(n),
            std::string(mutants::stagename(m.altered)),
            std::string(engine::statusname(killed)),
            killed ? number(k.line) : "",
            killed ? number(k.reference) : "",
            killed ? number(k.result) : "",
            std::string(m.description)};
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
    if (scan.lineset.empty())
        out += "no line\n";
    for (std::size_t i = 0; i < scan.lineset.size();) {
        std::size_t j = i + 1;
        while (j < scan.lineset.size() && scan.lineset[j] == scan.lineset[i])
            j++;
        out += j - i == 1 ? "line " + number(static_cast<long>(i) + 1)
                          : "lines " + number(static_cast<long>(i) + 1) + "-" + number(static_cast<long>(j));
        runs killed;
        foreachmutant(scan.sets[scan.lineset[i]], [&](int n) { killed.add(n); });
        out += ": ";
        out += killed.empty() ? "no mutant" : (killed.single() ? "mutant " : "mutants ") + killed.text();
        out += '\n';
        i = j;
    }
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

std::string textreport(const scanresult& scan, bool withmatrix, hints level,
                       const std::vector<engine::suggestion>& answers) {
    std::vector<std::array<std::string, 7>> rows = {
        {"mutant", "stage", "status", "line", "reference", "result", "description"}};
    // A survivor's row gives its state and the first line of it; under the
    // description follow how an infected survivor's difference was lost,
    // then the hints that the level allows.
    std::vector<std::vector<std::string>> under(mutantset.size() + 1);
    for (const mutants::mutant& m : mutantset) {
        auto c = cells(scan, m.number);
        const state s = scan.stateof(m.number);
        auto& lines = under[static_cast<std::size_t>(m.number)];
        if (s != state::killed) {
            const firstreach& f = scan.reachof(m.number);
            c[2] = engine::statename(s);
            c[3] = lineor(s == state::infected ? f.infected : f.reached);
        }
        if (s == state::infected)
            lines.push_back(engine::whyof(scan, m.number));
        if (s != state::killed && level >= hints::condition)
            lines.push_back(engine::nexthint(m, s));
        if (s != state::killed && level == hints::answer)
            for (const engine::suggestion& g : answers)
                if (g.mutant == m.number)
                    lines.push_back(std::string(engine::killinghint) + validutf8(g.line.substr(0, g.line.find('\n'))));
        rows.push_back(c);
    }
    const std::string table = aligned(rows, {true, false, false, true, true, true, false});
    const std::size_t header = table.find('\n');
    const std::string indent(columns(std::string_view(table).substr(0, header)) - columns(rows[0].back()), ' ');
    std::string out;
    std::size_t row = 0;
    for (std::size_t from = 0; from < table.size(); row++) {
        const std::size_t end = table.find('\n', from) + 1;
        out.append(table, from, end - from);
        if (row < under.size())
            for (const std::string& line : under[row])
                out += indent + line + '\n';
        from = end;
    }
    out += mutants::summaryline(scan.killed());
    runs survivors;
    for (const mutants::mutant& m : mutantset)
        if (scan.of(m.number).line == 0)
            survivors.add(m.number);
    out += "surviving mutants: " + (survivors.empty() ? std::string("none") : survivors.text()) + '\n';
    if (withmatrix)
        matrix(scan, out);
    return out;
}

std::string csvreport(const scanresult& scan) {
    std::string out = "mutant,stage,function,status,line,reference,result,description,reached,infected\r\n";
    for (const mutants::mutant& m : mutantset) {
        const auto c = cells(scan, m.number);
        const firstreach& f = scan.reachof(m.number);
        out += c[0] + ',' + csvfield(c[1]) + ',' + csvfield(m.function) + ',' + c[2] + ',' + c[3] + ',' + c[4] + ',' +
               c[5] + ',' + csvfield(c[6]) + ',' + lineor(f.reached) + ',' + lineor(f.infected) + "\r\n";
    }
    return out;
}

std::string csvmatrix(const scanresult& scan) {
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
