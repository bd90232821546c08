// vorlak-cputime: runs a command and reports what it cost, as one line on
// standard output: CPU seconds (user + system), peak resident memory in KiB,
// bytes read and the exit status.  The command's standard output goes to
// /dev/null, or to the file named with -o, so that the report stays apart.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "vorlak-cputime: %s: %s\n", what, std::strerror(errno));
    std::exit(1);
}

// The bytes a finished child has read, from its /proc entry while it is still
// a zombie; -1 where the system does not keep that count.
long long bytesread(pid_t pid) {
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/io", static_cast<int>(pid));
    FILE* f = std::fopen(path, "r");
    if (f == nullptr)
        return -1;
    long long rchar = -1;
    if (std::fscanf(f, "rchar: %lld", &rchar) != 1)
        rchar = -1;
    std::fclose(f);
    return rchar;
}

double seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; }

}  // namespace

int main(int argc, char** argv) {
    const char* output = "/dev/null";
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "-o") == 0) {
        output = argv[2];
        first = 3;
    }
    if (first >= argc) {
        std::fputs("usage: vorlak-cputime [-o file] command [argument ...]\n", stderr);
        return 1;
    }
    const int out = ::open(output, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (out < 0)
        fail(output);

    const pid_t pid = ::fork();
    if (pid < 0)
        fail("fork");
    if (pid == 0) {
        if (::dup2(out, STDOUT_FILENO) < 0)
            _exit(127);
        ::execvp(argv[first], argv + first);
        std::fprintf(stderr, "vorlak-cputime: %s: %s\n", argv[first], std::strerror(errno));
        _exit(127);
    }
    ::close(out);

    siginfo_t info{};
    while (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) < 0)
        if (errno != EINTR)
            fail("waitid");
    const long long rchar = bytesread(pid);
    int status = 0;
    rusage usage{};
    while (::wait4(pid, &status, 0, &usage) < 0)
        if (errno != EINTR)
            fail("wait4");

    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    std::printf("%.6f %ld %lld %d\n", seconds(usage.ru_utime) + seconds(usage.ru_stime), usage.ru_maxrss, rchar, code);
    return 0;
}
