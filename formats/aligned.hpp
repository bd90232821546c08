// Text in aligned columns, for a terminal: rows of cells, two blanks
// between columns, widths counted in characters.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "formats/utf8.hpp"

namespace vorlak::formats {

constexpr std::string_view gap = "  ";  // between two columns

// Columns a text takes: one per UTF-8 character, one per other byte.
inline std::size_t columns(std::string_view text) {
    std::size_t n = 0;
    while (!text.empty()) {
        text.remove_prefix(std::max<std::size_t>(wellformed(text), 1));
        n++;
    }
    return n;
}

// cell filled with blanks to width columns, on its left when right.
inline void pad(std::string& out, std::string_view cell, std::size_t width, bool right) {
    const std::size_t used = columns(cell);
    const std::string fill(width > used ? width - used : 0, ' ');
    if (right)
        out += fill;
    out += cell;
    if (!right)
        out += fill;
}

// The rows in aligned columns, each as wide as its widest cell and
// followed by the gap, the last column being free text that is never
// padded; right says which columns are aligned on the right.
template <std::size_t N>
std::string aligned(const std::vector<std::array<std::string, N>>& rows, const std::array<bool, N>& right) {
    std::array<std::size_t, N> width{};
    for (const auto& r : rows)
        for (std::size_t c = 0; c + 1 < N; c++)
            width[c] = std::max(width[c], columns(r[c]));
    std::string out;
    for (const auto& r : rows) {
        for (std::size_t c = 0; c + 1 < N; c++) {
            pad(out, r[c], width[c], right[c]);
            out += gap;
        }
        out += r.back() + '\n';
    }
    return out;
}

}  // namespace vorlak::formats
