// The class in text, csv and json.
#include <algorithm>
#include <array>
#include <cstdio>

#include <nlohmann/json.hpp>

#include "engine/expected.hpp"
#include "engine/explain.hpp"
#include "formats/aligned.hpp"
#include "formats/classwords.hpp"
#include "formats/formats.hpp"
#include "formats/jsonlist.hpp"
#include "formats/utf8.hpp"
#include "mutants/beliefs.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/score.hpp"

namespace vorlak::formats {

using engine::classscores;
using engine::firstkill;
using engine::grade;
using engine::hardestfirst;
using engine::killersof;
using engine::scoresof;
using engine::state;
using engine::statecounts;
using engine::statecountsof;

namespace {

using json = nlohmann::ordered_json;
using mutants::mutantset;

constexpr std::string_view classschema = "vorlak-class-1";

std::string survivors(const grade& g) {
    runs r;
    for (int n = 1; n <= mutants::mutantcount; n++)
        if (g.of(n).line == 0)
            r.add(n);
    return r.text();
}

// A name for a terminal: control characters, which could move the cursor
// or end the row, shown as '?'.
std::string shown(std::string_view name) {
    std::string out(name);
    std::replace_if(
        out.begin(), out.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, '?');
    return out;
}

// The mutants of a set as runs, such as 1-16 or 43 49.
std::string runsof(engine::killset set) {
    runs r;
    engine::foreachmutant(set, [&](int n) { r.add(n); });
    return r.text();
}

// Each concept, hardest first: its name, its sentence, its mutants and the
// files that kill them all.
json conceptlist(const std::vector<grade>& grades) {
    json list = json::array();
    for (const engine::conceptgrade& c : engine::conceptsof(grades)) {
        json numbers = json::array();
        engine::foreachmutant(c.mutants, [&](int n) { numbers.push_back(n); });
        list.push_back({{"concept", mutants::ideaof(c.idea).name},
                        {"sentence", mutants::ideaof(c.idea).sentence},
                        {"mutants", numbers},
                        {"filesKillingAll", c.files}});
    }
    return list;
}

// Each concept, hardest first, with the files that kill all its mutants.
std::vector<std::array<std::string, 3>> conceptrows(const std::vector<grade>& grades) {
    std::vector<std::array<std::string, 3>> rows = {{"concept, hardest first", "files killing all", "mutants"}};
    for (const engine::conceptgrade& c : engine::conceptsof(grades))
        rows.push_back({std::string(mutants::ideaof(c.idea).name), std::to_string(c.files), runsof(c.mutants)});
    return rows;
}

// A file's row of the text: its name, its numbers and its survivors, or
// the error in the survivors' place; a file with no line long enough to
// test has its numbers and that in the survivors' place.
std::array<std::string, 6> textrow(const grade& g) {
    if (g.failed())
        return {shown(g.name), "", "", "", "", "error: " + g.error};
    const std::string left = survivors(g);
    return {shown(g.name),
            std::to_string(g.killed()),
            std::to_string(mutants::percent(g.killed())) + "%",
            std::to_string(g.scan.lines),
            std::to_string(g.needed),
            !g.scan.testable ? std::string(engine::untestable)
            : left.empty()   ? "none"
                             : left};
}

}  // namespace

std::string classtext(const std::vector<grade>& grades, bool expected) {
    std::string out;
    if (expected) {
        std::vector<std::array<std::string, 9>> rows = {
            {"file", "killed", "percent", "lines", "needed", std::string(engine::oraclename(engine::oracle::right)),
             std::string(engine::oraclename(engine::oracle::wrong)),
             std::string(engine::oraclename(engine::oracle::missing)), "survivors"}};
        for (const grade& g : grades) {
            const auto r = textrow(g);
            const engine::expectations& e = g.scan.expected;
            rows.push_back({r[0], r[1], r[2], r[3], r[4], g.failed() ? "" : std::to_string(e.right),
                            g.failed() ? "" : std::to_string(e.wrong), g.failed() ? "" : std::to_string(e.missing),
                            r[5]});
        }
        out = aligned(rows, {false, true, true, true, true, true, true, true, false});
    } else {
        std::vector<std::array<std::string, 6>> rows = {{"file", "killed", "percent", "lines", "needed", "survivors"}};
        for (const grade& g : grades)
            rows.push_back(textrow(g));
        out = aligned(rows, {false, true, true, true, true, false});
    }

    const auto killers = killersof(grades);
    out += "\nclass: " + classsummary(grades) + "\n";
    out += aligned(conceptrows(grades), {false, true, false}) + "\n";
    if (expected) {
        out += std::string(misconceptionshead) + ": " + std::string(misconceptionsmeaning) + "\n";
        const std::vector<misconceptionline> lines = misconceptionlines(grades);
        if (lines.empty())
            out += std::string(nomisconceptions) + "\n";
        for (const misconceptionline& l : lines)
            out += l.text + "\n";
        out += "\n";
    }
    // How many files got how far into each mutant: the four add up to the
    // files graded.
    const auto counts = statecountsof(grades);
    std::vector<std::array<std::string, 6>> hardest = {
        {"mutant", "killed", "infected", "reached", "unreached", "description, hardest first"}};
    for (const int n : hardestfirst(killers)) {
        const statecounts& c = counts[static_cast<std::size_t>(n - 1)];
        const auto count = [&](state s) { return std::to_string(c[static_cast<std::size_t>(s)]); };
        hardest.push_back({std::to_string(n), count(state::killed), count(state::infected), count(state::reached),
                           count(state::unreached), std::string(mutants::mutantof(n).description)});
    }
    return out + aligned(hardest, {true, true, true, true, true, false});
}

std::string classcsv(const std::vector<grade>& grades, bool expected) {
    std::string out = "file,killed,percent,lines,needed,survivors,error";
    if (expected)
        for (const engine::oracle o : {engine::oracle::right, engine::oracle::wrong, engine::oracle::missing})
            out += "," + std::string(engine::oraclename(o));
    out += "\r\n";
    for (const grade& g : grades) {
        out += csvfield(validutf8(g.name)) + ',';
        if (g.failed())
            out += ",,,,," + csvfield(g.error);
        else
            out += std::to_string(g.killed()) + ',' + std::to_string(mutants::percent(g.killed())) + ',' +
                   std::to_string(g.scan.lines) + ',' + std::to_string(g.needed) + ',' + survivors(g) + ',' +
                   (g.scan.testable ? "" : csvfield(engine::untestable));
        if (expected)
            out += g.failed()
                       ? ",,,"
                       : ',' + std::to_string(g.scan.expected.right) + ',' + std::to_string(g.scan.expected.wrong) +
                             ',' + std::to_string(g.scan.expected.missing);
        out += "\r\n";
    }
    return out;
}

std::string classbeliefscsv(const std::vector<grade>& grades) {
    std::string out = "file";
    for (const mutants::belief& b : mutants::beliefset)
        out += "," + std::string(b.id);
    out += "\r\n";
    for (const grade& g : grades) {
        out += csvfield(validutf8(g.name));
        std::vector<bool> held(mutants::beliefset.size());
        for (const int b : g.beliefs)
            held[static_cast<std::size_t>(b)] = true;
        for (const bool h : held)
            out += g.failed() ? "," : h ? ",1" : ",0";
        out += "\r\n";
    }
    return out;
}

std::string classjson(const std::vector<grade>& grades, int indent, bool expected) {
    const classscores scores = scoresof(grades);
    const auto killers = killersof(grades);
    json mutantlist = json::array();
    for (const mutants::mutant& m : mutantset)
        mutantlist.push_back({{"mutant", m.number},
                              {"stage", mutants::stagename(m.altered)},
                              {"description", m.description},
                              {"killedBy", killers[static_cast<std::size_t>(m.number - 1)]}});
    json document = {{"schemaVersion", classschema},
                     {"framework", {{"name", "vorlak-report"}, {"version", VORLAK_VERSION}}},
                     {"graded", scores.graded},
                     {"failed", grades.size() - static_cast<std::size_t>(scores.graded)},
                     {"mean", scores.graded > 0 ? json(scores.mean) : json(nullptr)},
                     {"median", scores.graded > 0 ? json(scores.median) : json(nullptr)},
                     {"concepts", conceptlist(grades)},
                     {"mutants", mutantlist}};
    if (expected) {
        json list = json::array();
        for (const engine::misconceptioncount& c : engine::misconceptionsof(grades))
            list.push_back({{"concept", mutants::ideaof(c.idea).name}, {"files", c.files}});
        document["misconceptions"] = list;
        json beliefs = json::array();
        for (const engine::beliefcount& c : engine::beliefsof(grades)) {
            const mutants::belief& b = mutants::beliefset[static_cast<std::size_t>(c.belief)];
            beliefs.push_back({{"belief", b.id}, {"name", b.name}, {"files", c.files}});
        }
        document["beliefs"] = beliefs;
    }
    jsonlist files(document, indent, "\"files\": [");
    for (const grade& g : grades) {
        json file = {{"name", validutf8(g.name)},
                     {"error", g.failed()         ? json(g.error)
                               : !g.scan.testable ? json(engine::untestable)
                                                  : json(nullptr)}};
        if (g.failed()) {
            for (const char* key : {"killed", "percent", "score", "lines", "needed", "kills", "survivors", "unreached",
                                    "reached", "infected"})
                file[key] = nullptr;
            if (expected)
                for (const char* key : {"right", "wrong", "missing", "beliefs", "misconceptions"})
                    file[key] = nullptr;
        } else {
            json kills = json::array();
            json left = json::array();
            // The survivors by how far the lines got into them.
            std::array<json, 3> bystate = {json::array(), json::array(), json::array()};
            for (int n = 1; n <= mutants::mutantcount; n++) {
                const firstkill& k = g.of(n);
                if (k.line != 0) {
                    kills.push_back(
                        {{"mutant", n}, {"line", k.line}, {"reference", k.reference}, {"result", k.result}});
                } else {
                    left.push_back(n);
                    bystate[static_cast<std::size_t>(g.scan.stateof(n))].push_back(n);
                }
            }
            file["killed"] = g.killed();
            file["percent"] = mutants::percent(g.killed());
            file["score"] = g.score();
            file["lines"] = g.scan.lines;
            file["needed"] = g.needed;
            file["kills"] = kills;
            file["survivors"] = left;
            file["unreached"] = bystate[static_cast<std::size_t>(state::unreached)];
            file["reached"] = bystate[static_cast<std::size_t>(state::reached)];
            file["infected"] = bystate[static_cast<std::size_t>(state::infected)];
            if (expected) {
                file["right"] = g.scan.expected.right;
                file["wrong"] = g.scan.expected.wrong;
                file["missing"] = g.scan.expected.missing;
                json beliefs = json::array();
                for (const int b : g.beliefs)
                    beliefs.push_back(mutants::beliefset[static_cast<std::size_t>(b)].id);
                file["beliefs"] = beliefs;
                json concepts = json::array();
                for (const mutants::idea i : g.misconceptions)
                    concepts.push_back(mutants::ideaof(i).name);
                file["misconceptions"] = concepts;
            }
        }
        files.add(file);
    }
    return files.close("]");
}

std::string onedecimal(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

}  // namespace vorlak::formats
