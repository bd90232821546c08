#include "formats/utf8.hpp"

namespace vorlak::formats {

namespace {

constexpr std::string_view replacement = "\xEF\xBF\xBD";  // U+FFFD

}  // namespace

std::string validutf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    while (!bytes.empty()) {
        // Plain ASCII, by far the most of a test file, goes over in runs.
        std::size_t ascii = 0;
        while (ascii < bytes.size() && static_cast<unsigned char>(bytes[ascii]) < 0x80)
            ascii++;
        text.append(bytes.substr(0, ascii));
        bytes.remove_prefix(ascii);
        if (bytes.empty())
            break;
        const std::size_t n = wellformed(bytes);
        if (n == 0) {
            text += replacement;
            bytes.remove_prefix(1);
        } else {
            text.append(bytes.substr(0, n));
            bytes.remove_prefix(n);
        }
    }
    return text;
}

}  // namespace vorlak::formats
