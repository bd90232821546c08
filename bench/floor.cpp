// vorlak-floor: the least work that reads a test file 65 times.  It opens
// the file afresh for every pass, reads it to the end with read(2) into a
// 64 KiB buffer and counts the newlines with memchr, so that the reading
// cannot be optimised away.  It prints the count of all 65 passes.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int passes = 65;
constexpr std::size_t buffersize = 64 * 1024;

char buffer[buffersize];

// The newlines of one pass; -1 when the file cannot be opened or read.
long countnewlines(const char* path) {
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    long count = 0;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, buffersize);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ::close(fd);
            return n < 0 ? -1 : count;
        }
        const char* p = buffer;
        const char* end = buffer + n;
        while ((p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)))) != nullptr) {
            count++;
            p++;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: vorlak-floor file\n", stderr);
        return 1;
    }
    long total = 0;
    for (int pass = 0; pass < passes; pass++) {
        const long n = countnewlines(argv[1]);
        if (n < 0) {
            std::fprintf(stderr, "vorlak-floor: %s: %s\n", argv[1], std::strerror(errno));
            return 1;
        }
        total += n;
    }
    std::printf("%ld\n", total);
    return 0;
}
