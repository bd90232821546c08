#include "formats/classwords.hpp"

#include <algorithm>
#include <array>

#include "engine/explain.hpp"
#include "formats/formats.hpp"
#include "formats/html.hpp"
#include "mutants/catalogue.hpp"

namespace vorlak::formats {

std::string classsummary(const std::vector<engine::grade>& grades) {
    const engine::classscores scores = engine::scoresof(grades);
    std::string summary = std::to_string(grades.size()) + (grades.size() == 1 ? " file, " : " files, ") +
                          std::to_string(scores.graded) + " graded";
    if (scores.graded > 0)
        summary += ", mean score " + onedecimal(scores.mean) + "%, median " + onedecimal(scores.median) + "%";
    return summary;
}

std::string wheretostarttext(const engine::scanresult& scan, engine::hints level) {
    if (level < engine::hints::concepts)
        return "";
    std::array<int, mutants::ideas.size()> reached{};
    std::array<int, mutants::ideas.size()> surviving{};
    for (const mutants::mutant& m : mutants::mutantset)
        if (const engine::state s = scan.stateof(m.number); s != engine::state::killed) {
            const auto i = static_cast<std::size_t>(m.teaches);
            surviving[i]++;
            reached[i] += s != engine::state::unreached ? 1 : 0;
        }
    const bool anyreached = std::any_of(reached.begin(), reached.end(), [](int r) { return r > 0; });
    const auto& counts = anyreached ? reached : surviving;
    const auto best = static_cast<std::size_t>(std::max_element(counts.begin(), counts.end()) - counts.begin());
    if (counts[best] == 0)
        return "";
    const std::string many = std::to_string(counts[best]) + (counts[best] == 1 ? " mutant" : " mutants");
    return std::string(startframe) + std::string(mutants::ideas[best].name) + ", where " +
           (anyreached ? "your lines already reach " + many + " that survive."
                       : many + " survive, none of them reached yet.");
}

std::vector<misconceptionline> misconceptionlines(const std::vector<engine::grade>& grades) {
    std::vector<misconceptionline> lines;
    for (const engine::misconceptioncount& c : engine::misconceptionsof(grades))
        if (c.files > 0)
            lines.push_back({c, std::string(mutants::ideaof(c.idea).name) + ": " + std::to_string(c.files) +
                                    (c.files == 1 ? " file" : " files")});
    return lines;
}

std::string statelegend(std::span<const engine::state> states, bool swatches) {
    std::string list = "<ul class=\"legend\">\n";
    for (const engine::state s : states) {
        list += "<li>";
        if (swatches)
            list += "<span class=\"cell " + std::string(engine::statename(s)) + "\"></span>";
        list += htmltext(engine::legendentry(s)) + "</li>\n";
    }
    return list + "</ul>\n";
}

}  // namespace vorlak::formats
