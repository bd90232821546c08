// A class graded on threads, each with its own judging and, through the
// program's thread_local line buffer and dates, its own evaluation.
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <new>
#include <system_error>
#include <thread>

#include "engine/fastjudge.hpp"
#include "engine/grade.hpp"

namespace vorlak::engine {

namespace {

// One thread's share of a class: the next file not yet taken, until none is
// left.  A file whose grading runs out of memory is marked so, alone.
void gradeshare(const std::vector<std::string>& paths, const gradeneeds& needs, std::atomic<std::size_t>& next,
                std::vector<grade>& grades) {
    fast::judging judging;
    for (std::size_t i; (i = next.fetch_add(1, std::memory_order_relaxed)) < paths.size();) {
        try {
            grades[i] = gradefile(paths[i], needs, judging);
        } catch (const std::bad_alloc&) {
            grades[i] = grade{};
            grades[i].name = paths[i];
            grades[i].error = std::strerror(ENOMEM);
        }
    }
}

}  // namespace

std::vector<grade> gradeclass(const std::vector<std::string>& paths, int jobs, const gradeneeds& needs) {
    std::vector<grade> grades(paths.size());
    std::atomic<std::size_t> next{0};
    const std::size_t threads = std::min(paths.size(), static_cast<std::size_t>(std::max(jobs, 1)));
    {
        // Should a thread not start, those that did take its files.
        std::vector<std::jthread> others;
        for (std::size_t t = 1; t < threads; t++) {
            try {
                others.emplace_back([&] { gradeshare(paths, needs, next, grades); });
            } catch (const std::system_error&) {
                break;
            }
        }
        gradeshare(paths, needs, next, grades);
    }
    return grades;
}

}  // namespace vorlak::engine
