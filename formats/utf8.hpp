// Test lines hold any byte; json text must be UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "io/shown.hpp"

namespace vorlak::formats {

using io::wellformed;

// bytes with every well-formed UTF-8 character kept as it is (zero bytes
// and other control characters included) and every other byte replaced by
// U+FFFD, one for each byte.
std::string validutf8(std::string_view bytes);

}  // namespace vorlak::formats
