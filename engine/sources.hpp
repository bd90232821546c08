// The date program as a student is handed it, written at build time from
// dates/program.hpp (dates/handout.cmake) and embedded, for the json report
// and the playground to show each mutant where its alteration changes it.
#pragma once

#include <string_view>

namespace vorlak::engine {

// The name of the handed program: ordinary C++ that a student compiles.
inline constexpr std::string_view handedprogram = "program.cpp";

// Its text, byte for byte as the build wrote it.
std::string_view handedsource();

}  // namespace vorlak::engine
