// The json report, in the schema that mutation-testing tools share.

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include <nlohmann/json.hpp>

#include "engine/expected.hpp"
#include "engine/explain.hpp"
#include "engine/explanation.hpp"
#include "engine/sites.hpp"
#include "engine/sources.hpp"
#include "formats/formats.hpp"
#include "formats/jsonlist.hpp"
#include "formats/utf8.hpp"
#include "mutants/beliefs.hpp"
#include "mutants/catalogue.hpp"

namespace vorlak::formats {

using engine::firstkill;
using engine::firstreach;
using engine::locate;
using engine::location;
using engine::position;
using engine::scanresult;
using engine::suggestion;

namespace {

using json = nlohmann::ordered_json;
using mutants::mutantset;

constexpr std::string_view schemaversion = "2";
constexpr int highthreshold = 80;  // the viewer's colours: green from here
constexpr int lowthreshold = 60;   // red below here

std::string id(long n) { return std::to_string(n); }

json where(position start, position end) {
    return {{"start", {{"line", start.line}, {"column", start.column}}},
            {"end", {{"line", end.line}, {"column", end.column}}}};
}

// The catalogue's description and, with diff, the alteration below it as a
// one-line diff: the line as it reads in the reference and in the mutant.
std::string describe(const mutants::mutant& m, bool diff) {
    std::string text(m.description);
    if (const auto d = diff ? engine::diffof(m.number) : std::nullopt) {
        text += "\nline " + std::to_string(d->line) + ":\n- " + d->reference;
        if (!d->mutant.empty())  // else the alteration removes the line's statements
            text += "\n+ " + d->mutant;
    }
    return text;
}

// The lines that pass a test, as test ids: every one with matrix, else the first.
template <typename passes>
json lines(long first, bool matrix, const std::vector<std::uint32_t>& lineindex, const passes& test) {
    json ids = json::array();
    if (!matrix) {
        ids.push_back(id(first));
        return ids;
    }
    for (std::size_t i = 0; i < lineindex.size(); i++)
        if (test(lineindex[i]))
            ids.push_back(id(static_cast<long>(i) + 1));
    return ids;
}

// Why a mutant has its status, as the level allows: a killed one's line
// and results, a survivor's state or that it survived; then the parts of
// its explanation that follow the state, but its description, which the
// result holds apart.
std::string reasonof(const scanresult& scan, int n, hints level, const std::vector<suggestion>& answers) {
    const firstkill& k = scan.of(n);
    std::string reason = k.line != 0 ? "line " + id(k.line) + ": " + engine::resultpair(k.reference, k.result)
                                     : std::string(engine::statusname(false));
    for (const engine::part& p : engine::explanation(scan, n, level, answers)) {
        if (p.kind == engine::partkind::state)
            reason = p.text;
        else if (p.kind != engine::partkind::mutant)
            reason += "\n" + validutf8(p.text);
    }
    return reason;
}

json mutantresult(const scanresult& scan, const location& s, int n, const reportoptions& o,
                  const std::vector<suggestion>& suggestions) {
    const mutants::mutant& m = mutants::mutantof(n);
    const firstkill& k = scan.of(n);
    const firstreach& f = scan.reachof(n);
    // A survivor that no line reaches is not covered, in the schema's words;
    // below state a survivor only survived.
    const bool state = o.level >= hints::state;
    const char* status = k.line != 0 ? "Killed" : f.reached != 0 || !state ? "Survived" : "NoCoverage";
    json r = {{"id", id(n)}, {"mutatorName", state ? mutants::stagename(m.altered) : "mutant"}};
    if (o.level >= hints::mutant) {
        r["replacement"] = s.replacement;
        r["description"] = describe(m, o.diffs);
    }
    r["location"] = where(s.start, s.end);
    r["status"] = status;
    if (k.line != 0)
        r["killedBy"] = lines(k.line, o.matrix, scan.lineset, [&](std::uint32_t i) { return scan.sets[i].has(n); });
    if (f.reached != 0 && state)
        r["coveredBy"] =
            lines(f.reached, o.matrix, scan.linereach, [&](std::uint32_t i) { return scan.reachsets[i].has(n); });
    r["statusReason"] = reasonof(scan, n, o.level, suggestions);
    r["testsCompleted"] = k.line != 0 && !o.matrix ? k.line : scan.lines;
    return r;
}

// Where a mutant stands as the level allows: its site from mutant on; from
// state on the whole of its stage's code (spans, engine::stagespans);
// below, the whole program.
location shownat(int n, hints level, const std::array<std::optional<engine::codespan>, mutants::stagecount>& spans) {
    const auto s = locate(n);
    // The tests make sure that every mutant is found; should the handed
    // program ever part from the anchors, the mutant stands at its top.
    location at = s ? *s : location{engine::handedprogram, {1, 1}, {1, 1}, "", ""};
    if (level >= hints::mutant)
        return at;
    at.text = at.replacement = "";
    if (level >= hints::state)
        if (const auto& span = spans[static_cast<std::size_t>(mutants::mutantof(n).altered)]) {
            at.start = span->first;
            at.end = span->second;
            return at;
        }
    const std::string_view text = engine::handedsource();
    const std::size_t last = text.find_last_of('\n', text.size() - 2);
    const auto lines = std::count(text.begin(), text.end(), '\n');
    at.start = {1, 1};
    at.end = {static_cast<int>(lines), static_cast<int>(text.size() - 1 - last)};
    return at;
}

// With expectations, what each line's test says of its own: the name ends
// with the verdict, and the test holds the expectation, the verdict, the
// program's result (of a wrong or missing line at answer only) and, for a
// wrong or malformed one, why.
class expectationwords {
public:
    expectationwords(const engine::expectations& e, hints level) : e_(e), level_(level) {}

    void add(long n, json& test) {
        const auto i = static_cast<std::size_t>(n - 1);
        if (i >= e_.lines.size())
            return;
        const engine::lineexpectation& l = e_.lines[i];
        std::string why;
        while (wrong_ < e_.wrongs.size() && e_.wrongs[wrong_].line < n)
            wrong_++;
        while (bad_ < e_.bad.size() && e_.bad[bad_].line < n)
            bad_++;
        if (l.verdict == engine::oracle::wrong && wrong_ < e_.wrongs.size() && e_.wrongs[wrong_].line == n) {
            const engine::wrongline& w = e_.wrongs[wrong_];
            for (const std::string& line : engine::wrongexplained(w, level_))
                why += (why.empty() ? "" : "\n") + line;
            // What answers what it expects: the beliefs' ids from concept
            // on, the mutants from mutant on.
            if (level_ >= hints::concepts) {
                json beliefs = json::array();
                for (const int b : engine::believing(w.text, w.expected))
                    beliefs.push_back(mutants::beliefset[static_cast<std::size_t>(b)].id);
                test["beliefs"] = beliefs;
            }
            if (level_ >= hints::mutant) {
                json answering = json::array();
                engine::foreachmutant(engine::answering(w.text, w.expected), [&](int m) { answering.push_back(m); });
                test["mutants"] = answering;
            }
        } else if (bad_ < e_.bad.size() && e_.bad[bad_].line == n) {
            why = engine::badtailhead(e_.bad[bad_]) + " \"" + shownline(e_.bad[bad_].tail.text) + "\"";
            test["expected"] = validutf8(e_.bad[bad_].tail.text);
        } else if (l.verdict == engine::oracle::missing) {
            why = "line " + id(n) + ": " + std::string(engine::nonename);
        }
        if (l.verdict != engine::oracle::missing)
            test["expected"] = l.expected;
        test["verdict"] = engine::oraclename(l.verdict);
        if (engine::resultshown(l.verdict, level_))
            test["result"] = l.reference;
        if (!why.empty())
            test["explanation"] = why;
        test["name"] = test["name"].get<std::string>() + " [" + std::string(engine::oraclename(l.verdict)) + "]";
    }

private:
    const engine::expectations& e_;
    hints level_;
    std::size_t wrong_ = 0;
    std::size_t bad_ = 0;
};

}  // namespace

std::string displayname(std::string_view name) { return name == "-" ? std::string("standard input") : validutf8(name); }

std::string jsonreport(const scanresult& scan, std::string_view name, const reportoptions& o,
                       const std::vector<suggestion>& suggestions, int indent) {
    json files = json::object();
    files[std::string(engine::handedprogram)] = {
        {"language", "cpp"}, {"source", validutf8(engine::handedsource())}, {"mutants", json::array()}};
    const auto spans = engine::stagespans();
    for (const mutants::mutant& m : mutantset) {
        const location at = shownat(m.number, o.level, spans);
        files[std::string(at.file)]["mutants"].push_back(mutantresult(scan, at, m.number, o, suggestions));
    }

    json report = {{"schemaVersion", schemaversion},
                   {"thresholds", {{"high", highthreshold}, {"low", lowthreshold}}},
                   {"files", files},
                   {"framework", {{"name", "vorlak-report"}, {"version", VORLAK_VERSION}}}};
    // What an editor added to the file unseen, a sentence each, at every level.
    if (const std::vector<std::string> notes = engine::editornotes(scan); !notes.empty())
        report["editorNotes"] = notes;
    if (!suggestions.empty()) {
        json list = json::array();
        for (const suggestion& g : suggestions)
            list.push_back(
                {{"mutant", g.mutant}, {"line", validutf8(g.line)}, {"reference", g.reference}, {"result", g.result}});
        report["suggestions"] = list;
    }
    jsonlist tests(report, indent,
                   "\"testFiles\": {" + json(displayname(name)).dump() +
                       ": {\"source\": " + json(validutf8(scan.source)).dump() + ", \"tests\": [");
    std::size_t from = 0;
    expectationwords words(scan.expected, o.level);
    for (long n = 1; from < scan.source.size(); n++) {
        const std::size_t newlineat = scan.source.find('\n', from);
        const std::size_t end = newlineat == std::string::npos ? scan.source.size() : newlineat;
        json test = {{"id", id(n)},
                     {"name", validutf8(std::string_view(scan.source).substr(from, end - from))},
                     {"location", {{"start", {{"line", n}, {"column", 1}}}}}};
        if (scan.expected.held)
            words.add(n, test);
        tests.add(test);
        from = end == scan.source.size() ? end : end + 1;
    }
    return tests.close("]}}");
}

}  // namespace vorlak::formats
