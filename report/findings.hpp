// What one run of vorlak-report finds, and the steps that find it, render
// it and write it out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/grade.hpp"
#include "report/options.hpp"

namespace vorlak::report {

// What a run found: one test file's grade, or the grades of a class.
struct findings {
    engine::grade file;                 // its scan; with --suggest or the answers, a line for each survivor
    std::vector<engine::grade> grades;  // with --class
};

// One test file read in one scan that keeps what the output needs; 0, or
// the exit status when it cannot be read.
int examine(const settings& s, findings& f);

// The output, of a file or a class, in the format asked for; note gets
// what to say once it is written.
std::string render(const settings& s, const findings& f, std::string& note);

// The output goes to FILE only once the test file has been read, and
// replaces it only once it is whole: a file that cannot be read, a full
// disk or a folder that cannot be written leaves an earlier report in place.
// 0, or the exit status when it cannot be written.
int writeout(const settings& s, std::string_view text);

}  // namespace vorlak::report
