// The reference program's source files, embedded at build time, for the
// json report to show each mutant where its alteration changes them.
#pragma once

#include <span>
#include <string_view>

namespace vorlak::engine {

struct sourcefile {
    std::string_view path;  // from the project root, as in the repository
    std::string_view text;
};

std::span<const sourcefile> referencesources();

}  // namespace vorlak::engine
