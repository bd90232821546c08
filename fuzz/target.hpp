// What every fuzz target shares: the entry that libFuzzer and the corpus
// replay call, and the way a target reports a broken invariant.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace vorlak::fuzz {

// Says which invariant broke and aborts: libFuzzer keeps the input as a
// crash, and the replay of a corpus fails on it.
[[noreturn]] __attribute__((format(printf, 1, 2))) inline void fail(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::fputs("invariant broken: ", stderr);
    std::vfprintf(stderr, format, args);
    std::fputc('\n', stderr);
    va_end(args);
    std::abort();
}

}  // namespace vorlak::fuzz
