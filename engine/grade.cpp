#include "engine/grade.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <numeric>

#include "engine/cover.hpp"
#include "engine/fastjudge.hpp"
#include "io/reader.hpp"
#include "mutants/catalogue.hpp"

namespace vorlak::engine {

grade gradefile(const std::string& path, bool texts) {
    grade g;
    g.name = path;
    io::reader in;
    if (!in.open(path.c_str())) {
        g.error = std::strerror(errno);
        return g;
    }
    // Every line against every mutant, for the smallest subset; only the
    // distinct kill sets are kept, so memory does not grow with the file.
    // One judging for every file that the process grades, so that what it
    // works out for a file serves the next.
    static fast::judging judging;
    scanresult scan;
    if (const int error = scanfile(in, {.every = true, .killtext = texts}, scan, judging); error != 0) {
        g.error = std::strerror(error);
        return g;
    }
    g.lines = scan.lines;
    g.needed = static_cast<long>(minimumcover(scan.sets).size());
    g.kills = scan.kills;
    g.reach = scan.reach;
    if (texts)
        g.inputs = std::move(scan.killtext);
    return g;
}

scanresult grade::firsts() const {
    scanresult s;
    s.lines = lines;
    s.kills = kills;
    s.reach = reach;
    return s;
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
        const scanresult s = g.firsts();
        for (int n = 1; n <= mutants::mutantcount; n++)
            counts[static_cast<std::size_t>(n - 1)][static_cast<std::size_t>(s.stateof(n))]++;
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
