// The test harness: reads the command line, runs the test file against each
// of the 65 mutants in turn and prints the summary.
//
// Everything here may be called directly, by tests and by the fault tests.
// The fatal conditions end the process on the spot, as the program does:
// usage() with exit status 1 after the usage message on standard error, and
// a pass that cannot open or read the test file with exit status 1 after
// "error opening file\n" or "error reading file\n" on standard output.
// Output goes through output.hpp; a write failure ends the process as well.
#pragma once

#include <string>
#include <string_view>

#include "io/reader.hpp"
#include "mutants/mutants.hpp"

namespace vorlak::harness {

extern int optVerbose;        // 1 with -v: print a kill report for every kill
extern std::string testfile;  // the path of the last -i; empty when none was named
extern io::reader fid;        // the test file while a pass reads it; closed between passes

// The whole program: options, the 65 passes, the summary.  Never returns.
[[noreturn]] void main(int argc, char** argv);

// Sets optVerbose and testfile from the command line, or calls usage (after
// vorlak's own diagnostic, when there is one).  Options end at the first
// word that is not one, or at "--".  Call it once per process: the
// platform's option parser keeps state of its own between calls.
void options(int argc, char** argv);

// "Usage: vorlak [-uv] -i <test file>\n" on standard error, exit status 1.
[[noreturn]] void usage();

// One pass: opens testfile, evaluates every line with dates::testline and
// then with entry, and returns 1 at the first line where they differ (with
// the kill report when optVerbose is on), or 0 at the end of the file.  It
// reads the lines with fid.getpiece, which reads what fid.getline reads
// (at most linesize - 1 bytes, the newline kept) and stores the zero once
// both evaluations are done.  runall's passes call each entry directly; a
// function pointer serves any other caller.
template <class Entry> int testrun(Entry entry, int number);
extern template int testrun(mutants::entryfunction entry, int number);

// The passes for mutants 1 to 65 in order, each with its entry called
// directly; returns the kill count.
int runall();

// message on standard output, then the end of the process with status 1.
[[noreturn]] void fatal(std::string_view message);

}  // namespace vorlak::harness
