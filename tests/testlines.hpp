// Putting a test line into the shared line buffer as the reader would, and
// an independent calendar to hold the results against.
#pragma once

#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "dates/dates.hpp"

namespace vorlak::tests {

// The sixteen columns the syntax check examines and the five it never looks at.
inline constexpr std::array<int, 16> digitcolumns = {0, 1, 3, 4, 6, 7, 8, 9, 11, 12, 14, 15, 17, 18, 19, 20};
inline constexpr std::array<int, 5> separatorcolumns = {2, 5, 10, 13, 16};

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

// text with the byte in one column replaced; bytes 128 to 255 included.
inline std::string withbyte(std::string_view text, int column, int byte) {
    std::string s(text);
    s[static_cast<std::size_t>(column)] = static_cast<char>(static_cast<unsigned char>(byte));
    return s;
}

// A line in quotes, its bytes outside printable ASCII as \x escapes, for a
// failure message.
inline std::string printable(std::string_view text) {
    std::string s;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 32 && u < 127)
            s += c;
        else
            s += "\\x" + std::string(1, "0123456789abcdef"[u >> 4]) + "0123456789abcdef"[u & 15];
    }
    return '"' + s + '"';
}

// A date record as month/day/year, for comparing records with a readable failure.
inline std::string show(const dates::date& d) {
    return std::to_string(d.month) + '/' + std::to_string(d.day) + '/' + std::to_string(d.year);
}

// The calendar's own answers, from std::chrono and nothing of vorlak.
namespace calendar {

inline std::chrono::year_month_day ymd(int month, int day, int year) {
    return {std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
            std::chrono::day{static_cast<unsigned>(day)}};
}

inline bool isleap(int year) { return std::chrono::year{year}.is_leap(); }

inline int lastday(int month, int year) {
    const std::chrono::year_month_day_last last{
        std::chrono::year{year}, std::chrono::month_day_last{std::chrono::month{static_cast<unsigned>(month)}}};
    return static_cast<int>(static_cast<unsigned>(last.day()));
}

// Serial day of a date whose month is 1 to 12; a day beyond the month's end
// (or day 0) runs on into the next month (or back into the previous one).
inline int serial(int month, int day, int year) {
    const std::chrono::sys_days first{ymd(month, 1, year)};
    return static_cast<int>(first.time_since_epoch().count()) + day - 1;
}
inline int serial(dates::date d) { return serial(d.month, d.day, d.year); }

// The date error code the date check must give: the tests in their order,
// with the calendar deciding the month lengths and the leap years.
inline int datecode(int month, int day, int year) {
    if (month <= 0 || month > 12)
        return 1;
    if (day <= 0 || day > 31)
        return 2;
    if (year <= 1899)
        return 3;
    if (ymd(month, day, year).ok())
        return 0;
    return month == 2 && day == 29 ? 5 : 4;
}

}  // namespace calendar

// A test line of two dates in the fixed columns, with its newline.
inline std::string dateline(dates::date a, dates::date b) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d %02d/%02d/%04d\n", a.month, a.day, a.year, b.month, b.day, b.year);
    return buf;
}

}  // namespace vorlak::tests
