// vorlak as a user meets it: the real program started as a process, its
// standard output, standard error and exit status compared exactly.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/model.hpp"
#include "tests/process.hpp"

namespace vorlak::tests {
namespace {

const std::string program = VORLAK_PROGRAM;
const std::string examples = VORLAK_EXAMPLES;
const std::string usagetext = "Usage: vorlak [-uv] -i <test file>\n";

// A file that kills exactly mutants 18 (rejects January) and 22 (rejects day 1).
const std::string twokills = "01/01/2000 01/01/1999\n";
const std::string twoquiet = "2/65 mutants killed. (3%)\n";
const std::string twoverbose = "Input: 01/01/2000 01/01/1999\n-3 =?= -11\nKilled mutant 18.\n"
                               "Input: 01/01/2000 01/01/1999\n-3 =?= -12\nKilled mutant 22.\n" +
                               twoquiet;
const std::string nokills = "0/65 mutants killed. (0%)\n";

std::vector<std::string> withname(std::vector<std::string> args) {
    args.insert(args.begin(), "vorlak");
    return args;
}

void expectoutcome(const outcome& got, const std::string& out, const std::string& err, int status) {
    EXPECT_EQ(got.out, out);
    EXPECT_EQ(got.err, err);
    EXPECT_EQ(got.status, status);
}

// Each word's {a}, {b}, {missing} and {dir} stand for the paths in the
// test's directory: a kills two mutants, b is empty, missing does not
// exist, dir is a directory.
struct commandcase {
    const char* what;
    std::vector<std::string> args;
    std::string out;
    std::string err;
    int status;
};

TEST(CommandLine, EdgeCases) {
    tempdir dir;
    writefile(dir / "a", twokills);
    writefile(dir / "b", "");
    std::filesystem::create_directory(dir / "dir");
    // For the words -i -v, which name a file called "-v".
    writefile(dir / "-v", twokills);

    const std::string unknown = "vorlak: unknown option -- ";
    const std::string noarg = "vorlak: option requires an argument -- i\n" + usagetext;
    const std::vector<commandcase> cases = {
        {"no arguments", {}, "", usagetext, 1},
        {"-u alone", {"-u"}, "", usagetext, 1},
        {"-u before a valid -i", {"-u", "-i", "{a}"}, "", usagetext, 1},
        {"-u after a valid -i", {"-i", "{a}", "-u"}, "", usagetext, 1},
        {"-u grouped with -v", {"-vu", "-i", "{a}"}, "", usagetext, 1},
        {"unknown letter before -i", {"-x", "-i", "{a}"}, "", unknown + "x\n" + usagetext, 1},
        {"unknown letter after -i", {"-i", "{a}", "-x"}, "", unknown + "x\n" + usagetext, 1},
        {"unknown letter in a group", {"-vx", "-i", "{a}"}, "", unknown + "x\n" + usagetext, 1},
        {"a long option is letters", {"--help"}, "", unknown + "-\n" + usagetext, 1},
        {"colon is no option letter", {"-:", "-i", "{a}"}, "", unknown + ":\n" + usagetext, 1},
        {"plus is no option letter", {"-+", "-i", "{a}"}, "", unknown + "+\n" + usagetext, 1},
        {"-i as the last word", {"-i"}, "", noarg, 1},
        {"-i as the last word after -v", {"-v", "-i"}, "", noarg, 1},
        {"-vi as the last word", {"-vi"}, "", noarg, 1},
        {"-i with an empty argument", {"-i", ""}, "", usagetext, 1},
        {"the last -i is empty", {"-i", "{a}", "-i", ""}, "", usagetext, 1},
        {"the last -i counts", {"-i", "{a}", "-i", "{b}"}, nokills, "", 0},
        {"the last -i counts, reversed", {"-i", "{b}", "-i", "{a}"}, twoquiet, "", 0},
        {"-i and path in two words", {"-i", "{a}"}, twoquiet, "", 0},
        {"-i and path in one word", {"-i{a}"}, twoquiet, "", 0},
        {"-v before -i", {"-v", "-i", "{a}"}, twoverbose, "", 0},
        {"-v after -i", {"-i", "{a}", "-v"}, twoverbose, "", 0},
        {"-vi and the path as the next word", {"-vi", "{a}"}, twoverbose, "", 0},
        {"-vi and the path in one word", {"-vi{a}"}, twoverbose, "", 0},
        {"-i takes -v as its argument", {"-i", "-v"}, twoquiet, "", 0},
        {"extra words after the options", {"-i", "{a}", "extra", "words"}, twoquiet, "", 0},
        {"-- before -i", {"--", "-i", "{a}"}, "", usagetext, 1},
        {"-- after a valid -i", {"-i", "{a}", "--"}, twoquiet, "", 0},
        {"no option after --", {"-i", "{a}", "--", "-v"}, twoquiet, "", 0},
        {"options end at the first word", {"word", "-v", "-i", "{a}"}, "", usagetext, 1},
        {"no option after a word", {"-i", "{a}", "word", "-v"}, twoquiet, "", 0},
        {"a lone - is a word", {"-i", "{a}", "-", "-v"}, twoquiet, "", 0},
        {"-i - is a file named -, not the input", {"-i", "-"}, "error opening file\n", "", 1},
        {"a file that does not exist", {"-v", "-i", "{missing}"}, "error opening file\n", "", 1},
        {"a directory opens but cannot be read", {"-v", "-i", "{dir}"}, "error reading file\n", "", 1},
        {"an empty file", {"-v", "-i", "{b}"}, nokills, "", 0},
    };
    for (const commandcase& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> args;
        for (std::string word : c.args) {
            for (const char* name : {"a", "b", "missing", "dir"}) {
                const std::string token = std::string("{") + name + "}";
                if (const auto at = word.find(token); at != std::string::npos)
                    word.replace(at, token.size(), dir / name);
            }
            args.push_back(word);
        }
        expectoutcome(runprocess(program, withname(args), outto::capture, dir.path().string()), c.out, c.err, c.status);
    }
}

TEST(CommandLine, DiagnosticsNameTheProgramAsInvoked) {
    expectoutcome(runprocess(program, {"./some/other-name", "-q"}), "",
                  "./some/other-name: unknown option -- q\n" + usagetext, 1);
    expectoutcome(runprocess(program, {"x", "-i"}), "", "x: option requires an argument -- i\n" + usagetext, 1);
    // Started with no words at all, not even a name: no crash, just the usage.
    expectoutcome(runprocess(program, {}), "", usagetext, 1);
}

TEST(CommandLine, PathLongerThanEightyBytes) {
    tempdir dir;
    std::string path = dir.path().string();
    for (int i = 0; i < 6; i++) {
        path += "/" + std::string(60, static_cast<char>('a' + i));
        std::filesystem::create_directory(path);
    }
    path += "/tests.txt";
    ASSERT_GT(path.size(), 360u);
    writefile(path, twokills);
    expectoutcome(runprocess(program, withname({"-v", "-i", path})), twoverbose, "", 0);
    expectoutcome(runprocess(program, withname({"-vi" + path})), twoverbose, "", 0);
}

// Standard output that cannot be written is an error, never a success.
TEST(WriteErrors, ReportedOnStandardError) {
    tempdir dir;
    writefile(dir / "a", twokills);
    // More than the output buffer holds, so writing fails in the middle of
    // the run: the adequate example with every line padded to 998 bytes.
    std::string big;
    {
        const std::string adequate = readfile(examples + "/adequate.txt");
        for (std::size_t at = 0, end; (end = adequate.find('\n', at)) != std::string::npos; at = end + 1) {
            std::string l = adequate.substr(at, end - at);
            l.resize(998, '.');
            big += l + "\n";
        }
    }
    writefile(dir / "big", big);
    const std::string nospace = "vorlak: write error: No space left on device\n";
    struct writecase {
        const char* what;
        std::vector<std::string> args;
        outto where;
        std::string err;
    };
    // clang-format off
    const std::vector<writecase> cases = {
        {"summary to /dev/full", {"-i", dir / "a"}, outto::devfull, nospace},
        {"kill reports to /dev/full", {"-v", "-i", dir / "a"}, outto::devfull, nospace},
        {"a buffer's worth to /dev/full", {"-v", "-i", dir / "big"}, outto::devfull, nospace},
        {"error opening file to /dev/full", {"-i", dir / "missing"}, outto::devfull, nospace},
        {"error reading file to /dev/full", {"-i", dir.path().string()}, outto::devfull, nospace},
        {"summary to a closed pipe", {"-i", dir / "a"}, outto::closedpipe, "vorlak: write error: Broken pipe\n"},
        {"a buffer's worth to a closed pipe", {"-v", "-i", dir / "big"}, outto::closedpipe, "vorlak: write error: Broken pipe\n"},
        {"no standard output at all", {"-i", dir / "a"}, outto::closed, "vorlak: write error: Bad file descriptor\n"},
    };
    // clang-format on
    for (const writecase& c : cases) {
        SCOPED_TRACE(c.what);
        const outcome got = runprocess(program, withname(c.args), c.where);
        EXPECT_EQ(got.err, c.err);
        EXPECT_EQ(got.status, 1);
    }
    // The same file, written where it can be, also to a pipe left
    // non-blocking that is full for a while.
    for (const outto where : {outto::capture, outto::slowpipe}) {
        const outcome ok = runprocess(program, withname({"-v", "-i", dir / "big"}), where);
        EXPECT_GT(ok.out.size(), 64u * 1024u);
        expectoutcome(ok, modelrun(big, true), "", 0);
    }
}

TEST(Examples, AdequateKillsAll) {
    const outcome quiet = runprocess(program, withname({"-i", examples + "/adequate.txt"}));
    expectoutcome(quiet, "65/65 mutants killed. (100%)\n", "", 0);
    const outcome verbose = runprocess(program, withname({"-v", "-i", examples + "/adequate.txt"}));
    EXPECT_EQ(verbose.out, modelrun(readfile(examples + "/adequate.txt"), true));
    EXPECT_EQ(verbose.status, 0);
}

TEST(Examples, StarterKillsTheDocumentedCount) {
    expectoutcome(runprocess(program, withname({"-i", examples + "/starter.txt"})), "19/65 mutants killed. (29%)\n", "",
                  0);
}

// Killing lines at the start, in the middle and at the end of files.
TEST(Passes, KillReportsAsWritten) {
    tempdir dir;
    struct passcase {
        const char* what;
        std::string file;
        std::string verbose;
    };
    const std::vector<passcase> cases = {
        {"killing line in the middle, and only the first of several",
         "short\n\n01/01/2000 01/01/1999 first\n01/01/2000 01/01/1999 second\n",
         "Input: 01/01/2000 01/01/1999 first\n-3 =?= -11\nKilled mutant 18.\n"
         "Input: 01/01/2000 01/01/1999 first\n-3 =?= -12\nKilled mutant 22.\n"},
        {"killing last line without a newline", "01/01/2000 13/01/2000x",
         "Input: 01/01/2000 13/01/2000x-21 =?= -11\nKilled mutant 18.\n"
         "Input: 01/01/2000 13/01/2000x-21 =?= 1\nKilled mutant 20.\n"
         "Input: 01/01/2000 13/01/2000x-21 =?= -12\nKilled mutant 22.\n"},
        {"a carriage return is an ordinary character", "0a/01/2000 01/01/2000\r\n",
         "Input: 0a/01/2000 01/01/2000\r\n-4 =?= -11\nKilled mutant 2.\n"},
        {"20 columns and CR LF reach column 21", "10/10/2010 11/01/201\r\n",
         "Input: 10/10/2010 11/01/201\r\n-4 =?= -3\nKilled mutant 16.\n"},
        {"zero bytes and byte 255 are echoed",
         std::string("01/01/2000\0"
                     "01/0\xff/2000\0\xff\n",
                     24),
         "Input: " +
             std::string("01/01/2000\0"
                         "01/0\xff/2000\0\xff\n",
                         24) +
             "-4 =?= -22\nKilled mutant 12.\n"},
    };
    for (const passcase& c : cases) {
        SCOPED_TRACE(c.what);
        writefile(dir / "t", c.file);
        // The reports are checked by hand here; the counts come from them.
        int kills = 0;
        for (std::size_t at = 0; (at = c.verbose.find("Killed mutant ", at)) != std::string::npos; at++)
            kills++;
        expectoutcome(runprocess(program, withname({"-v", "-i", dir / "t"})), c.verbose + modelsummary(kills), "", 0);
        expectoutcome(runprocess(program, withname({"-i", dir / "t"})), modelsummary(kills), "", 0);
    }
}

// Random and adversarial files give what the plain model gives, byte for byte.
TEST(Passes, AdversarialFilesMatchTheModel) {
    tempdir dir;
    for (std::uint32_t seed = 1; seed <= 40; seed++) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        adversary gen(seed);
        const std::string file = gen.file();
        writefile(dir / "t", file);
        for (bool verbose : {false, true}) {
            std::vector<std::string> args = {"-i", dir / "t"};
            if (verbose)
                args.insert(args.begin(), "-v");
            expectoutcome(runprocess(program, withname(args)), modelrun(file, verbose), "", 0);
        }
    }
}

}  // namespace
}  // namespace vorlak::tests
