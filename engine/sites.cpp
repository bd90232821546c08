#include "engine/sites.hpp"

#include <algorithm>
#include <array>
#include <cctype>

#include "engine/sources.hpp"
#include "mutants/mutants.hpp"

namespace vorlak::engine {

namespace {

constexpr std::string_view datescpp = "dates/dates.cpp";
constexpr std::string_view stageshpp = "dates/stages.hpp";

constexpr int inside = -1;     // the text lies within the context
constexpr int wholelist = -2;  // the text is the whole brace list after the context

// The code around an alteration and the part of it that is altered.  With
// element k >= 0 the altered text is entry k of the brace list that follows
// the context, so a table entry is found whatever the table holds.
struct anchor {
    int mutant;
    std::string_view file;
    std::string_view context;
    std::string_view text;
    int element;
    std::string_view replacement;
};

constexpr std::string_view skipped = "int skipped = -1;";
constexpr std::string_view monthdays = "std::array<int, 12> monthdays = {";
constexpr std::string_view daysbefore = "std::array<int, 12> daysbefore = {";
constexpr std::string_view test5 = "if (month == B.leapmonth && day == B.leapday && Leap(year) == 0) return 5;";
constexpr std::string_view rule400 = "return year % 400 == 0 ? 1 : 0;";
constexpr std::string_view rule100 = "if (year % 4 == 0 && year % 100 != 0)";
constexpr std::string_view leapbody = "if (year % 4 == 0 && year % 100 != 0) return 1; return year % 400 == 0 ? 1 : 0;";
constexpr std::string_view term400 = "if constexpr (T.quadcenturies) n += year / 400;";
constexpr std::string_view term100 =
    "if constexpr (T.centuries) n -= year / 100; if constexpr (T.quadcenturies) n += year / 400;";
constexpr std::string_view term4 =
    "if constexpr (T.quadrennials) n += year / 4; if constexpr (T.centuries) n -= year / 100; "
    "if constexpr (T.quadcenturies) n += year / 400;";
constexpr std::string_view adjustment = "if (d.month <= T.leapmonths && Leap(d.year) == 1) n -= 1;";

constexpr std::array<anchor, mutants::mutantcount> anchors = {{
    {1, stageshpp, "int first = 0;", "0", inside, "1"},
    {2, stageshpp, skipped, "-1", inside, "1"},
    {3, stageshpp, skipped, "-1", inside, "3"},
    {4, stageshpp, skipped, "-1", inside, "4"},
    {5, stageshpp, skipped, "-1", inside, "6"},
    {6, stageshpp, skipped, "-1", inside, "7"},
    {7, stageshpp, skipped, "-1", inside, "8"},
    {8, stageshpp, skipped, "-1", inside, "9"},
    {9, stageshpp, skipped, "-1", inside, "11"},
    {10, stageshpp, skipped, "-1", inside, "12"},
    {11, stageshpp, skipped, "-1", inside, "14"},
    {12, stageshpp, skipped, "-1", inside, "15"},
    {13, stageshpp, skipped, "-1", inside, "17"},
    {14, stageshpp, skipped, "-1", inside, "18"},
    {15, stageshpp, skipped, "-1", inside, "19"},
    {16, stageshpp, "int last = 20;", "20", inside, "19"},
    {17, stageshpp, "int lowmonth = 0;", "0", inside, "-1"},
    {18, stageshpp, "int lowmonth = 0;", "0", inside, "1"},
    {19, stageshpp, "int highmonth = 12;", "12", inside, "11"},
    {20, stageshpp, "int highmonth = 12;", "12", inside, "13"},
    {21, stageshpp, "int lowday = 0;", "0", inside, "-1"},
    {22, stageshpp, "int lowday = 0;", "0", inside, "1"},
    {23, stageshpp, "int highday = 31;", "31", inside, "30"},
    {24, stageshpp, "int highday = 31;", "31", inside, "32"},
    {25, stageshpp, "int lastbadyear = 1899;", "1899", inside, "1898"},
    {26, stageshpp, "int lastbadyear = 1899;", "1899", inside, "1900"},
    {27, stageshpp, "int leapmonth = 2;", "2", inside, "1"},
    {28, stageshpp, "int leapmonth = 2;", "2", inside, "3"},
    {29, stageshpp, "int leapday = 29;", "29", inside, "28"},
    {30, stageshpp, test5, test5, inside, ""},
    {31, stageshpp, monthdays, "31", 0, "30"},
    {32, stageshpp, monthdays, "29", 1, "28"},
    {33, stageshpp, monthdays, "31", 2, "30"},
    {34, stageshpp, monthdays, "30", 3, "31"},
    {35, stageshpp, monthdays, "31", 4, "30"},
    {36, stageshpp, monthdays, "30", 5, "31"},
    {37, stageshpp, monthdays, "31", 6, "30"},
    {38, stageshpp, monthdays, "31", 7, "30"},
    {39, stageshpp, monthdays, "30", 8, "31"},
    {40, stageshpp, monthdays, "31", 9, "30"},
    {41, stageshpp, monthdays, "30", 10, "31"},
    {42, stageshpp, monthdays, "31", 11, "30"},
    {43, datescpp, rule400, "year % 400 == 0 ? 1 : 0", inside, "0"},
    {44, datescpp, rule100, "year % 4 == 0 && year % 100 != 0", inside, "year % 4 == 0"},
    {45, datescpp, leapbody, leapbody, inside, "return 1;"},
    {46, stageshpp, term400, term400, inside, ""},
    {47, stageshpp, term100, term100, inside, ""},
    {48, stageshpp, term4, term4, inside, ""},
    {49, datescpp, rule400, "year % 400 == 0 ? 1 : 0", inside, "0"},
    {50, datescpp, rule100, "year % 4 == 0 && year % 100 != 0", inside, "year % 4 == 0"},
    {51, stageshpp, "int leapmonths = 2;", "2", inside, "1"},
    {52, stageshpp, "int leapmonths = 2;", "2", inside, "3"},
    {53, stageshpp, adjustment, adjustment, inside, ""},
    {54, stageshpp, daysbefore, "0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334", wholelist,
     "31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365"},
    {55, stageshpp, daysbefore, "31", 1, "30"},
    {56, stageshpp, daysbefore, "59", 2, "58"},
    {57, stageshpp, daysbefore, "90", 3, "89"},
    {58, stageshpp, daysbefore, "120", 4, "119"},
    {59, stageshpp, daysbefore, "151", 5, "150"},
    {60, stageshpp, daysbefore, "181", 6, "180"},
    {61, stageshpp, daysbefore, "212", 7, "211"},
    {62, stageshpp, daysbefore, "243", 8, "242"},
    {63, stageshpp, daysbefore, "273", 9, "272"},
    {64, stageshpp, daysbefore, "304", 10, "303"},
    {65, stageshpp, daysbefore, "334", 11, "333"},
}};

bool blank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// Line and column of an offset.
position at(std::string_view text, std::size_t offset) {
    const std::string_view before = text.substr(0, offset);
    const std::size_t newline = before.rfind('\n');
    const auto line = std::count(before.begin(), before.end(), '\n') + 1;
    const std::size_t column = newline == std::string_view::npos ? offset : offset - newline - 1;
    return {static_cast<int>(line), static_cast<int>(column) + 1};
}

// Entry k of the brace list that starts at from (just past its brace), or
// with k == wholelist all its entries; white space around them left out.
std::optional<std::pair<std::size_t, std::size_t>> listentry(std::string_view text, std::size_t from, int k) {
    const std::size_t close = text.find('}', from);
    if (close == std::string_view::npos)
        return std::nullopt;
    std::size_t begin = from;
    std::size_t end = close;
    if (k != wholelist) {
        for (int i = 0; i < k; i++) {
            begin = text.find(',', begin);
            if (begin == std::string_view::npos || begin > close)
                return std::nullopt;
            begin++;
        }
        end = std::min(text.find(',', begin), close);
    }
    while (begin < end && blank(text[begin]))
        begin++;
    while (end > begin && blank(text[end - 1]))
        end--;
    if (begin == end)
        return std::nullopt;
    return std::pair{begin, end};
}

}  // namespace

std::optional<std::pair<std::size_t, std::size_t>> findloosely(std::string_view text, std::string_view pattern,
                                                               std::size_t from) {
    if (pattern.empty())
        return std::nullopt;
    for (std::size_t start = from; start < text.size(); start++) {
        std::size_t t = start;
        std::size_t p = 0;
        while (p < pattern.size()) {
            if (blank(pattern[p])) {
                while (p < pattern.size() && blank(pattern[p]))
                    p++;
                if (t >= text.size() || !blank(text[t]))
                    break;
                while (t < text.size() && blank(text[t]))
                    t++;
            } else if (t < text.size() && text[t] == pattern[p]) {
                t++;
                p++;
            } else {
                break;
            }
        }
        if (p == pattern.size())
            return std::pair{start, t};
    }
    return std::nullopt;
}

std::optional<site> locate(int mutant) {
    if (mutant < 1 || mutant > mutants::mutantcount)
        return std::nullopt;
    const anchor& a = anchors[static_cast<std::size_t>(mutant - 1)];
    const auto files = referencesources();
    const auto file = std::find_if(files.begin(), files.end(), [&](const sourcefile& f) { return f.path == a.file; });
    if (file == files.end())
        return std::nullopt;
    const std::string_view text = file->text;
    const auto context = findloosely(text, a.context);
    if (!context)
        return std::nullopt;
    std::optional<std::pair<std::size_t, std::size_t>> span;
    if (a.element == inside) {
        span = findloosely(text, a.text, context->first);
        if (span && span->second > context->second)
            span.reset();
    } else {
        // The entry must be the value the alteration replaces, and all of it.
        span = listentry(text, context->second, a.element);
        if (span) {
            const std::string_view entry = text.substr(span->first, span->second - span->first);
            const auto match = findloosely(entry, a.text);
            if (!match || match->first != 0 || match->second != entry.size())
                span.reset();
        }
    }
    if (!span)
        return std::nullopt;
    return site{file->path, at(text, span->first), at(text, span->second),
                text.substr(span->first, span->second - span->first), a.replacement};
}

}  // namespace vorlak::engine
