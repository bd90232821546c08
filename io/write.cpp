#include "io/write.hpp"

#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace vorlak::io {

int writefully(int fd, const void* data, std::size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, bytes, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            // An output left non-blocking by whoever started us: wait for room.
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                pollfd p = {fd, POLLOUT, 0};
                if (::poll(&p, 1, -1) >= 0 || errno == EINTR)
                    continue;
            }
            return errno;
        }
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return 0;
}

}  // namespace vorlak::io
