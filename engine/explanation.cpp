#include "engine/explanation.hpp"

#include <algorithm>
#include <array>

#include "mutants/catalogue.hpp"

namespace vorlak::engine {

namespace {

part plain(partkind kind, std::string text) {
    part p{kind, std::move(text), "", "", 0, 0};
    p.brief = p.text;
    return p;
}

}  // namespace

part killingline(const suggestion& s) {
    const std::string line = s.line.substr(0, s.line.find('\n'));
    part p = plain(partkind::answer, std::string(killinghint) + line + " (" + resultpair(s.reference, s.result) + ")");
    p.line = s.line;
    p.at = killinghint.size();
    p.length = line.size();
    return p;
}

part beliefpart(const wrongline& w, const mutants::belief& b) {
    return plain(partkind::belief, "line " + std::to_string(w.line) + " expects " + std::to_string(w.expected) + ": " +
                                       std::string(b.sentence));
}

std::vector<part> explanation(const scanresult& scan, int n, hints level, const std::vector<suggestion>& answers) {
    const mutants::mutant& m = mutants::mutantof(n);
    const state s = scan.stateof(n);
    const bool survives = s != state::killed;
    std::vector<part> parts;
    if (survives && level >= hints::state) {
        parts.push_back(plain(partkind::state, whyof(scan, n)));
        if (s == state::infected)
            parts.push_back(plain(partkind::loss, std::string(lossmeaning(scan.reachof(n).why.lost))));
    }
    if (level >= hints::concepts) {
        part p = plain(partkind::concepts, concepthint(m));
        p.brief = std::string(conceptframe) + std::string(mutants::ideaof(m.teaches).name);
        parts.push_back(std::move(p));
    }
    if (!survives)
        return parts;
    if (level >= hints::condition)
        parts.push_back(plain(partkind::condition, nexthint(m, s)));
    if (level >= hints::mutant)
        parts.push_back(plain(partkind::mutant, std::string(m.description)));
    if (level >= hints::answer)
        for (const suggestion& g : answers)
            if (g.mutant == n)
                parts.push_back(killingline(g));
    return parts;
}

std::string sharedsentence(const std::vector<std::string>& texts, const std::vector<int>& members) {
    constexpr std::size_t longest = 16;  // bytes of a run that differs
    if (texts.empty())
        return "";
    const std::string& first = texts[0];
    std::size_t prefix = first.size();
    std::size_t suffix = first.size();
    for (const std::string& t : texts) {
        prefix =
            std::min(prefix, static_cast<std::size_t>(
                                 std::mismatch(first.begin(), first.end(), t.begin(), t.end()).first - first.begin()));
        suffix = std::min(
            suffix, static_cast<std::size_t>(std::mismatch(first.rbegin(), first.rend(), t.rbegin(), t.rend()).first -
                                             first.rbegin()));
    }
    // Whole words: the prefix ends at a blank, the suffix starts at a
    // character that no word holds, so that the punctuation after the word
    // stays in the sentence.  A word holds letters and digits, and a date's
    // slashes or a hyphen between them.
    const auto inword = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '/' || c == '-';
    };
    while (prefix > 0 && first[prefix - 1] != ' ')
        prefix--;
    while (suffix > 0 && inword(first[first.size() - suffix]))
        suffix--;
    if (prefix == 0)
        return "";
    std::string list;
    for (std::size_t i = 0; i < texts.size(); i++) {
        if (texts[i].size() < prefix + suffix)
            return "";
        const std::string middle = texts[i].substr(prefix, texts[i].size() - prefix - suffix);
        if (middle.empty() || middle.size() > longest || !std::all_of(middle.begin(), middle.end(), inword) ||
            middle.back() == '/' || middle.back() == '-')
            return "";
        list += (i == 0                  ? ""
                 : i + 1 == texts.size() ? " and "
                                         : ", ") +
                middle + " (mutant " + std::to_string(members[i]) + ")";
    }
    return first.substr(0, prefix) + "…" + first.substr(first.size() - suffix) + " Here … stands for " + list + ".";
}

std::optional<startpoint> wheretostart(const scanresult& scan) {
    std::array<int, mutants::ideas.size()> reached{};
    std::array<int, mutants::ideas.size()> surviving{};
    for (const mutants::mutant& m : mutants::mutantset)
        if (const state s = scan.stateof(m.number); s != state::killed) {
            const auto i = static_cast<std::size_t>(m.teaches);
            surviving[i]++;
            reached[i] += s != state::unreached ? 1 : 0;
        }
    const bool anyreached = std::any_of(reached.begin(), reached.end(), [](int r) { return r > 0; });
    const auto& counts = anyreached ? reached : surviving;
    const auto best = static_cast<std::size_t>(std::max_element(counts.begin(), counts.end()) - counts.begin());
    if (counts[best] == 0)
        return std::nullopt;
    return startpoint{static_cast<mutants::idea>(best), counts[best], anyreached};
}

}  // namespace vorlak::engine
