// The results documents of the grading platforms that courses run: one
// test per concept, worth its mutants' share of the points, with the hints
// the level allows.

#include <algorithm>
#include <cmath>

#include <nlohmann/json.hpp>

#include "engine/expected.hpp"
#include "engine/explain.hpp"
#include "engine/explanation.hpp"
#include "formats/classwords.hpp"
#include "formats/formats.hpp"
#include "formats/utf8.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/score.hpp"

namespace vorlak::formats {

using engine::scanresult;

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

std::string numbers(const runs& r) { return engine::mutantlist(r.numbers()); }

// The survivor's hints below its name, a line each, as the text report has
// them: its state after its name, then the parts of its explanation but the
// concept, which names the test.
std::string survivortext(const scanresult& scan, int n, hints level, const std::vector<engine::suggestion>& answers) {
    std::string out = "mutant " + std::to_string(n);
    for (const engine::part& p : engine::explanation(scan, n, level, answers)) {
        if (p.kind == engine::partkind::state)
            out += ": " + p.text;
        else if (p.kind != engine::partkind::concepts)
            out += "\n  " + validutf8(p.text);
    }
    return out + '\n';
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
        t.members = numbers(all);
        t.name = level >= hints::concepts ? std::string(mutants::ideas[i].name) : t.members;
        if (level >= hints::concepts)
            t.output += engine::concepthint(mutants::ideas[i]) + '\n';
        if (!killed.empty())
            t.output += "killed: " + numbers(killed) + '\n';
        if (!surviving.empty())
            t.output += "surviving: " + numbers(surviving) + '\n' + survivors;
        tests.push_back(t);
    }
    return tests;
}

// The most entries of the expectations that a document lists: a page
// shows them without scrolling past the tests.
constexpr std::size_t listedexpectations = 20;

// The summary line; with expectations their count, and the wrong lines,
// each explained as the level allows, and those that state none, as the
// text report lists them, up to listedexpectations; and, as the level
// allows, where to start.
std::string overall(const scanresult& scan, hints level) {
    std::string out = editornotelines(scan) + mutants::summary(scan.killed());
    if (scan.expected.held)
        out += '\n' + engine::expectationcounts(scan.expected);
    if (const std::string start = wheretostarttext(scan, level); !start.empty())
        out += '\n' + start;
    out += '\n';
    if (scan.expected.held)
        out += expectationlist(scan.expected, level, listedexpectations);
    return out;
}

// Hundredths of a point, the unit every score in the documents is shown in.
using cents = long long;

// total shared by the weights by the largest remainder: each its floor of
// total * weight / sum, then a hundredth more to the largest remainders,
// the first of equal ones first, until the shares add up to total.
std::vector<cents> apportion(cents total, const std::vector<int>& weights) {
    long long sum = 0;
    for (const int w : weights)
        sum += w;
    std::vector<cents> shares(weights.size(), 0);
    if (sum == 0 || total <= 0)
        return shares;
    std::vector<long long> remainders(weights.size());
    cents left = total;
    for (std::size_t i = 0; i < weights.size(); i++) {
        shares[i] = total * weights[i] / sum;
        remainders[i] = total * weights[i] % sum;
        left -= shares[i];
    }
    std::vector<std::size_t> order(weights.size());
    for (std::size_t i = 0; i < order.size(); i++)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return remainders[a] > remainders[b]; });
    for (std::size_t i = 0; left > 0; i++, left--)
        shares[order[i]]++;
    return shares;
}

// What each test earns and is worth, and the document's score, in
// hundredths: the worths share the points by the largest remainder; a test
// whose every mutant is killed earns its worth, one with none killed
// nothing, and the others share the rest of the score, vorlak's share of the
// points rounded, by their kills.  The tests' scores add up to the score and
// their worths to the points, each as shown.
struct testpoints {
    std::vector<cents> score;
    std::vector<cents> worth;
    cents total = 0;
};

testpoints pointsof(const std::vector<concepttest>& tests, int killed, double total) {
    const cents all = std::llround(total * 100);
    std::vector<int> sizes;
    std::vector<int> partial;  // the kills of the tests with some mutants killed and some not
    for (const concepttest& t : tests) {
        sizes.push_back(t.mutants);
        partial.push_back(t.killed < t.mutants ? t.killed : 0);
    }
    testpoints p;
    p.worth = apportion(all, sizes);
    // vorlak's share, rounded half up.
    const cents target = (2 * all * killed + mutants::mutantcount) / (2 * mutants::mutantcount);
    cents rest = target;
    for (std::size_t i = 0; i < tests.size(); i++)
        if (tests[i].killed == tests[i].mutants)
            rest -= p.worth[i];
    p.score = apportion(rest, partial);
    for (std::size_t i = 0; i < tests.size(); i++) {
        if (tests[i].killed == tests[i].mutants)
            p.score[i] = p.worth[i];
        // With so few points that a hundredth is more than a test's share,
        // the rounding cannot reach the score; no test earns past its worth.
        p.score[i] = std::min(p.score[i], p.worth[i]);
        p.total += p.score[i];
    }
    return p;
}

double shown(cents c) { return static_cast<double>(c) / 100; }

}  // namespace

std::string gradescopejson(const scanresult& scan, const autograderoptions& o) {
    json tests = json::array();
    const std::vector<concepttest> all = concepttests(scan, o.level, o.answers);
    const testpoints p = pointsof(all, scan.killed(), o.points);
    for (std::size_t i = 0; i < all.size(); i++) {
        const concepttest& t = all[i];
        tests.push_back({{"score", shown(p.score[i])},
                         {"max_score", shown(p.worth[i])},
                         {"status", t.killed == t.mutants ? "passed" : "failed"},
                         {"name", t.name},
                         {"number", std::to_string(i + 1)},
                         {"output", t.output},
                         {"output_format", "text"},
                         {"visibility", o.visibility}});
    }
    json results = {{"score", shown(p.total)},
                    {"output", overall(scan, o.level)},
                    {"output_format", "text"},
                    {"visibility", "visible"}};
    if (!scan.testable)
        results = {{"score", 0},
                   {"output", std::string(engine::untestable) + '\n'},
                   {"output_format", "text"},
                   {"visibility", "visible"}};
    if (o.leaderboard)
        results["leaderboard"] = json::array({{{"name", "mutants killed"}, {"value", scan.killed()}, {"order", "desc"}},
                                              {{"name", "tests"}, {"value", scan.tests}, {"order", "asc"}}});
    results["tests"] = scan.testable ? tests : json::array();
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
    if (!scan.testable)
        return prairielearnfailure(engine::untestable);
    json tests = json::array();
    const std::vector<concepttest> all = concepttests(scan, o.level, o.answers);
    const testpoints p = pointsof(all, scan.killed(), o.points);
    for (std::size_t i = 0; i < all.size(); i++) {
        const concepttest& t = all[i];
        tests.push_back({{"name", t.name},
                         {"description", t.members},
                         {"points", shown(p.score[i])},
                         {"max_points", shown(p.worth[i])},
                         {"message", t.killed == t.mutants ? "every mutant killed" : "some mutants survive"},
                         {"output", t.output}});
    }
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
