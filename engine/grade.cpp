#include "engine/grade.hpp"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <numeric>

#include "engine/cover.hpp"
#include "engine/evaluate.hpp"
#include "engine/expected.hpp"
#include "engine/fastjudge.hpp"
#include "engine/suggest.hpp"
#include "io/reader.hpp"
#include "mutants/beliefs.hpp"
#include "mutants/catalogue.hpp"

namespace vorlak::engine {

namespace {

// True when text, as a line of a test file, kills one of the survivors.
bool killsany(const std::string& text, const std::vector<int>& survivors) {
    return std::any_of(survivors.begin(), survivors.end(), [&](int n) {
        const auto [reference, result] = results(text + '\n', n);
        return reference != result;
    });
}

// True when text, or a piece of it that a student may copy as a line of its
// own (21 bytes from its start or after a blank, that read as two dates),
// kills one of the survivors: the shown form may kill what the line does not.
bool copykills(const std::string& text, const std::vector<int>& survivors) {
    if (killsany(text, survivors))
        return true;
    constexpr std::size_t dates = 21;
    constexpr std::array<std::size_t, 16> digitcolumns = {0, 1, 3, 4, 6, 7, 8, 9, 11, 12, 14, 15, 17, 18, 19, 20};
    for (std::size_t at = 0; at + dates <= text.size(); at++) {
        if (at > 0 && text[at - 1] != ' ')
            continue;
        const std::size_t digits =
            static_cast<std::size_t>(std::count_if(digitcolumns.begin(), digitcolumns.end(), [&](std::size_t c) {
                return text[at + c] >= '0' && text[at + c] <= '9';
            }));
        if (digits >= 14 && killsany(text.substr(at, dates), survivors))
            return true;
    }
    return false;
}

// Keeps of the scan's ownlines the lines that the survivors' states name
// (a reached survivor's first reaching line, an infected one's first
// infecting line) and that, as a page shows them, kill no survivor.
void keepownlines(scanresult& scan, std::string (*shown)(std::string_view)) {
    std::vector<int> survivors;
    std::vector<long> named;
    for (int n = 1; n <= mutants::mutantcount; n++) {
        const state s = scan.stateof(n);
        if (s != state::killed)
            survivors.push_back(n);
        if (s == state::infected)
            named.push_back(scan.reachof(n).infected);
        else if (s == state::reached)
            named.push_back(scan.reachof(n).reached);
    }
    std::erase_if(scan.ownlines, [&](const ownline& l) {
        return std::find(named.begin(), named.end(), l.number) == named.end() ||
               (shown != nullptr && killsany(shown(l.text), survivors));
    });
}

// Each line of the file as shown, as grade::lineshown keeps it; source is
// let go.
std::vector<std::string> shownof(scanresult& scan, std::string (*shown)(std::string_view)) {
    std::vector<int> survivors;
    for (int n = 1; n <= mutants::mutantcount; n++)
        if (scan.stateof(n) != state::killed)
            survivors.push_back(n);
    const killset once = killedonce(scan.sets, scan.lineset);
    std::vector<std::string> out(scan.lineset.size());
    std::string_view rest = scan.source;
    for (std::size_t i = 0; i < out.size() && !rest.empty(); i++) {
        const std::size_t end = std::min(rest.find('\n'), rest.size() - 1) + 1;
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end);
        if (static_cast<long>(i) >= maxlines && (scan.sets[scan.lineset[i]] & once).empty())
            continue;
        // A wrong line is named by its number only.
        if (std::any_of(scan.expected.wrongs.begin(), scan.expected.wrongs.end(),
                        [&](const wrongline& w) { return w.line == static_cast<long>(i) + 1; }))
            continue;
        std::string text = shown(line);
        if (!copykills(text, survivors))
            out[i] = std::move(text);
    }
    scan.source = std::string();
    return out;
}

}  // namespace

grade gradefile(const std::string& path, const gradeneeds& needs, fast::judging& judging) {
    grade g;
    g.name = path;
    io::reader in;
    if (!in.open(path.c_str())) {
        g.error = std::strerror(errno);
        return g;
    }
    // Every line against every mutant, for the smallest subset; only the
    // distinct kill sets are kept, so memory does not grow with the file.
    const scanneeds asked{
        .sets = needs.perline ? linesets::everyline : linesets::distinct,
        .tails = needs.expected ? tailuse::graded : tailuse::ignored,
        .keep = (needs.killtext ? texts::killtext : texts::none) | (needs.ownlines ? texts::ownlines : texts::none) |
                (needs.perline && needs.shown != nullptr ? texts::source : texts::none),
    };
    if (const int error = scanfile(in, asked, g.scan, judging); error != 0) {
        g.scan = scanresult{};
        g.error = std::strerror(error);
        return g;
    }
    g.needed = static_cast<long>(minimumcover(g.scan.sets).size());
    if (needs.perline && needs.shown != nullptr)
        g.lineshown = shownof(g.scan, needs.shown);
    // Let go of the kill sets' memory, not only of the sets.
    if (!needs.perline)
        g.scan.sets = std::vector<killset>();
    g.scan.setline = std::vector<long>();
    g.scan.reachsets = std::vector<killset>();
    g.scan.linereach = std::vector<std::uint32_t>();
    if (needs.ownlines)
        keepownlines(g.scan, needs.shown);
    if (needs.answers)
        g.answers = suggest(killset::all().without(g.killedset()));
    if (needs.expected) {
        // The beliefs that answer what some wrong line expects, and the
        // concepts of every mutant that answers a wrong line no belief does.
        std::vector<bool> believed(mutants::beliefset.size());
        killset answers;
        for (const wrongline& w : g.scan.expected.wrongs) {
            const std::vector<int> beliefs = believing(w.text, w.expected);
            for (const int b : beliefs)
                believed[static_cast<std::size_t>(b)] = true;
            if (beliefs.empty())
                answers |= answering(w.text, w.expected);
        }
        for (std::size_t b = 0; b < believed.size(); b++)
            if (believed[b])
                g.beliefs.push_back(static_cast<int>(b));
        g.misconceptions = conceptsof(answers);
    }
    return g;
}

classscores scoresof(const std::vector<grade>& grades) {
    std::vector<int> killed;
    for (const grade& g : grades)
        if (!g.failed())
            killed.push_back(g.killed());
    classscores c;
    c.graded = static_cast<int>(killed.size());
    if (killed.empty())
        return c;
    std::sort(killed.begin(), killed.end());
    c.mean = mutants::share(static_cast<double>(std::accumulate(killed.begin(), killed.end(), 0L)) /
                            static_cast<double>(killed.size()));
    const std::size_t half = killed.size() / 2;
    c.median =
        killed.size() % 2 == 1 ? mutants::share(killed[half]) : mutants::share((killed[half - 1] + killed[half]) / 2.0);
    return c;
}

std::array<std::vector<std::size_t>, mutants::mutantcount> killersof(const std::vector<grade>& grades) {
    std::array<std::vector<std::size_t>, mutants::mutantcount> killers;
    for (std::size_t i = 0; i < grades.size(); i++)
        foreachmutant(grades[i].killedset(), [&](int n) { killers[static_cast<std::size_t>(n - 1)].push_back(i); });
    return killers;
}

std::array<statecounts, mutants::mutantcount> statecountsof(const std::vector<grade>& grades) {
    std::array<statecounts, mutants::mutantcount> counts{};
    for (const grade& g : grades) {
        if (g.failed())
            continue;
        for (int n = 1; n <= mutants::mutantcount; n++)
            counts[static_cast<std::size_t>(n - 1)][static_cast<std::size_t>(g.scan.stateof(n))]++;
    }
    return counts;
}

std::vector<conceptgrade> conceptsof(const std::vector<grade>& grades) {
    std::vector<conceptgrade> concepts;
    for (std::size_t i = 0; i < mutants::ideas.size(); i++)
        concepts.push_back({static_cast<mutants::idea>(i), {}, 0});
    for (const mutants::mutant& m : mutants::mutantset)
        concepts[static_cast<std::size_t>(m.teaches)].mutants.add(m.number);
    for (const grade& g : grades)
        if (!g.failed())
            for (conceptgrade& c : concepts)
                if (c.mutants.within(g.killedset()))
                    c.files++;
    std::stable_sort(concepts.begin(), concepts.end(),
                     [](const conceptgrade& a, const conceptgrade& b) { return a.files < b.files; });
    return concepts;
}

namespace {

// Each of keys with the number of files read that hold it, as held(g) lists
// a file's, most files first and otherwise in the keys' order.
template <class Count, class Key, class Held>
std::vector<Count> byfiles(const std::vector<grade>& grades, std::size_t keys, Held held) {
    std::vector<Count> counts;
    for (std::size_t i = 0; i < keys; i++)
        counts.push_back({static_cast<Key>(i), 0});
    for (const grade& g : grades)
        if (!g.failed())
            for (const Key k : held(g))
                counts[static_cast<std::size_t>(k)].files++;
    std::stable_sort(counts.begin(), counts.end(), [](const Count& a, const Count& b) { return a.files > b.files; });
    return counts;
}

}  // namespace

std::vector<misconceptioncount> misconceptionsof(const std::vector<grade>& grades) {
    return byfiles<misconceptioncount, mutants::idea>(
        grades, mutants::ideas.size(), [](const grade& g) -> const auto& { return g.misconceptions; });
}

std::vector<beliefcount> beliefsof(const std::vector<grade>& grades) {
    return byfiles<beliefcount, int>(
        grades, mutants::beliefset.size(), [](const grade& g) -> const auto& { return g.beliefs; });
}

std::array<int, mutants::mutantcount>
hardestfirst(const std::array<std::vector<std::size_t>, mutants::mutantcount>& killers) {
    std::array<int, mutants::mutantcount> order;
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return killers[static_cast<std::size_t>(a - 1)].size() < killers[static_cast<std::size_t>(b - 1)].size();
    });
    return order;
}

}  // namespace vorlak::engine
