// The command line and the run summary.
#include "harness/harness.hpp"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "harness/output.hpp"
#include "mutants/score.hpp"

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

void main(int argc, char** argv) {
    // A closed pipe must show as a write error (EPIPE), not kill us silently.
    std::signal(SIGPIPE, SIG_IGN);
    options(argc, argv);
    const int killed = runall();
    put(mutants::summaryline(killed));
    finish(0);
}

}  // namespace vorlak::harness
