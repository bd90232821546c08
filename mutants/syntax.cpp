// Syntax-check mutants 1 to 16: each scan passes over one digit column that
// the reference examines, a different one in each, in column order.
#include "mutants/wiring.hpp"

namespace vorlak::mutants {

int m1chkinputsyntax() { return syntaxof<1>(); }
int m2chkinputsyntax() { return syntaxof<2>(); }
int m3chkinputsyntax() { return syntaxof<3>(); }
int m4chkinputsyntax() { return syntaxof<4>(); }
int m5chkinputsyntax() { return syntaxof<5>(); }
int m6chkinputsyntax() { return syntaxof<6>(); }
int m7chkinputsyntax() { return syntaxof<7>(); }
int m8chkinputsyntax() { return syntaxof<8>(); }
int m9chkinputsyntax() { return syntaxof<9>(); }
int m10chkinputsyntax() { return syntaxof<10>(); }
int m11chkinputsyntax() { return syntaxof<11>(); }
int m12chkinputsyntax() { return syntaxof<12>(); }
int m13chkinputsyntax() { return syntaxof<13>(); }
int m14chkinputsyntax() { return syntaxof<14>(); }
int m15chkinputsyntax() { return syntaxof<15>(); }
int m16chkinputsyntax() { return syntaxof<16>(); }

}  // namespace vorlak::mutants
