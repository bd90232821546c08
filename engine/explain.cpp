#include "engine/explain.hpp"

#include <array>
#include <cstddef>
#include <cstdio>

namespace vorlak::engine {

namespace {

std::string datetext(const dates::date& d) {
    char text[48];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", d.month, d.day, d.year);
    return text;
}

// In the order of the enumerations.
constexpr std::array<std::string_view, 4> statenames = {"unreached", "reached", "infected", "killed"};

struct lossword {
    std::string_view name;
    std::string_view meaning;
};
constexpr std::array<lossword, 5> losswords = {{
    {"", "The difference reached the result."},
    {"masked", "A later digit column holds a non-digit too, so the line is rejected all the same."},
    {"unused", "The changed answer changed no date check code and no day number."},
    {"cancelled", "Both day numbers moved by the same amount, so the count is the same."},
    {"reversed", "Both counts are negative, so both results are -3."},
}};

}  // namespace

std::string_view statename(state s) { return statenames[static_cast<std::size_t>(s)]; }

std::string_view lossname(loss l) { return losswords[static_cast<std::size_t>(l)].name; }

std::string_view lossmeaning(loss l) { return losswords[static_cast<std::size_t>(l)].meaning; }

std::string stepvalues(const verdict& v) {
    const std::string mutant = std::to_string(v.mutant);
    const std::string reference = std::to_string(v.reference);
    switch (v.what) {
    case measure::stopcolumn:
        if (v.mutant < 0)
            return "the syntax check accepts the line instead of stopping at column " + reference;
        return "the syntax check stops at column " + mutant + " instead of column " + reference;
    case measure::datecode:
        return "the date check answers " + mutant + " instead of " + reference + " for " + datetext(v.at);
    case measure::leapanswer:
        return "the leap-year rule answers " + mutant + " instead of " + reference + " for " +
               std::to_string(v.at.year);
    case measure::daynumber:
        return "the day number of " + datetext(v.at) + " is " + mutant + " instead of " + reference;
    }
    return "";
}

std::string whyof(const scanresult& scan, int mutant) {
    const firstreach& f = scan.reachof(mutant);
    switch (scan.stateof(mutant)) {
    case state::killed:
        return "killed by line " + std::to_string(scan.of(mutant).line);
    case state::infected:
        return "infected by line " + std::to_string(f.infected) + ": " + stepvalues(f.why) + ", " +
               std::string(lossname(f.why.lost));
    case state::reached:
        return "reached by line " + std::to_string(f.reached) + ", never infected";
    case state::unreached:
        return "no line reaches it";
    }
    return "";
}

}  // namespace vorlak::engine
