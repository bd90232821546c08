// A set of mutants, one bit per mutant: what one line kills.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

#include "mutants/catalogue.hpp"

namespace vorlak::engine {

// Mutant n is bit n - 1 of 128: mutants 1 to 64 in low, the rest in high.
class killset {
public:
    static constexpr int capacity = 128;
    static_assert(mutants::mutantcount <= capacity, "a set of mutants holds at most 128");

    constexpr killset() = default;

    // Every mutant of the catalogue.
    static constexpr killset all() {
        killset s;
        for (int n = 1; n <= mutants::mutantcount; n++)
            s.add(n);
        return s;
    }

    constexpr void add(int mutant) {
        if (mutant <= lowsize)
            low_ |= std::uint64_t{1} << (mutant - 1);
        else
            high_ |= std::uint64_t{1} << (mutant - lowsize - 1);
    }
    constexpr bool has(int mutant) const {
        if (mutant <= lowsize)
            return (low_ >> (mutant - 1) & 1) != 0;
        return (high_ >> (mutant - lowsize - 1) & 1) != 0;
    }
    constexpr bool empty() const { return low_ == 0 && high_ == 0; }
    constexpr int count() const { return std::popcount(low_) + std::popcount(high_); }
    constexpr bool within(killset other) const { return (*this & other) == *this; }

    // The lowest mutant in the set; the set must not be empty.
    constexpr int first() const {
        return low_ != 0 ? std::countr_zero(low_) + 1 : std::countr_zero(high_) + lowsize + 1;
    }

    constexpr killset operator|(killset o) const { return {low_ | o.low_, high_ | o.high_}; }
    constexpr killset operator&(killset o) const { return {low_ & o.low_, high_ & o.high_}; }
    constexpr killset without(killset o) const { return {low_ & ~o.low_, high_ & ~o.high_}; }
    constexpr killset& operator|=(killset o) { return *this = *this | o; }
    constexpr bool operator==(const killset&) const = default;

    // Fibonacci hashing spreads the low bits, where most kills lie.
    constexpr std::size_t hash() const {
        return static_cast<std::size_t>((low_ ^ high_ << 7) * 0x9e3779b97f4a7c15u >> 16);
    }

private:
    static constexpr int lowsize = 64;  // the mutants in low_

    constexpr killset(std::uint64_t low, std::uint64_t high) : low_(low), high_(high) {}

    std::uint64_t low_ = 0;
    std::uint64_t high_ = 0;
};

struct killsethash {
    std::size_t operator()(killset s) const { return s.hash(); }
};

// Calls f(n) for each mutant n of the set, in increasing order.
template <class F> void foreachmutant(killset s, F f) {
    while (!s.empty()) {
        const int n = s.first();
        f(n);
        killset one;
        one.add(n);
        s = s.without(one);
    }
}

}  // namespace vorlak::engine
