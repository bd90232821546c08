// What vorlak's passes find, done as they do it, and generated test files
// of every kind to hold the scan against them.  Written against the
// catalogue alone, so that the build with a test row (tests/rows/) runs it
// on every row there is.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "dates/dates.hpp"
#include "engine/infection.hpp"
#include "engine/killset.hpp"
#include "engine/scan.hpp"
#include "io/reader.hpp"
#include "mutants/catalogue.hpp"

namespace vorlak::tests {

using engine::killset;

// Where vorlak's pass for a mutant stops: the file read afresh, up to the
// first piece where the two results differ.
struct modelkill {
    long line;
    int reference;
    int result;
    std::string piece;
};

inline std::array<std::optional<modelkill>, mutants::mutantcount> passes(const std::string& path) {
    std::array<std::optional<modelkill>, mutants::mutantcount> kills;
    for (const auto& m : mutants::mutantset) {
        io::reader in;
        EXPECT_TRUE(in.open(path.c_str()));
        long line = 1;
        for (int n; (n = in.getline(dates::line, dates::linesize)) > 0;) {
            const int reference = dates::testline(n);
            const int result = mutants::entries[static_cast<std::size_t>(m.number - 1)](n);
            if (reference != result) {
                kills[static_cast<std::size_t>(m.number - 1)] =
                    modelkill{line, reference, result,
                              std::string(reinterpret_cast<char*>(dates::line), static_cast<std::size_t>(n))};
                break;
            }
            if (dates::line[n - 1] == '\n')
                line++;
        }
    }
    return kills;
}

// The mutants whose result on the piece now in the line buffer differs from
// the reference's there, found by running every one.
inline killset killsofpiece(int length) {
    const int reference = dates::testline(length);
    killset killed;
    for (const auto& m : mutants::mutantset)
        if (mutants::entries[static_cast<std::size_t>(m.number - 1)](length) != reference)
            killed.add(m.number);
    return killed;
}

// What a full evaluation of every piece finds: each line's kill set, from
// running every mutant, and the first lines that the verdicts say reach and
// infect each mutant.
struct fullreading {
    std::vector<killset> kills;       // line i + 1
    std::vector<std::string> firsts;  // line i + 1's first piece
    std::array<long, mutants::mutantcount> reached{};
    std::array<long, mutants::mutantcount> infected{};
};

inline fullreading readfully(const std::string& path) {
    fullreading full;
    io::reader in;
    EXPECT_TRUE(in.open(path.c_str()));
    bool open = false;
    for (int n; (n = in.getline(dates::line, dates::linesize)) > 0;) {
        if (!open) {
            full.kills.emplace_back();
            full.firsts.emplace_back(reinterpret_cast<const char*>(dates::line), static_cast<std::size_t>(n));
        }
        open = true;
        const long line = static_cast<long>(full.kills.size());
        full.kills.back() |= killsofpiece(n);
        const auto verdicts = engine::judgeall(engine::tracepiece(n));
        for (std::size_t i = 0; i < verdicts.size(); i++) {
            if (verdicts[i].reach != engine::state::unreached && full.reached[i] == 0)
                full.reached[i] = line;
            if (verdicts[i].reach == engine::state::infected && full.infected[i] == 0)
                full.infected[i] = line;
        }
        open = dates::line[n - 1] != '\n';
    }
    return full;
}

inline engine::scanresult scanpath(const std::string& path, engine::scanneeds needs = {}) {
    io::reader in;
    EXPECT_TRUE(in.open(path.c_str()));
    engine::scanresult result;
    EXPECT_EQ(engine::scanfile(in, needs, result), 0);
    return result;
}

// A line of two dates, months 0 to 13, days 0 to 32, years around the edges.
inline std::string dateline(std::mt19937& random) {
    static constexpr int years[] = {1899, 1900, 1901, 1903, 1904, 1999, 2000, 2001, 2099, 2100, 2400};
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const auto year = [&] { return pick(0, 3) == 0 ? pick(1900, 2500) : years[pick(0, 10)]; };
    // Drawn one by one, from the last field back: the order of a call's
    // arguments is the compiler's, and every compiler must see the same lines.
    const int year2 = year(), day2 = pick(0, 32), month2 = pick(0, 13);
    const int year1 = year(), day1 = pick(0, 32), month1 = pick(0, 13);
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d/%02d/%04d", month1, day1, year1, month2, day2, year2);
    return text;
}

// A test file of lines of every kind: date pairs, a non-digit in one digit
// column, any bytes, lines of 999 bytes and more, CR LF, no final newline.
inline std::string generated(unsigned seed, int lines) {
    std::mt19937 random(seed);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    std::string file;
    for (int i = 0; i < lines; i++) {
        std::string line = dateline(random);
        switch (pick(0, 9)) {
        case 0:
            line[static_cast<std::size_t>(pick(0, 20))] = static_cast<char>(pick(0, 255));
            break;
        case 1:
            line.clear();
            for (int k = pick(0, 40); k > 0; k--)
                line += static_cast<char>(pick(0, 255));
            std::replace(line.begin(), line.end(), '\n', 'n');
            break;
        case 2:
            line += std::string(static_cast<std::size_t>(pick(977, 2100)), '7');
            break;
        case 3:
            line += '\r';
            break;
        default:
            break;
        }
        file += line;
        if (i + 1 < lines || pick(0, 1) == 0)
            file += '\n';
    }
    return file;
}

}  // namespace vorlak::tests
