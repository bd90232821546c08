#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <numeric>
#include <optional>
#include <random>
#include <regex>
#include <set>
#include <sstream>

#include <nlohmann/json.hpp>

#include "agreement.hpp"
#include "dates/dates.hpp"
#include "engine/cover.hpp"
#include "engine/evaluate.hpp"
#include "engine/expected.hpp"
#include "engine/explanation.hpp"
#include "engine/grade.hpp"
#include "engine/infection.hpp"
#include "engine/scan.hpp"
#include "engine/sites.hpp"
#include "engine/sources.hpp"
#include "engine/suggest.hpp"
#include "formats/formats.hpp"
#include "formats/html.hpp"
#include "formats/utf8.hpp"
#include "io/shown.hpp"
#include "mutants/beliefs.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/score.hpp"
#include "process.hpp"
#include "report/settings.hpp"
#include "testlines.hpp"

// Each mutant's program as its site reads, from tests/sitegen.cpp.
namespace vorlak::dates {
extern const std::array<int (*)(int), mutants::mutantcount> siteevaluations;
}  // namespace vorlak::dates

// The handed program's line buffer and evaluation, which it defines as a
// student's program does, outside any namespace.
extern signed char line[vorlak::dates::linesize];
extern int len;
int evaluate(int length);

namespace {

using namespace vorlak;
using engine::killset;
using tests::generated;
using tests::outcome;
using tests::outto;
using tests::passes;
using tests::readfile;
using tests::runprocess;
using tests::scanpath;

// --- helpers -----------------------------------------------------------------

// A file of this run's own directory, which is removed when the run ends.
std::string scratch(const std::string& name, const std::string& content) {
    static const tests::tempdir directory;
    const std::string path = directory / name;
    tests::writefile(path, content);
    return path;
}

// Runs a program as a process: args[0] is the program; standard input holds input.
outcome run(const std::vector<std::string>& args, const std::string& input = "", outto where = outto::capture) {
    return runprocess(args[0], args, where, {}, input);
}

outcome report(const std::vector<std::string>& args, const std::string& input = "") {
    std::vector<std::string> all = {VORLAK_REPORT_BINARY};
    all.insert(all.end(), args.begin(), args.end());
    return run(all, input);
}

killset killedby(const std::string& content) { return scanpath(scratch("killed", content)).killedset(); }

// One file graded as a class of one grades it.
engine::grade gradeone(const std::string& path, const engine::gradeneeds& needs) {
    return engine::gradeclass({path}, 1, needs).front();
}

// --- agreement with vorlak ---------------------------------------------------

TEST(Agreement, LinesCountPhysicalLinesAndPiecesKeepTheirLine) {
    // Line 2 is 1500 bytes: pieces of 999 and 502.  Its second piece kills
    // mutant 43 and must count as line 2; line 3 then stays line 3.
    const std::string longline =
        std::string(978, '7') + std::string(21, '7') + "02/29/2000 03/01/2000" + std::string(480, 'x') + "\n";
    const auto scan = scanpath(scratch("long", "short\n" + longline + "x1/01/2000 01/01/2000\n"),
                               {.sets = engine::linesets::distinct});
    EXPECT_EQ(scan.lines, 3);
    EXPECT_EQ(scan.of(43).line, 2);
    EXPECT_EQ(scan.of(1).line, 3);
    EXPECT_EQ(scan.sets.size(), 3u);
}

// --- where each mutant lies --------------------------------------------------

TEST(Sites, EachLocationHoldsTheTextItsAlterationReplaces) {
    // The text each alteration replaces, and a word of the code around it.
    struct expect {
        int first, last;
        std::string_view text, around;
    };
    // clang-format off
    const expect table[] = {
        {1, 1, "0", "int column ="},         {2, 15, "isseparator(column)", "if (isseparator"},
        {16, 16, "20", "column <="},          {17, 18, "0", "month <="},               {19, 20, "12", "month >"},
        {21, 22, "0", "day <="},              {23, 24, "31", "day >"},                 {25, 26, "1899", "year <="},
        {27, 28, "2", "month =="},            {29, 29, "29", "day =="},                {30, 30, "if (month == 2", "if"},
        {31, 31, "31", "monthdays"},          {32, 32, "29", "monthdays"},             {34, 34, "30", "monthdays"},
        {42, 42, "31", "monthdays"},          {43, 45, "leap(year)", "month == 2 && leap"},
        {46, 46, "n += y / 400;", "n +="},    {47, 47, "n -= y / 100;", "n -="},       {48, 48, "n += y / 4;", "n +="},
        {49, 50, "leap(d.year)", "if (leap(d.year) == 1"},                             {51, 52, "2", "d.month <="},
        {53, 53, "if (leap(d.year) == 1", "if"},                                       {54, 54, "0, 31, 59", "daysbeforemonth"},
        {55, 55, "31", "daysbeforemonth"},    {58, 58, "120", "daysbeforemonth"},      {65, 65, "334", "daysbeforemonth"},
    };
    // clang-format on
    for (const expect& e : table)
        for (int n = e.first; n <= e.last; n++) {
            const auto s = engine::locate(n);
            ASSERT_TRUE(s) << "mutant " << n;
            ASSERT_EQ(s->file, engine::handedprogram) << "mutant " << n;
            // Cut the text out again by line and column.
            std::vector<std::string> lines;
            std::istringstream in{std::string(engine::handedsource())};
            for (std::string l; std::getline(in, l);)
                lines.push_back(l + "\n");
            std::string cut;
            for (int l = s->start.line; l <= s->end.line; l++) {
                const std::string& whole = lines[static_cast<std::size_t>(l - 1)];
                const std::size_t from = l == s->start.line ? static_cast<std::size_t>(s->start.column - 1) : 0;
                const std::size_t to = l == s->end.line ? static_cast<std::size_t>(s->end.column - 1) : whole.size();
                cut += whole.substr(from, to - from);
            }
            EXPECT_EQ(cut, s->text) << "mutant " << n;
            EXPECT_TRUE(cut.starts_with(e.text)) << "mutant " << n << ": " << cut;
            EXPECT_NE(lines[static_cast<std::size_t>(s->start.line - 1)].find(e.around), std::string::npos)
                << "mutant " << n;
        }
    // Every one of the 65 is found, and the table entries in month order.
    for (int n = 1; n <= 65; n++)
        EXPECT_TRUE(engine::locate(n)) << "mutant " << n;
    for (int n = 31; n < 42; n++)
        EXPECT_LT(engine::locate(n)->start.column, engine::locate(n + 1)->start.column);
    for (int n = 55; n < 65; n++)
        EXPECT_LT(engine::locate(n)->start.column, engine::locate(n + 1)->start.column);
}

// The whole definition that holds each site, for the reports that may not
// say more: it starts a line, its braces close where it ends, it holds the
// site, and it is the function (or table) that the code there belongs to.
TEST(Sites, EachFunctionHoldsItsSite) {
    // clang-format off
    const struct { int first, last; std::string_view name, head; } table[] = {
        {1, 16, "checksyntax", "int checksyntax() {"},     {17, 30, "checkdate", "int checkdate(int month"},
        {31, 42, "monthdays", "constexpr std::array"},      {43, 45, "checkdate", "int checkdate(int month"},
        {46, 48, "yearterms", "constexpr int yearterms("}, {49, 50, "daynumber", "int daynumber(date d) {"},
        {51, 53, "daynumber", "int daynumber(date d) {"},  {54, 65, "daysbeforemonth", "constexpr std::array"},
    };
    // clang-format on
    const std::string_view text = engine::handedsource();
    const auto offset = [&](engine::position p) {
        std::size_t at = 0;
        for (int line = 1; line < p.line; line++)
            at = text.find('\n', at) + 1;
        return at + static_cast<std::size_t>(p.column - 1);
    };
    int covered = 0;
    for (const auto& e : table)
        for (int n = e.first; n <= e.last; n++, covered++) {
            const auto f = engine::functionof(n);
            const auto s = engine::locate(n);
            ASSERT_TRUE(f && s) << "mutant " << n;
            EXPECT_EQ(f->file, engine::handedprogram);
            EXPECT_EQ(f->name, e.name) << "mutant " << n;
            EXPECT_EQ(f->start.column, 1) << "mutant " << n;
            const std::string_view whole = text.substr(offset(f->start), offset(f->end) - offset(f->start));
            EXPECT_TRUE(whole.starts_with(e.head)) << "mutant " << n << ": " << whole;
            EXPECT_TRUE(whole.ends_with("}")) << "mutant " << n;
            EXPECT_EQ(std::count(whole.begin(), whole.end(), '{'), std::count(whole.begin(), whole.end(), '}'));
            EXPECT_LE(offset(f->start), offset(s->start)) << "mutant " << n;
            EXPECT_GE(offset(f->end), offset(s->end)) << "mutant " << n;
        }
    EXPECT_EQ(covered, mutants::mutantcount);
}

// Lines that every place where a mutant or the handed program reads
// otherwise shows up on: every line of dates around each bound, a byte of
// each kind in each digit column, every length up to a whole line, and
// random lines.
std::vector<std::string> sitelines() {
    std::vector<std::string> lines;
    auto twodigits = [](int n) { return std::string(1, char('0' + n / 10)) + char('0' + n % 10); };
    std::vector<std::string> dates;
    for (int month = 0; month <= 13; month++)
        for (const int day : {0, 1, 28, 29, 30, 31, 32})
            for (const char* year : {"1899", "1900", "1901", "2000", "2001", "2004", "2100", "2400", "9999"})
                dates.push_back(twodigits(month) + "/" + twodigits(day) + "/" + year);
    for (const std::string& d : dates)
        for (const std::string& other : {std::string("03/01/2000"), std::string("02/28/1900"), d}) {
            lines.push_back(d + " " + other + "\n");
            lines.push_back(other + " " + d + "\n");
        }
    for (const std::string_view base : {"02/29/2000 03/01/2100\n", "12/31/1999 01/01/2000\n"}) {
        for (int column = 0; column <= 20; column++)
            for (const int byte : {int{'/'}, int{':'}, int{'a'}, 0, 0x80, int{' '}, int{'~'}, int{'0'}})
                lines.push_back(tests::withbyte(base, column, byte));
        for (std::size_t length = 0; length < base.size(); length++)
            lines.emplace_back(base.substr(0, length));
    }
    std::mt19937 random(11);
    for (int i = 0; i < 20000; i++) {
        const auto date = [&] {
            return twodigits(static_cast<int>(random() % 14)) + "/" + twodigits(static_cast<int>(random() % 33)) + "/" +
                   std::to_string(1890 + random() % 600);
        };
        lines.push_back(date() + " " + date() + "\n");
    }
    return lines;
}

// The program as a student is handed it, compiled as it stands with this
// test (tests/CMakeLists.txt), against the reference.
TEST(Sites, HandedProgramIsTheReference) {
    for (const std::string& text : sitelines()) {
        const std::size_t n = std::min(text.size(), std::size_t{dates::linesize - 1});
        std::memcpy(::line, text.data(), n);
        ::line[n] = 0;
        ::len = static_cast<int>(n);
        ASSERT_EQ(::evaluate(::len), dates::testline(tests::putline(text))) << tests::printable(text);
    }
}

// Each mutant's program as the report shows it, its site replaced, against
// the mutant itself on those lines.  Every mutant differs from the reference
// on some of them, so no site can pass by changing nothing.
TEST(Sites, EachSiteReadsAsItsMutant) {
    const std::vector<std::string> lines = sitelines();
    std::array<bool, mutants::mutantcount> differs{};
    for (const std::string& text : lines)
        for (int n = 1; n <= mutants::mutantcount; n++) {
            const int reference = dates::testline(tests::putline(text));
            const int site = dates::siteevaluations[static_cast<std::size_t>(n - 1)](tests::putline(text));
            const int mutant = mutants::entries[static_cast<std::size_t>(n - 1)](tests::putline(text));
            ASSERT_EQ(site, mutant) << "mutant " << n << " on " << text;
            differs[static_cast<std::size_t>(n - 1)] = differs[static_cast<std::size_t>(n - 1)] || mutant != reference;
        }
    for (int n = 1; n <= mutants::mutantcount; n++)
        EXPECT_TRUE(differs[static_cast<std::size_t>(n - 1)]) << "no line tells mutant " << n << " apart";
}

TEST(Sites, LooseSearchLetsWhiteSpaceVary) {
    struct {
        std::string_view text, pattern;
        std::optional<std::pair<std::size_t, std::size_t>> want;
    } cases[] = {
        {"a  =\n\t 1;", "a = 1;", std::pair<std::size_t, std::size_t>{0, 9}},
        {"x a=1;", "a = 1;", std::nullopt},  // white space in the pattern needs some in the text
        {"b; a = 1;", "a = 1;", std::pair<std::size_t, std::size_t>{3, 9}},
        {"a = 1", "a = 1;", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(engine::findloosely(c.text, c.pattern), c.want) << c.text;
}

// --- the smallest subset -----------------------------------------------------

TEST(Minimize, CoverIsAsSmallAsBruteForceFinds) {
    std::mt19937 random(7);
    for (int round = 0; round < 300; round++) {
        std::vector<killset> sets(static_cast<std::size_t>(random() % 12 + 1));
        for (auto& s : sets)
            for (int k = static_cast<int>(random() % 6); k > 0; k--)
                s.add(static_cast<int>(random() % 10) + 1 + (round % 2 == 0 ? 0 : 55));
        killset all;
        for (auto s : sets)
            all |= s;
        std::size_t best = sets.size() + 1;
        for (unsigned mask = 0; mask < (1u << sets.size()); mask++) {
            killset got;
            for (std::size_t i = 0; i < sets.size(); i++)
                if (mask >> i & 1)
                    got |= sets[i];
            if (got == all)
                best = std::min(best, static_cast<std::size_t>(std::popcount(mask)));
        }
        const auto cover = engine::minimumcover(sets);
        killset got;
        for (auto i : cover)
            got |= sets[i];
        EXPECT_EQ(got, all);
        EXPECT_EQ(cover.size(), all.empty() ? 0 : best);
        EXPECT_TRUE(std::is_sorted(cover.begin(), cover.end()));
    }
}

TEST(Minimize, KeepsTheFewestLinesByteForByte) {
    for (unsigned seed = 200; seed < 206; seed++) {
        const std::string content = generated(seed, 14);
        const std::string path = scratch("minimize", content);
        const auto r = report({"--minimize", path});
        ASSERT_EQ(r.status, 0);
        // Every kept line is a line of the file, unchanged and in order.
        std::vector<std::string> lines;
        for (std::size_t from = 0; from < content.size();) {
            const std::size_t end = std::min(content.find('\n', from), content.size() - 1) + 1;
            lines.push_back(content.substr(from, end - from));
            from = end;
        }
        std::size_t at = 0;
        std::size_t kept = 0;
        for (std::size_t from = 0; from < r.out.size(); kept++) {
            while (at < lines.size() && r.out.compare(from, lines[at].size(), lines[at]) != 0)
                at++;
            ASSERT_LT(at, lines.size()) << "seed " << seed << ": a kept line that is not in the file";
            from += lines[at++].size();
        }
        EXPECT_EQ(r.err, "kept " + std::to_string(kept) + " of " + std::to_string(lines.size()) + " lines\n");
        const killset all = killedby(content);
        EXPECT_EQ(killedby(r.out), all) << "seed " << seed;
        // No smaller choice of the file's lines kills as much.
        std::vector<killset> each;
        for (const std::string& line : lines)
            each.push_back(killedby(line));
        std::size_t best = lines.size();
        for (unsigned mask = 0; mask < (1u << lines.size()); mask++) {
            killset chosen;
            for (std::size_t i = 0; i < lines.size(); i++)
                if (mask >> i & 1)
                    chosen |= each[i];
            if (chosen == all)
                best = std::min(best, static_cast<std::size_t>(std::popcount(mask)));
        }
        EXPECT_EQ(kept, best) << "seed " << seed;
    }
}

// --- suggestions -------------------------------------------------------------

TEST(Suggest, AppendedLinesKillAllSixtyFive) {
    const std::string starter = readfile(std::string(VORLAK_SOURCE_DIR) + "/examples/starter.txt");
    ASSERT_FALSE(starter.empty());
    const std::string cases[] = {"", starter, "02/29/2000 03/01/2000", "x1/01/2000 01/01/2000\n01/01/2000 01/0"};
    for (const std::string& content : cases) {
        const auto r = report({"--suggest", scratch("suggest", content)});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(killedby(content + r.out).count(), 65) << content;
        // One explanation for each survivor.
        const int survivors = 65 - killedby(content).count();
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n') - (r.err.find("newline") != std::string::npos),
                  survivors);
    }
    // With --expected each suggested line states its result, so that it
    // counts: appended to a file with a wrong line, they kill all 65 so too.
    const std::string stated = readfile(std::string(VORLAK_SOURCE_DIR) + "/examples/expected.txt");
    const auto r = report({"--suggest", "--expected", scratch("suggest", stated)});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(scanpath(scratch("suggested", stated + r.out), {.tails = engine::tailuse::graded}).killed(), 65) << r.out;
}

// --- the command line --------------------------------------------------------

TEST(CommandLine, ExitStatusesAndMessages) {
    const std::string empty = scratch("empty", "");
    const std::string dir = std::filesystem::temp_directory_path().string();
    struct {
        std::vector<std::string> args;
        int status;
        std::string err;  // the start of standard error
    } cases[] = {
        {{}, 1, "usage: vorlak-report"},
        {{"-x", empty}, 1, VORLAK_REPORT_BINARY ": invalid option -- 'x'\nusage: "},
        {{"-f"}, 1, VORLAK_REPORT_BINARY ": option requires an argument -- 'f'\nusage: "},
        {{empty, empty}, 1, "vorlak-report: one test file only, not 2\n"},
        {{"-f", "xml", empty},
         1,
         "vorlak-report: unknown format 'xml': use text, csv, json, html, gradescope or prairielearn\n"},
        {{"--points", "5", empty},
         1,
         "vorlak-report: --points and --visibility go with -f gradescope or -f prairielearn\n"},
        {{"-f", "gradescope", "--points", "0", empty}, 1, "vorlak-report: illegal --points value '0'"},
        {{"-f", "gradescope", "--visibility", "all", empty}, 1, "vorlak-report: unknown visibility 'all'"},
        {{"-f", "prairielearn", "--visibility", "hidden", empty},
         1,
         "vorlak-report: --visibility goes with -f gradescope\n"},
        {{"-f", "prairielearn", "--leaderboard", empty}, 1, "vorlak-report: --leaderboard goes with -f gradescope\n"},
        {{"--class", "--leaderboard", empty}, 1, "vorlak-report: --leaderboard goes with -f gradescope\n"},
        {{"-f", "gradescope", "--class", empty},
         1,
         "vorlak-report: a platform's results document is for one test file"},
        {{"-f", "prairielearn", "--matrix", empty}, 1, "vorlak-report: -f prairielearn writes a results document"},
        {{"--fail-under", "101", empty}, 1, "vorlak-report: illegal --fail-under value '101': use 0-100\n"},
        {{"--fail-under", "5x", empty}, 1, "vorlak-report: illegal --fail-under value '5x'"},
        {{"--minimize", "-f", "json", empty}, 1, "vorlak-report: --minimize writes test lines: leave out -f\n"},
        {{"--minimize", "--matrix", empty}, 1, "vorlak-report: --minimize writes test lines: leave out --matrix\n"},
        {{"--suggest", "-f", "csv", empty}, 1, "vorlak-report: --suggest writes test lines"},
        {{"--hints", "all", empty},
         1,
         "vorlak-report: unknown hint level 'all': use score, state, concept, condition, mutant or answer\n"},
        {{"--suggest", "--hints", "mutant", empty},
         1,
         "vorlak-report: --suggest gives a line that kills each survivor"},
        {{"--feedback", "pages", empty}, 1, "vorlak-report: --feedback goes with --class\n"},
        {{"--class", "--feedback", empty + "/pages", empty},
         1,
         "vorlak-report: --feedback " + empty + "/pages: Not a directory\n"},
        {{"/nonexistent/t.txt"}, 1, "vorlak-report: /nonexistent/t.txt: No such file or directory\n"},
        {{dir}, 1, "vorlak-report: " + dir + ": Is a directory\n"},
        {{"-o", "/nonexistent/out", empty}, 1, "vorlak-report: /nonexistent/out: No such file or directory\n"},
        {{"--check-settings", empty, empty},
         1,
         "vorlak-report: --check-settings FILE and --check-settings-environment go alone\n"},
        {{"--check-settings-environment", "--hints", "score"},
         1,
         "vorlak-report: --check-settings FILE and --check-settings-environment go alone\n"},
        {{"--check-settings", "/nonexistent/vorlak.conf"},
         1,
         "vorlak-report: /nonexistent/vorlak.conf: No such file or directory\n"},
        {{"--check-settings", dir}, 1, "vorlak-report: " + dir + ": Is a directory\n"},
        {{"--help"}, 0, ""},
        {{"--version"}, 0, ""},
        {{"-", "--minimize"}, 0, "kept 0 of 0 lines\n"},
    };
    for (const auto& c : cases) {
        const auto r = report(c.args);
        EXPECT_EQ(r.status, c.status) << testing::PrintToString(c.args) << r.err;
        EXPECT_TRUE(std::string_view(r.err).starts_with(c.err)) << testing::PrintToString(c.args) << r.err;
    }
    EXPECT_TRUE(report({"--help"}).out.starts_with("usage: vorlak-report [-f text|csv|json|html]"));
    EXPECT_EQ(report({"--version"}).out, "vorlak-report 1.0.0\n");
}

TEST(CommandLine, FailUnderAtAboveAndBelowTheScore) {
    // Thirteen kills: a score of exactly 20.
    std::string lines;
    for (int column : {0, 1, 3, 4, 6, 7, 8, 9, 11, 12, 14, 15, 17}) {
        std::string line = "01/01/2000 01/01/2000\n";
        line[static_cast<std::size_t>(column)] = 'x';
        lines += line;
    }
    const std::string path = scratch("thirteen", lines);
    ASSERT_NE(report({path}).out.find("13/65 mutants killed. (20%)\n"), std::string::npos);
    const std::pair<std::string, int> cases[] = {{"0", 0}, {"19.9", 0}, {"20", 0}, {"20.01", 2}, {"100", 2}};
    for (const auto& [threshold, status] : cases)
        EXPECT_EQ(report({"--fail-under", threshold, path}).status, status) << threshold;
    EXPECT_EQ(report({"--fail-under=100", "-f", "csv", scratch("none", "")}).status, 2);
    // Below it, standard error says why: the shown percent may round up
    // past a fractional threshold, the counts never do.
    const std::pair<std::string, std::string> why[] = {
        {"20", ""},
        {"20.01", "vorlak-report: 13 of 65 mutants killed (20%), below the 20.01% that --fail-under asks for: at least "
                  "14 needed\n"},
        {"19.9e0", ""},
        {"100", "vorlak-report: 13 of 65 mutants killed (20%), below the 100% that --fail-under asks for: at least 65 "
                "needed\n"}};
    for (const auto& [threshold, err] : why)
        EXPECT_EQ(report({"--fail-under", threshold, path}).err, err) << threshold;
}

// --- the platforms' settings ---------------------------------------------------

TEST(Settings, ReadAsATeacherWritesThemOrRefusedWithTheLine) {
    const std::string defaults = "hints=condition\npoints=65\nvisibility=visible\nexpected=no\nfile=\nleaderboard=no\n";
    struct {
        std::string text;
        std::string read;  // the canonical settings, or the message
    } cases[] = {
        {"", defaults},
        {"\n\n# nothing set\n   \t\n", defaults},
        {"hints=score", "hints=score\npoints=65\nvisibility=visible\nexpected=no\nfile=\nleaderboard=no\n"},
        {"\xEF\xBB\xBF Hints =\tSTATE  # the state\r\nPoints = 10.50\r\nVISIBILITY=After_Due_Date\r\n"
         "expected=Yes\r\nfile =  My Tests.txt \r\nleaderboard = YES#board\r\n",
         "hints=state\npoints=10.5\nvisibility=after_due_date\nexpected=yes\nfile=My Tests.txt\nleaderboard=yes\n"},
        {"points=1e3\nfile=\n",
         "hints=condition\npoints=1000\nvisibility=visible\nexpected=no\nfile=\nleaderboard=no\n"},
        {"points=0.001", "hints=condition\npoints=0.001\nvisibility=visible\nexpected=no\nfile=\nleaderboard=no\n"},
        {"#\nhints=conditon\n",
         "v.conf line 2: unknown hint level \"conditon\": one of score, state, concept, condition, mutant, answer"},
        {"hints=", "v.conf line 1: unknown hint level \"\": one of score, state, concept, condition, mutant, answer"},
        {"hints=score state", "v.conf line 1: unknown hint level \"score state\": one of score, state, concept, "
                              "condition, mutant, answer"},
        {"hint=score", "v.conf line 1: unknown key \"hint\": one of hints, points, visibility, expected, file, "
                       "leaderboard"},
        {"=score", "v.conf line 1: unknown key \"\": one of hints, points, visibility, expected, file, leaderboard"},
        {"\n\nhints score\r\n", "v.conf line 3: \"hints score\" is not key=value: a key is one of hints, points, "
                                "visibility, expected, file, leaderboard"},
        {"hints=score\nexpected=no\nHINTS=state", "v.conf line 3: hints is set again, after line 1: set each key once"},
        {"points=0", "v.conf line 1: points \"0\" is not a positive number: one above 0 and at most 1e9, such as 65 "
                     "or 2.5"},
        {"points=-5", "v.conf line 1: points \"-5\" is not a positive number: one above 0 and at most 1e9, such as 65 "
                      "or 2.5"},
        {"points=1e10", "v.conf line 1: points \"1e10\" is not a positive number: one above 0 and at most 1e9, such "
                        "as 65 or 2.5"},
        {"points=nan", "v.conf line 1: points \"nan\" is not a positive number: one above 0 and at most 1e9, such as "
                       "65 or 2.5"},
        {"points=65 points", "v.conf line 1: points \"65 points\" is not a positive number: one above 0 and at most "
                             "1e9, such as 65 or 2.5"},
        {"visibility=all", "v.conf line 1: unknown visibility \"all\": one of hidden, after_due_date, "
                           "after_published, visible"},
        {"expected=true", "v.conf line 1: expected is yes or no, not \"true\""},
        {"leaderboard=1", "v.conf line 1: leaderboard is yes or no, not \"1\""},
    };
    for (const auto& c : cases) {
        const report::settingsread r = report::readsettings(c.text, "v.conf");
        EXPECT_EQ(r.error.empty() ? report::canonicalsettings(r.values) : r.error, c.read) << c.text;
    }
    // The file is a plain name inside the submission folder, or nothing.
    for (const std::string name : {"..", ".", "-", "../tests.txt", "/etc/passwd", "a/b.txt", "tests\x01.txt"})
        EXPECT_EQ(report::readsettings("file=" + name, "v.conf").error,
                  "v.conf line 1: file \"" + name +
                      "\" is not a plain name: the name of a file in the submission folder, such as tests.txt, or "
                      "nothing for its only .txt file");
    for (const std::string name : {"tests.txt", "..tests.txt", "-tests.txt", "t\xC3\xA9sts.txt"})
        EXPECT_EQ(report::readsettings("file=" + name, "v.conf").values.file, name);
}

TEST(Settings, PrairieLearnsEnvironmentByTheSameRules) {
    struct {
        std::map<std::string, std::string> environment;
        std::string read;
    } cases[] = {
        {{}, "hints=condition\nexpected=no\n"},
        {{{"VORLAK_HINTS", "Condition"}, {"VORLAK_EXPECTED", " YES "}}, "hints=condition\nexpected=yes\n"},
        {{{"VORLAK_HINTS", "answer"}, {"VORLAK_VISIBILITY", "nonsense"}}, "hints=answer\nexpected=no\n"},
        {{{"VORLAK_HINTS", "conditon"}},
         "VORLAK_HINTS: unknown hint level \"conditon\": one of score, state, concept, condition, mutant, answer"},
        {{{"VORLAK_HINTS", ""}},
         "VORLAK_HINTS: unknown hint level \"\": one of score, state, concept, condition, "
         "mutant, answer"},
        {{{"VORLAK_EXPECTED", "1"}}, "VORLAK_EXPECTED: expected is yes or no, not \"1\""},
        {{{"VORLAK_POINTS", "65"}},
         "VORLAK_POINTS: PrairieLearn grades by the score, a fraction of the question's "
         "points: set the points in the assessment, and leave out VORLAK_POINTS"},
    };
    for (const auto& c : cases) {
        const report::settingsread r = report::environmentsettings([&](const char* name) -> const char* {
            const auto found = c.environment.find(name);
            return found == c.environment.end() ? nullptr : found->second.c_str();
        });
        EXPECT_EQ(r.error.empty() ? report::canonicalenvironment(r.values) : r.error, c.read);
    }
}

TEST(CommandLine, WriteErrorsAreReportedAndOutputWaitsForTheRead) {
    const std::string empty = scratch("empty", "");
    const auto full = run({VORLAK_REPORT_BINARY, empty}, "", outto::devfull);
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "vorlak-report: write error: No space left on device\n");
    // An unreadable test file leaves an earlier report as it was.
    const std::string out = scratch("earlier", "earlier report\n");
    EXPECT_EQ(report({"-o", out, std::filesystem::temp_directory_path().string()}).status, 1);
    EXPECT_EQ(readfile(out), "earlier report\n");
    EXPECT_EQ(report({"-o", out, "-f", "csv", empty}).status, 0);
    EXPECT_TRUE(readfile(out).starts_with(
        "mutant,stage,function,status,line,reference,result,description,reached,infected\r\n"));
}

// What the child may do while vorlak-report runs in it.
struct limits {
    rlim_t filesize = RLIM_INFINITY;  // a write past it fails with EFBIG (SIGXFSZ is ignored)
    mode_t mask = 022;
    bool nooverride = false;  // root too is held to the folders' modes
};

outcome limited(std::vector<std::string> args, limits l) {
    args.insert(args.begin(), VORLAK_REPORT_BINARY);
    return runprocess(args[0], args, outto::capture, {}, {}, [l] {
        ::umask(l.mask);
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit size{};
        if (::getrlimit(RLIMIT_FSIZE, &size) != 0)
            return false;
        size.rlim_cur = l.filesize;
        if (::setrlimit(RLIMIT_FSIZE, &size) != 0)
            return false;
        // Dropped from the bounding set, the power is gone once the program starts.
        return !l.nooverride || ::geteuid() != 0 || ::prctl(PR_CAPBSET_DROP, CAP_DAC_OVERRIDE, 0, 0, 0) == 0;
    });
}

std::set<std::string> listing(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.insert(e.path().filename().string());
    return names;
}

mode_t modeof(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST(CommandLine, OutputReplacesTheFileWholeOrNotAtAll) {
    // The adequate example and a line it does not need: --minimize keeps 32 of 33.
    const std::string tests =
        readfile(std::string(VORLAK_SOURCE_DIR) + "/examples/adequate.txt") + "01/01/2000 01/02/2000\n";
    const std::string earlier = "earlier report\n";
    const tests::tempdir top;
    // T is the test file, R an earlier report, N a file not yet there, in a
    // folder of their own; the folder is made read-only with readonly.
    struct {
        std::string what;
        std::vector<std::string> args;
        limits limit;
        bool readonly;
        std::string reason;  // why it fails; empty when it succeeds
        mode_t mode;         // the file's mode afterwards
    } cases[] = {
        {"a replaced report on a full disk",
         {"-f", "json", "-o", "R", "T"},
         {.filesize = 256},
         false,
         "File too large",
         0604},
        {"--minimize in place on a full disk",
         {"--minimize", "-o", "T", "T"},
         {.filesize = 256},
         false,
         "File too large",
         0640},
        {"a new file on a full disk", {"-o", "N", "T"}, {.filesize = 256}, false, "File too large", 0},
        {"a report in a folder that cannot be written",
         {"-o", "R", "T"},
         {.nooverride = true},
         true,
         "Permission denied",
         0604},
        {"a replaced report", {"-f", "csv", "-o", "R", "T"}, {}, false, "", 0604},
        {"--minimize in place", {"--minimize", "-o", "T", "T"}, {}, false, "", 0640},
        {"a new file", {"-o", "N", "T"}, {.mask = 027}, false, "", 0640},
    };
    bool skipped = false;
    int round = 0;
    for (const auto& c : cases) {
        const std::string folder = top / std::to_string(round++);
        std::filesystem::create_directory(folder);
        const std::map<std::string, std::string> path = {
            {"T", folder + "/tests.txt"}, {"R", folder + "/report.out"}, {"N", folder + "/new.out"}};
        tests::writefile(path.at("T"), tests);
        tests::writefile(path.at("R"), earlier);
        ::chmod(path.at("T").c_str(), 0640);
        ::chmod(path.at("R").c_str(), 0604);
        std::vector<std::string> args;
        for (const std::string& a : c.args)
            args.push_back(path.contains(a) ? path.at(a) : a);
        // What the same run writes to standard output, before anything changes.
        std::vector<std::string> tostdout;
        for (std::size_t i = 0; i < args.size(); i++)
            if (args[i] == "-o")
                i++;
            else
                tostdout.push_back(args[i]);
        const std::string want = report(tostdout).out;
        const std::string target = *(std::find(args.begin(), args.end(), "-o") + 1);
        const std::set<std::string> before = listing(folder);
        if (c.readonly)
            ::chmod(folder.c_str(), 0555);
        const auto r = limited(args, c.limit);
        ::chmod(folder.c_str(), 0755);
        if (r.status == 125) {
            skipped = true;  // root that cannot give up its power over modes
            continue;
        }
        if (c.reason.empty()) {
            EXPECT_EQ(r.status, 0) << c.what << ": " << r.err;
            EXPECT_EQ(readfile(target), want) << c.what;
            std::set<std::string> after = before;
            after.insert(std::filesystem::path(target).filename().string());
            EXPECT_EQ(listing(folder), after) << c.what;
        } else {
            EXPECT_EQ(r.status, 1) << c.what;
            EXPECT_EQ(r.err, "vorlak-report: " + target + ": " + c.reason + "\n") << c.what;
            // Everything as it was, and no temporary file left behind.
            EXPECT_EQ(listing(folder), before) << c.what;
            EXPECT_EQ(readfile(path.at("T")), tests) << c.what;
            EXPECT_EQ(readfile(path.at("R")), earlier) << c.what;
        }
        EXPECT_EQ(modeof(target), c.mode) << c.what;
    }
    if (skipped)
        GTEST_SKIP() << "root here cannot drop CAP_DAC_OVERRIDE: the read-only folder was not tried";
}

TEST(CommandLine, HtmlNeedsTheViewer) {
    const auto r = report({"-f", "html", scratch("html", "02/29/2000 03/01/2000\n")});
    if (std::string_view(VORLAK_HTML_VIEWER).empty()) {
        EXPECT_EQ(r.status, 1);
        EXPECT_FALSE(r.err.empty());
        EXPECT_EQ(r.out, "");
    } else {
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find("<html"), std::string::npos);
    }
}

// --- a class of files ---------------------------------------------------------

// A class as the tests make it: generated files, and among them a missing
// file, a directory, an empty file and one without a final newline.
std::vector<std::string> classfiles(const std::string& tag) {
    std::vector<std::string> files;
    for (unsigned seed = 300; seed < 312; seed++)
        files.push_back(scratch(tag + std::to_string(seed), generated(seed, static_cast<int>(seed % 5) * 9 + 4)));
    files.insert(files.begin() + 3, scratch(tag + "-empty", ""));
    files.insert(files.begin() + 5, scratch(tag + "-nonewline", "x1/01/2000 01/01/2000\n02/29/2000 03/01/2000"));
    files.insert(files.begin() + 1, std::filesystem::path(scratch(tag + "-x", "")).parent_path() / "missing.txt");
    files.push_back(std::filesystem::temp_directory_path().string());
    return files;
}

TEST(Class, EachFileGradedAsVorlakGradesIt) {
    const std::string vorlak = VORLAK_BINARY;
    if (vorlak.empty())
        GTEST_SKIP() << "no vorlak binary in this build";
    const auto files = classfiles("agree");
    std::vector<std::string> args = {"--class", "-f", "json", "-j", "3"};
    args.insert(args.end(), files.begin(), files.end());
    const auto r = report(args);
    EXPECT_EQ(r.status, 1) << r.err;  // the missing file and the directory
    const auto document = nlohmann::json::parse(r.out);
    EXPECT_EQ(document["schemaVersion"], "vorlak-class-1");
    ASSERT_EQ(document["files"].size(), files.size());
    std::size_t infected = 0;
    for (std::size_t i = 0; i < files.size(); i++) {
        const auto& row = document["files"][i];
        EXPECT_EQ(row["name"], files[i]);
        const auto v = run({vorlak, "-v", "-i", files[i]});
        if (v.status != 0) {
            EXPECT_TRUE(v.out == "error opening file\n" || v.out == "error reading file\n") << files[i];
            EXPECT_TRUE(row["error"] == "No such file or directory" || row["error"] == "Is a directory") << row;
            continue;
        }
        // A file with no line long enough to test is graded 0, and says so.
        ASSERT_TRUE(row["error"].is_null() || (row["error"] == engine::untestable && row["killed"] == 0)) << files[i];
        // vorlak -v byte for byte: each kill's piece from the model of the
        // passes, its two results and the summary from the row.
        const auto model = passes(files[i]);
        std::string verbose;
        for (const auto& k : row["kills"]) {
            const auto& piece = model[static_cast<std::size_t>(k["mutant"].get<int>() - 1)];
            ASSERT_TRUE(piece) << files[i];
            EXPECT_EQ(k["line"], piece->line) << files[i];
            verbose += "Input: " + piece->piece + std::to_string(k["reference"].get<int>()) +
                       " =?= " + std::to_string(k["result"].get<int>()) + "\nKilled mutant " +
                       std::to_string(k["mutant"].get<int>()) + ".\n";
        }
        EXPECT_EQ(v.out, verbose + mutants::summaryline(row["killed"])) << files[i];
        EXPECT_EQ(std::to_string(row["percent"].get<int>()) + "%)\n", v.out.substr(v.out.rfind('(') + 1));
        EXPECT_EQ(row["kills"].size() + row["survivors"].size(), 65u);
        // Every survivor in exactly one state, in ascending order; killed ones in none.
        std::vector<int> bystate;
        for (const char* key : {"unreached", "reached", "infected"}) {
            const auto numbers = row[key].get<std::vector<int>>();
            EXPECT_TRUE(std::is_sorted(numbers.begin(), numbers.end())) << key;
            bystate.insert(bystate.end(), numbers.begin(), numbers.end());
            infected += key == std::string("infected") ? numbers.size() : 0;
        }
        std::sort(bystate.begin(), bystate.end());
        EXPECT_EQ(bystate, row["survivors"].get<std::vector<int>>()) << files[i];
        // The lines and the smallest subset as --minimize counts them.
        const auto m = report({"--minimize", files[i]});
        EXPECT_EQ(m.err, "kept " + std::to_string(row["needed"].get<long>()) + " of " +
                             std::to_string(row["lines"].get<long>()) + " lines\n")
            << files[i];
    }
    // Infected survivors, whose verdicts the threads gather (for
    // OutputIsTheSameForEveryJobCount).
    EXPECT_GT(infected, 0u);
    // Each mutant names the files that kill it.
    for (const auto& m : document["mutants"])
        for (const auto& f : m["killedBy"]) {
            const auto& kills = document["files"][f.get<std::size_t>()]["kills"];
            EXPECT_TRUE(
                std::any_of(kills.begin(), kills.end(), [&](const auto& k) { return k["mutant"] == m["mutant"]; }));
        }
}

// The same for every job count, and for every hint level: the class's own
// outputs are the teacher's, and --hints governs only the pages.
TEST(Class, OutputIsTheSameForEveryJobCountAndHintLevel) {
    const auto files = classfiles("jobs");
    for (const std::string format : {"text", "csv", "json", "html"}) {
        std::vector<std::string> args = {"--class", "-f", format, "-j", "1"};
        args.insert(args.end(), files.begin(), files.end());
        const auto one = report(args);
        args[4] = "4";
        const auto four = report(args);
        args.insert(args.begin() + 5, {"--hints", "score"});
        const auto score = report(args);
        EXPECT_EQ(one.status, 1);
        EXPECT_EQ(four.status, 1);
        EXPECT_EQ(one.out, four.out) << format;
        EXPECT_EQ(one.out, score.out) << format;
        EXPECT_GT(one.out.size(), 1000u) << format;
    }
}

TEST(Class, StatusesAndTheTextRows) {
    const std::string starter = std::string(VORLAK_SOURCE_DIR) + "/examples/starter.txt";
    const std::string adequate = std::string(VORLAK_SOURCE_DIR) + "/examples/adequate.txt";
    const struct {
        std::vector<std::string> args;
        int status;
        std::string err;
    } cases[] = {
        {{"--class", starter, adequate}, 0, ""},
        {{"--class", "--fail-under", "30", starter, adequate}, 2, ""},
        {{"--class", "--fail-under", "29", starter, adequate}, 0, ""},
        {{"--class", "--fail-under", "30", adequate, "/nonexistent"}, 1, ""},
        {{"--class", "-j", "0", starter}, 1, "vorlak-report: illegal -j value '0': use 1-1024\n"},
        {{"-j", "2", starter}, 1, "vorlak-report: -j goes with --class\n"},
        {{"--class", "--minimize", starter}, 1, "vorlak-report: --class grades files: leave out --matrix"},
    };
    for (const auto& c : cases) {
        const auto r = report(c.args);
        EXPECT_EQ(r.status, c.status) << testing::PrintToString(c.args) << r.err;
        EXPECT_TRUE(r.err.starts_with(c.err)) << r.err;
    }
    // A name that could move the cursor shows as '?', and the columns stay aligned.
    const std::string odd = scratch("odd\x1b[2Jname.txt", "02/29/2000 03/01/2000\n");
    const auto r = report({"--class", starter, odd, "/nonexistent/x.txt"});
    std::vector<std::string> rows;
    std::istringstream in(r.out);
    for (std::string row; std::getline(in, row) && !row.empty();)
        rows.push_back(row);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_TRUE(rows[0].starts_with("file "));
    EXPECT_NE(rows[2].find("odd?[2Jname.txt"), std::string::npos);
    EXPECT_TRUE(rows[1].ends_with("  1-17 21 24-28 30-31 33-41 44-45 47 50 57-64")) << rows[1];
    EXPECT_TRUE(rows[3].ends_with("  error: No such file or directory")) << rows[3];
    const std::size_t last = rows[0].find("survivors");
    for (const std::string& row : rows)
        EXPECT_TRUE(row.substr(last - 2, 3).starts_with("  ") && row[last] != ' ') << row;
    EXPECT_NE(r.out.find("\nclass: 3 files, 2 graded, mean score "), std::string::npos);

    // A file with no line long enough to test, empty or of blank and short
    // lines only, scores 0 and says so, alike on every surface, in the
    // columns each has.
    const std::string sentence(engine::untestable);
    const std::string empty = scratch("class-empty", "");
    const std::string shortonly = scratch("class-short", "\n01/01/2000 01/01/200\n\n01/01/2000 01/01/2000");
    for (const std::string& file : {empty, shortonly}) {
        const std::string lines = file == empty ? "0" : "4";
        const auto text = report({"--class", starter, file});
        EXPECT_EQ(text.status, 0) << text.err;
        const std::size_t row = text.out.find("\n" + file + " ");
        ASSERT_NE(row, std::string::npos) << text.out;
        EXPECT_EQ(text.out.substr(text.out.find("  0       0%", row),
                                  text.out.find('\n', row + 1) - text.out.find("  0       0%", row)),
                  "  0       0%      " + lines + "       0  " + sentence);
        EXPECT_NE(text.out.find("\nclass: 2 files, 2 graded, mean score 14.6%, median 14.6%\n"), std::string::npos);
        EXPECT_TRUE(report({"--class", "-f", "csv", file})
                        .out.ends_with(file + ",0,0," + lines + ",0,1-65," + formats::csvfield(sentence) + "\r\n"));
        const auto json = nlohmann::json::parse(report({"--class", "-f", "json", file}).out);
        EXPECT_EQ(json["graded"], 1);
        EXPECT_EQ(json["files"][0]["error"], sentence);
        EXPECT_EQ(json["files"][0]["score"], 0.0);
        EXPECT_EQ(json["files"][0]["survivors"].size(), 65u);
        EXPECT_NE(
            report({"--class", "-f", "html", "--expected", file})
                .out.find("</td><td class=\"error\" colspan=\"65\">" + formats::htmltext(sentence) + "</td></tr>\n"),
            std::string::npos);
        const std::string pages = std::filesystem::path(file).parent_path() / "untestable-pages";
        std::filesystem::remove_all(pages);
        EXPECT_EQ(report({"--class", "--feedback", pages, "--hints", "answer", file}).status, 0);
        const std::string page = readfile(pages + "/" + std::filesystem::path(file).filename().string() + ".html");
        EXPECT_NE(page.find("<p class=\"summary\">0/65 mutants killed. (0%)</p>\n<p class=\"untestable\">" +
                            formats::htmltext(sentence) + "</p>\n</main>"),
                  std::string::npos)
            << page;
        EXPECT_NE(readfile(pages + "/index.html").find("0/65 mutants killed."), std::string::npos);
    }

    // How far the starter's lines get into its survivors, and the mutant
    // view's count of each state over the two examples.
    const auto json = nlohmann::json::parse(report({"--class", "-f", "json", starter}).out)["files"][0];
    EXPECT_EQ(json["infected"], nlohmann::json({1, 45, 47}));
    EXPECT_EQ(json["unreached"], nlohmann::json({34, 35, 36, 37, 38, 39, 40, 41, 57, 58, 59, 60, 61, 62, 63, 64}));
    const std::string view = report({"--class", starter, adequate}).out;
    for (const char* row : {"\nmutant  killed  infected  reached  unreached  description, hardest first\n",
                            "\n    45       1         1        0          0  treats every year",
                            "\n     2       1         0        1          0  passes any character",
                            "\n    34       1         0        0          1  "})
        EXPECT_NE(view.find(row), std::string::npos) << row << view;

    // The starter kills every mutant of two concepts, which come last, and
    // of no other.
    const auto concepts = nlohmann::json::parse(report({"--class", "-f", "json", starter, adequate}).out)["concepts"];
    std::vector<std::string> bothkill;
    for (const auto& c : concepts)
        if (c["filesKillingAll"] == 2)
            bothkill.push_back(c["concept"]);
    EXPECT_EQ(bothkill, (std::vector<std::string>{"the 400-year rule", "the leap day in the day count"}));
    EXPECT_EQ(concepts.back()["filesKillingAll"], 2);
}

// A file whose lines state what they expect after their dates, in turn:
// the program's result, another one (a mutant's answer where one differs,
// else one more), none, a tail that is not a number.
std::string tailed(unsigned seed, int lines) {
    std::mt19937 random(seed);
    std::string file;
    for (int i = 0; i < lines; i++) {
        const std::string line = tests::dateline(random);
        const int reference = engine::results(line + '\n', 1).first;
        int other = reference + 1;
        for (int n = 1 + static_cast<int>(random() % 65), k = 0; k < 65; k++, n = n % 65 + 1)
            if (const int r = engine::results(line + '\n', n).second; r != reference) {
                other = r;
                break;
            }
        switch (i % 4) {
        case 0:
            file += line + ' ' + std::to_string(reference) + '\n';
            break;
        case 1:
            file += line + ' ' + std::to_string(other) + '\n';
            break;
        case 2:
            file += line + '\n';
            break;
        default:
            file += line + " about " + std::to_string(reference) + '\n';
            break;
        }
    }
    return file;
}

// The class's mean and median by value, of the files read alone: an odd
// count, whose median is its middle file's, and an even one, whose median
// lies halfway between its middle two; as the summary line writes them and
// as the json holds them.  The starter kills 19 mutants, the adequate file
// 65, an empty file none and a line with a letter in a digit column one.
TEST(Class, MeanAndMedianOfTheFilesRead) {
    const std::string examples = std::string(VORLAK_SOURCE_DIR) + "/examples/";
    const std::string starter = examples + "starter.txt", adequate = examples + "adequate.txt";
    const std::string empty = scratch("scores-empty", ""), one = scratch("scores-one", "x1/01/2000 01/01/2000\n");
    const std::string missing = scratch("scores-gone", "") + ".missing";
    const struct {
        std::vector<std::string> files;
        double mean;  // in mutants killed
        double median;
        std::string summary;
    } rows[] = {
        {{starter, adequate, empty, missing}, 28, 19, "class: 4 files, 3 graded, mean score 43.1%, median 29.2%"},
        {{one, adequate, empty, starter}, 21.25, 10, "class: 4 files, 4 graded, mean score 32.7%, median 15.4%"},
    };
    for (const auto& r : rows) {
        std::vector<std::string> args = {"--class"};
        args.insert(args.end(), r.files.begin(), r.files.end());
        EXPECT_NE(report(args).out.find("\n" + r.summary + "\n"), std::string::npos) << r.summary;
        args.insert(args.begin() + 1, {"-f", "json"});
        const auto json = nlohmann::json::parse(report(args).out);
        EXPECT_DOUBLE_EQ(json["mean"].get<double>(), 100 * r.mean / mutants::mutantcount) << r.summary;
        EXPECT_DOUBLE_EQ(json["median"].get<double>(), 100 * r.median / mutants::mutantcount) << r.summary;
    }
}

// With --expected each file is graded by its expectations: the gradebook's
// three last fields are the file's own counts, the misconceptions count the
// files whose wrong lines a mutant of each concept answers, every output is
// the same for every job count, and a student's page shows the wrong lines
// before the survivors.
TEST(Class, ExpectationsGradeEachFileAndCountItsMisconceptions) {
    std::vector<std::string> files;
    for (unsigned seed = 400; seed < 408; seed++)
        files.push_back(scratch("tailed" + std::to_string(seed), tailed(seed, static_cast<int>(seed % 4) * 6 + 5)));
    files.push_back(std::string(VORLAK_SOURCE_DIR) + "/examples/starter.txt");
    files.push_back(std::filesystem::path(files[0]).parent_path() / "missing.txt");

    std::vector<std::string> args = {"--class", "--expected", "-f", "csv"};
    args.insert(args.end(), files.begin(), files.end());
    const auto csv = report(args);
    EXPECT_EQ(csv.status, 1) << csv.err;
    std::istringstream records(csv.out);
    std::string record;
    std::getline(records, record);
    EXPECT_EQ(record, "file,killed,percent,lines,needed,survivors,error,right,wrong,missing\r");
    for (const std::string& file : files) {
        ASSERT_TRUE(std::getline(records, record));
        const std::size_t fields = record.rfind(',', record.rfind(',', record.rfind(',') - 1) - 1);
        const std::string counts = record.substr(fields + 1);
        const auto own = report({"--expected", file});
        if (own.status != 0) {
            EXPECT_EQ(counts, ",,\r") << file;
            continue;
        }
        // "expectations: 3 right, 1 wrong, 2 missing", the file's own.
        std::smatch m;
        ASSERT_TRUE(
            std::regex_search(own.out, m, std::regex("\nexpectations: (\\d+) right, (\\d+) wrong, (\\d+) missing\n")));
        EXPECT_EQ(counts, m[1].str() + ',' + m[2].str() + ',' + m[3].str() + '\r') << file;
        // The score is the expectations' too.
        EXPECT_TRUE(record.starts_with(
            file + ',' + std::to_string(scanpath(file, {.tails = engine::tailuse::graded}).killed()) + ','))
            << record;
    }

    // The misconceptions, worked out plainly: every belief run on each wrong
    // line, the beliefs that answer what it expects; for a line that none
    // answers, every mutant run on it, the concepts of those that do.
    std::array<long, mutants::ideas.size()> pointing{};
    std::array<long, mutants::beliefset.size()> believed{};
    std::string bybelief = "file";
    for (const mutants::belief& b : mutants::beliefset)
        bybelief += "," + std::string(b.id);
    bybelief += "\r\n";
    long wronglines = 0;
    for (const std::string& file : files) {
        if (file.ends_with("missing.txt")) {
            bybelief += file + std::string(mutants::beliefset.size(), ',') + "\r\n";
            continue;
        }
        const engine::scanresult scan = scanpath(file, {.tails = engine::tailuse::graded});
        std::array<bool, mutants::ideas.size()> pointed{};
        std::array<bool, mutants::beliefset.size()> held{};
        for (const engine::wrongline& w : scan.expected.wrongs) {
            wronglines++;
            bool explained = false;
            for (std::size_t b = 0; b < held.size(); b++)
                if (mutants::believes(mutants::beliefset[b], tests::putline(w.text)).contains(w.expected))
                    held[b] = explained = true;
            for (int n = 1; n <= 65 && !explained; n++)
                if (engine::results(w.text, n).second == w.expected)
                    pointed[static_cast<std::size_t>(mutants::mutantof(n).teaches)] = true;
            EXPECT_EQ(engine::answering(w.text, w.expected).count(),
                      std::count_if(mutants::mutantset.begin(), mutants::mutantset.end(), [&](const auto& mu) {
                          return engine::results(w.text, mu.number).second == w.expected;
                      }));
        }
        for (std::size_t i = 0; i < pointed.size(); i++)
            pointing[i] += pointed[i] ? 1 : 0;
        bybelief += file;
        for (std::size_t b = 0; b < held.size(); b++) {
            believed[b] += held[b] ? 1 : 0;
            bybelief += held[b] ? ",1" : ",0";
        }
        bybelief += "\r\n";
    }
    // --beliefs writes them beside the gradebook, which stays as it is.
    const std::string beliefscsv = (std::filesystem::path(files[0]).parent_path() / "beliefs.csv").string();
    std::vector<std::string> withbeliefs = args;
    withbeliefs.insert(withbeliefs.begin() + 2, {"--beliefs", beliefscsv});
    EXPECT_EQ(report(withbeliefs).out, csv.out);
    EXPECT_EQ(tests::readfile(beliefscsv), bybelief);
    EXPECT_GT(wronglines, 0);
    args[3] = "json";
    const auto document = nlohmann::json::parse(report(args).out);
    std::vector<std::pair<long, std::string>> want;
    for (std::size_t i = 0; i < mutants::ideas.size(); i++)
        want.emplace_back(-pointing[i], std::string(mutants::ideas[i].name));
    std::stable_sort(want.begin(), want.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    ASSERT_EQ(document["misconceptions"].size(), want.size());
    EXPECT_GT(-want[0].first, 0);
    for (std::size_t i = 0; i < want.size(); i++) {
        EXPECT_EQ(document["misconceptions"][i]["concept"], want[i].second) << i;
        EXPECT_EQ(document["misconceptions"][i]["files"], -want[i].first) << want[i].second;
    }
    std::vector<std::pair<long, std::string>> beliefs;
    for (std::size_t b = 0; b < believed.size(); b++)
        beliefs.emplace_back(-believed[b], std::string(mutants::beliefset[b].id));
    std::stable_sort(beliefs.begin(), beliefs.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    ASSERT_EQ(document["beliefs"].size(), beliefs.size());
    EXPECT_GT(-beliefs[0].first, 0);
    for (std::size_t i = 0; i < beliefs.size(); i++) {
        EXPECT_EQ(document["beliefs"][i]["belief"], beliefs[i].second) << i;
        EXPECT_EQ(document["beliefs"][i]["files"], -beliefs[i].first) << beliefs[i].second;
    }
    args[3] = "text";
    const std::string text = report(args).out;
    // The beliefs come first, each by the name it is shown by.
    std::size_t after = 0;
    for (const auto& [negative, id] : beliefs) {
        const std::string_view named = id;
        const auto row = std::find_if(mutants::beliefset.begin(), mutants::beliefset.end(),
                                      [named](const mutants::belief& b) { return b.id == named; });
        const std::string line =
            std::string(row->name) + ": " + std::to_string(-negative) + (negative == -1 ? " file\n" : " files\n");
        const std::size_t at = text.find('\n' + line);
        EXPECT_EQ(at != std::string::npos, negative != 0) << line;
        if (at != std::string::npos) {
            EXPECT_GT(at, after) << line;
            after = at;
        }
    }
    for (const auto& [negative, name] : want) {
        const std::string line = name + ": " + std::to_string(-negative) + (negative == -1 ? " file\n" : " files\n");
        EXPECT_EQ(text.find('\n' + line) != std::string::npos, negative != 0) << line;
    }

    // The same for every job count and hint level.
    for (const std::string format : {"text", "csv", "json", "html"}) {
        args[3] = format;
        args.insert(args.begin() + 4, {"-j", "1"});
        const auto one = report(args);
        args[5] = "3";
        const auto three = report(args);
        args.insert(args.begin() + 6, {"--hints", "answer"});
        const auto answer = report(args);
        args.erase(args.begin() + 4, args.begin() + 8);
        EXPECT_EQ(one.out, three.out) << format;
        EXPECT_EQ(one.out, answer.out) << format;
    }

    // A student's page: the wrong lines, explained, before the survivors.
    const std::filesystem::path pages = std::filesystem::path(files[0]).parent_path() / "expected-pages";
    for (const std::string level : {"score", "concept", "mutant"}) {
        std::filesystem::remove_all(pages);
        EXPECT_EQ(report({"--class", "--expected", "--hints", level, "--feedback", pages, files[1]}).status, 0);
        const std::string page = tests::readfile(pages / "tailed401.html");
        const engine::scanresult scan = scanpath(files[1], {.tails = engine::tailuse::graded});
        ASSERT_FALSE(scan.expected.wrongs.empty());
        engine::hints h{};
        ASSERT_TRUE(engine::parsehints(level, h));
        std::size_t at = page.find("<section class=\"wrong\">");
        EXPECT_NE(at, std::string::npos) << level;
        for (const engine::wrongline& w : scan.expected.wrongs)
            for (const std::string& line : engine::wrongexplained(w, h)) {
                at = page.find(formats::htmltext(formats::capitalized(line)), at);
                EXPECT_NE(at, std::string::npos) << level << ": " << line;
            }
        EXPECT_LT(at, page.find("<section class=\"missing\">")) << level;
        EXPECT_LT(page.find("<section class=\"missing\">"), page.find("These mutants survive")) << level;
        // A wrong line is named by its number, never shown.
        for (const engine::wrongline& w : scan.expected.wrongs)
            EXPECT_EQ(page.find(w.text.substr(0, 21)), std::string::npos) << level << ": " << w.text;
        // The teacher's index counts each file's verdicts.
        EXPECT_NE(tests::readfile(pages / "index.html")
                      .find("<td class=\"expectations\">" + engine::verdictcounts(scan.expected) + "</td>"),
                  std::string::npos)
            << level;
    }

    // Below the answers no surface holds the program's result on a wrong or
    // missing line: no count of five digits or more that such a line gives
    // and that no file and no report of the starter holds is in the
    // class's outputs (the same at every level, above), its beliefs' csv, its pages or any
    // output for one file; with the answers some are, as the check sees.
    const auto holds = [](const std::string& out, int r) {
        const std::string n = std::to_string(r);
        for (std::size_t at = out.find(n); at != std::string::npos; at = out.find(n, at + 1))
            if ((at == 0 || std::isdigit(static_cast<unsigned char>(out[at - 1])) == 0) &&
                std::isdigit(static_cast<unsigned char>(out[at + n.size()])) == 0)
                return true;
        return false;
    };
    const std::string& starter = files[files.size() - 2];
    std::string known = report({"-f", "html", starter}).out + report({"-f", "json", starter}).out;
    std::set<int> secret;
    for (const std::string& file : files)
        if (!file.ends_with("missing.txt"))
            known += readfile(file);
    for (const std::string& file : files)
        if (!file.ends_with("missing.txt"))
            for (const engine::lineexpectation& l :
                 scanpath(file, {.tails = engine::tailuse::gradedeach}).expected.lines)
                if (l.verdict != engine::oracle::right && l.reference >= 10000 && !holds(known, l.reference))
                    secret.insert(l.reference);
    ASSERT_GT(secret.size(), 10u);
    for (std::size_t level = 0; level < engine::hintnames.size(); level++) {
        const std::string name(engine::hintnames[level]);
        const std::string format = std::array{"text", "csv", "json", "html"}[level % 4];
        std::filesystem::remove_all(pages);
        const std::string beliefcsv = pages.parent_path() / "secret-beliefs.csv";
        args = {"--class", "--expected", "-f", format, "--hints", name, "--feedback", pages, "--beliefs", beliefcsv};
        args.insert(args.end(), files.begin(), files.end());
        std::vector<std::string> outputs = {report(args).out, readfile(beliefcsv)};
        for (const auto& page : std::filesystem::directory_iterator(pages))
            outputs.push_back(readfile(page.path()));
        for (std::vector<std::string> form : std::vector<std::vector<std::string>>{{"text", "--matrix"},
                                                                                   {"csv"},
                                                                                   {"csv", "--matrix"},
                                                                                   {"json", "--matrix"},
                                                                                   {"html"},
                                                                                   {"gradescope"},
                                                                                   {"prairielearn"}}) {
            form.insert(form.begin(), "-f");
            form.insert(form.end(), {"--expected", "--hints", name, files[3]});
            outputs.push_back(report(form).out);
        }
        long told = 0;
        for (const std::string& out : outputs)
            told += std::count_if(secret.begin(), secret.end(), [&](int r) { return holds(out, r); });
        EXPECT_EQ(told == 0, level < 5) << name << ": " << told << " of " << secret.size();
    }
}

// The date-like lines of a page's text, tags dropped and entities read:
// every 21 columns at the start of a word whose sixteen digit columns hold
// at least fourteen digits and no blank.
std::vector<std::string> datelines(const std::string& html) {
    std::string text;
    for (std::size_t i = 0; i < html.size(); i++) {
        if (html[i] == '<') {
            i = html.find('>', i);
            text += ' ';
        } else if (html[i] == '&') {
            const std::size_t end = html.find(';', i);
            const std::string entity = html.substr(i, end - i + 1);
            text += entity == "&lt;"     ? "<"
                    : entity == "&gt;"   ? ">"
                    : entity == "&amp;"  ? "&"
                    : entity == "&quot;" ? "\""
                                         : "'";
            i = end;
        } else {
            text += html[i];
        }
    }
    std::vector<std::string> lines;
    for (std::size_t at = 0; at + 21 <= text.size(); at++) {
        if (at > 0 && text[at - 1] != ' ' && text[at - 1] != '\n')
            continue;
        int digits = 0;
        bool blank = false;
        for (const int c : {0, 1, 3, 4, 6, 7, 8, 9, 11, 12, 14, 15, 17, 18, 19, 20}) {
            const char ch = text[at + static_cast<std::size_t>(c)];
            digits += ch >= '0' && ch <= '9';
            blank = blank || ch == ' ' || ch == '\n';
        }
        if (digits >= 14 && !blank)
            lines.push_back(text.substr(at, 21));
    }
    return lines;
}

// Below the answers a student's page shows the student's own lines, which
// kill none of its survivors; with the answers, one for each survivor.
TEST(Class, FeedbackPagesGiveAKillingLineOnlyWithTheAnswers) {
    const auto files = classfiles("feedback");
    const std::filesystem::path folder = std::filesystem::path(files[0]).parent_path();
    for (const std::string level : {"condition", "answer"}) {
        const std::string pages = folder / ("pages-" + level);
        std::vector<std::string> args = {"--class", "--feedback", pages, "--hints", level};
        args.insert(args.end(), files.begin(), files.end());
        const auto r = report(args);
        EXPECT_EQ(r.status, 1) << r.err;  // the missing file and the directory
        const std::string index = readfile(pages + "/index.html");
        const std::regex link("<a href=\"([^\"]+)\">([^<]+)</a>");
        std::set<std::string> linked;
        std::size_t shown = 0;
        for (auto it = std::sregex_iterator(index.begin(), index.end(), link); it != std::sregex_iterator(); ++it) {
            const std::string page = (*it)[1];
            const std::string file = (*it)[2];
            linked.insert(page);
            const engine::scanresult scan = scanpath(file);
            std::set<int> survivors;
            for (int n = 1; n <= 65; n++)
                if (scan.stateof(n) != engine::state::killed)
                    survivors.insert(n);
            std::set<int> killed;
            const auto lines = datelines(readfile(pages + "/" + page));
            shown += lines.size();
            for (const std::string& line : lines)
                for (const int n : survivors)
                    if (const auto [reference, result] = engine::results(line + "\n", n); reference != result)
                        killed.insert(n);
            if (level == "answer" && scan.testable)
                EXPECT_EQ(killed, survivors) << file;
            else
                EXPECT_TRUE(killed.empty()) << file << ": a line on its page kills mutant " << *killed.begin();
        }
        EXPECT_EQ(linked.size(), files.size() - 2);
        EXPECT_EQ(listing(pages).size(), linked.size() + 1);
        EXPECT_GT(shown, 0u) << level;
    }
}

// A page quotes the student's lines as they were graded, from the grade
// alone: the file rewritten after grading changes nothing on the page.
TEST(Class, FeedbackQuotesTheLinesAsGraded) {
    const std::string starter = readfile(std::string(VORLAK_SOURCE_DIR) + "/examples/starter.txt");
    const std::string path = scratch("regraded", starter);
    const engine::grade g = gradeone(path, {.ownlines = true, .perline = true, .shown = formats::shownline});
    // Mutant 45 survives infected by line 5, which the page quotes.
    ASSERT_EQ(g.scan.reachof(45).infected, 5);
    std::string changed = starter;
    changed.replace(changed.find("02/28/2001 03/01/2001"), 21, "07/04/2001 07/05/2001");
    tests::writefile(path, changed);
    const std::string page = formats::feedbackpage(g, formats::hints::condition);
    EXPECT_NE(page.find("Line 5 reads <code>02/28/2001 03/01/2001</code>."), std::string::npos) << page;
    EXPECT_EQ(page.find("07/04/2001"), std::string::npos);
    // As the class run writes it, which grades on threads.
    const std::string pages = std::filesystem::path(path).parent_path() / "regraded-pages";
    tests::writefile(path, starter);
    ASSERT_EQ(report({"--class", "-j", "2", "--feedback", pages, path, path + "-missing"}).status, 1);
    EXPECT_EQ(readfile(pages + "/regraded.html"), page);
}

// A page's name is the program's choice: a link, a pipe or a file standing
// there is replaced by the page, and nothing outside the folder is written.
// -o names the user's own file, and follows a link.
TEST(Class, FeedbackPagesReplaceWhatStandsAtTheirNames) {
    const tests::tempdir top;
    const std::string outside = top / "outside.txt";
    tests::writefile(outside, "not a page\n");
    const std::string pages = top / "pages";
    std::filesystem::create_directory(pages);
    std::vector<std::string> files;
    for (const std::string name : {"link", "pipe", "file", "index"})
        files.push_back(scratch(name, generated(static_cast<unsigned>(name.size()) + 400, 9)));
    ASSERT_EQ(::symlink(outside.c_str(), (pages + "/link.html").c_str()), 0);
    ASSERT_EQ(::mkfifo((pages + "/pipe.html").c_str(), 0600), 0);
    // A reader at the pipe, so that a page written into it fails the test
    // instead of blocking it.
    const int reader = ::open((pages + "/pipe.html").c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    tests::writefile(pages + "/file.html", "an earlier page\n");
    ASSERT_EQ(::symlink(outside.c_str(), (pages + "/index.html").c_str()), 0);
    std::vector<std::string> args = {"--class", "--feedback", pages};
    args.insert(args.end(), files.begin(), files.end());
    const auto r = report(args);
    ::close(reader);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readfile(outside), "not a page\n");
    for (const char* page : {"link.html", "pipe.html", "file.html", "index-2.html", "index.html"}) {
        struct stat st {};
        ASSERT_EQ(::lstat((pages + "/" + page).c_str(), &st), 0) << page;
        EXPECT_TRUE(S_ISREG(st.st_mode)) << page;
        EXPECT_TRUE(readfile(pages + "/" + page).starts_with("<!DOCTYPE html>")) << page;
    }
    EXPECT_EQ(listing(pages).size(), 5u);
    // A folder at a page's name stays, and the run says why.
    std::filesystem::remove(pages + "/link.html");
    std::filesystem::create_directory(pages + "/link.html");
    const auto folder = report(args);
    EXPECT_EQ(folder.status, 1);
    EXPECT_EQ(folder.err, "vorlak-report: " + pages + "/link.html: Is a directory\n");
    // -o through a link replaces the file it leads to, and the link stays.
    const std::string link = top / "report-link";
    ASSERT_EQ(::symlink(outside.c_str(), link.c_str()), 0);
    EXPECT_EQ(report({"-o", link, files[0]}).status, 0);
    EXPECT_EQ(readfile(outside), report({files[0]}).out);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
}

// --- formats -----------------------------------------------------------------

TEST(Formats, TextRowsAlignAndEndWithTheSummary) {
    const std::string content = "02/29/2000 03/01/2000\n\nx1/01/2000 01/01/2000\n\n\n";
    const auto r = report({"-", "--matrix"}, content);
    ASSERT_EQ(r.status, 0);
    const engine::scanresult scan = scanpath(scratch("rows", content));
    std::vector<std::string> rows;
    std::istringstream in(r.out);
    for (std::string row; std::getline(in, row);)
        rows.push_back(row);
    ASSERT_GT(rows.size(), 67u);
    const std::size_t description = rows[0].find("description");
    // An infected survivor's row is followed by why and what its loss
    // means, and every survivor's by its concept and the next step's
    // condition, under its description.
    std::size_t i = 1;
    for (int n = 1; n <= 65; n++, i++) {
        const std::string& row = rows[i];
        EXPECT_EQ(row.substr(0, 6), std::string(6 - std::to_string(n).size(), ' ') + std::to_string(n));
        EXPECT_EQ(row.substr(description), mutants::mutantof(n).description);
        EXPECT_EQ(row[description - 1], ' ');
        std::vector<std::string> under;
        for (const std::string* why = &rows[i + 1]; why->find_first_not_of(' ') == description; why = &rows[i + 1])
            under.push_back(rows[++i].substr(description));
        std::vector<std::string> expected;
        if (row.find(" infected ") != std::string::npos) {
            expected.push_back(under.empty() || !under[0].starts_with("infected by line ") ? "infected by line"
                                                                                           : under[0]);
            expected.emplace_back(engine::lossmeaning(scan.reachof(n).why.lost));
        }
        if (row.find(" killed ") == std::string::npos)
            expected.push_back(std::string(engine::conceptframe) +
                               std::string(mutants::ideaof(mutants::mutantof(n).teaches).name));
        for (const engine::state s : {engine::state::unreached, engine::state::reached, engine::state::infected})
            if (row.find(" " + std::string(engine::statename(s)) + " ") != std::string::npos)
                expected.push_back(engine::nexthint(mutants::mutantof(n), s));
        EXPECT_EQ(under, expected) << row;
    }
    EXPECT_EQ(rows[i] + "\n", mutants::summaryline(11));
    EXPECT_EQ(rows[i + 1], "surviving mutants: 2-21 23-31 33-42 44-48 50 57-65");
    const auto has = [&](const std::string& row) { return std::find(rows.begin(), rows.end(), row) != rows.end(); };
    EXPECT_TRUE(has("mutant 1: line 3"));
    EXPECT_TRUE(has("mutant 2: no line"));
    EXPECT_TRUE(has("line 2: no mutant; removable"));
    EXPECT_TRUE(has("lines 4-5: no mutant; removable"));
    EXPECT_TRUE(has("line 3: mutant 1; only it kills 1; needed"));
}

// The starter file's survivors as the guide shows them: mutant 45 infected
// by line 5, the rule's answer unused; the json's unreached survivors are
// NoCoverage, which leaves the score as vorlak gives it.
TEST(Formats, SurvivorsSayHowFarTheLinesGot) {
    const std::string starter = std::string(VORLAK_SOURCE_DIR) + "/examples/starter.txt";
    const auto text = report({starter});
    const auto row = text.out.find("\n    45  leap year, in the date check  infected      5  ");
    ASSERT_NE(row, std::string::npos) << text.out;
    EXPECT_NE(text.out.find("infected by line 5: the leap-year rule, as the date check asks it, answers 1 instead of 0 "
                            "for 2001, unused\n",
                            row),
              std::string::npos);
    const auto csv = report({"-f", "csv", starter});
    EXPECT_NE(csv.out.find("\r\n45,\"leap year, in the date check\",m45leap,survived,,,,treats every year as a leap "
                           "year when checking February 29,5,5\r\n"),
              std::string::npos);
    const auto json = nlohmann::json::parse(report({"-f", "json", starter}).out);
    int killed = 0;
    std::set<int> uncovered;
    for (const auto& [file, f] : json["files"].items())
        for (const auto& m : f["mutants"]) {
            killed += m["status"] == "Killed";
            if (m["status"] == "NoCoverage") {
                uncovered.insert(std::stoi(m["id"].get<std::string>()));
                EXPECT_FALSE(m.contains("coveredBy"));
            }
        }
    EXPECT_EQ(killed, 19);
    std::set<int> unreached;
    for (int n = 34; n <= 41; n++)
        unreached.insert({n, n + 23});
    EXPECT_EQ(uncovered, unreached);
}

// Survivors whose texts differ in one short word share one sentence, the
// word left out and listed by mutant; texts that differ more, or from their
// first word, share none.
TEST(Formats, GroupsShareOneSentenceOnlyWhereOneWordDiffers) {
    const std::string column = "to infect it: a non-digit in column ";
    const std::string after = ", after digits in the digit columns before it.";
    const struct {
        std::vector<std::string> texts;
        std::vector<int> members;
        std::string shared;
    } rows[] = {
        {{column + "1" + after, column + "3" + after},
         {2, 3},
         column + "…" + after + " Here … stands for 1 (mutant 2) and 3 (mutant 3)."},
        {{column + "14" + after, column + "15" + after, column + "17" + after},
         {11, 12, 13},
         column + "…" + after + " Here … stands for 14 (mutant 11), 15 (mutant 12) and 17 (mutant 13)."},
        {{"infected by line 5: the leap-year rule answers 1 instead of 0 for 2001, unused.",
          "infected by line 5: the leap-year rule answers 1 instead of 0 for 1900, unused."},
         {45, 47},
         "infected by line 5: the leap-year rule answers 1 instead of 0 for …, unused. Here … stands for 2001 "
         "(mutant 45) and 1900 (mutant 47)."},
        // The word without the colon after it, which stays in the sentence.
        {{"to reach it: two valid dates, one of them in April: the count runs.",
          "to reach it: two valid dates, one of them in May: the count runs."},
         {57, 58},
         "to reach it: two valid dates, one of them in …: the count runs. Here … stands for April (mutant 57) and May "
         "(mutant 58)."},
        {{"to reach it: a date in April: the count.", "to reach it: a date in May; the count."}, {57, 58}, ""},
        {{"on 02/29/2000.", "on 02/28/2000."},
         {30, 31},
         "on …. Here … stands for 02/29/2000 (mutant 30) and 02/28/2000 (mutant 31)."},
        {{column + "1 or 2" + after, column + "3" + after}, {2, 3}, ""},             // more than a word
        {{"reached by line 1.", "infected by line 1."}, {2, 3}, ""},                 // from the first word
        {{column + "12345678901234567" + after, column + "3" + after}, {2, 3}, ""},  // too long a word
        {{column + "<b>" + after, column + "3" + after}, {2, 3}, ""},                // markup
    };
    for (const auto& r : rows)
        EXPECT_EQ(engine::sharedsentence(r.texts, r.members), r.shared) << r.texts[0];
}

// Where a student should start: the concept with the most survivors the
// lines reach, or, when they reach none, with the most survivors; none when
// every mutant is killed; and the sentence that says it.
TEST(Formats, WhereToStartIsTheConceptWithTheMostReachedSurvivors) {
    std::ifstream adequatefile(std::string(VORLAK_SOURCE_DIR) + "/examples/adequate.txt");
    std::string noleapday;
    for (std::string line; std::getline(adequatefile, line);)
        if (line.find("02/29") == std::string::npos)
            noleapday += line + '\n';
    const struct {
        std::string name;
        std::string content;
        std::optional<engine::startpoint> start;
        std::string sentence;
    } rows[] = {
        {"starter", "", engine::startpoint{mutants::idea::digitcolumns, 16, true},
         "Where to start: the digit columns, where your lines already reach 16 mutants that survive."},
        {"noleapday", noleapday, engine::startpoint{mutants::idea::february29, 3, true},
         "Where to start: the February 29 test, where your lines already reach 3 mutants that survive."},
        {"unreached", "x1/01/2000 01/01/2000\n", engine::startpoint{mutants::idea::digitcolumns, 15, false},
         "Where to start: the digit columns, where 15 mutants survive, none of them reached yet."},
        {"adequate", "", std::nullopt, ""},
    };
    for (const auto& r : rows) {
        const std::string path = r.content.empty() ? std::string(VORLAK_SOURCE_DIR) + "/examples/" + r.name + ".txt"
                                                   : scratch("start" + r.name, r.content);
        const auto start = engine::wheretostart(scanpath(path));
        ASSERT_EQ(start.has_value(), r.start.has_value()) << r.name;
        if (start) {
            EXPECT_EQ(start->idea, r.start->idea) << r.name;
            EXPECT_EQ(start->count, r.start->count) << r.name;
            EXPECT_EQ(start->reached, r.start->reached) << r.name;
        }
        for (const std::string level : {"state", "concept"}) {
            const auto doc = report({"-f", "gradescope", "--hints", level, path});
            const std::string overall = nlohmann::json::parse(doc.out)["output"];
            const std::string want = level == "concept" ? r.sentence : "";
            EXPECT_EQ(overall.find("Where to start") != std::string::npos, !want.empty()) << r.name << level;
            if (!want.empty()) {
                EXPECT_NE(overall.find('\n' + want + '\n'), std::string::npos) << r.name << ": " << overall;
            }
        }
    }
}

// --- the grading platforms --------------------------------------------------------

// The tests vorlak runs on content: each physical line a test for each 999
// bytes it holds, its newline counted.
long testsin(const std::string& content) {
    long tests = 0;
    for (std::size_t from = 0; from < content.size();) {
        const std::size_t newline = content.find('\n', from);
        const std::size_t end = newline == std::string::npos ? content.size() : newline + 1;
        tests += static_cast<long>((end - from + 998) / 999);
        from = end;
    }
    return tests;
}

// A number of a document in hundredths, which it must be.
long long hundredths(const nlohmann::json& value) {
    const double scaled = value.get<double>() * 100;
    EXPECT_NEAR(scaled, std::round(scaled), 1e-3) << value;
    return std::llround(scaled);
}

// Each platform's document, for files that can be graded and files that
// cannot: the score is vorlak's to the mutant, scaled to the points and
// rounded to hundredths, and the tests, one per concept, add up to it to
// the hundredth; a file that cannot be graded still gets a document that
// says why, and one with no line long enough to test scores 0 with the
// sentence that every surface gives it (and PrairieLearn charges nothing).
// With --expected the documents list what the text report lists, up to
// what a page shows; with --leaderboard the kills and the tests vorlak runs.
TEST(Platforms, DocumentsScoreAsVorlakDoes) {
    const std::string examples = std::string(VORLAK_SOURCE_DIR) + "/examples/";
    const std::string missing = std::filesystem::path(scratch("platform-x", "")).parent_path() / "missing.txt";
    const std::string longline = "01/31/2001 02/01/2001" + std::string(2 << 20, '7') + "\n";
    struct {
        std::string file;
        int status;
        bool gradable;
        bool expected = false;    // graded by the lines' expectations
        bool untestable = false;  // no line long enough to test
    } cases[] = {
        {examples + "adequate.txt", 0, true},
        {examples + "starter.txt", 0, true},
        {scratch("platform-nul", std::string("02/29/2000 03/01/2000\0\n13/01/2000 01/01/2000\n", 45)), 0, true},
        {scratch("platform-long", longline), 0, true},
        {scratch("platform-998", std::string(998, '1') + "\n" + std::string(999, '1') + "\n12/31/1999"), 0, true},
        {scratch("platform-empty", ""), 0, false, false, true},
        {scratch("platform-short", "\n\n01/01/2000 01/01/200\n   \n01/01/2000 01/01/2000"), 0, false, false, true},
        {scratch("platform-short-tailed", "01/01/2000 01/01/200\n"), 0, false, true, true},
        {missing, 1, false},
        {std::filesystem::temp_directory_path().string(), 1, false},
        {scratch("platform-tailed", tailed(500, 12)), 0, true, true},
        {scratch("platform-tailed-many", tailed(501, 200)), 0, true, true},
        {scratch("platform-tailed-40", tailed(502, 40)), 0, true, true},
        {scratch("platform-tailed-52", tailed(503, 52)), 0, true, true},
        {examples + "starter.txt", 0, true, true},
    };
    for (const auto& c : cases)
        for (const std::string p : {"65", "10", "2.5", "32", "0.07", "1000000000"}) {
            const double points = std::stod(p);
            std::vector<std::string> gsargs = {"-f",           "gradescope",     "--points",      p,
                                               "--visibility", "after_due_date", "--leaderboard", c.file};
            std::vector<std::string> plargs = {"-f", "prairielearn", "--points", p, c.file};
            if (c.expected) {
                gsargs.insert(gsargs.begin(), "--expected");
                plargs.insert(plargs.begin(), "--expected");
            }
            const auto gs = report(gsargs);
            const auto pl = report(plargs);
            EXPECT_EQ(gs.status, c.status) << c.file << gs.err;
            EXPECT_EQ(pl.status, c.status) << c.file << pl.err;
            const auto g = nlohmann::json::parse(gs.out);
            const auto l = nlohmann::json::parse(pl.out);
            EXPECT_EQ(l["gradable"], c.gradable) << c.file;
            if (c.untestable) {
                const std::string sentence(engine::untestable);
                EXPECT_EQ(g["score"], 0);
                EXPECT_EQ(g["output"], sentence + "\n");
                EXPECT_EQ(g["tests"], nlohmann::json::array());
                EXPECT_EQ(g["leaderboard"][1]["value"], testsin(readfile(c.file)));
                EXPECT_EQ(l["score"], 0);
                EXPECT_EQ(l["format_errors"], nlohmann::json::array({sentence}));
                continue;
            }
            if (!c.gradable) {
                EXPECT_EQ(g["score"], 0);
                EXPECT_TRUE(g["output"].get<std::string>().starts_with("Not graded: ")) << g["output"];
                EXPECT_FALSE(g.contains("leaderboard"));
                EXPECT_EQ(l["format_errors"].size(), 1u);
                continue;
            }
            const engine::scanresult scan =
                scanpath(c.file, {.tails = c.expected ? engine::tailuse::graded : engine::tailuse::ignored});
            const int killed = scan.killed();
            // vorlak's share, rounded half up; PrairieLearn's score is a
            // fraction, which stays vorlak's share unrounded.
            EXPECT_EQ(hundredths(g["score"]), std::llround(std::floor(points * 100 * killed / 65 + 0.5)))
                << c.file << " " << p;
            EXPECT_DOUBLE_EQ(l["score"].get<double>(), killed / 65.0) << c.file;
            EXPECT_EQ(g["leaderboard"],
                      nlohmann::json::parse(R"([{"name": "mutants killed", "value": )" + std::to_string(killed) +
                                            R"(, "order": "desc"}, {"name": "tests", "value": )" +
                                            std::to_string(testsin(readfile(c.file))) + R"(, "order": "asc"}])"));
            // With expectations, their count and each wrong line, then the
            // lines that state none, as the text report has them at the
            // documents' level, up to twenty of them and how many are left.
            const auto text = report({"--expected", "--hints", "condition", c.file});
            for (const std::string& output : {g["output"].get<std::string>(), l["output"].get<std::string>()}) {
                EXPECT_EQ(output.find("expectations: ") != std::string::npos, c.expected) << output;
                if (!c.expected)
                    continue;
                EXPECT_NE(output.find('\n' + engine::expectationcounts(scan.expected) + '\n'), std::string::npos);
                const engine::expectations& e = scan.expected;
                const std::size_t from = std::min(output.find(std::string(engine::wronghead) + ":\n"),
                                                  output.find(std::string(engine::missinghead) + ":\n"));
                ASSERT_NE(from, std::string::npos) << output;
                std::string listed = output.substr(from);
                const std::size_t runs = e.wrongs.size() + e.none.size() + e.bad.size();
                if (runs <= 20) {
                    EXPECT_NE(text.out.find(listed), std::string::npos) << listed;
                    continue;
                }
                // Twenty entries in the text report's order (each wrong
                // line, each run of lines without one, each bad tail),
                // then the count of the lines they leave out.
                std::vector<long> entries;
                for (std::size_t i = 0; i < e.wrongs.size() + e.none.size() + e.bad.size(); i++)
                    entries.push_back(i < e.wrongs.size() || i >= e.wrongs.size() + e.none.size()
                                          ? 1
                                          : e.none[i - e.wrongs.size()].second - e.none[i - e.wrongs.size()].first + 1);
                const long left = std::accumulate(entries.begin() + 20, entries.end(), 0L);
                const std::string more = engine::morelines(left) + "\n";
                ASSERT_TRUE(listed.ends_with(more)) << listed;
                EXPECT_EQ(more, "\u2026 and " + std::to_string(left) + " more lines\n");
                listed.resize(listed.size() - more.size());
                // Cut after a whole kind, it is the start of the text report's list.
                if (e.wrongs.size() >= 20 || e.wrongs.size() + e.none.size() == 20) {
                    EXPECT_NE(text.out.find(listed), std::string::npos) << listed;
                }
                std::size_t shown = 0;
                for (std::size_t at = 0; (at = listed.find("\nline ", at)) != std::string::npos; at++)
                    shown++;
                if (const std::size_t none = listed.find(std::string(engine::nonename) + ": ");
                    none != std::string::npos)
                    shown += static_cast<std::size_t>(
                        std::count(listed.begin() + static_cast<std::ptrdiff_t>(none),
                                   listed.begin() + static_cast<std::ptrdiff_t>(listed.find('\n', none)), ' ') -
                        2);
                EXPECT_EQ(shown, 20u) << listed;
            }
            EXPECT_EQ(g["visibility"], "visible");
            long long score = 0;
            long long most = 0;
            for (const auto& t : g["tests"]) {
                score += hundredths(t["score"]);
                most += hundredths(t["max_score"]);
                EXPECT_LE(hundredths(t["score"]), hundredths(t["max_score"])) << t["name"];
                if (t["status"] == "passed" || points >= 2.5) {
                    EXPECT_EQ(t["status"] == "passed", t["score"] == t["max_score"]) << t["name"];
                }
                EXPECT_EQ(t["visibility"], "after_due_date");
            }
            EXPECT_EQ(score, hundredths(g["score"])) << c.file << " " << p;
            EXPECT_EQ(most, std::llround(points * 100)) << c.file << " " << p;
            EXPECT_EQ(g["tests"].size(), mutants::ideas.size());
            EXPECT_EQ(l["tests"].size(), mutants::ideas.size());
            for (std::size_t i = 0; i < l["tests"].size(); i++) {
                EXPECT_EQ(l["tests"][i]["points"], g["tests"][i]["score"]);
                EXPECT_EQ(l["tests"][i]["max_points"], g["tests"][i]["max_score"]);
            }
        }
}

// --- the hint ladder -----------------------------------------------------------

// What each level adds on the starter, whose survivors stand in every state:
// the texts that must show from that level on, and that no output below it
// may hold.
struct ladder {
    std::array<std::vector<std::string>, engine::hintnames.size()> adds;  // shown on every surface
    std::array<std::vector<std::string>, engine::hintnames.size()> only;  // not shown below, maybe not at all
    engine::scanresult scan;
};

ladder starterladder() {
    ladder l;
    l.scan = scanpath(std::string(VORLAK_SOURCE_DIR) + "/examples/starter.txt");
    const auto at = [&](engine::hints h) -> auto& { return l.adds[static_cast<std::size_t>(h)]; };
    const auto above = [&](engine::hints h) -> auto& { return l.only[static_cast<std::size_t>(h)]; };
    using engine::hints;
    for (const mutants::mutant& m : mutants::mutantset) {
        const engine::state s = l.scan.stateof(m.number);
        above(hints::state).emplace_back(mutants::stagename(m.altered));
        above(hints::mutant).emplace_back(m.description);
        if (s == engine::state::killed)
            continue;
        if (s == engine::state::infected) {
            at(hints::state).push_back(engine::whyof(l.scan, m.number));
            at(hints::state).emplace_back(engine::lossmeaning(l.scan.reachof(m.number).why.lost));
        } else {
            above(hints::state).push_back(engine::whyof(l.scan, m.number));
        }
        at(hints::concepts).emplace_back(mutants::ideaof(m.teaches).name);
        at(hints::condition).push_back(engine::nexthint(m, s));
        at(hints::mutant).emplace_back(m.description);
    }
    for (const mutants::ideatext& i : mutants::ideas)
        above(hints::concepts).insert(above(hints::concepts).end(), {std::string(i.name), std::string(i.sentence)});
    above(hints::concepts).emplace_back(engine::conceptframe);
    for (const auto frame : {engine::reachframe, engine::infectframe, engine::carryframe})
        above(hints::condition).emplace_back(frame);
    // The killing line with its two results reads the same on every surface.
    for (const engine::suggestion& g : engine::suggest(killset::all().without(l.scan.killedset())))
        at(hints::answer).push_back(g.line.substr(0, 21) + " (" + engine::resultpair(g.reference, g.result) + ")");
    above(hints::answer).emplace_back(engine::killinghint);
    for (std::size_t i = 0; i < l.adds.size(); i++)
        l.only[i].insert(l.only[i].end(), l.adds[i].begin(), l.adds[i].end());
    return l;
}

// Output holds what its level adds and every level below, and nothing of a
// level above; what says it is named for the failures.
void expectlevel(const ladder& l, std::size_t level, const std::string& output, const std::string& what,
                 bool shows = true) {
    const auto lower = [](std::string t) {
        std::transform(t.begin(), t.end(), t.begin(), [](unsigned char c) { return std::tolower(c); });
        return t;
    };
    const std::string low = lower(output);
    for (std::size_t i = 0; i < l.adds.size(); i++) {
        for (const std::string& text : i <= level && shows ? l.adds[i] : std::vector<std::string>{})
            EXPECT_NE(low.find(lower(text)), std::string::npos) << what << " lacks " << text;
        for (const std::string& text : i > level ? l.only[i] : std::vector<std::string>{})
            EXPECT_EQ(low.find(lower(text)), std::string::npos) << what << " holds " << text;
    }
}

// The report's mutants and tests, without the program's source.
std::string withoutsources(nlohmann::json report) {
    for (auto& [file, f] : report["files"].items())
        f.erase("source");
    return report.dump(-1, ' ', false);
}

// Every single-file output at every level holds what the level allows, and
// not a byte of what a level above it adds.
TEST(Hints, EachLevelTellsItsOwnAndNothingAbove) {
    const ladder l = starterladder();
    const std::string starter = std::string(VORLAK_SOURCE_DIR) + "/examples/starter.txt";
    for (std::size_t level = 0; level < engine::hintnames.size(); level++) {
        const std::string name(engine::hintnames[level]);
        const auto text = report({"--hints", name, starter});
        ASSERT_EQ(text.status, 0) << text.err;
        expectlevel(l, level, text.out, "text at " + name);
        // Below state a survivor only survived; its state words stay out.
        if (level == 0) {
            for (const std::string state : {" infected ", " reached ", " unreached "})
                EXPECT_EQ(text.out.find(state), std::string::npos) << state;
        }
        const auto csv = report({"-f", "csv", "--hints", name, starter});
        ASSERT_EQ(csv.status, 0) << csv.err;
        // The columns stay; the cells the level does not allow are empty.
        EXPECT_TRUE(csv.out.starts_with("mutant,stage,function,status,line,reference,result,description,reached,"
                                        "infected\r\n"));
        EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 66);
        expectlevel(l, level, csv.out.substr(csv.out.find('\n')), "csv at " + name, false);
        if (level >= 4) {
            for (const mutants::mutant& m : mutants::mutantset)
                EXPECT_NE(csv.out.find(formats::csvfield(m.description)), std::string::npos) << m.number;
        }
        for (const std::string platform : {"gradescope", "prairielearn"}) {
            const auto doc = report({"-f", platform, "--hints", name, starter});
            ASSERT_EQ(doc.status, 0) << doc.err;
            expectlevel(l, level, nlohmann::json::parse(doc.out).dump(-1, ' ', false), platform + " at " + name, false);
        }
        std::vector<std::pair<std::string, nlohmann::json>> reports = {
            {"json", nlohmann::json::parse(report({"-f", "json", "--hints", name, starter}).out)}};
        if (!std::string_view(VORLAK_HTML_VIEWER).empty()) {
            const std::string page = report({"-f", "html", "--hints", name, starter}).out;
            const std::string start = "<script type=\"application/json\" id=\"vorlak-report-data\">";
            const std::size_t from = page.find(start) + start.size();
            reports.emplace_back("html", nlohmann::json::parse(page.substr(from, page.find("</", from) - from)));
        }
        for (const auto& [form, json] : reports) {
            expectlevel(l, level, withoutsources(json), form + " at " + name);
            for (const auto& [file, f] : json["files"].items()) {
                const std::string source = f["source"];
                const auto lines = std::count(source.begin(), source.end(), '\n');
                for (const auto& m : f["mutants"]) {
                    // Below mutant, no alteration and a place no narrower than the function.
                    EXPECT_EQ(m.contains("description"), level >= 4) << form << " " << name;
                    EXPECT_EQ(m.contains("replacement"), level >= 4) << form << " " << name;
                    if (level < 4) {
                        EXPECT_GE(m["location"]["end"]["line"].get<int>() - m["location"]["start"]["line"].get<int>(),
                                  level == 0 ? lines - 1 : 1)
                            << form << " " << name << " " << m["id"];
                    }
                    EXPECT_EQ(m["status"] == "NoCoverage",
                              level >= 1 && l.scan.reachof(std::stoi(m["id"].get<std::string>())).reached == 0);
                }
            }
        }
    }
}

// A student's page at every level: nothing of a level above it, as the page
// writes it.  Where survivors share a text but one word, the page says it
// once with the word left out, so the hints are held as they stand only
// where they are said whole.
TEST(Hints, FeedbackPagesTellTheirLevelAndNothingAbove) {
    ladder l = starterladder();
    for (auto& texts : l.only)
        for (std::string& text : texts)
            text = formats::htmltext(text);
    const std::string starter = std::string(VORLAK_SOURCE_DIR) + "/examples/starter.txt";
    const engine::grade g =
        gradeone(starter, {.ownlines = true, .answers = true, .perline = true, .shown = formats::shownline});
    for (std::size_t level = 0; level < engine::hintnames.size(); level++) {
        const auto h = static_cast<engine::hints>(level);
        const std::string page = formats::feedbackpage(g, h);
        expectlevel(l, level, page, "the page at " + std::string(engine::hintnames[level]), false);
        // Every survivor is named at every level, and the lines are the student's own at each.
        std::set<int> survivors;
        for (int n = 1; n <= 65; n++)
            if (g.scan.stateof(n) != engine::state::killed)
                survivors.insert(n);
        std::set<int> named;
        const std::regex group("<li class=\"group\" data-mutants=\"([0-9 ]+)\">");
        for (auto it = std::sregex_iterator(page.begin(), page.end(), group); it != std::sregex_iterator(); ++it) {
            std::istringstream numbers((*it)[1].str());
            for (int n; numbers >> n;)
                EXPECT_TRUE(named.insert(n).second) << n << " in two groups";
        }
        if (h == engine::hints::score)
            EXPECT_NE(
                page.find("<p class=\"numbers\">Mutants 1-17, 21, 24-28, 30, 31, 33-41, 44, 45, 47, 50 and 57-64.</p>"),
                std::string::npos);
        else
            EXPECT_EQ(named, survivors);
        EXPECT_NE(page.find("<tr data-line=\"9\" data-kills=\"\" data-alone=\"\">"), std::string::npos);
        EXPECT_EQ(page.find("Where to start:") != std::string::npos, h >= engine::hints::concepts);
        EXPECT_EQ(page.find("<p class=\"answer\">") != std::string::npos, h == engine::hints::answer);
    }
}

// What a person cannot read whole in text: a list of mutant numbers without
// its separators or with a noun in the wrong number, a word left out of a
// shared sentence with the punctuation after it, and a count whose noun
// disagrees with it.  Each fault with the text around it.
std::vector<std::string> unreadable(const std::string& text) {
    std::vector<std::string> faults;
    const auto around = [&](std::size_t at) {
        std::string cut = text.substr(at < 30 ? 0 : at - 30, 90);
        std::replace(cut.begin(), cut.end(), '\n', '|');
        return cut;
    };
    const auto digit = [&](std::size_t at) { return at < text.size() && text[at] >= '0' && text[at] <= '9'; };
    const std::regex noun("\\b([Mm]utants?) (?=[0-9])");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), noun); it != std::sregex_iterator(); ++it) {
        std::size_t at = static_cast<std::size_t>(it->position() + it->length());
        int items = 0;
        bool range = false;
        std::string last;  // the separator before the last item
        for (;;) {
            while (digit(at))
                at++;
            items++;
            if (text.compare(at, 1, "-") == 0 && digit(at + 1)) {
                range = true;
                for (at++; digit(at);)
                    at++;
            }
            if (text.compare(at, 2, ", ") == 0 && digit(at + 2))
                last = ", ", at += 2;
            else if (text.compare(at, 5, " and ") == 0 && digit(at + 5) && last != " and ")
                last = " and ", at += 5;
            else if (text.compare(at, 1, " ") == 0 && digit(at + 1))
                last = " ", at += 1;
            else
                break;
        }
        const bool plural = (*it)[1].length() == 7;
        if (items > 1 && last != " and ")
            faults.push_back("a list without its separators: " + around(static_cast<std::size_t>(it->position())));
        if (plural != (items > 1 || range))
            faults.push_back("a list with its noun in the wrong number: " +
                             around(static_cast<std::size_t>(it->position())));
    }
    // A cell of numbers alone is a list too.
    const std::regex bare("(^|\n)[ \t]*([0-9]+(-[0-9]+)?( [0-9]+(-[0-9]+)?)+)[ \t]*(?=\n|$)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), bare); it != std::sregex_iterator(); ++it)
        faults.push_back("a list without its separators: " + around(static_cast<std::size_t>(it->position())));
    const std::regex punctuated("[:;,.!?] \\(mutant [0-9]+\\)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), punctuated); it != std::sregex_iterator(); ++it)
        faults.push_back("a word with its punctuation: " + around(static_cast<std::size_t>(it->position())));
    const std::regex disagreeing("(^|[^0-9.,])(1 (mutants|files|lines)\\b|1 mutants? (that )?survive\\b|"
                                 "([02-9]|[0-9]{2,}) (mutant|file|line)\\b(?!s)|"
                                 "[0-9]+ mutants (that )?survives\\b)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), disagreeing); it != std::sregex_iterator(); ++it)
        faults.push_back("a count that disagrees with its noun: " + around(static_cast<std::size_t>(it->position())));
    return faults;
}

// The words of a page, each element's text apart, or every text of a document.
std::string wordsof(const std::string& page) { return std::regex_replace(page, std::regex("<[^>]*>"), "\n"); }
void wordsof(const nlohmann::json& document, std::string& out) {
    if (document.is_string())
        out += document.get<std::string>() + "\n";
    for (const auto& each : document)
        if (document.is_structured())
            wordsof(each, out);
}

// Every page and document that a class makes, at every level, reads whole.
TEST(Words, EveryPageAndDocumentOfAClassReadsWhole) {
    // Faults that the reading must find.
    for (const std::string bad : {"Mutants 21 24.", "Mutants 27-28 30", "mutants 3, 4", "Mutant 21 and 24",
                                  "Mutants 5.", "in April: (mutant 57)", "reach 1 mutant that survive.",
                                  "2 mutants that survives", "1 files", "3 line.", "<td>43 49</td>"})
        EXPECT_FALSE(unreadable(wordsof(bad)).empty()) << bad;
    for (const std::string good :
         {"Mutants 21 and 24.", "Mutants 27, 28 and 30", "mutants 1-16", "Mutant 5.", "April (mutant 57)",
          "1 mutant that survives", "2 mutants that survive", "<td>43 and 49</td>"})
        EXPECT_EQ(unreadable(wordsof(good)), std::vector<std::string>{}) << good;

    std::vector<std::string> files = {std::string(VORLAK_SOURCE_DIR) + "/examples/starter.txt",
                                      scratch("words-one", "02/28/2001 03/01/2001\n")};
    for (unsigned seed = 700; seed < 704; seed++)
        files.push_back(scratch("words" + std::to_string(seed), generated(seed, 6 + static_cast<int>(seed % 4) * 5)));
    const std::filesystem::path pages = std::filesystem::path(files[1]).parent_path() / "words-pages";
    for (const std::string_view level : engine::hintnames) {
        std::vector<std::pair<std::string, std::string>> read;  // where, the words
        std::filesystem::remove_all(pages);
        std::vector<std::string> args = {"--class", "--hints", std::string(level), "--feedback", pages.string()};
        args.insert(args.end(), files.begin(), files.end());
        ASSERT_EQ(report(args).status, 0) << level;
        for (const auto& page : std::filesystem::directory_iterator(pages))
            read.emplace_back(page.path().filename().string(), wordsof(tests::readfile(page.path())));
        args.erase(args.begin() + 1, args.begin() + 5);
        args.insert(args.begin() + 1, {"-f", "html"});
        read.emplace_back("the class page", wordsof(report(args).out));
        for (const std::string& file : files)
            for (const std::string platform : {"gradescope", "prairielearn"}) {
                std::string words;
                wordsof(nlohmann::json::parse(report({"-f", platform, "--hints", std::string(level), file}).out),
                        words);
                read.emplace_back(platform + " of " + file, words);
            }
        for (const auto& [where, words] : read)
            for (const std::string& fault : unreadable(words))
                ADD_FAILURE() << level << ", " << where << ": " << fault;
    }
}

// Each line's row on a page says what it kills and what only it kills, as
// running every mutant on every piece finds; past 1,000 lines only the lines
// that kill something alone have a row, and the rest are counted.
TEST(Class, FeedbackPagesShowWhatEachLineKills) {
    for (const auto& [seed, lines] : std::vector<std::pair<unsigned, int>>{{500, 40}, {501, 90}, {502, 1100}}) {
        const std::string path = scratch("perline" + std::to_string(seed), generated(seed, lines));
        const tests::fullreading full = tests::readfully(path);
        std::vector<int> killers(66);
        for (const killset k : full.kills)
            engine::foreachmutant(k, [&](int n) { killers[static_cast<std::size_t>(n)]++; });
        const engine::grade g = gradeone(path, {.perline = true});
        const std::string page = formats::feedbackpage(g, engine::hints::condition);
        const std::regex row("<tr data-line=\"([0-9]+)\" data-kills=\"([0-9 ]*)\" data-alone=\"([0-9 ]*)\">");
        std::size_t rows = 0;
        std::size_t alonelines = 0;
        for (std::size_t i = 0; i < full.kills.size(); i++) {
            std::string kills;
            std::string alone;
            engine::foreachmutant(full.kills[i], [&](int n) {
                kills += (kills.empty() ? "" : " ") + std::to_string(n);
                if (killers[static_cast<std::size_t>(n)] == 1)
                    alone += (alone.empty() ? "" : " ") + std::to_string(n);
            });
            alonelines += alone.empty() ? 0u : 1u;
            const std::string want = "<tr data-line=\"" + std::to_string(i + 1) + "\" data-kills=\"" + kills +
                                     "\" data-alone=\"" + alone + "\">";
            if (lines <= 1000 || !alone.empty()) {
                EXPECT_NE(page.find(want), std::string::npos) << want;
            }
        }
        for (auto it = std::sregex_iterator(page.begin(), page.end(), row); it != std::sregex_iterator(); ++it)
            rows++;
        EXPECT_EQ(rows, lines <= 1000 ? full.kills.size() : alonelines) << seed;
        if (lines > 1000) {
            EXPECT_NE(page.find(std::to_string(full.kills.size() - alonelines) + " other lines kill nothing"),
                      std::string::npos);
        }
    }
}

TEST(Formats, NonUtf8BytesBecomeOneReplacementEach) {
    const std::string r = "\xEF\xBF\xBD";
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"plain 01/01/2000", "plain 01/01/2000"},
        {std::string("zero\0byte", 9), std::string("zero\0byte", 9)},
        {"\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", "\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"},
        {"\xFF", r},
        {"\xC0\x80", r + r},          // overlong
        {"\xED\x9F\xBF", "\xED\x9F\xBF"},  // U+D7FF, the last before the surrogates
        {"\xED\xA0\x80", r + r + r},  // a surrogate
        {"\xF4\x90\x80\x80", r + r + r + r},  // past U+10FFFF
        {"\xE2\x82" "A", r + r + "A"},         // cut short
        {"\xE2\x82", r + r},
    };
    // clang-format on
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(formats::validutf8(bytes), text) << testing::PrintToString(bytes);
}

// A file with bytes an editor added unseen gets a sentence for each at the
// top of its report, platform documents and page, at every level; the rest
// reads as for the same lines without them.
TEST(Formats, EditorBytesGetOneSentenceAtTheTopOfEverySurface) {
    const std::string plain = readfile(std::string(VORLAK_SOURCE_DIR) + "/examples/adequate.txt");
    std::string crlf;
    for (const char c : plain)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    struct file {
        std::string bytes;
        bool bom, crlf;
    };
    const file files[] = {{plain, false, false},
                          {"\xEF\xBB\xBF" + plain, true, false},
                          {crlf, false, true},
                          {"\xEF\xBB\xBF" + crlf, true, true},
                          {std::string("x\r") + plain, false, false}};  // a carriage return inside a line
    const std::string same = scratch("editor-plain", plain);
    for (const file& f : files) {
        const std::string path = scratch("editor", f.bytes);
        const engine::scanresult scan = scanpath(path);
        EXPECT_EQ(scan.bom, f.bom) << testing::PrintToString(f.bytes.substr(0, 4));
        EXPECT_EQ(scan.crlf, f.crlf) << testing::PrintToString(f.bytes.substr(0, 4));
        const std::vector<std::string> notes = engine::editornotes(scan);
        ASSERT_EQ(notes.size(), static_cast<std::size_t>(f.bom) + static_cast<std::size_t>(f.crlf));
        std::string top;
        for (const std::string& note : notes)
            top += formats::capitalized(note) + ".\n";
        for (const std::string level : {"score", "condition", "answer"}) {
            // The text report changes by the sentences alone when the lines' results do not.
            const std::string text = report({"--hints", level, path}).out;
            EXPECT_EQ(text.substr(0, top.size()), top) << level;
            if (f.bytes == plain || (f.crlf && !f.bom)) {
                EXPECT_EQ(text.substr(top.size()), report({"--hints", level, same}).out) << level;
            }
            for (const std::string form : {"gradescope", "prairielearn"}) {
                const auto doc = nlohmann::json::parse(report({"-f", form, "--hints", level, path}).out);
                const std::string output = doc["output"];
                EXPECT_EQ(output.substr(0, top.size()), top) << form << " " << level;
            }
            const auto json = nlohmann::json::parse(report({"-f", "json", "--hints", level, path}).out);
            EXPECT_EQ(json.contains("editorNotes") ? json["editorNotes"].get<std::vector<std::string>>()
                                                   : std::vector<std::string>{},
                      notes)
                << level;
            if (formats::htmlavailable()) {
                const std::string html = report({"-f", "html", "--hints", level, path}).out;
                std::size_t at = html.find("<body>");
                for (const std::string& note : notes)
                    at =
                        html.find("<p class=\"editor\">" + formats::htmltext(formats::capitalized(note)) + ".</p>", at);
                EXPECT_LT(at, html.find("<mutation-test-report-app")) << level;
            }
            const std::filesystem::path pages = std::filesystem::path(path).parent_path() / "editor-pages";
            std::filesystem::remove_all(pages);
            report({"--class", "--hints", level, "--feedback", pages, path});
            const std::string page = readfile(pages / "editor.html");
            std::size_t at = page.find("<p class=\"summary\">");
            for (const std::string& note : notes) {
                at = page.find("<p class=\"editor\">" + formats::htmltext(formats::capitalized(note)) + ".</p>", at);
                EXPECT_LT(at, page.find("<p>A mutant is")) << level << ": " << note;
            }
            if (notes.empty()) {
                EXPECT_EQ(page.find("class=\"editor\""), std::string::npos) << level;
            }
        }
    }
}

// Every surface shows a line by one function: each control byte as one
// control picture, a byte-order mark as its sign, the C1 controls and
// every byte that is not UTF-8 as U+FFFD, everything else as it is.
TEST(Formats, EveryByteShowsAsOneVisibleSign) {
    const std::string r = "\xEF\xBF\xBD";
    for (int b = 0; b < 256; b++) {
        const std::string byte(1, static_cast<char>(b));
        const std::string want = b < 0x20    ? "\xE2\x90" + std::string(1, static_cast<char>(0x80 + b))
                                 : b == 0x7F ? std::string("\xE2\x90\xA1")
                                 : b < 0x80  ? byte
                                             : r;
        EXPECT_EQ(io::visible(byte), want) << b;
        EXPECT_EQ(io::shownline(byte + "\n"), want) << b;  // the newline left off
    }
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"01/01/2000 01/02/2000\r", "01/01/2000 01/02/2000\xE2\x90\x8D"},
        {"a\tb", "a\xE2\x90\x89" "b"},
        {std::string("zero\0byte", 9), "zero\xE2\x90\x80" "byte"},
        {"\xEF\xBB\xBF" "01/01/2000", std::string(io::bomsign) + "01/01/2000"},
        {"\xEF\xBB", r + r},                    // a mark cut short
        {"\xC2\x80 \xC2\x9F \xC2\xA0", r + " " + r + " \xC2\xA0"},  // the C1 controls, then a no-break space
        {"\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", "\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"},
        {"\xE2\x90\x8D", "\xE2\x90\x8D"},         // a control picture typed is one too
        {std::string(100, 'x') + "\r\n", std::string(100, 'x') + "..."},
        {std::string(99, 'x') + "\r\n", std::string(99, 'x') + "\xE2\x90\x8D"},
    };
    // clang-format on
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(io::shownline(bytes), text) << testing::PrintToString(bytes);
    EXPECT_EQ(formats::shownline("\x7F"), "\xE2\x90\xA1");  // the pages' form is the same function
}

// Tails change nothing without --expected: every format at every level
// reads as it does for the same lines without them, but for the json's
// quoted lines.  With it, a wrong line is explained as its level allows and
// no further, in every format that explains it.
TEST(Expected, TailsChangeNothingWithoutTheOptionAndTellTheirLevelWithIt) {
    const std::string examples = std::string(VORLAK_SOURCE_DIR) + "/examples/";
    const std::string starter = examples + "starter.txt";
    const std::string right = examples + "expected.txt";
    std::string bytes;
    std::istringstream lines(readfile(starter));
    for (std::string line; std::getline(lines, line);)
        bytes += line + std::string(" \xFF\0 2147483648\r ", 16) + '\n';
    const std::string garbage = scratch("garbage-tails", bytes);
    const std::vector<std::vector<std::string>> forms = {
        {}, {"--matrix"}, {"-f", "csv"}, {"-f", "csv", "--matrix"}, {"-f", "gradescope"}, {"-f", "prairielearn"}};
    for (std::size_t level = 0; level < engine::hintnames.size(); level++) {
        const std::string name(engine::hintnames[level]);
        for (std::vector<std::string> args : forms) {
            args.insert(args.end(), {"--hints", name});
            args.push_back(starter);
            const auto want = report(args);
            ASSERT_EQ(want.status, 0) << want.err;
            for (const std::string& other : {right, garbage}) {
                args.back() = other;
                EXPECT_EQ(report(args).out, want.out) << name << " " << args[0] << " " << other;
            }
        }
        const auto json = nlohmann::json::parse(report({"-f", "json", "--hints", name, right}).out);
        for (const auto& [file, f] : json["testFiles"].items())
            for (const auto& test : f["tests"])
                EXPECT_FALSE(test.contains("verdict") || test.contains("expected")) << test;

        // The wrong line with its explanation, as far as the level goes:
        // the program's result only with the answers.
        std::string said = level == 5 ? "line 5 expects 2, the program answers 1\n"
                                        "    1 means the second date is 1 day after the first\n"
                                      : "line 5: the result it expects is wrong\n";
        if (level >= 1 && level < 5)
            said += "    line 5 expects a day count, and the count is another\n";
        if (level >= 2)
            said += "    line 5 expects 2: " + std::string(mutants::beliefset[0].sentence) +
                    "\n    line 5 expects 2: " + std::string(mutants::beliefset[4].sentence) +
                    "\n    concept: the days before each month\n";
        if (level >= 4)
            said += "    as mutant 55 does\n    mutant 55: " + std::string(mutants::mutantof(55).description) + "\n";
        const auto text = report({"--expected", "--hints", name, right});
        ASSERT_EQ(text.status, 0) << text.err;
        EXPECT_NE(text.out.find("expectations: 8 right, 1 wrong, 0 missing\nsurviving mutants: "), std::string::npos);
        EXPECT_NE(text.out.find("\nwrong expectations:\n" + said + (level >= 2 ? "concepts:\n" : "")),
                  std::string::npos)
            << name << "\n"
            << text.out;
        const auto explained = nlohmann::json::parse(report({"-f", "json", "--expected", "--hints", name, right}).out);
        for (const auto& [file, f] : explained["testFiles"].items()) {
            ASSERT_EQ(f["tests"].size(), 9u);
            for (const auto& test : f["tests"]) {
                EXPECT_EQ(test["verdict"], test["id"] == "5" ? "wrong" : "right") << test;
                EXPECT_EQ(test.contains("result"), test["id"] != "5" || level == 5) << test;
            }
            std::string why = said;
            for (std::size_t at; (at = why.find("\n    ")) != std::string::npos;)
                why.replace(at, 5, "\n");
            EXPECT_EQ(f["tests"][4]["explanation"].get<std::string>() + "\n", why) << name;
            // What answers it, by id from concept on and by number from mutant on.
            const nlohmann::json believed = {mutants::beliefset[0].id, mutants::beliefset[4].id};
            EXPECT_EQ(f["tests"][4].value("beliefs", nlohmann::json()), level >= 2 ? believed : nlohmann::json())
                << name;
            EXPECT_EQ(f["tests"][4].value("mutants", nlohmann::json()),
                      level >= 4 ? nlohmann::json{55} : nlohmann::json())
                << name;
        }
    }
    // The garbage tails state nothing: each line is missing, its tail
    // malformed, and the file kills nothing.
    const auto csv = report({"-f", "csv", "--matrix", "--expected", garbage});
    EXPECT_NE(csv.out.find("\r\n1,\xEF\xBF\xBD\xE2\x90\x80 2147483648,missing,,\r\n"), std::string::npos) << csv.out;
    EXPECT_NE(report({"-f", "csv", "--matrix", "--expected", "--hints", "answer", garbage})
                  .out.find("\r\n1,\xEF\xBF\xBD\xE2\x90\x80 2147483648,missing,0,\r\n"),
              std::string::npos);
    EXPECT_NE(report({"--expected", garbage})
                  .out.find("0/65 mutants killed. (0%)\nexpectations: 0 right, 0 wrong, 9 missing\n"),
              std::string::npos);
}

// Below the answers nothing a wrong line says follows from the program's
// result: for every expectation, each explanation that some result of the
// program draws (every code, the counts up to past the expectations tried)
// is drawn by two at least; with the answers each result draws its own.
TEST(Expected, BelowTheAnswersNoResultFollowsFromWhatAWrongLineSays) {
    std::vector<std::int32_t> tried = {INT32_MIN, INT32_MAX};
    for (std::int32_t v = -40; v <= 40; v++)
        tried.push_back(v);
    for (std::size_t level = 0; level < engine::hintnames.size(); level++)
        for (const std::int32_t e : tried) {
            std::map<std::vector<std::string>, std::vector<int>> drawn;
            for (const int r : tried)
                if (r != e && r > -40 && engine::resultmeaning(r, 22) != "a result the program never gives")
                    drawn[engine::wrongexplained({7, e, r, "02/28/2001 03/01/2001\n"},
                                                 static_cast<engine::hints>(level))]
                        .push_back(r);
            for (const auto& [said, by] : drawn)
                EXPECT_EQ(by.size() == 1, level == 5)
                    << engine::hintnames[level] << ", expects " << e << ": " << said.front() << " for " << by.front();
        }
}

}  // namespace
