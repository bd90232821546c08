// The vorlak-report program: its command line and what it writes.
#pragma once

namespace vorlak::report {

// The whole program; returns the exit status: 0 done, 1 a bad command line,
// an unreadable test file or output that cannot be written, 2 a score below
// the --fail-under threshold.
int run(int argc, char** argv);

}  // namespace vorlak::report
