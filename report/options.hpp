// vorlak-report's command line: what it asks for, and how the program
// speaks of what went wrong.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "formats/formats.hpp"

namespace vorlak::report {

enum class format { text, csv, json, html, gradescope, prairielearn };

// The formats that grading platforms read: one document for one file.
constexpr bool forplatform(format f) { return f == format::gradescope || f == format::prairielearn; }

struct settings {
    format form = format::text;
    bool formatgiven = false;
    const char* output = nullptr;
    bool matrix = false;
    bool minimize = false;
    bool suggest = false;
    bool expected = false;  // --expected: a line kills only when the result it expects is right
    double failunder = -1;  // no threshold
    const char* testfile = nullptr;
    bool grading = false;            // --class
    std::vector<std::string> files;  // with --class
    int jobs = 0;                    // 0: one per processor
    const char* feedback = nullptr;  // with --class: the folder of the feedback pages
    const char* beliefs = nullptr;   // with --class --expected: the csv of the files by belief
    // What the report tells of each mutant; with --class, the feedback
    // pages, whose default is condition.
    formats::hints hints = formats::hints::mutant;
    bool hintsgiven = false;
    double points = -1;                   // --points: the total a file that kills every mutant earns
    const char* visibility = nullptr;     // --visibility: who sees the tests, with gradescope
    const char* failundertext = nullptr;  // --fail-under as written
    const char* settingsfile = nullptr;   // --check-settings
    bool settingsenvironment = false;     // --check-settings-environment
    bool leaderboard = false;             // --leaderboard: Gradescope's leaderboard entries
};

// Who may see Gradescope's tests, the values of --visibility.
inline constexpr std::array<std::string_view, 4> visibilities = {"hidden", "after_due_date", "after_published",
                                                                 "visible"};

// --points' rule: a number above 0, at most 1e9; value gets it.
bool parsepoints(const char* text, double& value);

constexpr int done = -1;  // what parse returns after the help or the version

// Options in the order of the option string and of the synopsis: 0 to go
// on, done, or the exit status of a bad command line.
int parse(int argc, char** argv, settings& s);

// Writes text to standard error.
void say(std::string_view text);

// Says what went wrong, after the program's name; returns 1, the status
// of a failure.
int fail(const std::string& message);

}  // namespace vorlak::report
