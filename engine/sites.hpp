// Where each mutant's alteration lies in the program as a student is handed
// it (engine/sources.hpp), and the function that holds it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "mutants/mutants.hpp"

namespace vorlak::engine {

struct position {
    int line;    // from 1
    int column;  // from 1, in bytes; the sources are plain ASCII
};

// Where the text that a mutant's alteration replaces stands in the sources
// (its site, found), and what replaces it.
struct location {
    std::string_view file;  // a path of referencesources()
    position start;
    position end;           // just past the last character
    std::string_view text;  // what the sources hold there
    std::string_view replacement;
};

// The site of mutant n, found by searching the embedded sources for
// the code around it; nothing when the sources no longer hold that code.
std::optional<location> locate(int mutant);

// A mutant's alteration as a one-line diff: the lines of the program that
// its site spans, each run of white space made one blank, as they read in
// the reference and as they read in the mutant.
struct codediff {
    int line;  // the first of those lines, from 1
    std::string reference;
    std::string mutant;
};
std::optional<codediff> diffof(int mutant);

// The whole definition in the handed program that holds mutant n's site,
// from the start of its first line to just past its closing brace, and its
// name as the program has it: the function (checkdate, leap), or for an
// entry of a table the table (monthdays); nothing when the site is not found.
struct enclosingfunction {
    std::string_view file;
    position start;
    position end;
    std::string_view name;
};
std::optional<enclosingfunction> functionof(int mutant);

// The code of a stage in the handed program, from the first line of the
// first definition that holds a site of the stage to the end of the last,
// for each stage in the order of mutants::stage; nothing for a stage whose
// sites are not found.  A caller that shows many mutants works it out once.
using codespan = std::pair<position, position>;
std::array<std::optional<codespan>, mutants::stagecount> stagespans();

// The place in text that matches pattern, where every run of white space
// in pattern stands for any run of white space: the offsets of its first
// and one past its last character, or nothing.  The search begins at from.
std::optional<std::pair<std::size_t, std::size_t>> findloosely(std::string_view text, std::string_view pattern,
                                                               std::size_t from = 0);

}  // namespace vorlak::engine
