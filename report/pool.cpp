// The class worker pool: each file graded in a process of its own, the
// grades sent back to the parent through a pipe.
#include "report/pool.hpp"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <new>
#include <optional>
#include <poll.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include "io/write.hpp"
#include "report/wire.hpp"

namespace vorlak::report {

using engine::grade;
using engine::gradefile;
using engine::gradeneeds;

namespace {

constexpr std::size_t batch = 64 * 1024;  // bytes of grades a worker gathers before it writes them

// A worker: takes the next file from the shared counter until none is
// left, and writes each grade to out.  Never returns.
[[noreturn]] void work(const std::vector<std::string>& paths, const gradeneeds& needs, std::atomic<std::size_t>& next,
                       int out) {
    std::string bytes;
    gradewriter writer;
    for (std::size_t i; (i = next.fetch_add(1)) < paths.size();) {
        writer.write(bytes, i, gradefile(paths[i], needs));
        if (bytes.size() >= batch) {
            if (io::writefully(out, bytes.data(), bytes.size()) != 0)
                ::_exit(1);
            bytes.clear();
        }
    }
    ::_exit(io::writefully(out, bytes.data(), bytes.size()) == 0 ? 0 : 1);
}

// Reads every pipe to its end.
std::vector<std::string> drain(const std::vector<int>& pipes) {
    std::vector<std::string> got(pipes.size());
    std::vector<pollfd> open;
    for (const int fd : pipes)
        open.push_back({fd, POLLIN, 0});
    std::vector<char> buffer(batch);
    while (std::any_of(open.begin(), open.end(), [](const pollfd& p) { return p.fd >= 0; })) {
        if (::poll(open.data(), open.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        for (std::size_t w = 0; w < open.size(); w++) {
            if (open[w].fd < 0 || open[w].revents == 0)
                continue;
            const ssize_t n = ::read(open[w].fd, buffer.data(), buffer.size());
            if (n > 0)
                got[w].append(buffer.data(), static_cast<std::size_t>(n));
            else if (n == 0 || errno != EINTR)
                open[w].fd = -1;
        }
    }
    return got;
}

// The workers started: their pipes' reading ends and their process ids.
struct pool {
    std::vector<int> pipes;
    std::vector<pid_t> pids;
};

// Up to workers processes, each taking files from next; fewer when a pipe
// or a process cannot be had.
pool start(const std::vector<std::string>& paths, const gradeneeds& needs, std::size_t workers,
           std::atomic<std::size_t>& next) {
    pool p;
    for (std::size_t w = 0; w < workers; w++) {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0)
            break;
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(ends[0]);
            for (const int fd : p.pipes)
                ::close(fd);
            work(paths, needs, next, ends[1]);
        }
        ::close(ends[1]);
        if (pid < 0) {
            ::close(ends[0]);
            break;
        }
        p.pipes.push_back(ends[0]);
        p.pids.push_back(pid);
    }
    return p;
}

// Every grade the workers send, into grades; then the workers' ends.
// Returns which files were graded.
std::vector<bool> collect(const pool& p, std::vector<grade>& grades) {
    std::vector<bool> seen(grades.size(), false);
    gradereader reader;
    for (const std::string& got : drain(p.pipes))
        for (std::string_view rest = got; !rest.empty();) {
            std::optional<received> r = reader.read(rest);
            if (!r || r->index >= grades.size())
                break;
            grades[r->index] = std::move(r->grade);
            seen[r->index] = true;
        }
    for (const int fd : p.pipes)
        ::close(fd);
    for (const pid_t pid : p.pids)
        while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    return seen;
}

}  // namespace

std::vector<grade> gradeclass(const std::vector<std::string>& paths, int jobs, const gradeneeds& needs) {
    std::vector<grade> grades(paths.size());
    const auto here = [&] {
        for (std::size_t i = 0; i < paths.size(); i++)
            grades[i] = gradefile(paths[i], needs);
        return grades;
    };
    const std::size_t workers = std::min(paths.size(), static_cast<std::size_t>(std::max(jobs, 1)));
    if (workers <= 1)
        return here();

    // The counter of the next file lies in memory that the workers share.
    void* shared =
        ::mmap(nullptr, sizeof(std::atomic<std::size_t>), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    // Should no worker start, the files are graded here; should some, they
    // take all the files between them.
    pool p;
    if (shared != MAP_FAILED)
        p = start(paths, needs, workers, *new (shared) std::atomic<std::size_t>(0));
    const std::vector<bool> seen = collect(p, grades);
    if (shared != MAP_FAILED)
        ::munmap(shared, sizeof(std::atomic<std::size_t>));
    if (p.pids.empty())
        return here();
    for (std::size_t i = 0; i < paths.size(); i++) {
        grades[i].name = paths[i];
        if (!seen[i]) {
            grades[i] = grade{};
            grades[i].name = paths[i];
            grades[i].error = "not graded: its grading process ended early";
        }
    }
    return grades;
}

}  // namespace vorlak::report
