#include "engine/sites.hpp"

#include <algorithm>
#include <array>
#include <cctype>

#include "engine/sources.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/mutants.hpp"

namespace vorlak::engine {

namespace {

bool blank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// Line and column of an offset.
position at(std::string_view text, std::size_t offset) {
    const std::string_view before = text.substr(0, offset);
    const std::size_t newline = before.rfind('\n');
    const auto line = std::count(before.begin(), before.end(), '\n') + 1;
    const std::size_t column = newline == std::string_view::npos ? offset : offset - newline - 1;
    return {static_cast<int>(line), static_cast<int>(column) + 1};
}

// Entry k of the brace list that starts at from (just past its brace), or
// with k == mutants::wholelist all its entries; white space around them left out.
std::optional<std::pair<std::size_t, std::size_t>> listentry(std::string_view text, std::size_t from, int k) {
    const std::size_t close = text.find('}', from);
    if (close == std::string_view::npos)
        return std::nullopt;
    std::size_t begin = from;
    std::size_t end = close;
    if (k != mutants::wholelist) {
        for (int i = 0; i < k; i++) {
            begin = text.find(',', begin);
            if (begin == std::string_view::npos || begin > close)
                return std::nullopt;
            begin++;
        }
        end = std::min(text.find(',', begin), close);
    }
    while (begin < end && blank(text[begin]))
        begin++;
    while (end > begin && blank(text[end - 1]))
        end--;
    if (begin == end)
        return std::nullopt;
    return std::pair{begin, end};
}

// The text with each run of white space made one blank, none at either end.
std::string oneline(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (!blank(c))
            out += c;
        else if (!out.empty() && out.back() != ' ')
            out += ' ';
    }
    if (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

// The identifier that ends just before offset end of text.
std::string_view namebefore(std::string_view text, std::size_t end) {
    while (end > 0 && blank(text[end - 1]))
        end--;
    std::size_t begin = end;
    while (begin > 0 && (std::isalnum(static_cast<unsigned char>(text[begin - 1])) != 0 || text[begin - 1] == '_'))
        begin--;
    return text.substr(begin, end - begin);
}

}  // namespace

std::optional<std::pair<std::size_t, std::size_t>> findloosely(std::string_view text, std::string_view pattern,
                                                               std::size_t from) {
    if (pattern.empty())
        return std::nullopt;
    for (std::size_t start = from; start < text.size(); start++) {
        std::size_t t = start;
        std::size_t p = 0;
        while (p < pattern.size()) {
            if (blank(pattern[p])) {
                while (p < pattern.size() && blank(pattern[p]))
                    p++;
                if (t >= text.size() || !blank(text[t]))
                    break;
                while (t < text.size() && blank(text[t]))
                    t++;
            } else if (t < text.size() && text[t] == pattern[p]) {
                t++;
                p++;
            } else {
                break;
            }
        }
        if (p == pattern.size())
            return std::pair{start, t};
    }
    return std::nullopt;
}

std::optional<location> locate(int mutant) {
    if (mutant < 1 || mutant > mutants::mutantcount)
        return std::nullopt;
    const mutants::site& a = mutants::mutantof(mutant).where;
    const auto files = referencesources();
    const auto file =
        std::find_if(files.begin(), files.end(), [&](const sourcefile& f) { return f.path == handedprogram; });
    if (file == files.end())
        return std::nullopt;
    const std::string_view text = file->text;
    const auto context = findloosely(text, a.context);
    if (!context)
        return std::nullopt;
    std::optional<std::pair<std::size_t, std::size_t>> span;
    if (a.entry == mutants::inside) {
        span = findloosely(text, a.text, context->first);
        if (span && span->second > context->second)
            span.reset();
    } else {
        // The entry must be the value the alteration replaces, and all of it.
        span = listentry(text, context->second, a.entry);
        if (span) {
            const std::string_view entry = text.substr(span->first, span->second - span->first);
            const auto match = findloosely(entry, a.text);
            if (!match || match->first != 0 || match->second != entry.size())
                span.reset();
        }
    }
    if (!span)
        return std::nullopt;
    return location{file->path, at(text, span->first), at(text, span->second),
                    text.substr(span->first, span->second - span->first), a.replacement};
}

namespace {

// The whole text of the source file that holds a located site.
std::string_view sourceof(const location& s) {
    const auto files = referencesources();
    return std::find_if(files.begin(), files.end(), [&](const sourcefile& f) { return f.path == s.file; })->text;
}

}  // namespace

std::optional<codediff> diffof(int mutant) {
    const std::optional<location> s = locate(mutant);
    if (!s)
        return std::nullopt;
    const std::string_view text = sourceof(*s);
    const auto begin = static_cast<std::size_t>(s->text.data() - text.data());
    const std::size_t end = begin + s->text.size();
    const std::size_t newline = text.substr(0, begin).rfind('\n');
    const std::size_t first = newline == std::string_view::npos ? 0 : newline + 1;
    const std::size_t last = std::min(text.find('\n', end), text.size());
    const std::string_view before = text.substr(first, begin - first);
    const std::string_view after = text.substr(end, last - end);
    std::string altered(before);
    altered += s->replacement;
    altered += after;
    return codediff{s->start.line, oneline(text.substr(first, last - first)), oneline(altered)};
}

std::optional<enclosingfunction> functionof(int mutant) {
    const std::optional<location> s = locate(mutant);
    if (!s)
        return std::nullopt;
    const std::string_view text = sourceof(*s);
    const auto site = static_cast<std::size_t>(s->text.data() - text.data());
    // A definition's first line starts in column 1 with its type; the
    // lines inside it are indented, and comments, the preprocessor's lines
    // and closing braces head nothing.
    std::size_t head = std::string_view::npos;
    for (std::size_t at = text.substr(0, site).rfind('\n'); at != std::string_view::npos && at > 0;
         at = text.substr(0, at).rfind('\n')) {
        const char lead = at + 1 < text.size() ? text[at + 1] : '\n';
        if (!blank(lead) && lead != '/' && lead != '#' && lead != '}') {
            head = at + 1;
            break;
        }
    }
    if (head == std::string_view::npos)
        return std::nullopt;
    // Its body, or the table's entries, run from its first brace to the
    // brace that closes it.
    const std::size_t open = text.find('{', head);
    if (open == std::string_view::npos || open > site)
        return std::nullopt;
    std::size_t close = open;
    for (int depth = 0; close < text.size(); close++) {
        if (text[close] == '{')
            depth++;
        else if (text[close] == '}' && --depth == 0)
            break;
    }
    if (close >= text.size() || close < site + s->text.size())
        return std::nullopt;
    // A function is named before its parameters, a table before its '='.
    const std::string_view first = text.substr(head, open - head);
    const std::size_t named = std::min(first.find('('), first.find('='));
    const std::string_view name = namebefore(text, head + std::min(named, first.size()));
    if (name.empty())
        return std::nullopt;
    return enclosingfunction{s->file, at(text, head), at(text, close + 1), name};
}

std::array<std::optional<codespan>, mutants::stagecount> stagespans() {
    std::array<std::optional<codespan>, mutants::stagecount> out;
    const auto before = [](position a, position b) { return a.line != b.line ? a.line < b.line : a.column < b.column; };
    for (const mutants::mutant& m : mutants::mutantset)
        if (const auto f = functionof(m.number)) {
            auto& each = out[static_cast<std::size_t>(m.altered)];
            if (!each)
                each = codespan{f->start, f->end};
            if (before(f->start, each->first))
                each->first = f->start;
            if (before(each->second, f->end))
                each->second = f->end;
        }
    return out;
}

}  // namespace vorlak::engine
