// Putting a test line into the shared line buffer as the reader would.
#pragma once

#include <cstring>
#include <string>
#include <string_view>

#include "dates/dates.hpp"

namespace vorlak::tests {

// Stores text and a zero byte in the line buffer; returns the length to pass
// to an evaluation.  text holds the newline when the line has one.
inline int putline(std::string_view text) {
    const std::size_t n = text.size() < dates::linesize - 1 ? text.size() : dates::linesize - 1;
    std::memcpy(dates::line, text.data(), n);
    dates::line[n] = 0;
    dates::len = static_cast<int>(n);
    return dates::len;
}

// The reference result of a line given as its 21 columns plus a newline.
inline int reference(std::string_view columns) {
    std::string text(columns);
    text += '\n';
    return dates::testline(putline(text));
}

}  // namespace vorlak::tests
