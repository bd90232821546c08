#include "engine/scan.hpp"

#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <utility>

#include "dates/dates.hpp"
#include "engine/fastjudge.hpp"
#include "mutants/catalogue.hpp"

namespace vorlak::engine {

static_assert(io::tailcolumn == static_cast<std::size_t>(dates::lastcolumn),
              "a line's tail begins where the program's length test ends");

namespace {

// The distinct sets that lines kill or reach, each with its index; lines
// in a row often share one, so the last is kept at hand.
struct distinct {
    std::unordered_map<killset, std::uint32_t, killsethash> known;
    killset last;
    std::uint32_t lastindex = UINT32_MAX;

    // The set's index, and whether it is new; a new one gets index next.
    std::pair<std::uint32_t, bool> indexof(killset s, std::size_t next) {
        if (lastindex != UINT32_MAX && s == last)
            return {lastindex, false};
        const auto [at, fresh] = known.try_emplace(s, static_cast<std::uint32_t>(next));
        last = s;
        lastindex = at->second;
        return {at->second, fresh};
    }
};

// Whether a line counts only when its expectation is right.
constexpr bool graded(const scanneeds& needs) {
    return needs.tails == tailuse::graded || needs.tails == tailuse::gradedeach;
}

// Whether each line's expectation is kept.
constexpr bool eachline(const scanneeds& needs) {
    return needs.tails == tailuse::gradedeach || needs.tails == tailuse::markedeach;
}

// The line being read, and what the lines before it killed, reached and infected.
struct reading {
    distinct kills;
    distinct reaches;
    killset current;       // what the current line kills so far
    killset currentreach;  // what it reaches so far
    linestates sofar;      // what the lines before reached, infected and killed
    std::string text;      // the current line's bytes, with linetext
    std::string first;     // the current line's first piece, with ownlines
    std::string pending;   // with expected: the first piece of a line that goes on past it
    io::tailreader tail;   // with expected: the current line's tail
    bool open = false;     // a line has begun and not ended
    bool cr = false;       // the piece before ended in a carriage return
    long line = 1;
};

// Ends the current line: counts it and, with the kill sets, files its own.
void endline(reading& r, const scanneeds& needs, scanresult& out) {
    out.lines = r.line;
    if (needs.sets != linesets::none) {
        const auto [index, fresh] = r.kills.indexof(r.current, out.sets.size());
        if (fresh) {
            out.sets.push_back(r.current);
            out.setline.push_back(r.line);
            if (holds(needs.keep, texts::settext))
                out.settext.push_back(std::move(r.text));
        }
        if (needs.sets == linesets::everyline) {
            out.lineset.push_back(index);
            const auto [reachindex, added] = r.reaches.indexof(r.currentreach, out.reachsets.size());
            if (added)
                out.reachsets.push_back(r.currentreach);
            out.linereach.push_back(reachindex);
        }
    }
    r.text.clear();
    r.current = killset{};
    r.currentreach = killset{};
    r.open = false;
    r.line++;
}

// Judges the piece now in the line buffer from the reference's evaluation
// and notes each mutant's first reaching, infecting and killing line, with
// killtext the piece that first kills it, and with ownlines the line that
// first takes a mutant further.  A mutant is run on the piece only when the
// piece kills it for the first time, for its result.
linestates piece(int length, const trace& t, const scanneeds& needs, fast::judging& judging, reading& r,
                 scanresult& out) {
    const long line = r.line;
    const linestates s = judging(t);
    const killset reached = s.reached.without(r.sofar.reached);
    const killset infected = s.infected.without(r.sofar.infected);
    foreachmutant(reached, [&](int n) { out.reach[static_cast<std::size_t>(n - 1)].reached = line; });
    foreachmutant(infected, [&](int n) {
        firstreach& f = out.reach[static_cast<std::size_t>(n - 1)];
        f.infected = line;
        f.why = judge(t, n);
    });
    foreachmutant(s.killed.without(r.sofar.killed), [&](int n) {
        const auto i = static_cast<std::size_t>(n - 1);
        out.kills[i] = {line, t.result, mutants::entries[i](length)};
        if (holds(needs.keep, texts::killtext))
            out.killtext[i].assign(reinterpret_cast<const char*>(dates::line), static_cast<std::size_t>(length));
    });
    // With ownlines, the line's first piece, when this piece took a mutant
    // further than every line before; each line once.
    if (holds(needs.keep, texts::ownlines) && !(reached.empty() && infected.empty()) &&
        (out.ownlines.empty() || out.ownlines.back().number != line))
        out.ownlines.push_back({line, r.first});
    r.sofar.reached |= s.reached;
    r.sofar.infected |= s.infected;
    r.sofar.killed |= s.killed;
    return s;
}

// With tails, at the end of a line: holds its expectation
// against the program's result on its first piece, which stands in the line
// buffer or, for a line that went on past it, is put back there; with
// expected a right line then counts as its first piece does.
void settle(const scanneeds& needs, fast::judging& judging, reading& r, scanresult& out) {
    expectations& e = out.expected;
    int length = dates::len;
    const io::expectation tail = r.pending.empty()
                                     ? io::expectationof(std::string_view(reinterpret_cast<const char*>(dates::line),
                                                                          static_cast<std::size_t>(length)))
                                     : r.tail.finish();
    if (!r.pending.empty()) {
        length = static_cast<int>(r.pending.size());
        std::memcpy(dates::line, r.pending.data(), r.pending.size());
        dates::line[length] = 0;
        dates::len = length;
        r.pending.clear();
    }
    if (tail.stated()) {
        const trace t = tracepiece(length);
        if (eachline(needs))
            e.lines.push_back({tail.value == t.result ? oracle::right : oracle::wrong, tail.value, t.result});
        if (tail.value == t.result) {
            e.right++;
            if (graded(needs)) {
                const linestates s = piece(length, t, needs, judging, r, out);
                r.current |= s.killed;
                r.currentreach |= s.reached;
            }
        } else {
            e.wrong++;
            e.wrongs.push_back(
                {r.line, tail.value, t.result,
                 std::string(reinterpret_cast<const char*>(dates::line), static_cast<std::size_t>(length))});
        }
        return;
    }
    e.missing++;
    if (eachline(needs))
        e.lines.push_back({oracle::missing, 0, dates::testline(length)});
    if (tail.what != io::expectation::kind::none)
        e.bad.push_back({r.line, tail});
    else if (!e.none.empty() && e.none.back().second + 1 == r.line)
        e.none.back().second = r.line;
    else
        e.none.emplace_back(r.line, r.line);
}

}  // namespace

state scanresult::stateof(int mutant) const {
    const firstreach& f = reachof(mutant);
    if (of(mutant).line != 0)
        return state::killed;
    if (f.infected != 0)
        return state::infected;
    return f.reached != 0 ? state::reached : state::unreached;
}

killset killedin(const std::array<firstkill, mutants::mutantcount>& kills) {
    killset s;
    for (int n = 1; n <= mutants::mutantcount; n++)
        if (kills[static_cast<std::size_t>(n - 1)].line != 0)
            s.add(n);
    return s;
}

int scanfile(io::reader& in, const scanneeds& needs, scanresult& out) {
    fast::judging judging;
    return scanfile(in, needs, out, judging);
}

namespace {

// Takes in the piece of n bytes now in the line buffer: counts it, notes
// what it shows of the file's first bytes and line ends, and keeps of it what
// the needs ask for; true when it ends its line.
bool takepiece(int n, const scanneeds& needs, reading& r, scanresult& out) {
    out.tests++;
    out.testable = out.testable || n > dates::lastcolumn;  // past the length test
    const char* bytes = reinterpret_cast<const char*>(dates::line);
    const std::size_t size = static_cast<std::size_t>(n);
    const bool ends = bytes[size - 1] == '\n';
    if (out.tests == 1)
        out.bom = std::string_view(bytes, size).starts_with("\xEF\xBB\xBF");
    out.crlf = out.crlf || (ends && (size > 1 ? bytes[size - 2] == '\r' : r.cr));
    r.cr = bytes[size - 1] == '\r';
    if (holds(needs.keep, texts::ownlines) && !r.open)
        r.first.assign(bytes, size);
    if (needs.tails != tailuse::ignored && !(ends && !r.open)) {
        // A line in pieces is held to its tail once the tail is known, by its first piece.
        if (!r.open) {
            r.tail.start();
            r.pending.assign(bytes, size);
        }
        r.tail.add(bytes, size);
    }
    r.open = true;
    if (holds(needs.keep, texts::source))
        out.source.append(bytes, size);
    if (needs.sets != linesets::none && holds(needs.keep, texts::settext))
        r.text.append(bytes, size);
    return ends;
}

}  // namespace

int scanfile(io::reader& in, const scanneeds& needs, scanresult& out, fast::judging& judging) {
    out = scanresult{};
    const bool expected = graded(needs);
    const bool tails = needs.tails != tailuse::ignored;
    // Read on once every mutant is killed.
    const bool whole =
        needs.sets != linesets::none || tails || holds(needs.keep, texts::source) || needs.counteverytest;
    out.expected.held = expected;
    reading r;
    for (;;) {
        if (r.sofar.killed == killset::all() && !whole && !r.open)
            break;
        const int n = in.getline(dates::line, dates::linesize);
        if (n < 0)
            return in.error();
        if (n == 0)
            break;
        dates::len = n;
        const bool ends = takepiece(n, needs, r, out);
        if (!expected) {
            const linestates s = piece(n, tracepiece(n), needs, judging, r, out);
            r.current |= s.killed;
            r.currentreach |= s.reached;
        }
        if (tails && ends)
            settle(needs, judging, r, out);
        if (ends)
            endline(r, needs, out);
    }
    if (r.open) {
        out.endsinnewline = false;
        if (tails)
            settle(needs, judging, r, out);
        endline(r, needs, out);
    }
    return 0;
}

}  // namespace vorlak::engine
