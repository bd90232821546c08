// The pass code called directly: testrun with entry functions made for the
// test, the line reader, the fatal ends of a pass and the summary line.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "dates/dates.hpp"
#include "harness/harness.hpp"
#include "harness/output.hpp"
#include "io/expectation.hpp"
#include "mutants/score.hpp"
#include "tests/model.hpp"
#include "tests/process.hpp"

namespace vorlak::tests {
namespace {

// An entry function that differs from the reference on lines starting with
// K, and remembers every line it was given.
std::vector<std::string> seen;
int killonk(int length) {
    seen.emplace_back(reinterpret_cast<const char*>(dates::line), static_cast<std::size_t>(length));
    return dates::line[0] == 'K' ? 7 : dates::testline(length);
}

// Sends standard output, and so the harness's, to a file while it lives.
class capture {
public:
    explicit capture(const tempdir& dir) : path_(dir / "out") {
        std::fflush(stdout);
        saved_ = ::dup(STDOUT_FILENO);
        const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(fd, STDOUT_FILENO);
        ::close(fd);
    }
    capture(const capture&) = delete;
    capture& operator=(const capture&) = delete;
    ~capture() {
        harness::flushoutput();
        std::fflush(stdout);
        ::dup2(saved_, STDOUT_FILENO);
        ::close(saved_);
    }
    // What was written so far, the harness's buffer included.
    std::string text() {
        harness::flushoutput();
        return readfile(path_);
    }

private:
    std::string path_;
    int saved_;
};

struct passcase {
    const char* what;
    std::string file;
    bool verbose;
    std::string out;
    int result;
    std::vector<std::string> seen;  // the lines the entry was called with, in order
};

TEST(Testrun, OnePass) {
    const std::string x999(999, 'x');
    const std::string kill = "-4 =?= 7\nKilled mutant 42.\n";
    const std::vector<passcase> cases = {
        {"empty file", "", true, "", 0, {}},
        {"no killing line: read to the end",
         "a\n01/01/2000 01/01/2000\n\nb",
         true,
         "",
         0,
         {"a\n", "01/01/2000 01/01/2000\n", "\n", "b"}},
        {"killing line in the middle, verbose",
         "a\nKILL one\nKILL two\nc\n",
         true,
         "Input: KILL one\n" + kill,
         1,
         {"a\n", "KILL one\n"}},
        {"killing line in the middle, quiet", "a\nKILL one\nKILL two\nc\n", false, "", 1, {"a\n", "KILL one\n"}},
        {"empty lines do not end the pass", "\n\nKILL\n", true, "Input: KILL\n" + kill, 1, {"\n", "\n", "KILL\n"}},
        {"killing last line without a newline", "a\nKILL", true, "Input: KILL" + kill, 1, {"a\n", "KILL"}},
        {"1500 characters read as two pieces",
         std::string(1500, 'x') + "\n",
         true,
         "",
         0,
         {x999, std::string(501, 'x') + "\n"}},
        {"the second piece kills", x999 + "KILL\n", true, "Input: KILL\n" + kill, 1, {x999, "KILL\n"}},
        {"998 characters and the newline are one piece",
         std::string(998, 'x') + "\nKILL",
         true,
         "Input: KILL" + kill,
         1,
         {std::string(998, 'x') + "\n", "KILL"}},
        {"999 characters leave the newline for the next piece", x999 + "\n", true, "", 0, {x999, "\n"}},
        {"zero bytes and byte 255 are echoed",
         std::string("K\0\xff\0z\r\n", 7),
         true,
         "Input: " + std::string("K\0\xff\0z\r\n", 7) + kill,
         1,
         {std::string("K\0\xff\0z\r\n", 7)}},
    };
    tempdir dir;
    for (const passcase& c : cases) {
        SCOPED_TRACE(c.what);
        writefile(dir / "t", c.file);
        harness::testfile = dir / "t";
        harness::optVerbose = c.verbose ? 1 : 0;
        seen.clear();
        capture out(dir);
        EXPECT_EQ(harness::testrun(killonk, 42), c.result);
        EXPECT_EQ(out.text(), c.out);
        EXPECT_EQ(seen, c.seen);
    }
}

// The worked example: the line kills mutant 43 with -15 against 1.
TEST(Testrun, RealMutant) {
    tempdir dir;
    writefile(dir / "t", "02/29/2000 03/01/2000\n");
    harness::testfile = dir / "t";
    harness::optVerbose = 1;
    capture out(dir);
    EXPECT_EQ(harness::testrun(mutants::entries[43 - 1], 43), 1);
    EXPECT_EQ(harness::testrun(mutants::entries[44 - 1], 44), 0);
    EXPECT_EQ(out.text(), "Input: 02/29/2000 03/01/2000\n1 =?= -15\nKilled mutant 43.\n");
}

TEST(Testrun, AllPassesMatchTheModel) {
    tempdir dir;
    for (std::uint32_t seed = 100; seed < 110; seed++) {
        const std::string file = adversary(seed).file();
        writefile(dir / "t", file);
        harness::testfile = dir / "t";
        harness::optVerbose = 1;
        capture out(dir);
        const int killed = harness::runall();
        harness::put(mutants::summaryline(killed));
        EXPECT_EQ(out.text(), modelrun(file, true)) << "seed " << seed;
    }
}

// A pass that cannot open or read the file ends the process; the kill
// reports written before stand.
TEST(TestrunDeathTest, FatalEnds) {
    tempdir dir;
    writefile(dir / "kill", "KILL\n");
    std::filesystem::create_directory(dir / "dir");
    struct fatalcase {
        const char* what;
        std::string file;
        std::string out;
    };
    const std::vector<fatalcase> cases = {
        {"missing file", dir / "missing", "Input: KILL\n-4 =?= 7\nKilled mutant 1.\nerror opening file\n"},
        {"directory", dir / "dir", "Input: KILL\n-4 =?= 7\nKilled mutant 1.\nerror reading file\n"},
    };
    for (const fatalcase& c : cases) {
        SCOPED_TRACE(c.what);
        capture out(dir);
        harness::optVerbose = 1;
        EXPECT_EXIT(
            {
                harness::testfile = dir / "kill";
                harness::testrun(killonk, 1);
                harness::testfile = c.file;
                harness::testrun(killonk, 2);
            },
            testing::ExitedWithCode(1), "^$");
        EXPECT_EQ(out.text(), c.out);
    }
}

TEST(Summary, EveryKillCount) {
    for (int k = 0; k <= 65; k++) {
        EXPECT_EQ(mutants::summaryline(k), modelsummary(k));
        // The format the line is specified in, rounding by printf.
        char text[64];
        std::snprintf(text, sizeof text, "%d/65 mutants killed. (%.0f%%)\n", k, k * 100 / 65.0);
        EXPECT_EQ(mutants::summaryline(k), text);
    }
    const std::pair<int, const char*> shown[] = {
        {0, "0/65 mutants killed. (0%)\n"},    {1, "1/65 mutants killed. (2%)\n"},
        {2, "2/65 mutants killed. (3%)\n"},    {13, "13/65 mutants killed. (20%)\n"},
        {32, "32/65 mutants killed. (49%)\n"}, {33, "33/65 mutants killed. (51%)\n"},
        {64, "64/65 mutants killed. (98%)\n"}, {65, "65/65 mutants killed. (100%)\n"},
    };
    for (const auto& [k, text] : shown)
        EXPECT_EQ(mutants::summaryline(k), text);
}

// The pieces the reader hands out, in the Part's line rules.
TEST(Reader, Pieces) {
    const std::string x999(999, 'x');
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"", {}},
        {"\n", {"\n"}},
        {"abc", {"abc"}},
        {"a\n\nb\n", {"a\n", "\n", "b\n"}},
        {std::string(998, 'x') + "\n", {std::string(998, 'x') + "\n"}},
        {x999 + "\n", {x999, "\n"}},
        {x999 + "x\n", {x999, "x\n"}},
        {x999 + x999, {x999, x999}},
        {std::string("\0\xff\r\n\0", 5), {std::string("\0\xff\r\n", 4), std::string(1, '\0')}},
    };
    tempdir dir;
    for (const auto& [content, pieces] : cases) {
        writefile(dir / "t", content);
        ASSERT_TRUE(harness::fid.open((dir / "t").c_str()));
        std::vector<std::string> got;
        signed char buf[dates::linesize];
        int n;
        while ((n = harness::fid.getline(buf, dates::linesize)) > 0) {
            EXPECT_EQ(buf[n], 0);
            got.emplace_back(reinterpret_cast<const char*>(buf), static_cast<std::size_t>(n));
        }
        EXPECT_EQ(n, 0);
        EXPECT_EQ(buf[0], 0);
        EXPECT_EQ(harness::fid.getline(buf, dates::linesize), 0);  // and stays at the end
        harness::fid.close();
        EXPECT_EQ(got, pieces);
    }
}

// What a line's tail states: a 32-bit decimal integer, blanks, tabs, CR and
// the newline trimmed; nothing; or a malformed or out-of-range tail shown by
// its first 101 bytes.  The same whatever pieces the line arrives in, and
// read from the whole line at once.
TEST(Reader, Tails) {
    using kind = io::expectation::kind;
    const std::string dates = "02/28/2001 03/01/2001";
    const std::string nines(900, '9');
    const struct {
        std::string tail;
        kind what;
        std::int32_t value;
        std::string text;
    } cases[] = {
        {"", kind::none, 0, ""},
        {"\n", kind::none, 0, ""},
        {" \t \r\n", kind::none, 0, ""},
        {" 1\n", kind::value, 1, ""},
        {"1", kind::value, 1, ""},  // column 21 itself
        {"\t-15 \r\n", kind::value, -15, ""},
        {" +0", kind::value, 0, ""},
        {" -0", kind::value, 0, ""},
        {" 007", kind::value, 7, ""},
        {" 2147483647", kind::value, 2147483647, ""},
        {" -2147483648", kind::value, -2147483647 - 1, ""},
        {" 000000000000002147483647", kind::value, 2147483647, ""},
        {" 2147483648", kind::outofrange, 0, "2147483648"},
        {" -2147483649", kind::outofrange, 0, "-2147483649"},
        {" 18446744073709551617", kind::outofrange, 0, "18446744073709551617"},
        {" " + nines + " \n", kind::outofrange, 0, nines.substr(0, 101)},
        {" 1 2", kind::malformed, 0, "1 2"},
        {" - 5", kind::malformed, 0, "- 5"},
        {" +", kind::malformed, 0, "+"},
        {" --1", kind::malformed, 0, "--1"},
        {" 1.0", kind::malformed, 0, "1.0"},
        {" 0x10", kind::malformed, 0, "0x10"},
        {" abc  \r\n", kind::malformed, 0, "abc"},
        {" 1\v", kind::malformed, 0, "1\v"},
        {std::string(" 5\0", 3), kind::malformed, 0, std::string("5\0", 2)},
        {" \xC3\xA9 \xFF\x80", kind::malformed, 0, "\xC3\xA9 \xFF\x80"},
        {" 12" + std::string(200, ' ') + "x", kind::malformed, 0, "12" + std::string(99, ' ')},
        {" 12" + std::string(300, ' '), kind::value, 12, ""},
    };
    for (const auto& c : cases) {
        const std::string line = dates + c.tail;
        SCOPED_TRACE(line.substr(0, 60));
        for (const std::size_t cut : {std::size_t{1}, std::size_t{7}, std::size_t{22}, std::size_t{999}}) {
            io::tailreader r;
            r.start();
            for (std::size_t from = 0; from < line.size(); from += cut)
                r.add(line.data() + from, std::min(cut, line.size() - from));
            const io::expectation e = r.finish();
            EXPECT_EQ(e.what, c.what) << cut;
            EXPECT_EQ(e.value, c.value) << cut;
            EXPECT_EQ(e.text, c.text) << cut;
        }
        const io::expectation whole = io::expectationof(line);
        EXPECT_EQ(std::tie(whole.what, whole.value, whole.text), std::tie(c.what, c.value, c.text));
    }
    // A line that ends before column 21 has no tail.
    EXPECT_EQ(io::expectationof("01/01/2000 01/01/200\n").what, kind::none);
    EXPECT_EQ(io::expectationof("5").what, kind::none);
}

// Across the reader's own buffer boundaries and for other buffer sizes, the
// pieces equal those of a reader taking one character at a time, and
// nothing past the terminating zero is written but the file's own next
// bytes, within the first 32 of a buffer larger than that.  getpiece hands
// out the same pieces and leaves the terminating zero out.
TEST(Reader, MatchesCharacterReader) {
    tempdir dir;
    std::mt19937 rng(7);
    for (const bool piece : {false, true})
        for (const int size : {2, 3, 22, 1000}) {
            SCOPED_TRACE(std::string(piece ? "getpiece" : "getline") + ", size " + std::to_string(size));
            std::string content;
            while (content.size() < 200'000) {
                const int kind = std::uniform_int_distribution<int>(0, 9)(rng);
                const int most = kind == 0 ? 3000 : 40;
                const auto n = static_cast<std::size_t>(std::uniform_int_distribution<int>(0, most)(rng));
                for (std::size_t i = 0; i < n; i++)
                    content += static_cast<char>(std::uniform_int_distribution<int>(0, 255)(rng));
                content += '\n';
            }
            writefile(dir / "t", content);
            ASSERT_TRUE(harness::fid.open((dir / "t").c_str()));
            charstream model{content};
            std::vector<signed char> buf(static_cast<std::size_t>(size) + 1);
            std::vector<signed char> expect(buf.size());
            for (;;) {
                std::fill(buf.begin(), buf.end(), static_cast<signed char>(0x55));
                const std::size_t start = model.pos;  // where the piece begins in the file
                const int n = piece ? harness::fid.getpiece(buf.data(), size) : harness::fid.getline(buf.data(), size);
                const int m = modelgetline(model, expect.data(), size);
                ASSERT_EQ(n, m);
                const auto stored = static_cast<std::size_t>(n) + (piece ? 0 : 1);  // with the zero, for getline
                ASSERT_EQ(std::memcmp(buf.data(), expect.data(), stored), 0);
                const std::size_t ahead = size > 32 ? 32 : 0;  // bytes that may be copied ahead
                for (std::size_t i = stored; i < buf.size(); i++) {
                    const bool filebyte = i < ahead && start + i < content.size() &&
                                          buf[i] == static_cast<signed char>(content[start + i]);
                    ASSERT_TRUE(buf[i] == 0x55 || filebyte) << "byte " << i;
                }
                if (n == 0)
                    break;
            }
            harness::fid.close();
        }
}

TEST(Reader, Errors) {
    tempdir dir;
    EXPECT_FALSE(harness::fid.open((dir / "missing").c_str()));
    // A directory opens, but reading it fails: that is no end of file.
    ASSERT_TRUE(harness::fid.open(dir.path().c_str()));
    signed char buf[dates::linesize];
    EXPECT_EQ(harness::fid.getline(buf, dates::linesize), -1);
    EXPECT_EQ(harness::fid.error(), EISDIR);
    // Opening again starts afresh.
    writefile(dir / "t", "a\n");
    ASSERT_TRUE(harness::fid.open((dir / "t").c_str()));
    EXPECT_EQ(harness::fid.error(), 0);
    EXPECT_EQ(harness::fid.getline(buf, dates::linesize), 2);
    harness::fid.close();
}

}  // namespace
}  // namespace vorlak::tests
