// The json report, in the schema that mutation-testing tools share.

#include <nlohmann/json.hpp>

#include "engine/sites.hpp"
#include "engine/sources.hpp"
#include "formats/formats.hpp"
#include "formats/jsonlist.hpp"
#include "formats/utf8.hpp"
#include "mutants/catalogue.hpp"

namespace vorlak::formats {

using engine::firstkill;
using engine::locate;
using engine::position;
using engine::referencesources;
using engine::scanresult;
using engine::site;
using engine::sourcefile;
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

json mutantresult(const scanresult& scan, const site& s, int n, bool matrix, const suggestion* suggested) {
    const mutants::mutant& m = mutants::mutantof(n);
    const firstkill& k = scan.of(n);
    json r = {{"id", id(n)},
              {"mutatorName", mutants::stagename(m.altered)},
              {"replacement", s.replacement},
              {"description", m.description},
              {"location", where(s.start, s.end)},
              {"status", k.line != 0 ? "Killed" : "Survived"}};
    if (k.line != 0) {
        json killers = json::array();
        if (matrix) {
            for (std::size_t i = 0; i < scan.lineset.size(); i++)
                if (scan.sets[scan.lineset[i]].has(n))
                    killers.push_back(id(static_cast<long>(i) + 1));
        } else {
            killers.push_back(id(k.line));
        }
        r["killedBy"] = killers;
        r["statusReason"] = "line " + id(k.line) + ": reference " + id(k.reference) + ", mutant " + id(k.result);
    } else if (suggested != nullptr) {
        r["statusReason"] = "the line " + validutf8(withoutnewline(suggested->line)) + " kills it: reference " +
                            id(suggested->reference) + ", mutant " + id(suggested->result);
    } else {
        r["statusReason"] = "no line tells it from the reference";
    }
    r["testsCompleted"] = k.line != 0 && !matrix ? k.line : scan.lines;
    return r;
}

}  // namespace

std::string displayname(std::string_view name) { return name == "-" ? std::string("standard input") : validutf8(name); }

std::string jsonreport(const scanresult& scan, std::string_view name, bool matrix,
                       const std::vector<suggestion>& suggestions, int indent) {
    json files = json::object();
    for (const sourcefile& f : referencesources())
        files[std::string(f.path)] = {{"language", "cpp"}, {"source", validutf8(f.text)}, {"mutants", json::array()}};
    for (const mutants::mutant& m : mutantset) {
        const auto s = locate(m.number);
        // The tests make sure that every mutant is found; should the sources
        // ever part from the anchors, the mutant stands at the top of a file.
        const site& at = s ? *s : site{"dates/program.hpp", {1, 1}, {1, 1}, "", ""};
        const suggestion* suggested = nullptr;
        for (const suggestion& g : suggestions)
            if (g.mutant == m.number)
                suggested = &g;
        files[std::string(at.file)]["mutants"].push_back(mutantresult(scan, at, m.number, matrix, suggested));
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
