// --feedback: a page for each file of a class that was read, and the
// teacher's index of them, in a folder.
#pragma once

#include <vector>

#include "engine/grade.hpp"
#include "report/options.hpp"

namespace vorlak::report {

// The folder of the feedback pages, made when it is missing; 0, or the exit
// status when it cannot be.
int feedbackfolder(const settings& s);

// A page for each file read, each rendered from its grade alone and put in
// place whole, then the index; 0, or the exit status of the first page that
// cannot be written.  A page's name is the program's choice, not the user's:
// whatever stands at it in the folder (a link, a pipe) is replaced by the
// page, and nothing outside the folder is written.
int writefeedback(const settings& s, const std::vector<engine::grade>& grades);

// --beliefs: the class's files by belief, put in place whole at the file
// named; 0, or the exit status when it cannot be written.
int writebeliefs(const settings& s, const std::vector<engine::grade>& grades);

}  // namespace vorlak::report
