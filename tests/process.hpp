// Running a program as a real process and capturing what it writes: the
// command-line tests compare its output, its errors and its exit status.
#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vorlak::tests {

// A directory of its own for each test, removed with everything in it.
class tempdir {
public:
    tempdir() {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base != nullptr && *base != 0 ? base : "/tmp") + "/vorlak-test-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    tempdir(const tempdir&) = delete;
    tempdir& operator=(const tempdir&) = delete;
    ~tempdir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }
    std::string operator/(std::string_view name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline void writefile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

inline std::string readfile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Where the child's standard output goes.
enum class outto {
    capture,     // a file, read back afterwards
    devfull,     // /dev/full: every write fails with ENOSPC
    closedpipe,  // a pipe whose reading end is already closed: EPIPE
    closed,      // no descriptor 1 at all: EBADF
    slowpipe,    // a non-blocking pipe read only after a while: EAGAIN, then room
};

struct outcome {
    std::string out;
    std::string err;
    int status = -1;  // the exit status, or 128 + the signal that ended it
};

// Runs program with the words args (args[0] is the name it is started
// under; an empty args starts it with no words at all), standard input
// from input (empty: /dev/null), in the directory cwd when one is given.
// The child calls prepare, when given, just before it starts the program
// (to set a limit, a signal or the umask); it ends with status 125 when
// prepare returns false.
inline outcome runprocess(const std::string& program, const std::vector<std::string>& args,
                          outto where = outto::capture, const std::string& cwd = {}, std::string_view input = {},
                          const std::function<bool()>& prepare = {}) {
    tempdir capture;
    const std::string outpath = capture / "stdout";
    const std::string errpath = capture / "stderr";
    const std::string inpath = input.empty() ? std::string("/dev/null") : capture / "stdin";
    if (!input.empty())
        writefile(inpath, input);

    // Everything the child needs is made before the fork: after it, the
    // child only calls what is safe there.
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    int outfd = -1;
    int pipefd = -1;
    // clang-format off
    switch (where) {
    case outto::capture: outfd = ::open(outpath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600); break;
    case outto::devfull: outfd = ::open("/dev/full", O_WRONLY | O_CLOEXEC); break;
    case outto::closedpipe: {
        int p[2];
        if (::pipe2(p, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe failed");
        ::close(p[0]);
        outfd = p[1];
        break;
    }
    case outto::slowpipe: {
        int p[2];
        if (::pipe2(p, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe failed");
        ::fcntl(p[1], F_SETFL, O_NONBLOCK);
        pipefd = p[0];
        outfd = p[1];
        break;
    }
    case outto::closed: break;
    }
    // clang-format on
    const int errfd = ::open(errpath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const int infd = ::open(inpath.c_str(), O_RDONLY | O_CLOEXEC);
    if (errfd < 0 || infd < 0 || (where != outto::closed && outfd < 0))
        throw std::runtime_error("cannot set up the child's streams");

    const pid_t pid = ::fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        if (!cwd.empty() && ::chdir(cwd.c_str()) != 0)
            ::_exit(126);
        ::dup2(infd, 0);
        if (where == outto::closed)
            ::close(1);
        else
            ::dup2(outfd, 1);
        ::dup2(errfd, 2);
        if (prepare && !prepare())
            ::_exit(125);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    if (outfd >= 0)
        ::close(outfd);
    ::close(errfd);
    ::close(infd);
    outcome o;
    if (pipefd >= 0) {
        // Let the pipe fill up before reading it.
        ::usleep(100'000);
        char buf[4096];
        ssize_t n;
        while ((n = ::read(pipefd, buf, sizeof buf)) > 0 || (n < 0 && errno == EINTR))
            if (n > 0)
                o.out.append(buf, static_cast<std::size_t>(n));
        ::close(pipefd);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            throw std::runtime_error("waitpid failed");
    }
    o.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (where == outto::capture)
        o.out = readfile(outpath);
    o.err = readfile(errpath);
    return o;
}

}  // namespace vorlak::tests
