// The class worker pool: each file graded in a process of its own, the
// grades sent back to the parent through a pipe.
#include "report/pool.hpp"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <poll.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include "io/write.hpp"

namespace vorlak::report {

using engine::grade;
using engine::gradefile;

namespace {

constexpr std::size_t batch = 64 * 1024;  // bytes of grades a worker gathers before it writes them

// A grade travels from a worker to the parent as its index, then its
// fields, numbers as 8 bytes and texts as a length and the bytes: each
// mutant's first kill, then each mutant's first reach.
class packer {
public:
    void number(std::int64_t n) { bytes.append(reinterpret_cast<const char*>(&n), sizeof n); }
    void text(const std::string& t) {
        number(static_cast<std::int64_t>(t.size()));
        bytes += t;
    }
    std::string bytes;
};

class unpacker {
public:
    explicit unpacker(std::string_view b) : bytes_(b) {}
    bool done() const { return bytes_.empty(); }
    bool number(std::int64_t& n) {
        if (bytes_.size() < sizeof n)
            return false;
        std::memcpy(&n, bytes_.data(), sizeof n);
        bytes_.remove_prefix(sizeof n);
        return true;
    }
    bool text(std::string& t) {
        std::int64_t size = 0;
        if (!number(size) || size < 0 || static_cast<std::uint64_t>(size) > bytes_.size())
            return false;
        t.assign(bytes_.substr(0, static_cast<std::size_t>(size)));
        bytes_.remove_prefix(static_cast<std::size_t>(size));
        return true;
    }

private:
    std::string_view bytes_;
};

void pack(packer& p, std::size_t index, const grade& g) {
    p.number(static_cast<std::int64_t>(index));
    p.text(g.error);
    p.number(g.lines);
    p.number(g.needed);
    for (std::size_t m = 0; m < g.kills.size(); m++) {
        p.number(g.kills[m].line);
        p.number(g.kills[m].reference);
        p.number(g.kills[m].result);
        p.text(g.inputs[m]);
    }
    for (const engine::firstreach& f : g.reach) {
        const engine::verdict& v = f.why;
        for (const std::int64_t n :
             {std::int64_t{f.reached}, std::int64_t{f.infected}, static_cast<std::int64_t>(v.reach),
              static_cast<std::int64_t>(v.lost), static_cast<std::int64_t>(v.what), std::int64_t{v.date},
              std::int64_t{v.reference}, std::int64_t{v.mutant}, std::int64_t{v.at.month}, std::int64_t{v.at.day},
              std::int64_t{v.at.year}})
            p.number(n);
    }
}

// The first reach of a mutant: its lines and the verdict on the first
// infecting piece, as pack wrote them.
bool unpack(unpacker& u, engine::firstreach& f) {
    std::array<std::int64_t, 11> n{};
    for (std::int64_t& each : n)
        if (!u.number(each))
            return false;
    // Numbers outside the enumerations mean the bytes are not a grade.
    if (n[2] < 0 || n[2] > static_cast<std::int64_t>(engine::state::killed) || n[3] < 0 ||
        n[3] > static_cast<std::int64_t>(engine::loss::reversed) || n[4] < 0 ||
        n[4] > static_cast<std::int64_t>(engine::measure::daynumber))
        return false;
    engine::verdict& v = f.why;
    f.reached = static_cast<long>(n[0]);
    f.infected = static_cast<long>(n[1]);
    v.reach = static_cast<engine::state>(n[2]);
    v.lost = static_cast<engine::loss>(n[3]);
    v.what = static_cast<engine::measure>(n[4]);
    v.date = static_cast<int>(n[5]);
    v.reference = static_cast<int>(n[6]);
    v.mutant = static_cast<int>(n[7]);
    v.at = {static_cast<int>(n[8]), static_cast<int>(n[9]), static_cast<int>(n[10])};
    return true;
}

// The next grade of u into grades; false when the bytes are cut short.
bool unpack(unpacker& u, std::vector<grade>& grades, std::vector<bool>& seen) {
    std::int64_t index = 0;
    if (!u.number(index) || index < 0 || static_cast<std::size_t>(index) >= grades.size())
        return false;
    const auto i = static_cast<std::size_t>(index);
    grade& g = grades[i];
    std::int64_t lines = 0;
    std::int64_t needed = 0;
    if (!u.text(g.error) || !u.number(lines) || !u.number(needed))
        return false;
    g.lines = static_cast<long>(lines);
    g.needed = static_cast<long>(needed);
    for (std::size_t m = 0; m < g.kills.size(); m++) {
        std::int64_t line = 0;
        std::int64_t reference = 0;
        std::int64_t result = 0;
        if (!u.number(line) || !u.number(reference) || !u.number(result) || !u.text(g.inputs[m]))
            return false;
        g.kills[m].line = static_cast<long>(line);
        g.kills[m].reference = static_cast<int>(reference);
        g.kills[m].result = static_cast<int>(result);
    }
    for (engine::firstreach& f : g.reach)
        if (!unpack(u, f))
            return false;
    seen[i] = true;
    return true;
}

// A worker: takes the next file from the shared counter until none is
// left, and writes each grade to out.  Never returns.
[[noreturn]] void work(const std::vector<std::string>& paths, bool texts, std::atomic<std::size_t>& next, int out) {
    packer p;
    for (std::size_t i; (i = next.fetch_add(1)) < paths.size();) {
        pack(p, i, gradefile(paths[i], texts));
        if (p.bytes.size() >= batch) {
            if (io::writefully(out, p.bytes.data(), p.bytes.size()) != 0)
                ::_exit(1);
            p.bytes.clear();
        }
    }
    ::_exit(io::writefully(out, p.bytes.data(), p.bytes.size()) == 0 ? 0 : 1);
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
pool start(const std::vector<std::string>& paths, bool texts, std::size_t workers, std::atomic<std::size_t>& next) {
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
            work(paths, texts, next, ends[1]);
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
    for (const std::string& got : drain(p.pipes)) {
        unpacker u(got);
        while (!u.done() && unpack(u, grades, seen)) {
        }
    }
    for (const int fd : p.pipes)
        ::close(fd);
    for (const pid_t pid : p.pids)
        while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    return seen;
}

}  // namespace

std::vector<grade> gradeclass(const std::vector<std::string>& paths, int jobs, bool texts) {
    std::vector<grade> grades(paths.size());
    const auto here = [&] {
        for (std::size_t i = 0; i < paths.size(); i++)
            grades[i] = gradefile(paths[i], texts);
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
        p = start(paths, texts, workers, *new (shared) std::atomic<std::size_t>(0));
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
