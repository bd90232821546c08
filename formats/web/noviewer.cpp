// Linked when the viewer package was not installed at configure time.
#include "formats/web/viewer.hpp"

namespace vorlak::formats::viewer {

const std::string_view version;
const std::string_view bundle;
const std::string_view loader;
const std::string_view scripthashes;

}  // namespace vorlak::formats::viewer
