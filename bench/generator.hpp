// Seeded benchmark test files.  The same kind, line count and seed give the
// same bytes on every machine: the generator draws from its own random
// sequence, never from the standard library's distributions.
#pragma once

#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mutants/catalogue.hpp"

namespace vorlak::bench {

// survive: no line kills any mutant, so every pass reads the whole file.
// mixed: survive lines with one killing line per mutant spread through the file.
// longlines: lines of thousands of bytes that kill nothing.
enum class filekind { survive, mixed, longlines };

std::optional<filekind> kindnamed(std::string_view name);  // "survive", "mixed" or "long"

using killset = std::bitset<mutants::mutantcount>;  // bit n - 1 for mutant n

// The mutants that one piece kills, the piece as the reader hands it over: at
// most 999 bytes, ending with its newline when it has one.
killset killedby(std::string_view piece);

// The mutants that a physical line kills, cut into pieces by the line rules.
// The line ends with its newline, or has none when it ends the file.
killset killedbyline(std::string_view line);

// A small seeded generator (splitmix64).
class randomsource {
public:
    explicit randomsource(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    int below(int n);                // 0 to n - 1
    int between(int low, int high);  // low to high, both included
    bool chance(int percent) { return below(100) < percent; }

private:
    std::uint64_t state_;
};

// Makes the lines of one file, one physical line at a time.
class generator {
public:
    // lines is the count of lines asked for; a mixed file of fewer than 65
    // lines gets several killing lines in a row to hold all 65.
    generator(filekind kind, long lines, std::uint64_t seed);

    // The next line, its newline included; empty after the last line.
    std::string nextline();

private:
    std::string surviveline();
    std::string longline();
    std::string killerfor(int mutant);

    filekind kind_;
    long lines_;
    long made_ = 0;
    randomsource random_;
    std::vector<int> killorder_;  // mutant numbers in the order their lines appear
    std::size_t nextkiller_ = 0;
    std::vector<std::string> pool_;  // candidate killing lines
    std::vector<killset> poolkills_;
};

// A whole file at once, for small files.
std::string generatefile(filekind kind, long lines, std::uint64_t seed);

}  // namespace vorlak::bench
