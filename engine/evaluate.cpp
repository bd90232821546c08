#include "engine/evaluate.hpp"

#include <algorithm>
#include <cstring>

#include "dates/dates.hpp"
#include "mutants/catalogue.hpp"

namespace vorlak::engine {

int putline(std::string_view text) {
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(dates::linesize - 1));
    std::memcpy(dates::line, text.data(), n);
    dates::line[n] = 0;
    dates::len = static_cast<int>(n);
    return dates::len;
}

std::pair<int, int> results(std::string_view text, int mutant) {
    const int length = putline(text);
    const int reference = dates::testline(length);
    return {reference, mutants::entries[static_cast<std::size_t>(mutant - 1)](length)};
}

}  // namespace vorlak::engine
