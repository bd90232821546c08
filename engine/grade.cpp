#include "engine/grade.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <numeric>

#include "engine/cover.hpp"
#include "engine/evaluate.hpp"
#include "engine/expected.hpp"
#include "engine/fastjudge.hpp"
#include "engine/suggest.hpp"
#include "io/reader.hpp"
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
        .keep = (needs.killtext ? texts::killtext : texts::none) | (needs.ownlines ? texts::ownlines : texts::none),
    };
    if (const int error = scanfile(in, asked, g.scan, judging); error != 0) {
        g.scan = scanresult{};
        g.error = std::strerror(error);
        return g;
    }
    g.needed = static_cast<long>(minimumcover(g.scan.sets).size());
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
        // The concepts of every mutant that answers what some wrong line expects.
        killset answers;
        for (const wrongline& w : g.scan.expected.wrongs)
            answers |= answering(w.text, w.expected);
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

std::vector<misconceptioncount> misconceptionsof(const std::vector<grade>& grades) {
    std::vector<misconceptioncount> counts;
    for (std::size_t i = 0; i < mutants::ideas.size(); i++)
        counts.push_back({static_cast<mutants::idea>(i), 0});
    for (const grade& g : grades)
        if (!g.failed())
            for (const mutants::idea i : g.misconceptions)
                counts[static_cast<std::size_t>(i)].files++;
    std::stable_sort(counts.begin(), counts.end(),
                     [](const misconceptioncount& a, const misconceptioncount& b) { return a.files > b.files; });
    return counts;
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
