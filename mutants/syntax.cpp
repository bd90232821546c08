// Syntax-check mutants 1 to 16: each scan passes over one digit column that
// the reference examines, a different one in each, in column order.
#include "dates/stages.hpp"
#include "mutants/mutants.hpp"

namespace vorlak::mutants {

using dates::scansyntax;
using dates::syntaxscan;

int m1chkinputsyntax() { return scansyntax<syntaxscan{.first = 1}>(); }
int m2chkinputsyntax() { return scansyntax<syntaxscan{.skipped = 1}>(); }
int m3chkinputsyntax() { return scansyntax<syntaxscan{.skipped = 3}>(); }
int m4chkinputsyntax() { return scansyntax<syntaxscan{.skipped = 4}>(); }
int m5chkinputsyntax() { return scansyntax<syntaxscan{.skipped = 6}>(); }
int m6chkinputsyntax() { return scansyntax<syntaxscan{.skipped = 7}>(); }
int m7chkinputsyntax() { return scansyntax<syntaxscan{.skipped = 8}>(); }
int m8chkinputsyntax() { return scansyntax<syntaxscan{.skipped = 9}>(); }
int m9chkinputsyntax() { return scansyntax<syntaxscan{.skipped = 11}>(); }
int m10chkinputsyntax() { return scansyntax<syntaxscan{.skipped = 12}>(); }
int m11chkinputsyntax() { return scansyntax<syntaxscan{.skipped = 14}>(); }
int m12chkinputsyntax() { return scansyntax<syntaxscan{.skipped = 15}>(); }
int m13chkinputsyntax() { return scansyntax<syntaxscan{.skipped = 17}>(); }
int m14chkinputsyntax() { return scansyntax<syntaxscan{.skipped = 18}>(); }
int m15chkinputsyntax() { return scansyntax<syntaxscan{.skipped = 19}>(); }
int m16chkinputsyntax() { return scansyntax<syntaxscan{.last = 19}>(); }

}  // namespace vorlak::mutants
