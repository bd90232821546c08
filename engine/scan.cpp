#include "engine/scan.hpp"

#include <unordered_map>
#include <utility>

#include "dates/dates.hpp"
#include "mutants/catalogue.hpp"

namespace vorlak::engine {

namespace {

using mutants::mutantset;

// Mutant I + 1 on the current piece: its result is noted when it differs
// from the reference, the first time with the line.  The entry is a template
// argument, so the call is a direct one.
template <std::size_t I>
void evaluateone(int length, int reference, killset wanted, long line, scanresult* out, killset& killed) {
    constexpr int n = static_cast<int>(I) + 1;
    if (!wanted.has(n))
        return;
    constexpr mutants::entryfunction entry = mutantset[I].entry;
    const int result = entry(length);
    if (result == reference)
        return;
    killed.add(n);
    if (out != nullptr && out->kills[I].line == 0)
        out->kills[I] = {line, reference, result};
}

// The mutants of wanted on the current piece, in number order.
template <std::size_t... I>
killset evaluate(int length, int reference, killset wanted, long line, scanresult* out, std::index_sequence<I...>) {
    killset killed;
    (evaluateone<I>(length, reference, wanted, line, out, killed), ...);
    return killed;
}

killset piece(int length, killset wanted, long line, scanresult* out) {
    const int reference = dates::testline(length);
    return evaluate(length, reference, wanted, line, out, std::make_index_sequence<mutants::mutantcount>{});
}

// The line being read, and the distinct kill sets of the lines before it.
struct reading {
    std::unordered_map<killset, std::uint32_t, killsethash> known;
    killset current;    // what the current line kills so far
    std::string text;   // the current line's bytes, with linetext
    bool open = false;  // a line has begun and not ended
    long line = 1;
};

// Ends the current line: counts it and, with every, files its kill set.
void endline(reading& r, const scanneeds& needs, scanresult& out) {
    out.lines = r.line;
    if (needs.every) {
        auto [at, fresh] = r.known.try_emplace(r.current, static_cast<std::uint32_t>(out.sets.size()));
        if (fresh) {
            out.sets.push_back(r.current);
            out.setline.push_back(r.line);
            if (needs.linetext)
                out.settext.push_back(std::move(r.text));
        }
        if (needs.perline)
            out.lineset.push_back(at->second);
    }
    r.text.clear();
    r.current = killset{};
    r.open = false;
    r.line++;
}

}  // namespace

killset killedin(const std::array<firstkill, mutants::mutantcount>& kills) {
    killset s;
    for (int n = 1; n <= mutants::mutantcount; n++)
        if (kills[static_cast<std::size_t>(n - 1)].line != 0)
            s.add(n);
    return s;
}

killset killsofpiece(int length) { return piece(length, killset::all(), 0, nullptr); }

int scanfile(io::reader& in, const scanneeds& needs, scanresult& out) {
    out = scanresult{};
    reading r;
    killset alive = killset::all();  // the mutants not yet killed
    const bool whole = needs.whole || needs.every;
    for (;;) {
        if (alive.empty() && !whole && !r.open)
            break;
        const int n = in.getline(dates::line, dates::linesize);
        if (n < 0)
            return in.error();
        if (n == 0)
            break;
        dates::len = n;
        r.open = true;
        const char* bytes = reinterpret_cast<const char*>(dates::line);
        const std::size_t size = static_cast<std::size_t>(n);
        if (needs.source)
            out.source.append(bytes, size);
        if (needs.linetext)
            r.text.append(bytes, size);
        const killset wanted = needs.every ? killset::all() : alive;
        if (!wanted.empty()) {
            const killset k = piece(n, wanted, r.line, &out);
            if (needs.killtext)
                foreachmutant(k & alive,
                              [&](int m) { out.killtext[static_cast<std::size_t>(m - 1)].assign(bytes, size); });
            r.current |= k;
            alive = alive.without(k);
        }
        if (bytes[size - 1] == '\n')
            endline(r, needs, out);
    }
    if (r.open) {
        out.endsinnewline = false;
        endline(r, needs, out);
    }
    return 0;
}

}  // namespace vorlak::engine
