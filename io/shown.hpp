// A test line's bytes as a person reads them, on every surface that shows
// one: the pages, the playground (through its module), the reports and the
// platforms' documents.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vorlak::io {

// The length of the well-formed UTF-8 character at the start of s, or 0
// when it does not start with one (overlong forms, surrogates and values
// past U+10FFFF are not well formed).  s must not be empty.
std::size_t wellformed(std::string_view s);

// The sign that stands for a byte-order mark (U+FEFF, the three bytes EF BB
// BF): none of the control pictures, which stand for bytes of their own.
inline constexpr std::string_view bomsign = "\xC2\xA4";  // U+00A4 ¤

// bytes as UTF-8 text in which every byte shows: each control byte as one
// visible sign (0x00 to 0x1F as the control pictures U+2400 to U+241F, so
// a carriage return is "␍", a tab "␉", the zero byte "␀"; 0x7F as "␡"), a
// byte-order mark as bomsign, the C1 controls U+0080 to U+009F and every
// byte that is not part of well-formed UTF-8 as U+FFFD, one for each byte.
// Every other character stays as it is.
std::string visible(std::string_view bytes);

// A line as every surface shows it, as a student would copy it: visible's
// form of its first longestline bytes, its newline left off, with "..."
// after a line cut short.
inline constexpr std::size_t longestline = 100;
std::string shownline(std::string_view line);

}  // namespace vorlak::io
