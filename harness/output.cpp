#include "harness/output.hpp"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#include "io/write.hpp"

namespace vorlak::harness {

namespace {

constexpr std::size_t capacity = 64 * 1024;

char buffer[capacity];
std::size_t used = 0;

[[noreturn]] void writeerror(int error) {
    std::fprintf(stderr, "vorlak: write error: %s\n", std::strerror(error));
    std::exit(1);
}

// Writes all of data or ends the process.
void writeall(const char* data, std::size_t size) {
    if (const int error = io::writefully(STDOUT_FILENO, data, size); error != 0)
        writeerror(error);
}

}  // namespace

void put(const void* data, std::size_t size) {
    if (size == 0)
        return;
    const char* bytes = static_cast<const char*>(data);
    if (used + size > capacity) {
        flushoutput();
        // More than a buffer's worth goes straight out.
        if (size >= capacity) {
            writeall(bytes, size);
            return;
        }
    }
    std::memcpy(buffer + used, bytes, size);
    used += size;
}

void flushoutput() {
    // The buffer is emptied before writing: should the write fail, the exit
    // that follows must not try to write the same bytes again.
    const std::size_t size = used;
    used = 0;
    writeall(buffer, size);
}

void finish(int status) {
    flushoutput();
    if (::close(STDOUT_FILENO) != 0 && errno != EINTR)
        writeerror(errno);
    std::exit(status);
}

}  // namespace vorlak::harness
