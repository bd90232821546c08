// The class graded in parallel, by a pool of worker processes.
#pragma once

#include <string>
#include <vector>

#include "engine/grade.hpp"

namespace vorlak::report {

// Grades every file of paths, jobs at a time, each in a process of its own
// (the evaluation works in one shared line buffer); the grades come in the
// order of paths whatever jobs is.  A file whose process ended before it
// was graded has an error saying so, and one whose grade came back with a
// field this program cannot read has an error naming the field.
std::vector<engine::grade> gradeclass(const std::vector<std::string>& paths, int jobs, const engine::gradeneeds& needs);

}  // namespace vorlak::report
