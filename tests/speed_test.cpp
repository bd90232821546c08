// The fast build against the plain behaviour: vorlak's output on the
// benchmark files, byte for byte, against the plain model of its passes;
// each fast form of dates/fast.hpp against the plain function it stands in
// for; the fast judging of the engine against the plain judging, over
// everything it keeps and through whole scans; and the benchmark files
// against what each kind promises.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "bench/generator.hpp"
#include "dates/dates.hpp"
#include "dates/fast.hpp"
#include "engine/fastjudge.hpp"
#include "engine/infection.hpp"
#include "engine/scan.hpp"
#include "io/reader.hpp"
#include "model.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/mutants.hpp"
#include "mutants/wiring.hpp"
#include "process.hpp"
#include "testlines.hpp"

namespace {

using namespace vorlak;
using bench::filekind;

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

// --- the fast forms of dates/fast.hpp against the plain program -------------

// The scans of the reference and of mutants 1 to 16, as their rows have them.
constexpr std::array<dates::syntaxscan, 17> scans = [] {
    std::array<dates::syntaxscan, 17> all{};
    for (int k = 1; k <= 16; k++)
        all[static_cast<std::size_t>(k)] = mutants::mutantof(k).change.scan;
    return all;
}();

// What the plain scan, the word scan, the vector scan and the compiled check
// each answer on the line as it stands, for scan k.
template <std::size_t K> std::array<int, 4> scananswers() {
    using check = int (*)();
    constexpr auto compiled = []<std::size_t... I>(std::index_sequence<I...>) {
        return std::array<check, 17>{dates::chkinputsyntax, mutants::syntaxof<static_cast<int>(I) + 1>...};
    }
    (std::make_index_sequence<16>{});
#if defined(__SSE2__)
    const int vector = dates::fast::vectorscan<scans[K]>();
#else
    const int vector = dates::checksyntax<scans[K]>();
#endif
    return {dates::checksyntax<scans[K]>(), dates::fast::wordscan<scans[K]>(), vector, compiled[K]()};
}

template <std::size_t... K> void expectsamescans(std::index_sequence<K...>, const std::string& where) {
    (
        [&] {
            const auto a = scananswers<K>();
            ASSERT_TRUE(a[1] == a[0] && a[2] == a[0] && a[3] == a[0])
                << "scan " << K << ", " << where << ": plain " << a[0] << ", word " << a[1] << ", vector " << a[2]
                << ", compiled " << a[3];
        }(),
        ...);
}

// Every byte value in every column, on a line whose other columns hold
// digits and on one where another column fails too.
TEST(FastForms, SyntaxScansEqualThePlainLoop) {
    static_assert(scans[1].first == 1 && scans[16].last == 19 && scans[2].skipped == 1);
    for (const std::string_view base : {"12/25/2001 06/30/1999 and after it anything\n", "12/25/2001 06/30/1999"}) {
        for (int column = 0; column <= 20; column++) {
            for (int byte = 0; byte < 256; byte++) {
                tests::putline(base);
                // Bytes past column 20 never count: fill them with non-digits.
                for (std::size_t i = 21; i < 40; i++)
                    dates::line[i] = static_cast<signed char>(byte);
                dates::line[column] = static_cast<signed char>(byte);
                const std::string where = "column " + std::to_string(column) + ", byte " + std::to_string(byte);
                expectsamescans(std::make_index_sequence<17>{}, where);
                dates::line[(column + 7) % 21] = 'x';
                expectsamescans(std::make_index_sequence<17>{},
                                where + " and column " + std::to_string((column + 7) % 21));
            }
        }
    }
}

// Every pair of bytes, at every column the conversion reads.
TEST(FastForms, FieldTableEqualsTheFormula) {
    for (const int column : {0, 3, 6, 8, 11, 14, 17, 19})
        for (int tens = 0; tens < 256; tens++)
            for (int units = 0; units < 256; units++) {
                dates::line[column] = static_cast<signed char>(tens);
                dates::line[column + 1] = static_cast<signed char>(units);
                ASSERT_EQ(dates::fast::strtoint(column), dates::strtoint(column))
                    << "column " << column << " bytes " << tens << ' ' << units;
            }
}

// Every year that four digit columns write, those that a mutant passing over
// a year column lets through (up to 79,999), and negative ones, for each
// choice of terms that a mutant makes.
template <dates::dayterms T> void expectsameyears(int number) {
    for (int year = -100000; year <= 100000; year++)
        ASSERT_EQ(dates::fast::yearterms<T>(year), dates::yearterms<T>(year))
            << "mutant " << number << ", year " << year;
}

TEST(FastForms, YearTableEqualsTheTerms) {
    expectsameyears<dates::dayterms{}>(0);
    expectsameyears<mutants::mutantof(46).change.terms>(46);
    expectsameyears<mutants::mutantof(47).change.terms>(47);
    expectsameyears<mutants::mutantof(48).change.terms>(48);
}

// Every month a count can meet, 0 to 13, in every year that four digit
// columns write and those that a mutant passing over a year column lets
// through, for the reference's terms and rule and those of each mutant of
// the count; and both dates of a count, watched.
// Hears the day numbers of a watched count.
struct heard {
    static inline std::array<int, 2> numbers{};
    static void daynumbers(int first, int second) { numbers = {first, second}; }
};

// Both dates of a count, the first formed first, told to the watcher.
template <dates::dayterms T, auto Rule, dates::yearcounter Years> void testcount() {
    const dates::date first{2, 29, 2000}, second{1, 1, 1900};
    EXPECT_EQ((dates::fast::countdays<T, Rule, Years, heard>(first, second)),
              (dates::countdays<T, Rule, Years>(first, second)));
    EXPECT_EQ(heard::numbers[0], (dates::daynumber<T, Rule, Years>(first)));
    EXPECT_EQ(heard::numbers[1], (dates::daynumber<T, Rule, Years>(second)));
}

constexpr bool altersthecount(const mutants::alteration& a) {
    constexpr dates::dayterms r{};
    return a.countrule != mutants::rulechange{} || a.terms.quadrennials != r.quadrennials ||
           a.terms.centuries != r.centuries || a.terms.quadcenturies != r.quadcenturies ||
           a.terms.daysbefore != r.daysbefore || a.terms.leapmonths != r.leapmonths;
}

template <int N> void expectsamedaynumbers() {
    constexpr mutants::alteration a = N == 0 ? mutants::alteration{} : mutants::mutantof(N).change;
    if constexpr (N == 0 || altersthecount(a)) {
        constexpr auto rule = mutants::ruleof<a.countrule>();
        constexpr auto years = dates::fast::yearterms<a.terms>;
        for (int year = 0; year <= 79999; year++)
            for (int month = 0; month <= 13; month++) {
                const dates::date d{month, 15, year};
                if (dates::fast::daynumber<a.terms, rule, years>(d) != dates::daynumber<a.terms, rule, years>(d)) {
                    ADD_FAILURE() << "mutant " << N << " on " << tests::show(d);
                    return;
                }
            }
        testcount<a.terms, rule, years>();
    }
}

template <std::size_t... N> void expectsamedaynumbers(std::index_sequence<N...>) {
    (expectsamedaynumbers<static_cast<int>(N)>(), ...);
}

TEST(FastForms, DayNumberAsksTheMonthFirst) {
    expectsamedaynumbers(std::make_index_sequence<mutants::mutantcount + 1>{});
}

// Around zero, every count; further out, around each power of two.
TEST(FastForms, SignMaskEqualsTheBranch) {
    for (int days = -(1 << 20); days <= 1 << 20; days++)
        ASSERT_EQ(dates::fast::dayresult(days), dates::dayresult(days)) << days;
    for (int bit = 20; bit < 31; bit++)
        for (const int days : {1 << bit, (1 << bit) - 1, -(1 << bit), -(1 << bit) + 1})
            EXPECT_EQ(dates::fast::dayresult(days), dates::dayresult(days)) << days;
    for (const int days : {INT_MIN, INT_MIN + 1, INT_MAX})
        EXPECT_EQ(dates::fast::dayresult(days), dates::dayresult(days)) << days;
}

// --- the fast judging of engine/fastjudge.hpp against the plain judging -----

constexpr int maxreported = 10;

// The plain judging's verdicts of the date checks on one date, as the fast
// judging keeps them: the mutants whose altered step the date reaches, those
// it infects, and those whose code for it differs from the reference's.
struct datesets {
    engine::killset reached;
    engine::killset infected;
    engine::killset differs;
    bool operator==(const datesets&) const = default;
};

datesets plaindatecheck(const dates::date& d) {
    const int code = dates::checkdate<>(d.month, d.day, d.year);
    datesets out;
    for (int n = 1; n <= mutants::mutantcount; n++) {
        const engine::checkstep c = engine::judgecheck(n, d, code);
        if (c.reached)
            out.reached.add(n);
        if (c.infected)
            out.infected.add(n);
        if (c.reached && c.mutantcode != code)
            out.differs.add(n);
    }
    return out;
}

// The date checks read a year only in test 3 and in test 5's leap-year rule.
// Every month and day that reaches either in some check is one of these, or
// reaches it as one of these does: months 0 and 13 pass only the widened
// month tests, days 0 and 32 the widened day tests, and test 5 looks at the
// months 1 to 3 and the days 28 and 29.  So a year whose verdicts equal its
// class's first year's on all of them has that class's verdicts on every
// month and day.
TEST(FastJudging, EveryYearIsJudgedAsItsClass) {
    const int months[] = {0, 1, 2, 3, 4, 12, 13};
    const int days[] = {0, 1, 15, 28, 29, 30, 31, 32};
    int failures = 0;
    for (int year = 0; year <= 9999; year++) {
        const int first = engine::fast::firstyearof(engine::fast::yearclassof(year));
        ASSERT_LE(first, year) << year;
        for (const int m : months)
            for (const int d : days)
                if (plaindatecheck({m, d, year}) != plaindatecheck({m, d, first})) {
                    ADD_FAILURE() << "year " << year << " is judged unlike " << first << " on " << m << '/' << d;
                    if (++failures == maxreported)
                        return;
                }
    }
    // The classes tell apart what the checks tell apart: the years around the
    // last bad years, and the four kinds of leap year.
    const int apart[] = {1898, 1899, 1900, 1901, 1904, 2000, 2100};
    for (const int a : apart)
        for (const int b : apart)
            EXPECT_EQ(engine::fast::yearclassof(a) == engine::fast::yearclassof(b), a == b) << a << ' ' << b;
}

// Every month and day that two columns hold, on the first year of every
// class: the judging of a line with the date first and with it second,
// beside a date that every check accepts and one that some reject, against
// the plain judging.  What the judging keeps of a date shows in the line:
// reached and infected as they are, a differing code as a kill of the first
// date or as a check of the second.
TEST(FastJudging, DateTableOfEveryClass) {
    engine::fast::judging judging;
    int failures = 0;
    const auto fail = [&](const std::string& what) {
        ADD_FAILURE() << what;
        return ++failures < maxreported;
    };
    // A date that every check accepts, and one that some reject.
    const dates::date valid{7, 15, 2000}, rejected{1, 31, 2001};
    int classes = 0;  // numbered from 0 in the order of their first years
    for (int year = 0; year <= 9999; year++)
        classes = std::max(classes, engine::fast::yearclassof(year) + 1);
    ASSERT_GE(classes, 8);
    for (int k = 0; k < classes; k++) {
        const int year = engine::fast::firstyearof(k);
        for (int m = 0; m <= 99; m++)
            for (int d = 0; d <= 99; d++) {
                const dates::date date{m, d, year};
                for (const dates::date other : {valid, rejected})
                    for (const std::string& text : {tests::dateline(date, other), tests::dateline(other, date)}) {
                        const engine::trace t = engine::tracepiece(tests::putline(text));
                        if (judging(t) != engine::statesof(engine::judgeall(t)) &&
                            !fail("the judging differs on " + tests::printable(text)))
                            return;
                    }
            }
    }
}

// The day of the month never changes what a mutant adds to a day number, so
// the count's verdicts of a month and year hold for its every day.
TEST(FastJudging, DayNumberOffsetsHoldForEveryDay) {
    int failures = 0;
    const auto same = [](const engine::countstep& a, const engine::countstep& b) {
        return a.reached == b.reached && a.infected == b.infected && a.offset == b.offset;
    };
    for (int n = 1; n <= mutants::mutantcount; n++) {
        bool counts = false;  // the mutant alters the day count
        for (int m = 1; m <= 12; m++)
            counts = counts || engine::judgecount(n, {m, 1, 2000}, dates::daynumber<>(dates::date{m, 1, 2000})).reached;
        if (!counts)
            continue;
        for (int y = 1900; y <= 9999; y++)
            for (int m = 1; m <= 12; m++) {
                const engine::countstep first =
                    engine::judgecount(n, {m, 1, y}, dates::daynumber<>(dates::date{m, 1, y}));
                for (int d = 2; d <= 31; d += y <= 2400 ? 1 : 29)
                    if (!same(engine::judgecount(n, {m, d, y}, dates::daynumber<>(dates::date{m, d, y})), first) &&
                        failures++ < maxreported)
                        ADD_FAILURE() << "mutant " << n << " on " << tests::show({m, d, y});
            }
    }
    EXPECT_EQ(failures, 0);
}

// Both dates of a count in one line, one of them every month of every year
// that a count meets, against the plain judging: what the judging keeps of
// each month and year shows in the lines' reach, infection and kills, and
// the pairs meet in the cache, where the second may take the first's place.
TEST(FastJudging, CountsOfTwoDates) {
    engine::fast::judging judging;
    int failures = 0;
    for (int year = 1900; year <= 9999; year++)
        for (int m = 1; m <= 12; m++)
            for (const std::string& text :
                 {tests::dateline({m, 28, year}, {2, 15, 2000}), tests::dateline({3, 1, 2000}, {m, 1, year})}) {
                const engine::trace t = engine::tracepiece(tests::putline(text));
                if (judging(t) == engine::statesof(engine::judgeall(t)))
                    continue;
                ADD_FAILURE() << "the judging differs on " << tests::printable(text);
                if (++failures == maxreported)
                    return;
            }
}

// --- whole files with the plain judging --------------------------------------

// Hands bytes held in memory to a reader.
struct cursor {
    const std::string* bytes;
    std::size_t at = 0;
};

void attach(io::reader& in, cursor& c) {
    in.attach(
        [](void* context, char* to, std::size_t room) -> ssize_t {
            auto& from = *static_cast<cursor*>(context);
            const std::size_t n = std::min(room, from.bytes->size() - from.at);
            from.bytes->copy(to, n, from.at);
            from.at += n;
            return static_cast<ssize_t>(n);
        },
        &c);
}

// A scan of bytes held in memory.
engine::scanresult scanbytes(const std::string& bytes, engine::scanneeds needs) {
    cursor c{&bytes};
    io::reader in;
    attach(in, c);
    engine::scanresult out;
    EXPECT_EQ(engine::scanfile(in, needs, out), 0);
    return out;
}

bool sameverdict(const engine::verdict& a, const engine::verdict& b) {
    return a.reach == b.reach && a.lost == b.lost && a.what == b.what && a.date == b.date &&
           a.reference == b.reference && a.mutant == b.mutant && a.at.month == b.at.month && a.at.day == b.at.day &&
           a.at.year == b.at.year;
}

// Every field of two scan results; the first that differs, or empty.
std::string firstdifference(const engine::scanresult& a, const engine::scanresult& b) {
    if (a.lines != b.lines || a.endsinnewline != b.endsinnewline)
        return "the lines";
    for (std::size_t i = 0; i < a.kills.size(); i++) {
        const engine::firstkill &x = a.kills[i], &y = b.kills[i];
        if (x.line != y.line || x.reference != y.reference || x.result != y.result)
            return "the kill of mutant " + std::to_string(i + 1);
        const engine::firstreach &p = a.reach[i], &q = b.reach[i];
        if (p.reached != q.reached || p.infected != q.infected || !sameverdict(p.why, q.why))
            return "the reach of mutant " + std::to_string(i + 1);
    }
    if (a.sets != b.sets || a.setline != b.setline || a.settext != b.settext)
        return "the kill sets";
    if (a.lineset != b.lineset || a.reachsets != b.reachsets || a.linereach != b.linereach)
        return "the sets of each line";
    if (a.source != b.source || a.killtext != b.killtext)
        return "the texts";
    return "";
}

// Every piece of the examples, an empty file and generated files of every
// kind, cut as a scan cuts them and judged by the fast judging and by every
// mutant's verdict: the scan takes nothing else from the judging, so what
// it finds with the one is what it would find with the other.
TEST(FastJudging, EveryPieceOfFilesAsThePlainJudging) {
    std::vector<std::string> files = {
        tests::readfile(std::string(VORLAK_SOURCE_DIR) + "/examples/starter.txt"),
        tests::readfile(std::string(VORLAK_SOURCE_DIR) + "/examples/adequate.txt"),
        "",
        bench::generatefile(filekind::mixed, 3000, 5),
        bench::generatefile(filekind::survive, 3000, 5),
        bench::generatefile(filekind::longlines, 30, 5),
    };
    std::string unended = bench::generatefile(filekind::mixed, 200, 6);
    unended.pop_back();
    files.push_back(unended);
    engine::fast::judging judging;
    for (std::size_t i = 0; i < files.size(); i++) {
        cursor c{&files[i]};
        io::reader in;
        attach(in, c);
        int failures = 0;
        for (long piece = 1;; piece++) {
            const int n = in.getline(dates::line, dates::linesize);
            ASSERT_GE(n, 0);
            if (n == 0)
                break;
            dates::len = n;
            const engine::trace t = engine::tracepiece(n);
            if (judging(t) != engine::statesof(engine::judgeall(t)) && failures++ < maxreported)
                ADD_FAILURE() << "file " << i << ", piece " << piece;
        }
    }
}

// Marking the lines holds each line's expectation as grading by them does,
// and counts every line as a scan without them does: right, wrong,
// malformed, out of range and no tails, a line past a piece, no final newline.
TEST(Expectations, MarksHoldWhatGradingByThemHoldsAndCountEveryLine) {
    const std::string tailed = "02/28/2001 03/01/2001 1\n02/28/2001 03/01/2001 2\n13/01/2000 01/01/2000 -11\n"
                               "02/29/2000 03/01/2000 one\n02/29/2000 03/01/2000 99999999999\n02/29/2000 03/01/2000\n" +
                               std::string(1200, 'x') + " 5\n12/31/1999 01/01/2000 1";
    const std::vector<std::string> files = {
        tailed,
        tests::readfile(std::string(VORLAK_SOURCE_DIR) + "/examples/starter.txt"),
        bench::generatefile(filekind::mixed, 500, 7),
    };
    for (std::size_t i = 0; i < files.size(); i++) {
        const engine::scanneeds without{.sets = engine::linesets::everyline};
        engine::scanneeds marks = without, expected = without;
        marks.tails = engine::tailuse::markedeach;
        expected.tails = engine::tailuse::gradedeach;
        const engine::scanresult a = scanbytes(files[i], without), m = scanbytes(files[i], marks),
                                 e = scanbytes(files[i], expected);
        EXPECT_EQ(firstdifference(a, m), "") << "file " << i;
        const engine::expectations &x = m.expected, &y = e.expected;
        EXPECT_FALSE(x.held);
        EXPECT_TRUE(y.held);
        EXPECT_EQ(std::tie(x.right, x.wrong, x.missing, x.none), std::tie(y.right, y.wrong, y.missing, y.none)) << i;
        ASSERT_EQ(x.wrongs.size(), y.wrongs.size());
        for (std::size_t w = 0; w < x.wrongs.size(); w++)
            EXPECT_EQ(std::tie(x.wrongs[w].line, x.wrongs[w].expected, x.wrongs[w].reference, x.wrongs[w].text),
                      std::tie(y.wrongs[w].line, y.wrongs[w].expected, y.wrongs[w].reference, y.wrongs[w].text));
        ASSERT_EQ(x.bad.size(), y.bad.size());
        for (std::size_t b = 0; b < x.bad.size(); b++)
            EXPECT_EQ(std::tie(x.bad[b].line, x.bad[b].tail.what, x.bad[b].tail.text),
                      std::tie(y.bad[b].line, y.bad[b].tail.what, y.bad[b].tail.text));
        ASSERT_EQ(x.lines.size(), static_cast<std::size_t>(a.lines));
        ASSERT_EQ(x.lines.size(), y.lines.size());
        for (std::size_t l = 0; l < x.lines.size(); l++)
            EXPECT_EQ(std::tie(x.lines[l].verdict, x.lines[l].expected, x.lines[l].reference),
                      std::tie(y.lines[l].verdict, y.lines[l].expected, y.lines[l].reference));
        if (i == 0) {
            EXPECT_EQ(std::tie(x.right, x.wrong, x.missing), std::make_tuple(3L, 1L, 4L));
            ASSERT_EQ(x.bad.size(), 3U);
            EXPECT_EQ(x.bad[1].tail.what, io::expectation::kind::outofrange);
            EXPECT_EQ(x.wrongs[0].line, 2);
            EXPECT_EQ(x.wrongs[0].reference, 1);
        }
    }
}

}  // namespace
