// The results documents of the grading platforms that courses run: one
// test per concept, worth its mutants' share of the points, with the hints
// the level allows.

#include <nlohmann/json.hpp>

#include "engine/expected.hpp"
#include "engine/explain.hpp"
#include "formats/classwords.hpp"
#include "formats/formats.hpp"
#include "formats/utf8.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/score.hpp"

namespace vorlak::formats {

using engine::scanresult;
using engine::state;

namespace {

using json = nlohmann::ordered_json;

// One concept of the catalogue as a test: its mutants, how many the file
// kills, and what the level lets its output say of them.
struct concepttest {
    std::string name;
    std::string members;  // its mutants' numbers
    int mutants = 0;
    int killed = 0;
    std::string output;
};

std::string numbers(const runs& r, bool single) { return (single ? "mutant " : "mutants ") + r.text(); }

// The survivor's hints below its name, a line each, as the text report has them.
std::string survivortext(const scanresult& scan, int n, hints level, const std::vector<engine::suggestion>& answers) {
    const mutants::mutant& m = mutants::mutantof(n);
    const state s = scan.stateof(n);
    std::string out = "mutant " + std::to_string(n);
    if (level >= hints::state)
        out += ": " + engine::whyof(scan, n);
    out += '\n';
    if (s == state::infected && level >= hints::state)
        out += "  " + std::string(engine::lossmeaning(scan.reachof(n).why.lost)) + '\n';
    if (level >= hints::condition)
        out += "  " + engine::nexthint(m, s) + '\n';
    if (level >= hints::mutant)
        out += "  " + std::string(m.description) + '\n';
    if (level >= hints::answer)
        for (const engine::suggestion& g : answers)
            if (g.mutant == n)
                out += "  " + std::string(engine::killinghint) + validutf8(g.line.substr(0, g.line.find('\n'))) + '\n';
    return out;
}

std::vector<concepttest> concepttests(const scanresult& scan, hints level,
                                      const std::vector<engine::suggestion>& answers) {
    std::vector<concepttest> tests;
    for (std::size_t i = 0; i < mutants::ideas.size(); i++) {
        concepttest t;
        runs all;
        runs killed;
        runs surviving;
        std::string survivors;
        for (const mutants::mutant& m : mutants::mutantset) {
            if (static_cast<std::size_t>(m.teaches) != i)
                continue;
            t.mutants++;
            all.add(m.number);
            if (scan.of(m.number).line != 0) {
                t.killed++;
                killed.add(m.number);
            } else {
                surviving.add(m.number);
                if (level >= hints::state)  // below, the numbers say it all
                    survivors += survivortext(scan, m.number, level, answers);
            }
        }
        if (t.mutants == 0)
            continue;
        // Below concept a test is named by its mutants alone.
        t.members = numbers(all, t.mutants == 1);
        t.name = level >= hints::concepts ? std::string(mutants::ideas[i].name) : t.members;
        if (level >= hints::concepts)
            t.output += std::string(engine::conceptframe) + std::string(mutants::ideas[i].name) + ". " +
                        std::string(mutants::ideas[i].sentence) + '\n';
        if (!killed.empty())
            t.output += "killed: " + numbers(killed, t.killed == 1) + '\n';
        if (!surviving.empty())
            t.output += "surviving: " + numbers(surviving, t.mutants - t.killed == 1) + '\n' + survivors;
        tests.push_back(t);
    }
    return tests;
}

// The summary line; with expectations their count and the wrong lines,
// each explained as the level allows; and, as the level allows, where to
// start.
std::string overall(const scanresult& scan, hints level) {
    std::string out = mutants::summary(scan.killed());
    if (scan.expected.held)
        out += '\n' + engine::expectationcounts(scan.expected);
    if (const std::string start = wheretostarttext(scan, level); !start.empty())
        out += '\n' + start;
    out += '\n';
    if (scan.expected.held)
        out += wrongtext(scan.expected, level);
    return out;
}

double share(int killed, double points) { return points * killed / mutants::mutantcount; }

}  // namespace

std::string gradescopejson(const scanresult& scan, const autograderoptions& o) {
    json tests = json::array();
    int number = 1;
    for (const concepttest& t : concepttests(scan, o.level, o.answers))
        tests.push_back({{"score", share(t.killed, o.points)},
                         {"max_score", share(t.mutants, o.points)},
                         {"status", t.killed == t.mutants ? "passed" : "failed"},
                         {"name", t.name},
                         {"number", std::to_string(number++)},
                         {"output", t.output},
                         {"output_format", "text"},
                         {"visibility", o.visibility}});
    const json results = {{"score", share(scan.killed(), o.points)},
                          {"output", overall(scan, o.level)},
                          {"output_format", "text"},
                          {"visibility", "visible"},
                          {"tests", tests}};
    return results.dump(2) + '\n';
}

std::string gradescopefailure(std::string_view why) {
    const json results = {{"score", 0},
                          {"output", "Not graded: " + validutf8(why) + "\n"},
                          {"output_format", "text"},
                          {"visibility", "visible"},
                          {"tests", json::array()}};
    return results.dump(2) + '\n';
}

std::string prairielearnjson(const scanresult& scan, const autograderoptions& o) {
    json tests = json::array();
    for (const concepttest& t : concepttests(scan, o.level, o.answers))
        tests.push_back({{"name", t.name},
                         {"description", t.members},
                         {"points", share(t.killed, o.points)},
                         {"max_points", share(t.mutants, o.points)},
                         {"message", t.killed == t.mutants ? "every mutant killed" : "some mutants survive"},
                         {"output", t.output}});
    const json results = {{"gradable", true},
                          {"score", static_cast<double>(scan.killed()) / mutants::mutantcount},
                          {"message", mutants::summary(scan.killed())},
                          {"output", overall(scan, o.level)},
                          {"tests", tests}};
    return results.dump(2) + '\n';
}

std::string prairielearnfailure(std::string_view why) {
    const json results = {{"gradable", false},
                          {"score", 0},
                          {"message", "Not graded: " + validutf8(why)},
                          {"format_errors", json::array({validutf8(why)})}};
    return results.dump(2) + '\n';
}

}  // namespace vorlak::formats
