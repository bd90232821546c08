#include "io/shown.hpp"

namespace vorlak::io {

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

std::string visible(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    while (!bytes.empty()) {
        const auto c = static_cast<unsigned char>(bytes[0]);
        if (c < 0x20 || c == 0x7F) {
            // The control pictures: U+2400 + c, and U+2421 for DEL.
            const unsigned picture = c == 0x7F ? 0x21 : c;
            text += '\xE2';
            text += static_cast<char>(0x90 + (picture >> 6));
            text += static_cast<char>(0x80 + (picture & 0x3F));
            bytes.remove_prefix(1);
            continue;
        }
        const std::size_t n = wellformed(bytes);
        const std::string_view character = bytes.substr(0, n);
        if (n == 0 || (n == 2 && c == 0xC2 && static_cast<unsigned char>(bytes[1]) < 0xA0))
            text += replacement;  // not UTF-8, or a C1 control
        else if (character == "\xEF\xBB\xBF")
            text += bomsign;
        else
            text += character;
        bytes.remove_prefix(n == 0 ? 1 : n);
    }
    return text;
}

std::string shownline(std::string_view line) {
    if (!line.empty() && line.back() == '\n')
        line.remove_suffix(1);
    const std::string shown = visible(line.substr(0, longestline));
    return line.size() > longestline ? shown + "..." : shown;
}

}  // namespace vorlak::io
