// vorlak-generate: writes a seeded benchmark test file to standard output.
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "bench/generator.hpp"
#include "dates/dates.hpp"

namespace {

[[noreturn]] void usage() {
    std::fputs("usage: vorlak-generate survive|mixed|long lines [seed] [--expected]\n", stderr);
    std::exit(1);
}

// A whole decimal number, nothing before or after it.
template <typename T> bool parse(std::string_view text, T& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc{} && end == text.data() + text.size();
}

// The line as one that states the reference's result: its 21 columns, a
// blank, and the result.  A line of 21 columns or more keeps its result; a
// shorter one is padded with x and ends in two, a syntax error that no
// syntax check mutant lets through, as the short line was.
std::string withexpectation(const std::string& line) {
    std::string body = line.substr(0, line.size() - (line.ends_with('\n') ? 1 : 0));
    if (body.size() < 21) {
        body.resize(21, 'x');
        body[19] = body[20] = 'x';
    }
    body.resize(21);
    body += ' ';
    std::memcpy(vorlak::dates::line, body.data(), body.size());
    vorlak::dates::line[body.size()] = 0;
    return body + std::to_string(vorlak::dates::testline(static_cast<int>(body.size()))) + '\n';
}

}  // namespace

int main(int argc, char** argv) {
    using namespace vorlak::bench;
    const bool expected = argc >= 4 && std::string_view(argv[argc - 1]) == "--expected";
    if (expected)
        argc--;
    if (argc < 3 || argc > 4)
        usage();
    const auto kind = kindnamed(argv[1]);
    long lines = 0;
    std::uint64_t seed = 1;
    if (!kind || !parse(argv[2], lines) || lines < 0 || (argc == 4 && !parse(argv[3], seed)))
        usage();

    generator g(*kind, lines, seed);
    for (std::string line = g.nextline(); !line.empty(); line = g.nextline()) {
        if (expected)
            line = withexpectation(line);
        if (std::fwrite(line.data(), 1, line.size(), stdout) != line.size())
            break;
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "vorlak-generate: write error: %s\n", std::strerror(errno));
        return 1;
    }
    return 0;
}
