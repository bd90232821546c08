// The careful write loop, shared by vorlak's output buffer, vorlak-report's
// output and the class workers' pipes.
#pragma once

#include <cstddef>

namespace vorlak::io {

// Writes all of data to fd, carrying on after a short write or an interrupt
// and waiting for room on a non-blocking descriptor.  Returns 0, or the
// errno of the write that failed.
int writefully(int fd, const void* data, std::size_t size);

}  // namespace vorlak::io
