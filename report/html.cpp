#include "report/html.hpp"

namespace vorlak::report {

bool htmlavailable() { return false; }

std::string renderhtml(std::string_view, std::string_view) { return {}; }

std::string_view htmlhowto() { return "vorlak-report: this build has no HTML viewer\n"; }

}  // namespace vorlak::report
