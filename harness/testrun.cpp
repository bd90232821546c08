// One pass of the test file against one mutant, and the passes of all in order.
#include <atomic>
#include <cstdio>
#include <utility>

#include "dates/dates.hpp"
#include "harness/harness.hpp"
#include "harness/output.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/wiring.hpp"

namespace vorlak::harness {

io::reader fid;

void fatal(std::string_view message) {
    fid.close();
    put(message);
    finish(1);
}

namespace {

// The line exactly as read, zero bytes and all, then the two results.
void killreport(int expected, int actual, int number) {
    put("Input: ");
    put(dates::line, static_cast<std::size_t>(dates::len));
    char text[64];
    const int n = std::snprintf(text, sizeof text, "%d =?= %d\nKilled mutant %d.\n", expected, actual, number);
    put(text, static_cast<std::size_t>(n));
}

}  // namespace

// Entry is a function pointer, or a direct<> naming one mutant's entry so
// that the call in the loop is a direct one.  The reader and both
// evaluations are compiled into the loop (flatten).
template <class Entry> [[gnu::flatten, gnu::hot, gnu::noinline]] int testrun(Entry entry, int number) {
    if (!fid.open(testfile.c_str()))
        fatal("error opening file\n");
    for (;;) {
        // The line's zero byte waits until both evaluations are done (see
        // the reader): neither reads it.  A line of 22 bytes or more is read
        // in columns 0 to 21 only, a shorter one not at all.
        const int length = fid.getpiece(dates::line, dates::linesize);
        dates::len = length;
        // A read error must not pass for the end of the file: the mutant
        // would count as survived on lines never read.
        if (length < 0)
            fatal("error reading file\n");
        if (length == 0) {
            dates::line[0] = 0;
            break;
        }
        const int expected = dates::testline(length);
        // The mutant evaluates the line afresh: the fence keeps the compiler
        // from reusing anything that the reference read or worked out.
        std::atomic_signal_fence(std::memory_order_seq_cst);
        const int actual = entry(length);
        dates::line[length] = 0;
        if (expected != actual) {
            if (optVerbose > 0)
                killreport(expected, actual, number);
            fid.close();
            return 1;
        }
    }
    fid.close();
    return 0;
}
template int testrun(mutants::entryfunction entry, int number);

namespace {

// A mutant's entry as a type of its own, so each pass is compiled for it.
template <mutants::entryfunction Entry> struct direct {
    int operator()(int length) const { return Entry(length); }
};

template <std::size_t... I> int passes(std::index_sequence<I...>) {
    int killed = 0;
    // The comma fold runs the passes left to right, mutant 1 first.
    ((killed += testrun(direct<mutants::entry<static_cast<int>(I) + 1>>{}, mutants::mutantset[I].number)), ...);
    return killed;
}

}  // namespace

int runall() { return passes(std::make_index_sequence<mutants::mutantcount>{}); }

}  // namespace vorlak::harness
