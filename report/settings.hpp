// The course's settings for the platforms' scripts, read as a teacher writes
// them: vorlak.conf for Gradescope, the VORLAK_* environment for
// PrairieLearn.  One reader holds the rules, and the scripts read back what
// it prints: every setting, one key=value a line, in a fixed order.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "engine/explain.hpp"
#include "mutants/catalogue.hpp"

namespace vorlak::report {

// The keys, in the order the canonical form lists them.
inline constexpr std::array<std::string_view, 6> settingkeys = {"hints",    "points", "visibility",
                                                                "expected", "file",   "leaderboard"};

struct coursesettings {
    engine::hints hints = engine::hints::condition;  // what the students see of each survivor
    double points = mutants::mutantcount;            // the points for every mutant killed
    std::string_view visibility = "visible";         // who sees Gradescope's tests
    bool expected = false;                           // graded by the results the lines state
    std::string file;                                // the submission's file; empty: its only .txt file
    bool leaderboard = false;                        // Gradescope's leaderboard entries
};

// Settings read, or the one message that says where they are wrong and
// what is allowed there.
struct settingsread {
    coursesettings values;
    std::string error;  // empty when they are right
};

// vorlak.conf's text: key=value lines, blanks around the = and the value,
// blank lines, # to the end of the line a comment, CR LF or LF line ends;
// keys and the names of values in any case, each key once.  name is how the
// messages call the file: "vorlak.conf line 2: unknown hint level ...".
settingsread readsettings(std::string_view text, std::string_view name);

// PrairieLearn's settings, VORLAK_HINTS and VORLAK_EXPECTED, from the
// environment that lookup reads (getenv, or a test's table); an unset one
// keeps its default.  The messages name the variable.  VORLAK_POINTS is
// refused: PrairieLearn grades by the score, a fraction.
settingsread environmentsettings(const std::function<const char*(const char*)>& lookup);

// Every setting, one key=value a line, in the order of settingkeys.
std::string canonicalsettings(const coursesettings& s);

// PrairieLearn's settings, hints then expected, as canonicalsettings writes them.
std::string canonicalenvironment(const coursesettings& s);

}  // namespace vorlak::report
