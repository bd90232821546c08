// The fast form of judging a line: the sets of mutants that it reaches,
// infects and kills, worked out from tables instead of one verdict per
// mutant.  The scan uses it on every piece; the tests prove it equal to the
// plain form over every date and count it keeps.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "engine/infection.hpp"
#include "engine/killset.hpp"
#include "mutants/mutants.hpp"

namespace vorlak::engine::fast {

// The date checks read a year only where they compare it with a last bad year
// and where they ask a leap-year rule, so years that every such comparison
// and rule answer alike are judged alike: those answers make a year's class.
// Each year from 0 to 9999 has one; a class's first year stands for it.
int yearclasses();
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

    // What it keeps for a date of a line of digits (month and day 0 to 99,
    // year 0 to 9999), as sets, for the tests: the date-check mutants whose
    // altered step the date reaches, those it infects, and those whose code
    // for the date differs from the reference's.
    struct datesets {
        killset reached;
        killset infected;
        killset differs;
    };
    datesets datecheck(const dates::date& d);

    // The same for the day-count mutants, on a date of a count that runs,
    // with each one's day number minus the reference's (0 for the others).
    struct countsets {
        killset reached;
        killset infected;
        std::array<int, mutants::mutantcount> offset{};
    };
    countsets count(const dates::date& d);

private:
    struct tables;
    std::unique_ptr<tables> tables_;
};

}  // namespace vorlak::engine::fast
