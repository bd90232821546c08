// The class page's style sheet and script, embedded at build time from
// formats/class.css and formats/class.js.
#pragma once

#include <string>
#include <string_view>

namespace vorlak::formats::classassets {

extern const std::string_view style;
extern const std::string_view script;
extern const std::string_view stylehash;  // CSP sources allowing exactly these two
extern const std::string_view scripthash;

// A page in the class style, up to and with <body>: its policy lets in the
// class style sheet and, with withscript, the class script, nothing else.
std::string head(std::string_view title, bool withscript);

}  // namespace vorlak::formats::classassets
