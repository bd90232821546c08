// The command line and the run summary.
#include "harness/harness.hpp"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "harness/output.hpp"

namespace vorlak::harness {

int optVerbose;
std::string testfile;

namespace {

// The leading ':' turns the parser's own messages off and tells a missing
// argument from an unknown letter.  glibc's parser would otherwise take
// options from anywhere on the line (or not, by the environment); its '+'
// makes it stop at the first word that is not an option, as POSIX does.
#ifdef __GLIBC__
constexpr const char* optstring = "+:i:uv";
#else
constexpr const char* optstring = ":i:uv";
#endif

static_assert(mutants::mutantcount == 65, "the summary text names 65 mutants");

}  // namespace

void usage() {
    std::fputs("Usage: vorlak [-uv] -i <test file>\n", stderr);
    std::exit(1);
}

void options(int argc, char** argv) {
    // A process can be started without even its name.
    const char* name = argc > 0 && argv[0] != nullptr ? argv[0] : "vorlak";
    optVerbose = 0;
    testfile.clear();
    opterr = 0;
    int c;
    while ((c = getopt(argc, argv, optstring)) != -1) {
        switch (c) {
        case 'i':
            testfile = optarg;
            break;
        case 'u':
            usage();
        case 'v':
            optVerbose = 1;
            break;
        case ':':
            std::fprintf(stderr, "%s: option requires an argument -- %c\n", name, optopt);
            usage();
        default:
            std::fprintf(stderr, "%s: unknown option -- %c\n", name, optopt);
            usage();
        }
    }
    // An empty -i names no file either.
    if (testfile.empty())
        usage();
}

std::string summaryline(int killed) {
    // The exact share is a multiple of 1/13, never halfway between two whole
    // numbers, so %.0f rounds it without a tie.
    const double share = static_cast<double>(killed * 100) / 65.0;
    char text[64];
    const int n = std::snprintf(text, sizeof text, "%d/65 mutants killed. (%.0f", killed, share);
    std::string line(text, static_cast<std::size_t>(n));
    line += '%';
    line += ")\n";
    return line;
}

void main(int argc, char** argv) {
    // A closed pipe must show as a write error (EPIPE), not kill us silently.
    std::signal(SIGPIPE, SIG_IGN);
    options(argc, argv);
    const int killed = runall();
    put(summaryline(killed));
    finish(0);
}

}  // namespace vorlak::harness
