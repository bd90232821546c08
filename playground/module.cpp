// The playground's module: the reference program, the mutants, the line
// reader, the words the reports use and, up to the hint level it is built
// for, what the page tells of each mutant (playground/hints.cpp), compiled for the browser from
// the same sources as vorlak and vorlak-report.  The page puts a test
// file's bytes into the buffer that vorlak_filebuffer gives it and calls
// vorlak_grade; the reader cuts them into pieces as vorlak's passes do, and
// the engine's scan evaluates every piece once with the reference, judges
// every mutant from that evaluation and runs a mutant itself only on the
// piece that first kills it.  Answers are numbers, or text left where
// vorlak_text and vorlak_textsize point.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

#include "engine/cover.hpp"
#include "engine/expected.hpp"
#include "engine/explain.hpp"
#include "engine/killset.hpp"
#include "engine/scan.hpp"
#include "io/reader.hpp"
#include "io/shown.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/score.hpp"
#include "playground/module.hpp"

// Told how far the reading has come, once per refill of the reader's buffer.
extern "C" __attribute__((import_module("vorlak"), import_name("progress"))) void vorlakprogress(std::size_t done,
                                                                                                 std::size_t total);

namespace vorlak::playground {

engine::scanresult graded;

namespace {

std::vector<char> file;  // the test file, as the page hands it over
io::reader in;           // 64 KiB: more than the module's whole stack
std::string text;        // the last answer that is text

// A line with a tail, as the page marks it: right, wrong, or a tail that
// states no value; with its place in the wrong lines or in the bad tails.
enum class markkind : std::uint8_t { right, wrong, malformed, outofrange };
struct mark {
    long line;
    markkind kind;
    std::size_t index;
};
std::vector<mark> marks;  // in the file's order

// The lines of the grading with a tail, from each line's expectation.
void markthelines() {
    const engine::expectations& e = graded.expected;
    marks.clear();
    std::size_t wrong = 0;
    std::size_t bad = 0;
    for (std::size_t i = 0; i < e.lines.size(); i++) {
        const long line = static_cast<long>(i) + 1;
        if (e.lines[i].verdict == engine::oracle::right) {
            marks.push_back({line, markkind::right, 0});
        } else if (e.lines[i].verdict == engine::oracle::wrong) {
            marks.push_back({line, markkind::wrong, wrong++});
        } else if (bad < e.bad.size() && e.bad[bad].line == line) {
            const bool outside = e.bad[bad].tail.what == io::expectation::kind::outofrange;
            marks.push_back({line, outside ? markkind::outofrange : markkind::malformed, bad++});
        }
    }
}

const mark* markat(int i) {
    return i >= 0 && static_cast<std::size_t>(i) < marks.size() ? &marks[static_cast<std::size_t>(i)] : nullptr;
}

// The file as the reader's source: each refill takes the next bytes.
struct memory {
    const char* data;
    std::size_t size;
    std::size_t taken;
};

ssize_t pull(void* context, char* to, std::size_t room) {
    auto& m = *static_cast<memory*>(context);
    const std::size_t n = room < m.size - m.taken ? room : m.size - m.taken;
    if (n == 0)
        return 0;  // the end; an empty file's data may be null, which memcpy must not see
    std::memcpy(to, m.data + m.taken, n);
    m.taken += n;
    vorlakprogress(m.taken, m.size);
    return static_cast<ssize_t>(n);
}

}  // namespace

int answer(std::string_view s) {
    text.assign(s);
    return static_cast<int>(text.size());
}

}  // namespace vorlak::playground

using namespace vorlak;
using namespace vorlak::playground;

// Room for a test file of size bytes; the page fills it, then grades it.
VORLAK_EXPORT(vorlak_filebuffer) char* filebuffer(std::size_t size) {
    file.assign(size, 0);
    return file.data();
}

// Grades the file in the buffer, to its end, by the results its lines expect
// when byexpected is not 0 (a line counts only when it expects the program's
// result); either way each line's expectation is held, for its mark.
// Returns 0, or the errno of a failed read.
VORLAK_EXPORT(vorlak_grade) int grade(int byexpected) {
    memory source{file.data(), file.size(), 0};
    in.attach(pull, &source);
    // To the end, every line's kill set for the view of the lines, and the
    // first line of each distinct set with its bytes: a line that kills a
    // mutant first is one.  Each line's expectation, for its mark.
    const engine::scanneeds needs{
        .sets = engine::linesets::everyline,
        .tails = byexpected != 0 ? engine::tailuse::gradedeach : engine::tailuse::markedeach,
        .keep = engine::texts::settext,
    };
    const int error = engine::scanfile(in, needs, graded);
    in.close();
    markthelines();
    return error;
}

// The count of each verdict of the lines' expectations, as it follows the
// summary line.
VORLAK_EXPORT(vorlak_expectations) int expectations() { return answer(engine::expectationcounts(graded.expected)); }

// The lines with a tail, in the file's order: how many; the line of the
// mark at place i (0 past the last); its kind (0 right, 1 wrong, 2
// malformed, 3 out of range; -1 past the last); its words ("right", "wrong",
// "line 6: malformed expectation"); and a wrong line's explanation, one line
// of text each, as far as the module's level goes (empty for the others).
VORLAK_EXPORT(vorlak_marks) int markcount() { return static_cast<int>(marks.size()); }
VORLAK_EXPORT(vorlak_markline) long markline(int i) {
    const mark* m = markat(i);
    return m != nullptr ? m->line : 0;
}
VORLAK_EXPORT(vorlak_markkind) int markkindof(int i) {
    const mark* m = markat(i);
    return m != nullptr ? static_cast<int>(m->kind) : -1;
}
VORLAK_EXPORT(vorlak_markwords) int markwords(int i) {
    const mark* m = markat(i);
    if (m == nullptr)
        return -1;
    switch (m->kind) {
    case markkind::right:
        return answer(engine::oraclename(engine::oracle::right));
    case markkind::wrong:
        return answer(engine::oraclename(engine::oracle::wrong));
    case markkind::malformed:
    case markkind::outofrange:
        return answer(engine::badtailhead(graded.expected.bad[m->index]));
    }
    return -1;
}
VORLAK_EXPORT(vorlak_markexplained) int markexplained(int i) {
    const mark* m = markat(i);
    if (m == nullptr)
        return -1;
    std::string out;
    if (m->kind == markkind::wrong)
        for (const std::string& line : engine::wrongexplained<cap>(graded.expected.wrongs[m->index], cap))
            out += line + '\n';
    return answer(out);
}

VORLAK_EXPORT(vorlak_lines) long lines() { return graded.lines; }
VORLAK_EXPORT(vorlak_endsinnewline) int endsinnewline() { return graded.endsinnewline ? 1 : 0; }
VORLAK_EXPORT(vorlak_killed) int killed() { return graded.killed(); }

// The first line that kills the mutant, from 1, or 0 when it survived; and
// the reference's and the mutant's results there.
VORLAK_EXPORT(vorlak_killline) long killline(int mutant) { return known(mutant) ? graded.of(mutant).line : 0; }
VORLAK_EXPORT(vorlak_killreference) int killreference(int mutant) {
    return known(mutant) ? graded.of(mutant).reference : 0;
}
VORLAK_EXPORT(vorlak_killresult) int killresult(int mutant) { return known(mutant) ? graded.of(mutant).result : 0; }

// The file's own lines: for each line, the mutants it kills and those that
// no other line kills, as "line:kills:alone" with the numbers ascending and
// blank-separated, one line of text each.  A file of more lines than
// engine::maxlines has only the lines that kill something alone, the page
// counting the rest.
VORLAK_EXPORT(vorlak_ownlines) int ownlines() {
    std::string out;
    for (const engine::lineview& l : engine::ownlineview(graded).rows) {
        out += std::to_string(l.line);
        for (const engine::killset set : {l.kills, l.alone}) {
            out += ':';
            const char* gap = "";
            engine::foreachmutant(set, [&](int n) {
                out += gap;
                out += std::to_string(n);
                gap = " ";
            });
        }
        out += '\n';
    }
    return answer(out);
}

// What an editor added to the file unseen (engine::editornotes), a line
// each; empty for a file with neither a byte-order mark nor CR LF.
VORLAK_EXPORT(vorlak_editornotes) int editornotes() {
    std::string lines;
    for (const std::string& note : engine::editornotes(graded))
        lines += note + '\n';
    return answer(lines);
}

namespace {
std::vector<long> listed;  // the numbers handed over for a list
}  // namespace

// Mutant numbers as every page lists them: the page hands them over one at
// a time, then takes the list (engine::numberlist), with noun 1 after its
// noun (engine::mutantlist), and none are left.
VORLAK_EXPORT(vorlak_listadd) int listadd(long n) {
    listed.push_back(n);
    return 0;
}
VORLAK_EXPORT(vorlak_numberlist) int numberlist(long noun) {
    std::sort(listed.begin(), listed.end());
    const int size = answer(noun != 0 ? engine::mutantlist(listed) : engine::numberlist(listed));
    listed.clear();
    return size;
}

// vorlak's summary line for the file, its newline included.
VORLAK_EXPORT(vorlak_summary) int summary() { return answer(mutants::summaryline(graded.killed())); }

// The bytes of a line that is the first with its kill set, which every line
// that kills some mutant first is, its newline included when it has one; -1
// for any other line.
VORLAK_EXPORT(vorlak_linetext) int linetext(long line) {
    for (std::size_t i = 0; i < graded.setline.size(); i++)
        if (graded.setline[i] == line)
            return answer(graded.settext[i]);
    return -1;
}

// A line as every surface shows it (io::shownline): the size bytes of the
// file in the buffer from byte at, or, with at -1, the last answer that is
// text.
VORLAK_EXPORT(vorlak_shownline) int shownline(long at, long size) {
    if (at < 0)
        return answer(io::shownline(std::string(text)));
    const std::string_view all(file.data(), file.size());
    const auto from = std::min(static_cast<std::size_t>(at), all.size());
    return answer(io::shownline(all.substr(from, static_cast<std::size_t>(std::max(size, 0L)))));
}

VORLAK_EXPORT(vorlak_mutantcount) int mutantcount() { return mutants::mutantcount; }

// The hint levels that the module offers, by their names: the level at
// place level (0 for score), or -1 above the module's.
VORLAK_EXPORT(vorlak_hintname) int hintname(int level) {
    if (level < 0 || level > static_cast<int>(cap))
        return -1;
    return answer(engine::hintname(static_cast<engine::hints>(level)));
}

// What taking a line out would do: of a line that kills something alone (1),
// and of any other (0).
VORLAK_EXPORT(vorlak_lineneed) int lineneed(int alone) { return answer(engine::lineverdict(alone != 0)); }

// The per-line view's heading (0) and what its column of the mutants that
// only a line kills is named (1).
VORLAK_EXPORT(vorlak_ownlinesword) int ownlinesword(int which) {
    return answer(which == 0 ? engine::ownlineshead : engine::alonename);
}

// The status of a killed mutant (1) and of a survivor (0).
VORLAK_EXPORT(vorlak_status) int status(int killed) { return answer(engine::statusname(killed != 0)); }

VORLAK_EXPORT(vorlak_text) const char* textdata() { return text.data(); }
VORLAK_EXPORT(vorlak_textsize) std::size_t textsize() { return text.size(); }
