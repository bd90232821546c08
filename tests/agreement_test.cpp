// The scan against vorlak's passes, on generated files: the same test in the
// build of the product and in the build with a test row (tests/rows/), so
// that a place that counts the mutants apart from the catalogue fails here.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "agreement.hpp"
#include "engine/evaluate.hpp"
#include "engine/expected.hpp"
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
// finds: the first killing, reaching and infecting lines, and with the lines' sets
// the kill set of each line.
TEST(Agreement, ScanFindsWhatVorlaksPassesFind) {
    for (unsigned seed = 1; seed <= 40; seed++) {
        const std::string path = scratch("agree", generated(seed, static_cast<int>(seed % 7) * 12 + 3));
        const auto model = passes(path);
        const fullreading full = readfully(path);
        const auto matrix = scanpath(path, {.sets = engine::linesets::everyline});
        ASSERT_EQ(matrix.lineset.size(), full.kills.size()) << "seed " << seed;
        for (std::size_t i = 0; i < full.kills.size(); i++)
            ASSERT_EQ(matrix.sets[matrix.lineset[i]], full.kills[i]) << "seed " << seed << " line " << i + 1;
        // The lines that first reach or infect a mutant, each with its first piece.
        std::set<long> firstlines(full.reached.begin(), full.reached.end());
        firstlines.insert(full.infected.begin(), full.infected.end());
        firstlines.erase(0);
        std::vector<std::pair<long, std::string>> own;
        for (const engine::ownline& l :
             scanpath(path, {.sets = engine::linesets::distinct, .keep = engine::texts::ownlines}).ownlines)
            own.emplace_back(l.number, l.text);
        std::vector<std::pair<long, std::string>> wanted;
        for (const long line : firstlines)
            wanted.emplace_back(line, full.firsts[static_cast<std::size_t>(line - 1)]);
        EXPECT_EQ(own, wanted) << "seed " << seed;
        for (const engine::linesets sets : {engine::linesets::none, engine::linesets::distinct}) {
            const auto scan = scanpath(path, {.sets = sets});
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
            // A stage's name holds a comma, so its field is quoted.
            std::vector<std::string> field(1);
            for (bool quoted = false; const char c : row)
                if (c == '"')
                    quoted = !quoted;
                else if (c == ',' && !quoted)
                    field.emplace_back();
                else
                    field.back() += c;
            ASSERT_GE(field.size(), 7u) << row;
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

// A line's tail, read plainly: trimmed, then a sign and digits whose value
// fits in 32 bits.
struct plaintail {
    bool stated = false;
    bool empty = true;
    long long value = 0;
};
plaintail readtail(const std::string& line) {
    plaintail t;
    if (line.size() <= 21)
        return t;
    std::string tail = line.substr(21);
    const auto first = tail.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return t;
    t.empty = false;
    tail = tail.substr(first, tail.find_last_not_of(" \t\r\n") - first + 1);
    std::string digits = tail[0] == '+' || tail[0] == '-' ? tail.substr(1) : tail;
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos)
        return t;
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
    if (digits.size() > 10)
        return t;
    t.value = std::stoll(digits) * (tail[0] == '-' ? -1 : 1);
    t.stated = t.value >= -2147483648LL && t.value <= 2147483647LL;
    return t;
}

// Lines of every kind, each with a tail that states the reference's result,
// a mutant's, any number, a number past 32 bits, nothing, or bytes.
std::string withtails(unsigned seed, int lines) {
    std::mt19937 random(seed);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    std::string file;
    std::istringstream plain(generated(seed, lines));
    for (std::string line; std::getline(plain, line);) {
        const int length = engine::putline(line + "\n");
        const std::string blank = pick(0, 3) == 0 ? "\t " : " ";
        switch (pick(0, 6)) {
        case 0:
        case 1:
            line += blank + std::to_string(dates::testline(length));
            break;
        case 2:
            line += blank + std::to_string(mutants::entries[static_cast<std::size_t>(pick(0, 64))](length));
            break;
        case 3:
            line += blank + (pick(0, 1) != 0 ? "+" : "") + std::to_string(pick(-40, 3000));
            break;
        case 4:
            line += blank + std::to_string(pick(0, 1) != 0 ? 2147483648LL : -2147483649LL);
            break;
        case 5:
            for (int k = pick(1, 12); k > 0; k--)
                line += static_cast<char>(pick(0, 255));
            std::replace(line.begin(), line.end(), '\n', 'n');
            break;
        default:
            break;
        }
        file += line + (pick(0, 5) == 0 ? " \r\n" : "\n");
    }
    return file;
}

// With expectations, a line counts only when its tail states the
// reference's result on its first piece: its verdict, the mutants named for
// a wrong line and the score agree with running every mutant on every line;
// vorlak itself ignores the tails.
TEST(Agreement, ExpectationsAgreeWithAPlainEvaluation) {
    for (unsigned seed = 200; seed < 230; seed++) {
        const std::string content = withtails(seed, 60);
        const std::string path = scratch("expect" + std::to_string(seed), content);
        const auto scan = scanpath(path, {.sets = engine::linesets::everyline, .tails = engine::tailuse::gradedeach});
        const engine::expectations& e = scan.expected;
        std::istringstream file(content);
        killset killed;
        std::array<long, mutants::mutantcount> firstkill{};
        long right = 0;
        long wrong = 0;
        long missing = 0;
        std::size_t wrongs = 0;
        long number = 0;
        for (std::string line; std::getline(file, line);) {
            number++;
            const std::string first = (line + "\n").substr(0, 999);
            const int length = engine::putline(first);
            const int reference = dates::testline(length);
            const plaintail tail = readtail(line);
            const std::string where = "seed " + std::to_string(seed) + " line " + std::to_string(number);
            ASSERT_LT(static_cast<std::size_t>(number - 1), e.lines.size()) << where;
            const engine::lineexpectation& l = e.lines[static_cast<std::size_t>(number - 1)];
            EXPECT_EQ(l.reference, reference) << where;
            if (!tail.stated) {
                missing++;
                EXPECT_EQ(l.verdict, engine::oracle::missing) << where;
                EXPECT_TRUE(scan.sets[scan.lineset[static_cast<std::size_t>(number - 1)]].empty()) << where;
                continue;
            }
            EXPECT_EQ(l.expected, tail.value) << where;
            if (tail.value != reference) {
                wrong++;
                EXPECT_EQ(l.verdict, engine::oracle::wrong) << where;
                EXPECT_TRUE(scan.sets[scan.lineset[static_cast<std::size_t>(number - 1)]].empty()) << where;
                ASSERT_LT(wrongs, e.wrongs.size()) << where;
                const engine::wrongline& w = e.wrongs[wrongs++];
                EXPECT_EQ(w.line, number) << where;
                // The mutants named are those whose result is what the line expects.
                std::vector<int> answer;
                for (int n = 1; n <= mutants::mutantcount; n++)
                    if (mutants::entries[static_cast<std::size_t>(n - 1)](engine::putline(first)) == tail.value)
                        answer.push_back(n);
                std::string named;
                for (const std::string& said : engine::wrongexplained(w, engine::hints::mutant))
                    if (said.starts_with("mutant "))
                        named += said.substr(7, said.find(':') - 7) + " ";
                std::string wanted;
                for (const int n : answer)
                    wanted += std::to_string(n) + " ";
                EXPECT_EQ(named, wanted) << where;
                continue;
            }
            right++;
            EXPECT_EQ(l.verdict, engine::oracle::right) << where;
            const killset k = killsofpiece(engine::putline(first));
            EXPECT_EQ(scan.sets[scan.lineset[static_cast<std::size_t>(number - 1)]], k) << where;
            engine::foreachmutant(k.without(killed),
                                  [&](int n) { firstkill[static_cast<std::size_t>(n - 1)] = number; });
            killed |= k;
        }
        EXPECT_EQ(std::tie(e.right, e.wrong, e.missing), std::tie(right, wrong, missing)) << "seed " << seed;
        EXPECT_EQ(wrongs, e.wrongs.size()) << "seed " << seed;
        EXPECT_EQ(scan.killedset(), killed) << "seed " << seed;
        for (int n = 1; n <= mutants::mutantcount; n++)
            EXPECT_EQ(scan.of(n).line, firstkill[static_cast<std::size_t>(n - 1)])
                << "seed " << seed << " mutant " << n;
        // The report's summary counts the right lines' kills; vorlak's the
        // lines' as if they had no tails.
        const auto text = report({"--expected", path});
        EXPECT_NE(text.out.find("\n" + mutants::summaryline(killed.count()) + engine::expectationcounts(e) + "\n"),
                  std::string::npos)
            << text.out;
        if (const std::string vorlak = VORLAK_BINARY; !vorlak.empty()) {
            // Each tail cut off, but for a line past 999 bytes, whose later
            // pieces vorlak reads as lines of their own.
            std::string cut;
            std::istringstream again(content);
            for (std::string line; std::getline(again, line);)
                cut += (line.size() < 998 ? line.substr(0, std::min<std::size_t>(line.size(), 21)) : line) + "\n";
            EXPECT_EQ(run({vorlak, "-i", path}).out, run({vorlak, "-i", scratch("plain", cut)}).out) << "seed " << seed;
        }
    }
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
