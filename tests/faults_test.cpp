// Faults while a run is under way: a test file that goes away, fails or
// changes between passes, and files whose shape would tempt a reader to
// hold them in memory.  (Output that cannot be written is harness_test's.)
//
// Where a whole run can be steered deterministically it is the real program
// that runs; where it cannot, the passes are called here directly, in a
// child process when they are to end the process.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/ptrace.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "harness/harness.hpp"
#include "harness/output.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/mutants.hpp"
#include "testlines.hpp"
#include "tests/process.hpp"

#if defined(__SANITIZE_ADDRESS__)
#define VORLAK_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VORLAK_SANITIZED 1
#endif
#endif

// The test binary is linked with --wrap=read, so that the reader's read(2)
// calls come through here and the reads of one file can be made to fail
// part-way, as on a failing disk.
extern "C" ssize_t __real_read(int fd, void* buf, std::size_t count);

namespace {

struct {
    bool armed = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t after = 0;  // reads of the file fail from this offset on
    int failures = 0;
} readfault;

}  // namespace

extern "C" ssize_t __wrap_read(int fd, void* buf, std::size_t count) {
    struct stat st;
    if (readfault.armed && ::fstat(fd, &st) == 0 && st.st_dev == readfault.device && st.st_ino == readfault.inode) {
        const off_t at = ::lseek(fd, 0, SEEK_CUR);
        if (at >= readfault.after) {
            readfault.failures++;
            errno = EIO;
            return -1;
        }
        // Stop short at the failing offset, so that the data before it is read.
        if (static_cast<off_t>(count) > readfault.after - at)
            count = static_cast<std::size_t>(readfault.after - at);
    }
    return __real_read(fd, buf, count);
}

namespace {

namespace fs = std::filesystem;
using namespace vorlak;
using namespace std::chrono_literals;
using tests::readfile;
using tests::tempdir;
using tests::writefile;

constexpr const char* program = VORLAK_PROGRAM;

// How a child ended, what it wrote, and the peak of its resident memory in
// KiB when it was measured.
struct outcome {
    int status = -1;
    std::string out;
    std::string err;
    long peakkib = -1;

    bool exited(int code) const { return WIFEXITED(status) && WEXITSTATUS(status) == code; }
};

// A child process, started at once and waited for later, with its standard
// output and standard error in files, so that neither can block it.
class child {
public:
    // Runs vorlak with args.  traced: held by ptrace at its exit, to read
    // the peak of its resident memory then; ru_maxrss would also count this
    // test process, whose memory the child had until exec.
    child(const tempdir& s, const std::vector<std::string>& args, bool traced = false) : s_(s), traced_(traced) {
        start([&] {
            if (traced) {
                ::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
                // LeakSanitizer cannot run in a traced process; leaks are not what is measured here.
                ::setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
            }
            std::vector<char*> argv;
            argv.push_back(const_cast<char*>(program));
            for (const auto& a : args)
                argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            ::execv(program, argv.data());
            std::perror("execv");
            _exit(127);
        });
    }

    // Runs body in the child, as the harness with the given test file;
    // returning from it ends the child as a complete run would, with status 0.
    child(const tempdir& s, const fs::path& testfile, const std::function<void()>& body) : s_(s) {
        start([&] {
            harness::optVerbose = 1;
            harness::testfile = testfile.string();
            body();
            harness::finish(0);
        });
    }

    child(const child&) = delete;
    child& operator=(const child&) = delete;

    ~child() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }

    outcome wait() {
        outcome o;
        if (traced_) {
            o.peakkib = followtoexit(o.status);
        } else {
            // A run that hangs is a failure, not a reason to hang the tests.
            const auto deadline = std::chrono::steady_clock::now() + 60s;
            while (::waitpid(pid_, &o.status, WNOHANG) == 0) {
                if (std::chrono::steady_clock::now() > deadline) {
                    ::kill(pid_, SIGKILL);
                    ::waitpid(pid_, &o.status, 0);
                    break;
                }
                std::this_thread::sleep_for(1ms);
            }
        }
        pid_ = -1;
        o.out = readfile(s_ / "stdout");
        o.err = readfile(s_ / "stderr");
        return o;
    }

private:
    template <class Body> void start(Body body) {
        const int out = ::open((s_ / "stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open((s_ / "stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        // What this process has buffered must not come out of the child too.
        std::fflush(nullptr);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out, STDOUT_FILENO);
            ::dup2(err, STDERR_FILENO);
            body();
            _exit(127);
        }
        ::close(out);
        ::close(err);
    }

    // Lets the traced child run to its end; at its exit, reads its VmHWM.
    long followtoexit(int& status) {
        long peak = -1;
        if (::waitpid(pid_, &status, 0) != pid_ || !WIFSTOPPED(status))
            return peak;
        ::ptrace(PTRACE_SETOPTIONS, pid_, nullptr, PTRACE_O_TRACEEXIT | PTRACE_O_EXITKILL);
        ::ptrace(PTRACE_CONT, pid_, nullptr, nullptr);
        while (::waitpid(pid_, &status, 0) == pid_ && WIFSTOPPED(status)) {
            int deliver = 0;
            if (status >> 8 == (SIGTRAP | (PTRACE_EVENT_EXIT << 8))) {
                std::ifstream in("/proc/" + std::to_string(pid_) + "/status");
                for (std::string field; in >> field;) {
                    if (field == "VmHWM:")
                        in >> peak;
                }
            } else if (WSTOPSIG(status) != SIGTRAP) {
                deliver = WSTOPSIG(status);
            }
            ::ptrace(PTRACE_CONT, pid_, nullptr, reinterpret_cast<void*>(static_cast<long>(deliver)));
        }
        return peak;
    }

    const tempdir& s_;
    bool traced_ = false;
    pid_t pid_ = -1;
};

std::string killreport(const std::string& line, int expected, int actual, int number) {
    return "Input: " + line + std::to_string(expected) + " =?= " + std::to_string(actual) + "\nKilled mutant " +
           std::to_string(number) + ".\n";
}

// -- The test file goes away, or fails, while the run is under way. --

// Each pass opens a FIFO at the path anew; the test hands every pass its
// content, so a real run can be steered pass by pass.  Opening the FIFO for
// writing succeeds only when the run holds it open for reading, that is in
// the pass it is meant for.
void feedpass(const fs::path& fifo, const std::string& content, bool last) {
    int fd = -1;
    for (auto deadline = std::chrono::steady_clock::now() + 30s; fd < 0;) {
        fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd < 0) {
            ASSERT_EQ(errno, ENXIO) << std::strerror(errno);
            ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the run never opened the test file";
            std::this_thread::sleep_for(1ms);
        }
    }
    ::fcntl(fd, F_SETFL, 0);
    // The next pass must find a new FIFO, or none at all.  The run cannot
    // end this pass before it has read something, so it cannot get there
    // before the write.
    if (last) {
        ::unlink(fifo.c_str());
    } else {
        const fs::path next = fifo.string() + ".next";
        EXPECT_EQ(::mkfifo(next.c_str(), 0600), 0);
        EXPECT_EQ(::rename(next.c_str(), fifo.c_str()), 0);
    }
    const ssize_t written = ::write(fd, content.data(), content.size());
    ::close(fd);
    ASSERT_EQ(written, static_cast<ssize_t>(content.size()));
}

TEST(FileRemoved, EarlierKillReportsStandThenErrorOpeningFile) {
    tempdir s;
    const fs::path fifo = s / "lines";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    child run(s, {"-v", "-i", fifo.string()});

    // Pass 1 finds a line that only mutant 1 lets past its syntax check;
    // pass 2 an empty file; pass 3 a longer one, killing mutant 3 at its end.
    ASSERT_NO_FATAL_FAILURE(feedpass(fifo, "01/01/2000 01/01/2000\nA1/01/2000 01/01/2000\n", false));
    ASSERT_NO_FATAL_FAILURE(feedpass(fifo, "", false));
    ASSERT_NO_FATAL_FAILURE(feedpass(fifo, "02/29/2000 03/01/2000\n\n01/A1/2000 01/01/2000\n", true));
    const outcome o = run.wait();

    EXPECT_TRUE(o.exited(1)) << o.status;
    EXPECT_EQ(o.out, killreport("A1/01/2000 01/01/2000\n", -4, -11, 1) +
                         killreport("01/A1/2000 01/01/2000\n", -4, -12, 3) + "error opening file\n");
    EXPECT_EQ(o.err, "");
}

TEST(ReadFails, PartWayGivesErrorReadingFileNotASurvivor) {
    tempdir s;
    const std::string path = s / "lines";
    // More than one refill of the reader's buffer; the line after the
    // failing offset would kill the mutant, were it ever read.
    std::string content;
    while (content.size() < 100'000)
        content += "01/01/2000 01/01/2000\n";
    content += "02/29/2000 03/01/2000\n";
    writefile(path, content);

    child run(s, path, [&] {
        // A pass before the failure: its kill report stands.
        writefile(path, "A1/01/2000 01/01/2000\n");
        harness::testrun(mutants::entries[1 - 1], 1);
        writefile(path, content);
        struct stat st;
        ::stat(path.c_str(), &st);
        readfault = {true, st.st_dev, st.st_ino, 70'000, 0};
        harness::testrun(mutants::entries[43 - 1], 43);
        std::fprintf(stderr, "the pass ended after %d failed reads\n", readfault.failures);
    });
    const outcome o = run.wait();
    EXPECT_TRUE(o.exited(1)) << o.status;
    EXPECT_EQ(o.out, killreport("A1/01/2000 01/01/2000\n", -4, -11, 1) + "error reading file\n");
    EXPECT_EQ(o.err, "");
}

// -- The file changes between passes: each pass reads what is there when it opens it. --

class BetweenPasses : public ::testing::Test {
protected:
    void SetUp() override {
        harness::optVerbose = 0;
        harness::testfile = path;
    }
    void append(const std::string& text) { std::ofstream(path, std::ios::binary | std::ios::app) << text; }
    void cut(std::size_t size) { fs::resize_file(path, size); }

    tempdir s;
    std::string path = s / "lines";
};

TEST_F(BetweenPasses, AGrownFileIsReadToItsNewEnd) {
    writefile(path, "01/01/2000 01/01/2000\n");
    EXPECT_EQ(harness::testrun(mutants::entries[43 - 1], 43), 0);
    append("02/29/2000 03/01/2000");
    // Without its newline the new line has length 21 and cannot kill.
    EXPECT_EQ(harness::testrun(mutants::entries[43 - 1], 43), 0);
    append("\n");
    EXPECT_EQ(harness::testrun(mutants::entries[43 - 1], 43), 1);
}

TEST_F(BetweenPasses, AShrunkFileIsReadToItsNewEnd) {
    writefile(path, "01/01/2000 01/01/2000\n02/29/2000 03/01/2000\n");
    EXPECT_EQ(harness::testrun(mutants::entries[43 - 1], 43), 1);
    cut(43);  // the killing line loses its newline
    EXPECT_EQ(harness::testrun(mutants::entries[43 - 1], 43), 0);
    cut(0);
    EXPECT_EQ(harness::testrun(mutants::entries[43 - 1], 43), 0);
}

TEST_F(BetweenPasses, AFileReplacedUnderItsNameIsReadAnew) {
    writefile(path, "02/29/2000 03/01/2000\n");
    EXPECT_EQ(harness::testrun(mutants::entries[43 - 1], 43), 1);
    writefile(s / "new", "01/01/2000 01/01/2000\n");
    fs::rename(s / "new", path);
    EXPECT_EQ(harness::testrun(mutants::entries[43 - 1], 43), 0);
}

// -- Files of an awkward shape: correct results, and memory that stays flat. --

constexpr long flatkib = 4 * 1024;  // what a run may take beyond a run on a one-line file
#ifndef VORLAK_SANITIZED
constexpr long peakkib = 16 * 1024;  // what a whole run may take; the sanitizers need far more
#endif

// The output of vorlak -v for a file whose pieces are given, worked out by
// evaluating each piece as a line: the reader's part is trivial to restate.
std::string expectedrun(const std::vector<std::string>& pieces) {
    std::string out;
    int killed = 0;
    for (const auto& m : mutants::mutantset) {
        for (const auto& piece : pieces) {
            const int expected = dates::testline(tests::putline(piece));
            const int actual = mutants::entries[static_cast<std::size_t>(m.number - 1)](dates::len);
            if (expected != actual) {
                out += killreport(piece, expected, actual, m.number);
                killed++;
                break;
            }
        }
    }
    char summary[64];
    std::snprintf(summary, sizeof summary, "%d/65 mutants killed. (%.0f%%)\n", killed, killed * 100 / 65.0);
    return out + summary;
}

class LargeFiles : public ::testing::Test {
protected:
    // Runs vorlak -v over content; checks its output and its memory.
    void expectrun(const std::string& content, const std::string& expected) {
        const long baseline = peakof("02/29/2000 03/01/2000\n").peakkib;
        const outcome o = peakof(content);
        EXPECT_TRUE(o.exited(0)) << o.status << o.err;
        EXPECT_TRUE(o.out == expected) << "output of " << o.out.size() << " bytes, not the " << expected.size()
                                       << " expected";
        ASSERT_GT(o.peakkib, 0) << "no peak memory measured";
        RecordProperty("peak_kib", std::to_string(o.peakkib));
        RecordProperty("one_line_peak_kib", std::to_string(baseline));
        EXPECT_LT(o.peakkib - baseline, flatkib) << "peak " << o.peakkib << " KiB, " << baseline << " for one line";
#ifndef VORLAK_SANITIZED
        EXPECT_LT(o.peakkib, peakkib);
#endif
    }

    outcome peakof(const std::string& content) {
        writefile(s / "lines", content);
        child run(s, {"-v", "-i", s / "lines"}, true);
        return run.wait();
    }

    tempdir s;
};

TEST_F(LargeFiles, ATwentyMegabyteLineWithoutNewline) {
    constexpr std::size_t size = 20 * 1000 * 1000;
    std::string content = "02/29/2000 03/01/2000";
    content.resize(size, 'x');
    // Pieces of 999 bytes; only the first holds dates.
    std::vector<std::string> pieces;
    for (std::size_t at = 0; at < size && pieces.size() < 3; at += 999)
        pieces.push_back(content.substr(at, 999));
    pieces.push_back(content.substr(size - size % 999));
    expectrun(content, expectedrun(pieces));
}

TEST_F(LargeFiles, OnlyNewlines) { expectrun(std::string(200'000, '\n'), "0/65 mutants killed. (0%)\n"); }

TEST_F(LargeFiles, OnlyZeroBytes) { expectrun(std::string(20 * 1000 * 1000, '\0'), "0/65 mutants killed. (0%)\n"); }

}  // namespace
