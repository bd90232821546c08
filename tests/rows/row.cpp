// The functions of the test row that the catalogue adds in this build: a
// date check whose last bad year is 1999, reached through a conversion of
// its own, as the date-check mutants are.
#include "mutants/wiring.hpp"

namespace vorlak::mutants {

static_assert(mutantcount == 66, "this build adds one row to the 65");

int m66chkdate(int month, int day, int year) { return chkdateof<66>(month, day, year); }

namespace {
int m66convertline() { return dates::convert<m66chkdate, dates::fast::strtoint>(); }
}  // namespace

int m66(int length) {
    return dates::evaluate<dates::chkinputsyntax, m66convertline, dates::daysdiff, dates::fast::dayresult>(length);
}

}  // namespace vorlak::mutants
