// The scan against vorlak's passes, on generated files: the same test in the
// build of the product and in the build with a test row (tests/rows/), so
// that a place that counts the mutants apart from the catalogue fails here.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "agreement.hpp"
#include "engine/evaluate.hpp"
#include "engine/suggest.hpp"
#include "mutants/score.hpp"
#include "process.hpp"

namespace {

using namespace vorlak;
using namespace vorlak::tests;

// Runs a program as a process: args[0] is the program.
outcome run(const std::vector<std::string>& args) { return runprocess(args[0], args, outto::capture, {}, ""); }

outcome report(const std::vector<std::string>& args) {
    std::vector<std::string> all = {VORLAK_REPORT_BINARY};
    all.insert(all.end(), args.begin(), args.end());
    return run(all);
}

std::string scratch(const std::string& name, const std::string& content) {
    static const tempdir directory;
    const std::string path = directory / name;
    writefile(path, content);
    return path;
}

// The scan judges each piece from the reference and runs a mutant only on
// its first killing piece; it must find what running every mutant on every piece
// finds: the first killing, reaching and infecting lines, and with every
// the kill set of each line.
TEST(Agreement, ScanFindsWhatVorlaksPassesFind) {
    for (unsigned seed = 1; seed <= 40; seed++) {
        const std::string path = scratch("agree", generated(seed, static_cast<int>(seed % 7) * 12 + 3));
        const auto model = passes(path);
        const fullreading full = readfully(path);
        const auto matrix = scanpath(path, {.every = true, .perline = true, .whole = true});
        ASSERT_EQ(matrix.lineset.size(), full.kills.size()) << "seed " << seed;
        for (std::size_t i = 0; i < full.kills.size(); i++)
            ASSERT_EQ(matrix.sets[matrix.lineset[i]], full.kills[i]) << "seed " << seed << " line " << i + 1;
        // The lines that first reach or infect a mutant, each with its first piece.
        std::set<long> firstlines(full.reached.begin(), full.reached.end());
        firstlines.insert(full.infected.begin(), full.infected.end());
        firstlines.erase(0);
        std::vector<std::pair<long, std::string>> own;
        for (const engine::ownline& l : scanpath(path, {.every = true, .ownlines = true}).ownlines)
            own.emplace_back(l.number, l.text);
        std::vector<std::pair<long, std::string>> wanted;
        for (const long line : firstlines)
            wanted.emplace_back(line, full.firsts[static_cast<std::size_t>(line - 1)]);
        EXPECT_EQ(own, wanted) << "seed " << seed;
        for (const bool every : {false, true}) {
            const auto scan = scanpath(path, {.every = every});
            for (int n = 1; n <= mutants::mutantcount; n++) {
                const auto i = static_cast<std::size_t>(n - 1);
                ASSERT_EQ(scan.reachof(n).reached, full.reached[i]) << "seed " << seed << " mutant " << n;
                ASSERT_EQ(scan.reachof(n).infected, full.infected[i]) << "seed " << seed << " mutant " << n;
                const auto& want = model[i];
                const auto& got = scan.of(n);
                ASSERT_EQ(got.line, want ? want->line : 0) << "seed " << seed << " mutant " << n;
                if (want) {
                    EXPECT_EQ(got.reference, want->reference);
                    EXPECT_EQ(got.result, want->result);
                }
            }
        }
    }
}

// vorlak -v itself, byte for byte, against the model of its passes; and
// the report's csv against the same model.
TEST(Agreement, BinariesAgreeWithThePasses) {
    const std::string vorlak = VORLAK_BINARY;
    std::vector<std::string> classfiles;
    std::vector<int> classkilled;
    for (unsigned seed = 100; seed < 112; seed++) {
        const std::string path = scratch("binaries" + std::to_string(seed), generated(seed, 40));
        const auto model = passes(path);
        std::string verbose;
        int killed = 0;
        for (int n = 1; n <= mutants::mutantcount; n++)
            if (const auto& k = model[static_cast<std::size_t>(n - 1)]) {
                verbose += "Input: " + k->piece + std::to_string(k->reference) + " =?= " + std::to_string(k->result) +
                           "\nKilled mutant " + std::to_string(n) + ".\n";
                killed++;
            }
        if (!vorlak.empty()) {
            const auto v = run({vorlak, "-v", "-i", path});
            EXPECT_EQ(v.out, verbose + mutants::summaryline(killed)) << "seed " << seed;
        }
        const auto csv = report({"-f", "csv", path});
        ASSERT_EQ(csv.status, 0);
        std::istringstream rows(csv.out);
        std::string row;
        std::getline(rows, row);
        for (int n = 1; n <= 65 && std::getline(rows, row); n++) {
            std::vector<std::string> field;
            std::istringstream cells(row);
            for (std::string cell; field.size() < 7 && std::getline(cells, cell, ',');)
                field.push_back(cell);
            const auto& k = model[static_cast<std::size_t>(n - 1)];
            EXPECT_EQ(field[0], std::to_string(n));
            EXPECT_EQ(field[3], k ? "killed" : "survived");
            EXPECT_EQ(field[4], k ? std::to_string(k->line) : "");
            EXPECT_EQ(field[5], k ? std::to_string(k->reference) : "");
            EXPECT_EQ(field[6], k ? std::to_string(k->result) : "");
        }
        const auto text = report({path});
        EXPECT_NE(text.out.find("\n" + mutants::summaryline(killed)), std::string::npos);
        classfiles.push_back(path);
        classkilled.push_back(killed);
    }
    // The class, graded in worker processes, kills what each file's passes kill.
    std::vector<std::string> args = {"--class", "-j", "2", "-f", "csv"};
    args.insert(args.end(), classfiles.begin(), classfiles.end());
    const auto csv = report(args);
    ASSERT_EQ(csv.status, 0) << csv.err;
    std::istringstream rows(csv.out);
    std::string row;
    std::getline(rows, row);
    for (const int killed : classkilled) {
        ASSERT_TRUE(std::getline(rows, row));
        EXPECT_EQ(row.substr(row.find(',') + 1, row.find(',', row.find(',') + 1) - row.find(',') - 1),
                  std::to_string(killed))
            << row;
    }
    if (vorlak.empty())
        GTEST_SKIP() << "no vorlak binary in this build: the report was checked against the model alone";
}

// Every mutant of the catalogue is counted, scored and given a killing line,
// with the two results that line gives.
TEST(Agreement, EveryRowIsCountedAndGetsAKillingLine) {
    EXPECT_EQ(killset::all().count(), mutants::mutantcount);
    const std::string all = std::to_string(mutants::mutantcount);
    EXPECT_EQ(mutants::summary(mutants::mutantcount), all + '/' + all + " mutants killed. (100%)");
    EXPECT_EQ(mutants::summary(0), "0/" + all + " mutants killed. (0%)");
    const auto found = engine::suggest(killset::all());
    ASSERT_EQ(found.size(), static_cast<std::size_t>(mutants::mutantcount));
    for (const auto& s : found) {
        const auto [reference, result] = engine::results(s.line, s.mutant);
        EXPECT_EQ(reference, s.reference) << s.mutant;
        EXPECT_EQ(result, s.result) << s.mutant;
        EXPECT_NE(reference, result) << s.mutant;
        EXPECT_EQ(s.line.size(), 22u);
    }
}

}  // namespace
