// The class page's style sheet and script, embedded at build time from
// formats/class.css and formats/class.js.
#pragma once

#include <string_view>

namespace vorlak::formats::classassets {

extern const std::string_view style;
extern const std::string_view script;
extern const std::string_view stylehash;  // CSP sources allowing exactly these two
extern const std::string_view scripthash;

}  // namespace vorlak::formats::classassets
