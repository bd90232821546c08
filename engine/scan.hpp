// One reading of the test file.  Each piece is evaluated once by the
// reference, which decides how far it gets into each mutant (reach and
// infection) and whether it kills it; a mutant's own evaluation runs only on
// the piece that first kills it, for its result.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/infection.hpp"
#include "engine/killset.hpp"
#include "io/expectation.hpp"
#include "io/reader.hpp"
#include "mutants/mutants.hpp"

namespace vorlak::engine {

// Where a mutant was first killed, with the two results on that piece.
struct firstkill {
    long line = 0;  // physical line, from 1; 0 when the mutant survived
    int reference = 0;
    int result = 0;
};

// Where a mutant was first reached and first infected.
struct firstreach {
    long reached = 0;   // physical line, from 1; 0 when no line reached it
    long infected = 0;  // 0 when no line infected it
    verdict why;        // on the first infecting piece, when there is one
};

// A line of the file by its number, as it was read: its first piece, with
// its newline when the line ends there.
struct ownline {
    long number = 0;
    std::string text;
};

// What a line's expectation makes of it: right when it states the
// program's result, wrong when it states another, missing when it states
// none (an empty, malformed or out-of-range tail).
enum class oracle : std::uint8_t { right, wrong, missing };

// A line whose expectation is not the program's result.
struct wrongline {
    long line = 0;
    std::int32_t expected = 0;
    int reference = 0;  // the program's result on its first piece
    std::string text;   // its first piece
};

// A line whose tail is malformed or out of range.
struct badtail {
    long line = 0;
    io::expectation tail;
};

// One line's expectation, as the per-line view shows it.
struct lineexpectation {
    oracle verdict = oracle::missing;
    std::int32_t expected = 0;  // when it states one
    int reference = 0;          // the program's result on its first piece
};

// The expectations of a file's lines.  Only a right line counts: it reaches,
// infects and kills with its first piece, and a wrong or missing line, and
// every later piece of a line past 999 bytes, counts for nothing.
struct expectations {
    bool held = false;  // the scan held each line's expectation
    long right = 0;
    long wrong = 0;
    long missing = 0;                         // the lines of none and of bad together
    std::vector<wrongline> wrongs;            // in the file's order
    std::vector<badtail> bad;                 // in the file's order
    std::vector<std::pair<long, long>> none;  // runs of lines with an empty tail, first and last
    std::vector<lineexpectation> lines;       // with gradedeach or markedeach: for line i + 1
};

// The mutants that a table of first kills records as killed.
killset killedin(const std::array<firstkill, mutants::mutantcount>& kills);

// What a scan keeps besides each mutant's first killing, reaching and
// infecting lines, in three parts that a caller names and that do not
// depend on one another.  Every piece is judged for every mutant, killed or
// not; a mutant runs only on the piece that first kills it.
//
// The lines' kill sets.  With none, and neither tails nor the source, the
// reading stops once every mutant is killed, as vorlak's passes do; lines
// and endsinnewline then tell only what was read.
enum class linesets : std::uint8_t {
    none,
    distinct,   // the distinct kill sets, each with its first line (the matrix, the smallest subset)
    everyline,  // and every line's kill set and reach, by index (the per-line view)
};

// What the lines' expectations count for; any but ignored reads the whole file.
enum class tailuse : std::uint8_t {
    ignored,
    graded,      // a line counts only when its expectation is right; the wrong and bad ones are kept
    gradedeach,  // the same, and each line's expectation
    // Each line's expectation held as gradedeach holds it, but every line
    // counts as with ignored (expected.held stays false): to mark the lines,
    // not to grade by them.
    markedeach,
};

// The bytes kept, any of them together.
enum class texts : std::uint8_t {
    none = 0,
    settext = 1,   // the first line of each distinct kill set (with linesets::distinct or everyline)
    killtext = 2,  // the piece that first kills each mutant
    ownlines = 4,  // the first piece of each line that first reaches or infects a mutant
    source = 8,    // the whole file, read to its end
};
constexpr texts operator|(texts a, texts b) {
    return static_cast<texts>(static_cast<std::uint8_t>(a) | static_cast<std::uint8_t>(b));
}
constexpr bool holds(texts set, texts t) {
    return (static_cast<std::uint8_t>(set) & static_cast<std::uint8_t>(t)) != 0;
}

struct scanneeds {
    linesets sets = linesets::none;
    tailuse tails = tailuse::ignored;
    texts keep = texts::none;
    bool counteverytest = false;  // read to the end, for the tests, even once every mutant is killed
};

struct scanresult {
    long lines = 0;  // physical lines; a last line without newline counts
    // The tests vorlak runs: a piece of at most 999 bytes each, so that a
    // line of 999 bytes or more before its newline is several.
    long tests = 0;
    bool testable = false;      // a piece is long enough (22 bytes) to be evaluated past the length test
    bool endsinnewline = true;  // false when the last line has no newline
    bool bom = false;           // line 1 begins with a byte-order mark (EF BB BF)
    bool crlf = false;          // a line read ends in CR LF
    std::array<firstkill, mutants::mutantcount> kills{};
    std::array<firstreach, mutants::mutantcount> reach{};

    // With linesets: the distinct kill sets of the lines, in the order of
    // their first lines, each with that line's number and, with settext, its bytes.
    std::vector<killset> sets;
    std::vector<long> setline;
    std::vector<std::string> settext;
    std::vector<std::uint32_t> lineset;                      // with everyline: for line i + 1, its index in sets
    std::vector<killset> reachsets;                          // with everyline: the distinct sets that lines reach
    std::vector<std::uint32_t> linereach;                    // with everyline: for line i + 1, its index in reachsets
    std::string source;                                      // with source: the file as read
    std::array<std::string, mutants::mutantcount> killtext;  // with killtext: each first killing piece
    std::vector<ownline> ownlines;                           // with ownlines: those lines, in the file's order
    expectations expected;                                   // with tails

    int killed() const { return killedset().count(); }
    killset killedset() const { return killedin(kills); }
    const firstkill& of(int mutant) const { return kills[static_cast<std::size_t>(mutant - 1)]; }
    const firstreach& reachof(int mutant) const { return reach[static_cast<std::size_t>(mutant - 1)]; }
    // The furthest any line got into the mutant.
    state stateof(int mutant) const;
};

namespace fast {
class judging;
}

// Reads in to its end through this thread's line buffer, with vorlak's line
// rules.  Returns 0, or the errno of a failed read.
int scanfile(io::reader& in, const scanneeds& needs, scanresult& out);
// The same with the caller's judging, which keeps what it works out for the
// next scan: a caller that scans many files saves working it out again, and
// what the judging answers does not depend on what it judged before.
int scanfile(io::reader& in, const scanneeds& needs, scanresult& out, fast::judging& judging);

}  // namespace vorlak::engine
