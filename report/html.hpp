// The report as one self-contained HTML page around the shared mutation-test viewer.
#pragma once

#include <string>
#include <string_view>

namespace vorlak::report {

// True when the viewer was embedded at build time.
bool htmlavailable();

// The page: the viewer inlined, the json report inlined as data, title as given.
std::string renderhtml(std::string_view reportjson, std::string_view title);

// What to tell a user whose build has no viewer.
std::string_view htmlhowto();

}  // namespace vorlak::report
