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
struct stateword {
    std::string_view name;
    std::string_view meaning;
};
constexpr std::array<stateword, 4> statewords = {{
    {"unreached", "no line ran the altered code"},
    {"reached", "a line ran the altered code, which left the same state"},
    {"infected", "a line ran the altered code and it left a different state, but the difference was lost before "
                 "the result"},
    {"killed", "a line's result differs from the reference's"},
}};

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

std::string numberlist(const std::vector<long>& numbers) {
    std::vector<std::string> items;
    for (std::size_t i = 0; i < numbers.size();) {
        std::size_t last = i;
        while (last + 1 < numbers.size() && numbers[last + 1] == numbers[last] + 1)
            last++;
        if (last - i >= 2) {
            items.push_back(std::to_string(numbers[i]) + "-" + std::to_string(numbers[last]));
        } else {
            for (std::size_t k = i; k <= last; k++)
                items.push_back(std::to_string(numbers[k]));
        }
        i = last + 1;
    }
    std::string out;
    for (std::size_t i = 0; i < items.size(); i++)
        out += (i == 0 ? "" : i + 1 == items.size() ? " and " : ", ") + items[i];
    return out;
}

std::string mutantlist(const std::vector<long>& numbers, bool capital) {
    return std::string(capital ? "M" : "m") + (numbers.size() == 1 ? "utant " : "utants ") + numberlist(numbers);
}

std::string counted(long count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

std::string_view statename(state s) { return statewords[static_cast<std::size_t>(s)].name; }

std::string_view statemeaning(state s) { return statewords[static_cast<std::size_t>(s)].meaning; }

std::string legendentry(state s) { return std::string(statename(s)) + ": " + std::string(statemeaning(s)); }

std::string_view statusname(bool killed) { return killed ? "killed" : "survived"; }

std::string_view lossname(loss l) { return losswords[static_cast<std::size_t>(l)].name; }

std::string_view lossmeaning(loss l) { return losswords[static_cast<std::size_t>(l)].meaning; }

std::string stepvalues(const verdict& v) {
    const std::string mutant = std::to_string(v.mutant);
    const std::string reference = std::to_string(v.reference);
    switch (v.what) {
    case measure::stopcolumn:
        if (v.mutant < 0)
            return "the syntax check finds no non-digit instead of its first at column " + reference;
        return "the syntax check finds its first non-digit at column " + mutant + " instead of column " + reference;
    case measure::datecode:
        return "the date check answers " + mutant + " instead of " + reference + " for " + datetext(v.at);
    case measure::checkanswer:
    case measure::countanswer:
        return std::string("the leap-year rule, as the ") +
               (v.what == measure::checkanswer ? "date check" : "day count") + " asks it, answers " + mutant +
               " instead of " + reference + " for " + std::to_string(v.at.year);
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

bool parsehints(std::string_view name, hints& level) {
    for (std::size_t i = 0; i < hintnames.size(); i++)
        if (name == hintnames[i]) {
            level = static_cast<hints>(i);
            return true;
        }
    return false;
}

std::string concepthint(const mutants::mutant& m) { return concepthint(mutants::ideaof(m.teaches)); }

std::string concepthint(const mutants::ideatext& idea) {
    return std::string(conceptframe) + std::string(idea.name) + ". " + std::string(idea.sentence);
}

std::string nexthint(const mutants::mutant& m, state s) {
    switch (s) {
    case state::unreached:
        return std::string(reachframe) + std::string(m.reaches);
    case state::reached:
        return std::string(infectframe) + std::string(m.condition);
    case state::infected:
        return std::string(carryframe) + std::string(m.carries);
    case state::killed:
        break;
    }
    return "";
}

std::string ownlinesmeaning() {
    return "For each line: its text, the mutants it kills, those that " + std::string(alonename) +
           ", and whether taking it out alone would lower the score (" + std::string(lineverdict(true)) + ") or not (" +
           std::string(lineverdict(false)) + ").";
}

std::string otherlines(long count) {
    return std::to_string(count) + (count == 1 ? " other line kills" : " other lines kill") +
           " nothing that no other line kills: " + std::string(lineverdict(false)) + ".";
}

std::string linereads(long line) { return "Line " + std::to_string(line) + " reads "; }

std::string resultpair(int reference, int result) {
    return "reference " + std::to_string(reference) + ", mutant " + std::to_string(result);
}

std::string diffplace(std::string_view file, int line) { return std::string(file) + ", line " + std::to_string(line); }

}  // namespace vorlak::engine
