// The fast form of judging a line: the sets of mutants that it reaches,
// infects and kills, worked out from tables instead of one verdict per
// mutant.  The scan uses it on every piece; the tests prove it equal to the
// plain form over every date and count it keeps.
#pragma once

#include <memory>

#include "engine/infection.hpp"

namespace vorlak::engine::fast {

// The date checks read a year only where they compare it with a last bad year
// and where they ask a leap-year rule, so years that every such comparison
// and rule answer alike are judged alike: those answers make a year's class.
// Each year from 0 to 9999 has one, numbered from 0 in the order of their
// first years; a class's first year stands for it.
int yearclassof(int year);
int firstyearof(int yearclass);

// Stands in for statesof(judgeall(t)).
//
// A judging keeps the verdicts of each date and each count it has worked
// out, so that a scan works each out once: the date checks' verdicts of a
// date by its month, day and year class, and the counts' verdicts of a date
// by its month and year.  What it answers does not depend on what it was
// asked before, so one judging may serve scan after scan; it serves one
// scan at a time, on one thread.
class judging {
public:
    judging();
    ~judging();
    judging(const judging&) = delete;
    judging& operator=(const judging&) = delete;

    linestates operator()(const trace& t);

private:
    struct tables;
    std::unique_ptr<tables> tables_;
};

}  // namespace vorlak::engine::fast
