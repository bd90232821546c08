#include "engine/suggest.hpp"

#include <algorithm>
#include <array>
#include <functional>

#include "dates/dates.hpp"
#include "dates/facts.hpp"
#include "engine/evaluate.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/mutants.hpp"

namespace vorlak::engine {

namespace {

constexpr int lastyear = 2100;  // searched up to here, a century year that is not a leap year
constexpr int bigday = 32;      // days 0 to 32 cover both bounds of the day range test
constexpr int bigmonth = 13;    // months 0 to 13 cover both bounds of the month range test
constexpr char nondigit = 'x';  // what the syntax candidates put into a digit column

struct day {
    int month;
    int day;
    int year;
};

bool valid(day d) { return dates::chkdate(d.month, d.day, d.year) == 0; }

// The earliest date after d (by year, then month, then day) that the
// reference accepts: the next day for a valid date, and for an invalid one
// the nearest valid date that a user would write after it.
day nextvalid(day d) {
    if (d.year < dates::firstyear)
        return {1, 1, dates::firstyear};
    day n{std::max(d.month, 1), d.month < 1 ? 1 : d.day + 1, d.year};
    for (;;) {
        if (n.month > 12)
            n = {1, 1, n.year + 1};
        if (valid(n))
            return n;
        if (n.day > bigday)
            n = {n.month + 1, 1, n.year};
        else
            n.day++;
    }
}

using linetext = std::array<char, dates::lastcolumn + 1>;  // the two dates, a blank between, and the newline

void putdate(char* at, day d) {
    const auto two = [](char* p, int v) {
        p[0] = static_cast<char>('0' + v / 10 % 10);
        p[1] = static_cast<char>('0' + v % 10);
    };
    two(at, d.month);
    at[2] = '/';
    two(at + 3, d.day);
    at[5] = '/';
    two(at + 6, d.year / 100);
    two(at + 8, d.year);
}

linetext writeline(day a, day b) {
    linetext text;
    putdate(text.data(), a);
    text[10] = ' ';
    putdate(text.data() + 11, b);
    text[dates::lastcolumn] = '\n';
    return text;
}

// Hands each candidate line to trial, in the order of the search, until it
// says that nothing is left to find.
void candidates(const std::function<bool(const linetext&)>& trial) {
    const day base{1, 1, dates::firstyear};
    const linetext baseline = writeline(base, nextvalid(base));
    for (const int column : dates::digitcolumns) {
        linetext text = baseline;
        text[static_cast<std::size_t>(column)] = nondigit;
        if (!trial(text))
            return;
    }
    for (int year = dates::firstyear; year <= lastyear; year++)
        for (int month = 1; month <= 12; month++)
            for (int d = 1; d <= 31; d++)
                if (valid({month, d, year}) && !trial(writeline({month, d, year}, nextvalid({month, d, year}))))
                    return;
    const auto invaliddates = [&](int year) {
        for (int month = 0; month <= bigmonth; month++)
            for (int d = 0; d <= bigday; d++)
                if (!valid({month, d, year}) && !trial(writeline({month, d, year}, nextvalid({month, d, year}))))
                    return false;
        return true;
    };
    for (int year = dates::firstyear; year <= lastyear; year++)
        if (!invaliddates(year))
            return;
    // The year before the first valid one comes last: its lines are the
    // least like a real test.
    invaliddates(dates::firstyear - 1);
}

int mutantresult(int mutant, int length) { return mutants::entries[static_cast<std::size_t>(mutant - 1)](length); }

}  // namespace

std::vector<suggestion> suggest(killset wanted) {
    std::vector<suggestion> found;
    killset left = wanted;
    if (left.empty())
        return found;
    candidates([&](const linetext& candidate) {
        const std::string_view text(candidate.data(), candidate.size());
        const int length = putline(text);
        const int reference = dates::testline(length);
        foreachmutant(left, [&](int n) {
            const int result = mutantresult(n, length);
            if (result != reference) {
                found.push_back({n, std::string(text), reference, result});
                killset k;
                k.add(n);
                left = left.without(k);
            }
        });
        return !left.empty();
    });
    std::stable_sort(found.begin(), found.end(),
                     [](const suggestion& a, const suggestion& b) { return a.mutant < b.mutant; });
    return found;
}

}  // namespace vorlak::engine
