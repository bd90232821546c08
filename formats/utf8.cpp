#include "formats/utf8.hpp"

namespace vorlak::formats {

namespace {

constexpr std::string_view replacement = "\xEF\xBF\xBD";  // U+FFFD

bool continuation(unsigned char c) { return c >= 0x80 && c <= 0xBF; }

}  // namespace

// The second byte's range excludes overlong forms, surrogates and values
// past U+10FFFF.
std::size_t wellformed(std::string_view s) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    std::size_t size = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        size = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        size = 3;
        if (lead == 0xE0)
            low = 0xA0;
        if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        size = 4;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (s.size() < size || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < size; i++)
        if (!continuation(byte(i)))
            return 0;
    return size;
}

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
