// The json report, in the schema that mutation-testing tools share.

#include <cstdint>
#include <optional>
#include <vector>

#include <nlohmann/json.hpp>

#include "engine/explain.hpp"
#include "engine/sites.hpp"
#include "engine/sources.hpp"
#include "formats/formats.hpp"
#include "formats/jsonlist.hpp"
#include "formats/utf8.hpp"
#include "mutants/catalogue.hpp"

namespace vorlak::formats {

using engine::firstkill;
using engine::firstreach;
using engine::locate;
using engine::location;
using engine::position;
using engine::referencesources;
using engine::scanresult;
using engine::sourcefile;
using engine::state;
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

std::string withoutnewline(const std::string& line) {
    return line.empty() || line.back() != '\n' ? line : line.substr(0, line.size() - 1);
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

// A survivor's state in words and, when infected, how the difference was
// lost; with conditions, what a line needs to infect it; then the line that
// kills it, when one was suggested.
std::string survivorreason(const scanresult& scan, int n, bool conditions, const suggestion* suggested) {
    std::string reason = engine::whyof(scan, n);
    if (scan.stateof(n) == state::infected)
        reason += "\n" + std::string(engine::lossmeaning(scan.reachof(n).why.lost));
    if (conditions)
        reason += "\n" + engine::nexthint(mutants::mutantof(n), scan.stateof(n));
    if (suggested != nullptr)
        reason += "\nthe line " + validutf8(withoutnewline(suggested->line)) +
                  " kills it: " + engine::resultpair(suggested->reference, suggested->result);
    return reason;
}

json mutantresult(const scanresult& scan, const location& s, int n, const reportoptions& o,
                  const suggestion* suggested) {
    const mutants::mutant& m = mutants::mutantof(n);
    const firstkill& k = scan.of(n);
    const firstreach& f = scan.reachof(n);
    // A survivor that no line reaches is not covered, in the schema's words.
    const char* status = k.line != 0 ? "Killed" : f.reached != 0 ? "Survived" : "NoCoverage";
    json r = {{"id", id(n)},
              {"mutatorName", mutants::stagename(m.altered)},
              {"replacement", s.replacement},
              {"description", describe(m, o.diffs)},
              {"location", where(s.start, s.end)},
              {"status", status}};
    if (k.line != 0)
        r["killedBy"] = lines(k.line, o.matrix, scan.lineset, [&](std::uint32_t i) { return scan.sets[i].has(n); });
    if (f.reached != 0)
        r["coveredBy"] =
            lines(f.reached, o.matrix, scan.linereach, [&](std::uint32_t i) { return scan.reachsets[i].has(n); });
    r["statusReason"] = k.line != 0 ? "line " + id(k.line) + ": " + engine::resultpair(k.reference, k.result)
                                    : survivorreason(scan, n, o.conditions, suggested);
    r["testsCompleted"] = k.line != 0 && !o.matrix ? k.line : scan.lines;
    return r;
}

}  // namespace

std::string displayname(std::string_view name) { return name == "-" ? std::string("standard input") : validutf8(name); }

std::string jsonreport(const scanresult& scan, std::string_view name, const reportoptions& o,
                       const std::vector<suggestion>& suggestions, int indent) {
    json files = json::object();
    for (const sourcefile& f : referencesources())
        files[std::string(f.path)] = {{"language", "cpp"}, {"source", validutf8(f.text)}, {"mutants", json::array()}};
    for (const mutants::mutant& m : mutantset) {
        const auto s = locate(m.number);
        // The tests make sure that every mutant is found; should the sources
        // ever part from the anchors, the mutant stands at the top of a file.
        const location& at = s ? *s : location{engine::handedprogram, {1, 1}, {1, 1}, "", ""};
        const suggestion* suggested = nullptr;
        for (const suggestion& g : suggestions)
            if (g.mutant == m.number)
                suggested = &g;
        files[std::string(at.file)]["mutants"].push_back(mutantresult(scan, at, m.number, o, suggested));
    }

    json report = {{"schemaVersion", schemaversion},
                   {"thresholds", {{"high", highthreshold}, {"low", lowthreshold}}},
                   {"files", files},
                   {"framework", {{"name", "vorlak-report"}, {"version", VORLAK_VERSION}}}};
    if (!suggestions.empty()) {
        json list = json::array();
        for (const suggestion& g : suggestions)
            // clang-format off
            list.push_back({{"mutant", g.mutant},
                            {"line", validutf8(g.line)},
                            {"reference", g.reference},
                            {"result", g.result}});
        // clang-format on
        report["suggestions"] = list;
    }
    jsonlist tests(report, indent,
                   "\"testFiles\": {" + json(displayname(name)).dump() +
                       ": {\"source\": " + json(validutf8(scan.source)).dump() + ", \"tests\": [");
    std::size_t from = 0;
    for (long n = 1; from < scan.source.size(); n++) {
        const std::size_t newlineat = scan.source.find('\n', from);
        const std::size_t end = newlineat == std::string::npos ? scan.source.size() : newlineat;
        const json test = {{"id", id(n)},
                           {"name", validutf8(std::string_view(scan.source).substr(from, end - from))},
                           {"location", {{"start", {{"line", n}, {"column", 1}}}}}};
        tests.add(test);
        from = end == scan.source.size() ? end : end + 1;
    }
    return tests.close("]}}");
}

}  // namespace vorlak::formats
