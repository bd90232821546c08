// Linked when the viewer package was not installed at configure time.
#include "report/web/viewer.hpp"

namespace vorlak::report::viewer {

const std::string_view version;
const std::string_view bundle;
const std::string_view loader;
const std::string_view scripthashes;

}  // namespace vorlak::report::viewer
