// The date program as a student is handed it, written at build time from
// dates/program.hpp (dates/handout.cmake) and embedded, for the json report
// and the playground to show each mutant where its alteration changes it.
#pragma once

#include <span>
#include <string_view>

namespace vorlak::engine {

struct sourcefile {
    std::string_view path;  // the file's name as the student is handed it
    std::string_view text;
};

// The name of the handed program: ordinary C++ that a student compiles.
inline constexpr std::string_view handedprogram = "program.cpp";

std::span<const sourcefile> referencesources();

}  // namespace vorlak::engine
