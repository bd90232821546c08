// The wrong lines and those that state no expectation, listed as the text
// report and the platforms' documents list them.
#include "engine/expected.hpp"
#include "formats/formats.hpp"
#include "formats/utf8.hpp"

namespace vorlak::formats {

namespace {

// The lines that state no expectation, one sentence for each kind: those
// with an empty tail as runs ("no expectation: lines 3-5"), then each tail
// that states none with its text as a page shows it; with most, no more
// than most of them, a run counting once.  named grows by the lines listed.
std::vector<std::string> missingupto(const engine::expectations& e, std::size_t most, long& named) {
    std::size_t items = 0;
    runs none;
    long count = 0;
    for (const auto& [first, last] : e.none) {
        if (most != 0 && items == most)
            break;
        for (long n = first; n <= last; n++)
            none.add(n);
        count += last - first + 1;
        items++;
    }
    std::vector<std::string> lines;
    if (count > 0)
        lines.push_back(std::string(engine::nonename) + ": " + (count == 1 ? "line " : "lines ") + none.text());
    named += count;
    for (const engine::badtail& b : e.bad) {
        if (most != 0 && items == most)
            break;
        lines.push_back(engine::badtailhead(b) + " \"" + shownline(b.tail.text) + "\"");
        named++;
        items++;
    }
    return lines;
}

}  // namespace

std::string wrongtext(const engine::expectations& e, hints level) { return expectationlist(e, level, 0, false); }

std::vector<std::string> missinglines(const engine::expectations& e) {
    long named = 0;
    return missingupto(e, 0, named);
}

std::string expectationlist(const engine::expectations& e, hints level, std::size_t most, bool missing) {
    std::string out;
    std::size_t items = 0;
    long named = 0;  // the file's lines that what is listed names
    for (const engine::wrongline& w : e.wrongs) {
        if (most != 0 && items == most)
            break;
        if (items++ == 0)
            out += std::string(engine::wronghead) + ":\n";
        const std::vector<std::string> lines = engine::wrongexplained(w, level);
        out += lines[0] + '\n';
        for (std::size_t i = 1; i < lines.size(); i++)
            out += "    " + lines[i] + '\n';
        named++;
    }
    if (!missing)
        return out;
    // What room the wrong lines leave, if they leave any.
    const bool full = most != 0 && items == most;
    const std::vector<std::string> lines =
        full ? std::vector<std::string>() : missingupto(e, most == 0 ? 0 : most - items, named);
    if (!lines.empty())
        out += std::string(engine::missinghead) + ":\n";
    for (const std::string& line : lines)
        out += line + '\n';
    long all = static_cast<long>(e.wrongs.size() + e.bad.size());
    for (const auto& [first, last] : e.none)
        all += last - first + 1;
    if (named < all)
        out += engine::morelines(all - named) + '\n';
    return out;
}

}  // namespace vorlak::formats
