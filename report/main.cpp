// vorlak-report: which line kills which mutant, the smallest test file, the
// missing test lines.
#include "report/run.hpp"

int main(int argc, char** argv) { return vorlak::report::run(argc, argv); }
