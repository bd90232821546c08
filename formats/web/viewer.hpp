// The viewer as embedded at build time; empty when the build has none.
#pragma once

#include <string_view>

namespace vorlak::formats::viewer {

extern const std::string_view version;       // of mutation-testing-elements
extern const std::string_view bundle;        // the script defining the elements
extern const std::string_view loader;        // hands the inlined report to the app
extern const std::string_view scripthashes;  // CSP sources allowing exactly those two

}  // namespace vorlak::formats::viewer
