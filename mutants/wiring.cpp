// The entry functions of every row of the catalogue, in its order.
#include "mutants/wiring.hpp"

#include <utility>

namespace vorlak::mutants {

namespace {

template <std::size_t... I> constexpr std::array<entryfunction, sizeof...(I)> entriesof(std::index_sequence<I...>) {
    return {entry<static_cast<int>(I) + 1>...};
}

}  // namespace

const std::array<entryfunction, mutantcount> entries = entriesof(std::make_index_sequence<mutantcount>{});

}  // namespace vorlak::mutants
