// Standard output of a run, through a buffer of its own over write(2): a
// failed write is seen at once with its errno, and never passes as success.
#pragma once

#include <cstddef>
#include <string_view>

namespace vorlak::harness {

// Appends bytes to the buffer, writing it out whenever it fills.
void put(const void* data, std::size_t size);
inline void put(std::string_view text) { put(text.data(), text.size()); }

// Writes out what the buffer holds.  When the output cannot be written,
// "vorlak: write error: " and the reason go to standard error and the
// process ends with exit status 1; these functions never return a failure.
void flushoutput();

// Ends the process with status: flushes the buffer and closes the output
// first, so that an error the system reports only at close still counts.
[[noreturn]] void finish(int status);

}  // namespace vorlak::harness
