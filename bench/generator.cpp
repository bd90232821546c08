#include "bench/generator.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "dates/dates.hpp"
#include "mutants/catalogue.hpp"

namespace vorlak::bench {

namespace {

constexpr std::size_t piecesize = dates::linesize - 1;  // the reader's longest piece
constexpr int poolsize = 8000;                          // candidate killing lines of a mixed file
constexpr int attempts = 10000;                         // draws before a kind of line is given up

constexpr std::array<int, 16> digitcolumns = {0, 1, 3, 4, 6, 7, 8, 9, 11, 12, 14, 15, 17, 18, 19, 20};

// Writes value in width decimal digits, leading zeros kept.
void putnumber(std::string& out, int value, int width) {
    char text[8];
    std::snprintf(text, sizeof text, "%0*d", width, value);
    out += text;
}

struct calendar {
    int month;
    int day;
    int year;
};

// The 21 columns of a date pair, with the separators given.
std::string columns(calendar first, calendar second, char datesep, char pairsep) {
    std::string out;
    putnumber(out, first.month, 2);
    out += datesep;
    putnumber(out, first.day, 2);
    out += datesep;
    putnumber(out, first.year, 4);
    out += pairsep;
    putnumber(out, second.month, 2);
    out += datesep;
    putnumber(out, second.day, 2);
    out += datesep;
    putnumber(out, second.year, 4);
    return out;
}

[[noreturn]] void giveup(const char* what) {
    std::fprintf(stderr, "vorlak-generate: found no %s line that fits\n", what);
    std::exit(1);
}

}  // namespace

std::optional<filekind> kindnamed(std::string_view name) {
    if (name == "survive")
        return filekind::survive;
    if (name == "mixed")
        return filekind::mixed;
    if (name == "long")
        return filekind::longlines;
    return std::nullopt;
}

killset killedby(std::string_view piece) {
    const std::size_t n = std::min(piece.size(), piecesize);
    std::memcpy(dates::line, piece.data(), n);
    dates::line[n] = 0;
    dates::len = static_cast<int>(n);
    const int reference = dates::testline(dates::len);
    killset kills;
    for (const auto& m : mutants::mutantset)
        if (mutants::entries[static_cast<std::size_t>(m.number - 1)](dates::len) != reference)
            kills.set(static_cast<std::size_t>(m.number - 1));
    return kills;
}

killset killedbyline(std::string_view line) {
    killset kills;
    while (!line.empty()) {
        // A newline within the first 999 bytes ends the piece; else 999 bytes do.
        const std::size_t window = std::min(line.size(), piecesize);
        const std::size_t newline = line.substr(0, window).find('\n');
        const std::size_t take = newline == std::string_view::npos ? window : newline + 1;
        kills |= killedby(line.substr(0, take));
        line.remove_prefix(take);
    }
    return kills;
}

std::uint64_t randomsource::next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15u);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
    return z ^ (z >> 31);
}

int randomsource::below(int n) { return n <= 1 ? 0 : static_cast<int>(next() % static_cast<std::uint64_t>(n)); }

int randomsource::between(int low, int high) { return low + below(high - low + 1); }

namespace {

// Separators as people write them; the evaluation never looks at them.
char datesep(randomsource& r) {
    static constexpr char seps[] = {'/', '/', '/', '/', '-', '.'};
    return seps[r.below(static_cast<int>(sizeof seps))];
}

char pairsep(randomsource& r) { return r.chance(90) ? ' ' : '\t'; }

// A year as test files hold them: mostly near the present, now and then far out.
int plausibleyear(randomsource& r) { return r.chance(80) ? r.between(1901, 2099) : r.between(1901, 9999); }

// Two valid dates that every mutant counts alike: the same month of the same
// year, away from the first and last days and from the months whose tests
// the mutants move.
std::string validpair(randomsource& r) {
    // One draw per statement: the order of a call's arguments is unspecified,
    // and the file must not depend on the compiler.
    const int year = plausibleyear(r);
    const int month = r.between(2, 11);
    const calendar first = {month, r.between(2, 28), year};
    const calendar second = {month, r.between(2, 28), year};
    const char ds = datesep(r);
    return columns(first, second, ds, pairsep(r));
}

// One date that every date check rejects for the same reason.
calendar invaliddate(randomsource& r) {
    // clang-format off
    switch (r.below(4)) {
    case 0: return {r.between(14, 99), r.between(2, 28), plausibleyear(r)};  // no such month
    case 1: return {r.between(2, 11), r.between(33, 99), plausibleyear(r)};  // no such day
    case 2: return {r.between(2, 11), r.between(2, 28), r.between(0, 1898)}; // before 1900
    default: return {2, r.between(30, 31), plausibleyear(r)};                // no February 30 or 31
    }
    // clang-format on
}

std::string invalidpair(randomsource& r) {
    const char ds = datesep(r);
    const char ps = pairsep(r);
    if (r.chance(60)) {
        // The second date is never converted, so it may hold any digits.
        const calendar second = {r.between(0, 99), r.between(0, 99), r.between(0, 9999)};
        return columns(invaliddate(r), second, ds, ps);
    }
    const int year = plausibleyear(r);
    const calendar first = {r.between(2, 11), r.between(2, 28), year};
    return columns(first, invaliddate(r), ds, ps);
}

// A date pair with two or more digit columns spoilt: every syntax-check
// mutant still finds one of them.
std::string syntaxerror(randomsource& r) {
    static constexpr char spoilers[] = {'a', 'x', 'O', 'l', ' ', '?', '-', '/', ':', '\r', '\0', '\xff'};
    std::string line = r.chance(50) ? validpair(r) : invalidpair(r);
    const int spoilt = r.between(2, 4);
    for (int i = 0; i < spoilt; i++) {
        const auto column = digitcolumns[static_cast<std::size_t>(r.below(16))];
        line[static_cast<std::size_t>(column)] = spoilers[r.below(static_cast<int>(sizeof spoilers))];
    }
    return line;
}

// Up to 20 characters before the newline: too short for any evaluation.
std::string shortline(randomsource& r) {
    // clang-format off
    switch (r.below(3)) {
    case 0: return "";
    case 1: return validpair(r).substr(0, static_cast<std::size_t>(r.between(1, 20)));
    default: {
        std::string comment = "# ";
        const int n = r.between(0, 18);
        for (int i = 0; i < n; i++)
            comment += static_cast<char>(r.chance(15) ? ' ' : 'a' + r.below(26));
        return comment;
    }
    }
    // clang-format on
}

// Text after column 21, which the evaluation ignores.
void addcomment(std::string& line, randomsource& r, std::size_t upto) {
    line += ' ';
    while (line.size() < upto)
        line += static_cast<char>(r.chance(18) ? ' ' : 'a' + r.below(26));
}

// Candidates for killing lines: the bounds that the mutants move, in every
// combination, and single spoilt digit columns for the syntax-check mutants.
std::string edgecandidate(randomsource& r) {
    static constexpr int months[] = {0, 1, 2, 2, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
    static constexpr int days[] = {0, 1, 2, 15, 27, 28, 28, 29, 29, 30, 30, 31, 31, 32, 33};
    static constexpr int years[] = {1800, 1898, 1899, 1900, 1901, 1904, 1999, 2000, 2001, 2004, 2100, 2400};
    auto pick = [&r](const auto& values) { return values[r.below(static_cast<int>(std::size(values)))]; };
    auto year = [&] { return r.chance(70) ? pick(years) : r.between(1901, 9999); };
    const calendar first = {pick(months), pick(days), year()};
    calendar second = {pick(months), pick(days), year()};
    if (r.chance(50))
        second.year = first.year;
    std::string line = columns(first, second, '/', ' ');
    if (r.chance(25)) {
        static constexpr char spoilers[] = {':', '/', ' ', 'A', '-', '\0', '~'};
        const auto column = digitcolumns[static_cast<std::size_t>(r.below(16))];
        line[static_cast<std::size_t>(column)] = pick(spoilers);
    }
    return line + '\n';
}

}  // namespace

generator::generator(filekind kind, long lines, std::uint64_t seed) : kind_(kind), lines_(lines), random_(seed) {
    if (kind_ != filekind::mixed || lines_ <= 0)
        return;
    for (int n = 1; n <= mutants::mutantcount; n++)
        killorder_.push_back(n);
    for (std::size_t i = killorder_.size() - 1; i > 0; i--)
        std::swap(killorder_[i], killorder_[static_cast<std::size_t>(random_.below(static_cast<int>(i) + 1))]);
    for (int i = 0; i < poolsize; i++) {
        pool_.push_back(edgecandidate(random_));
        poolkills_.push_back(killedby(pool_.back()));
    }
}

// A line that kills the mutant and as few others as the pool allows.
std::string generator::killerfor(int mutant) {
    const auto bit = static_cast<std::size_t>(mutant - 1);
    std::size_t best = pool_.size();
    for (std::size_t i = 0; i < pool_.size(); i++)
        if (poolkills_[i].test(bit) && (best == pool_.size() || poolkills_[i].count() < poolkills_[best].count()))
            best = i;
    if (best == pool_.size())
        giveup("killing");
    return pool_[best];
}

std::string generator::surviveline() {
    for (int i = 0; i < attempts; i++) {
        std::string line;
        const int roll = random_.below(100);
        if (roll < 55) {
            line = validpair(random_);
            if (random_.chance(10))
                addcomment(line, random_, line.size() + static_cast<std::size_t>(random_.between(2, 40)));
        } else if (roll < 75) {
            line = invalidpair(random_);
        } else if (roll < 90) {
            line = syntaxerror(random_);
        } else {
            line = shortline(random_);
        }
        line += '\n';
        if (killedbyline(line).none())
            return line;
    }
    giveup("surviving");
}

// A line of 1,000 to 6,000 bytes: a date pair and a long comment, with
// another date pair now and then where a 999-byte piece begins, so that
// the later pieces are evaluated as dates too.
std::string generator::longline() {
    for (int i = 0; i < attempts; i++) {
        const auto length = static_cast<std::size_t>(random_.between(1000, 6000));
        std::string line = validpair(random_);
        addcomment(line, random_, length);
        for (std::size_t at = piecesize; at + 21 < line.size(); at += piecesize)
            if (random_.chance(50)) {
                const std::string pair = random_.chance(70) ? validpair(random_) : invalidpair(random_);
                line.replace(at, pair.size(), pair);
            }
        line += '\n';
        if (killedbyline(line).none())
            return line;
    }
    giveup("long surviving");
}

std::string generator::nextline() {
    if (kind_ == filekind::mixed && nextkiller_ < killorder_.size()) {
        // The killing lines sit at even steps among the surviving ones.
        const long survivors = std::max(lines_ - mutants::mutantcount, 0L);
        const long at = static_cast<long>(nextkiller_ + 1) * survivors / (mutants::mutantcount + 1);
        if (made_ - static_cast<long>(nextkiller_) >= at) {
            made_++;
            return killerfor(killorder_[nextkiller_++]);
        }
    }
    if (made_ >= lines_)
        return {};
    made_++;
    return kind_ == filekind::longlines ? longline() : surviveline();
}

std::string generatefile(filekind kind, long lines, std::uint64_t seed) {
    generator g(kind, lines, seed);
    std::string file;
    for (std::string line = g.nextline(); !line.empty(); line = g.nextline())
        file += line;
    return file;
}

}  // namespace vorlak::bench
