// The course's settings, read once for every platform: the rules of each
// key, the lines of vorlak.conf and PrairieLearn's environment.
#include "report/settings.hpp"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "report/options.hpp"

namespace vorlak::report {

namespace {

// The keys by their place in settingkeys.
enum key : std::size_t { hintskey, pointskey, visibilitykey, expectedkey, filekey, leaderboardkey };
static_assert(settingkeys[hintskey] == "hints" && settingkeys[pointskey] == "points" &&
              settingkeys[visibilitykey] == "visibility" && settingkeys[expectedkey] == "expected" &&
              settingkeys[filekey] == "file" && settingkeys[leaderboardkey] == "leaderboard");

constexpr std::string_view blanks = " \t";

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// Letters in lower case, the rest as it is: keys and names are read in any case.
std::string lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

template <std::size_t n> std::string listed(const std::array<std::string_view, n>& names) {
    std::string out;
    for (const std::string_view name : names)
        out += (out.empty() ? "" : ", ") + std::string(name);
    return out;
}

std::string quoted(std::string_view text) { return '"' + std::string(text) + '"'; }

// yes or no into flag; the message when it is neither.
std::string readflag(std::string_view key, std::string_view value, bool& flag) {
    const std::string v = lowered(value);
    if (v != "yes" && v != "no")
        return std::string(key) + " is yes or no, not " + quoted(value);
    flag = v == "yes";
    return {};
}

// A name that the scripts find in the submission folder and nowhere else: no
// folder in it, not . or .., not - (standard input to vorlak-report), and no
// control character.
bool plainname(std::string_view name) {
    return name != "." && name != ".." && name != "-" &&
           std::none_of(name.begin(), name.end(), [](char c) { return c == '/' || (c >= 0 && c < ' ') || c == 0x7f; });
}

// The value of the key numbered key set in s; the message when it is wrong.
std::string setvalue(coursesettings& s, std::size_t k, std::string_view value) {
    switch (k) {
    case hintskey:
        if (!engine::parsehints(lowered(value), s.hints))
            return "unknown hint level " + quoted(value) + ": one of " + listed(engine::hintnames);
        return {};
    case pointskey:
        if (!parsepoints(std::string(value).c_str(), s.points))
            return "points " + quoted(value) +
                   " is not a positive number: one above 0 and at most 1e9, such as 65 or 2.5";
        return {};
    case visibilitykey: {
        const std::string v = lowered(value);
        const auto* found = std::find(visibilities.begin(), visibilities.end(), v);
        if (found == visibilities.end())
            return "unknown visibility " + quoted(value) + ": one of " + listed(visibilities);
        s.visibility = *found;
        return {};
    }
    case expectedkey:
        return readflag("expected", value, s.expected);
    case filekey:
        if (!plainname(value))
            return "file " + quoted(value) +
                   " is not a plain name: the name of a file in the submission folder, such as tests.txt, or "
                   "nothing for its only .txt file";
        s.file = value;
        return {};
    default:
        return readflag("leaderboard", value, s.leaderboard);
    }
}

// The number of the key named name, in any case; settingkeys.size() for none.
std::size_t keynumber(std::string_view name) {
    const std::string key = lowered(name);
    return static_cast<std::size_t>(std::find(settingkeys.begin(), settingkeys.end(), key) - settingkeys.begin());
}

std::string pointstext(double points) {
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, points);
    return error == std::errc{} ? std::string(text, end) : std::string{};
}

}  // namespace

settingsread readsettings(std::string_view text, std::string_view name) {
    settingsread r;
    // A byte order mark, as some editors begin a file with, is no part of the first key.
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    std::array<int, settingkeys.size()> seton{};  // the line of each key, 0 for none yet
    int number = 0;
    while (!text.empty()) {
        number++;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        line = trimmed(line.substr(0, line.find('#')));
        if (line.empty())
            continue;
        const std::string where = std::string(name) + " line " + std::to_string(number) + ": ";
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            r.error = where + quoted(line) + " is not key=value: a key is one of " + listed(settingkeys);
            return r;
        }
        const std::string_view key = trimmed(line.substr(0, equals));
        const std::size_t k = keynumber(key);
        if (k == settingkeys.size()) {
            r.error = where + "unknown key " + quoted(key) + ": one of " + listed(settingkeys);
            return r;
        }
        if (seton[k] != 0) {
            r.error = where + std::string(settingkeys[k]) + " is set again, after line " + std::to_string(seton[k]) +
                      ": set each key once";
            return r;
        }
        seton[k] = number;
        if (std::string why = setvalue(r.values, k, trimmed(line.substr(equals + 1))); !why.empty()) {
            r.error = where + why;
            return r;
        }
    }
    return r;
}

settingsread environmentsettings(const std::function<const char*(const char*)>& lookup) {
    settingsread r;
    if (lookup("VORLAK_POINTS") != nullptr) {
        r.error = "VORLAK_POINTS: PrairieLearn grades by the score, a fraction of the question's points: set the "
                  "points in the assessment, and leave out VORLAK_POINTS";
        return r;
    }
    static constexpr std::pair<const char*, key> variables[] = {{"VORLAK_HINTS", hintskey},
                                                                {"VORLAK_EXPECTED", expectedkey}};
    for (const auto& [variable, key] : variables)
        if (const char* value = lookup(variable); value != nullptr)
            if (std::string why = setvalue(r.values, key, trimmed(value)); !why.empty()) {
                r.error = std::string(variable) + ": " + why;
                return r;
            }
    return r;
}

std::string canonicalsettings(const coursesettings& s) {
    return "hints=" + std::string(engine::hintname(s.hints)) + "\npoints=" + pointstext(s.points) +
           "\nvisibility=" + std::string(s.visibility) + "\nexpected=" + (s.expected ? "yes" : "no") +
           "\nfile=" + s.file + "\nleaderboard=" + (s.leaderboard ? "yes" : "no") + "\n";
}

std::string canonicalenvironment(const coursesettings& s) {
    return "hints=" + std::string(engine::hintname(s.hints)) + "\nexpected=" + (s.expected ? "yes" : "no") + "\n";
}

}  // namespace vorlak::report
