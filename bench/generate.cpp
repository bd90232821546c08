// vorlak-generate: writes a seeded benchmark test file to standard output.
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "bench/generator.hpp"

namespace {

[[noreturn]] void usage() {
    std::fputs("usage: vorlak-generate survive|mixed|long lines [seed]\n", stderr);
    std::exit(1);
}

// A whole decimal number, nothing before or after it.
template <typename T> bool parse(std::string_view text, T& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc{} && end == text.data() + text.size();
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vorlak::bench;
    if (argc < 3 || argc > 4)
        usage();
    const auto kind = kindnamed(argv[1]);
    long lines = 0;
    std::uint64_t seed = 1;
    if (!kind || !parse(argv[2], lines) || lines < 0 || (argc == 4 && !parse(argv[3], seed)))
        usage();

    generator g(*kind, lines, seed);
    for (std::string line = g.nextline(); !line.empty(); line = g.nextline())
        if (std::fwrite(line.data(), 1, line.size(), stdout) != line.size())
            break;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "vorlak-generate: write error: %s\n", std::strerror(errno));
        return 1;
    }
    return 0;
}
