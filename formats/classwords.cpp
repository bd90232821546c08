#include "formats/classwords.hpp"

#include <algorithm>
#include <array>

#include "engine/explain.hpp"
#include "engine/explanation.hpp"
#include "formats/formats.hpp"
#include "formats/html.hpp"
#include "mutants/beliefs.hpp"
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
    const auto start = engine::wheretostart(scan);
    if (!start)
        return "";
    const bool one = start->count == 1;
    const std::string many = engine::counted(start->count, "mutant", "mutants");
    return std::string(startframe) + std::string(mutants::ideaof(start->idea).name) + ", where " +
           (start->reached ? "your lines already reach " + many + (one ? " that survives." : " that survive.")
                           : many + (one ? " survives, not reached yet." : " survive, none of them reached yet."));
}

std::vector<misconceptionline> misconceptionlines(const std::vector<engine::grade>& grades) {
    const auto files = [](long n) { return ": " + std::to_string(n) + (n == 1 ? " file" : " files"); };
    std::vector<misconceptionline> lines;
    for (const engine::beliefcount& c : engine::beliefsof(grades))
        if (c.files > 0)
            lines.push_back(
                {true, c.belief, c.files,
                 std::string(mutants::beliefset[static_cast<std::size_t>(c.belief)].name) + files(c.files)});
    for (const engine::misconceptioncount& c : engine::misconceptionsof(grades))
        if (c.files > 0)
            lines.push_back(
                {false, static_cast<int>(c.idea), c.files, std::string(mutants::ideaof(c.idea).name) + files(c.files)});
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
