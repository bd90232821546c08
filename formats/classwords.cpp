#include "formats/classwords.hpp"

#include "engine/explain.hpp"
#include "formats/formats.hpp"
#include "formats/html.hpp"

namespace vorlak::formats {

std::string classsummary(const std::vector<engine::grade>& grades) {
    const engine::classscores scores = engine::scoresof(grades);
    std::string summary = std::to_string(grades.size()) + (grades.size() == 1 ? " file, " : " files, ") +
                          std::to_string(scores.graded) + " graded";
    if (scores.graded > 0)
        summary += ", mean score " + onedecimal(scores.mean) + "%, median " + onedecimal(scores.median) + "%";
    return summary;
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
