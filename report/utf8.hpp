// Test lines hold any byte; json text must be UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace vorlak::report {

// bytes with every well-formed UTF-8 character kept as it is (zero bytes
// and other control characters included) and every other byte replaced by
// U+FFFD, one for each byte.
std::string validutf8(std::string_view bytes);

}  // namespace vorlak::report
