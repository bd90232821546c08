// Words that name a year of the program's, such as its first valid year,
// joined as the catalogue compiles: a row writes the year by its name and
// reads with it in digits.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace vorlak::mutants {

// A string literal as a template argument.
template <std::size_t N> struct literal {
    std::array<char, N> text{};
    constexpr literal(const char (&s)[N]) {  // NOLINT(google-explicit-constructor,hicpp-explicit-conversions)
        for (std::size_t i = 0; i < N; i++)
            text[i] = s[i];
    }
    static constexpr std::size_t size = N - 1;  // without the closing zero
};

constexpr std::size_t digitsof(int year) {
    std::size_t digits = 1;
    for (; year >= 10; year /= 10)
        digits++;
    return digits;
}

template <literal before, int year, literal after>
inline constexpr auto yearwordstext = [] {
    static_assert(year >= 0, "a year of the program's is not negative");
    std::array<char, before.size + digitsof(year) + after.size> out{};
    std::size_t at = 0;
    for (std::size_t i = 0; i < before.size; i++)
        out[at++] = before.text[i];
    int rest = year;
    for (std::size_t d = digitsof(year); d > 0; d--, rest /= 10)
        out[at + d - 1] = static_cast<char>('0' + rest % 10);
    at += digitsof(year);
    for (std::size_t i = 0; i < after.size; i++)
        out[at++] = after.text[i];
    return out;
}();

// before, then year in digits, then after.
template <literal before, int year, literal after>
inline constexpr std::string_view withyear{yearwordstext<before, year, after>.data(),
                                           yearwordstext<before, year, after>.size()};

}  // namespace vorlak::mutants
