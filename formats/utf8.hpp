// Test lines hold any byte; json text must be UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vorlak::formats {

// The length of the well-formed UTF-8 character at the start of s, or 0
// when it does not start with one (overlong forms, surrogates and values
// past U+10FFFF are not well formed).  s must not be empty.
std::size_t wellformed(std::string_view s);

// bytes with every well-formed UTF-8 character kept as it is (zero bytes
// and other control characters included) and every other byte replaced by
// U+FFFD, one for each byte.
std::string validutf8(std::string_view bytes);

}  // namespace vorlak::formats
