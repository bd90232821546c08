// The fast build against the plain behaviour: vorlak's output on the
// benchmark files, byte for byte, against the plain model of its passes;
// the word-at-a-time syntax scan against a scan of one column after the
// other; and the benchmark files against what each kind promises.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "bench/generator.hpp"
#include "dates/dates.hpp"
#include "model.hpp"
#include "mutants/mutants.hpp"
#include "process.hpp"
#include "testlines.hpp"

namespace {

using namespace vorlak;
using bench::filekind;

constexpr std::array<int, 16> digitcolumns = {0, 1, 3, 4, 6, 7, 8, 9, 11, 12, 14, 15, 17, 18, 19, 20};

std::string runvorlak(const std::string& path, bool verbose) {
    std::vector<std::string> args = {"vorlak"};
    if (verbose)
        args.push_back("-v");
    args.insert(args.end(), {"-i", path});
    const tests::outcome o = tests::runprocess(VORLAK_PROGRAM, args);
    EXPECT_EQ(o.status, 0) << path;
    EXPECT_EQ(o.err, "") << path;
    return o.out;
}

std::vector<std::string_view> splitlines(std::string_view file) {
    std::vector<std::string_view> lines;
    while (!file.empty()) {
        const std::size_t end = file.find('\n');
        const std::size_t take = end == std::string_view::npos ? file.size() : end + 1;
        lines.push_back(file.substr(0, take));
        file.remove_prefix(take);
    }
    return lines;
}

// 64-bit FNV-1a, to pin a generated file down to the byte.
std::uint64_t fingerprint(std::string_view bytes) {
    std::uint64_t h = 0xcbf29ce484222325u;
    for (const char c : bytes)
        h = (h ^ static_cast<unsigned char>(c)) * 0x100000001b3u;
    return h;
}

// Each kind of file at a few seeds, with and without -v; a file whose first
// lines kill all 65 mutants ahead of a long survive file; and a long line
// without a newline at the end of the file.
TEST(BenchmarkFiles, VorlakPrintsWhatThePlainModelPrints) {
    tests::tempdir dir;
    struct sample {
        filekind kind;
        long lines;
    };
    const sample samples[] = {{filekind::survive, 3000}, {filekind::mixed, 3000}, {filekind::longlines, 150}};
    std::vector<std::string> files;
    for (const sample& s : samples)
        for (std::uint64_t seed = 1; seed <= 2; seed++)
            files.push_back(bench::generatefile(s.kind, s.lines, seed));
    files.push_back(tests::readfile(std::string(VORLAK_SOURCE_DIR) + "/examples/adequate.txt") +
                    bench::generatefile(filekind::survive, 20000, 3));
    std::string unended = bench::generatefile(filekind::longlines, 40, 4);
    unended.pop_back();
    files.push_back(unended);

    for (std::size_t i = 0; i < files.size(); i++) {
        const std::string path = dir / ("file" + std::to_string(i));
        tests::writefile(path, files[i]);
        for (const bool verbose : {false, true})
            EXPECT_EQ(runvorlak(path, verbose), tests::modelrun(files[i], verbose))
                << "file " << i << ", verbose " << verbose;
    }
}

TEST(BenchmarkFiles, EachKindHoldsWhatItPromises) {
    const std::string survive = bench::generatefile(filekind::survive, 4000, 11);
    EXPECT_EQ(splitlines(survive).size(), 4000u);
    EXPECT_EQ(tests::modelrun(survive, false), "0/65 mutants killed. (0%)\n");

    // Every kind of line is there: valid pairs, reversed pairs, invalid
    // dates of both kinds, syntax errors and short lines.
    std::set<int> results;
    for (const std::string_view line : splitlines(survive))
        results.insert(dates::testline(tests::putline(line)));
    for (const int r : {0, -3, -4, -11, -12, -13, -14, -21, -22, -23, -24})
        EXPECT_TRUE(results.count(r)) << r;
    EXPECT_GT(*results.rbegin(), 0);

    // A mixed file kills all 65, on lines spread from its start to its end.
    const std::string mixed = bench::generatefile(filekind::mixed, 4000, 11);
    const auto lines = splitlines(mixed);
    EXPECT_EQ(lines.size(), 4000u);
    std::set<std::size_t> killing;
    bench::killset all;
    for (std::size_t i = 0; i < lines.size(); i++)
        if (const bench::killset k = bench::killedbyline(lines[i]); k.any()) {
            killing.insert(i);
            all |= k;
        }
    EXPECT_TRUE(all.all());
    EXPECT_GE(killing.size(), 40u);
    EXPECT_LT(*killing.begin(), lines.size() / 10);
    EXPECT_GT(*killing.rbegin(), lines.size() * 9 / 10);
    EXPECT_EQ(tests::modelrun(mixed, false), "65/65 mutants killed. (100%)\n");

    // Long lines of more than one piece, and none of their pieces kills.
    const std::string longfile = bench::generatefile(filekind::longlines, 60, 11);
    for (const std::string_view line : splitlines(longfile))
        EXPECT_GE(line.size(), 1001u);
    EXPECT_EQ(tests::modelrun(longfile, false), "0/65 mutants killed. (0%)\n");

    // A mixed file too short for one killing line per step still holds all 65.
    EXPECT_EQ(tests::modelrun(bench::generatefile(filekind::mixed, 10, 1), false), "65/65 mutants killed. (100%)\n");
    EXPECT_EQ(bench::generatefile(filekind::survive, 0, 1), "");
}

// The same seed gives the same bytes with every compiler and library; the
// fingerprint catches a draw that depends on the order of evaluation.
TEST(BenchmarkFiles, SeedsReproduceTheirFiles) {
    EXPECT_EQ(bench::generatefile(filekind::mixed, 500, 7), bench::generatefile(filekind::mixed, 500, 7));
    EXPECT_NE(bench::generatefile(filekind::survive, 500, 7), bench::generatefile(filekind::survive, 500, 8));
    EXPECT_EQ(fingerprint(bench::generatefile(filekind::survive, 500, 1)), 17752874116391908163u);
    EXPECT_EQ(fingerprint(bench::generatefile(filekind::mixed, 500, 1)), 16592156307953512258u);
    EXPECT_EQ(fingerprint(bench::generatefile(filekind::longlines, 20, 1)), 15151461463374122785u);
}

// The syntax check of the reference and of mutants 1 to 16 against a plain
// scan: every byte value in every column, on a line whose other columns
// hold digits and on one where another column fails too.
TEST(SyntaxScan, EqualsAScanOfOneColumnAfterTheOther) {
    using check = int (*)();
    const std::array<check, 17> checks = {
        dates::chkinputsyntax,      mutants::m1chkinputsyntax,  mutants::m2chkinputsyntax,  mutants::m3chkinputsyntax,
        mutants::m4chkinputsyntax,  mutants::m5chkinputsyntax,  mutants::m6chkinputsyntax,  mutants::m7chkinputsyntax,
        mutants::m8chkinputsyntax,  mutants::m9chkinputsyntax,  mutants::m10chkinputsyntax, mutants::m11chkinputsyntax,
        mutants::m12chkinputsyntax, mutants::m13chkinputsyntax, mutants::m14chkinputsyntax, mutants::m15chkinputsyntax,
        mutants::m16chkinputsyntax};
    // Check 0 examines all sixteen digit columns; check k leaves out the k-th.
    auto plain = [](std::size_t k) {
        for (std::size_t j = 0; j < digitcolumns.size(); j++)
            if (j + 1 != k) {
                const int c = dates::line[digitcolumns[j]];
                if (c < '0' || c > '9')
                    return 1;
            }
        return 0;
    };
    for (const std::string_view base : {"12/25/2001 06/30/1999 and after it anything\n", "12/25/2001 06/30/1999"}) {
        for (int column = 0; column <= 20; column++) {
            for (int byte = 0; byte < 256; byte++) {
                tests::putline(base);
                // Bytes past column 20 never count: fill them with non-digits.
                for (std::size_t i = 21; i < 40; i++)
                    dates::line[i] = static_cast<signed char>(byte);
                dates::line[column] = static_cast<signed char>(byte);
                for (std::size_t k = 0; k < checks.size(); k++)
                    ASSERT_EQ(checks[k](), plain(k)) << "check " << k << ", column " << column << ", byte " << byte;
                dates::line[(column + 7) % 21] = 'x';
                for (std::size_t k = 0; k < checks.size(); k++)
                    ASSERT_EQ(checks[k](), plain(k))
                        << "check " << k << ", columns " << column << " and " << (column + 7) % 21;
            }
        }
    }
}

}  // namespace
