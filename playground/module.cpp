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
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

#include "engine/cover.hpp"
#include "engine/explain.hpp"
#include "engine/killset.hpp"
#include "engine/scan.hpp"
#include "io/reader.hpp"
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

// Grades the file in the buffer, to its end.  Returns 0, or the errno of a
// failed read.
VORLAK_EXPORT(vorlak_grade) int grade() {
    memory source{file.data(), file.size(), 0};
    in.attach(pull, &source);
    engine::scanneeds needs;
    needs.every = true;     // to the end, and each distinct kill set with its first line
    needs.perline = true;   // and every line's, for the view of the lines
    needs.linetext = true;  // and that line's bytes: a line that kills a mutant first is one
    const int error = engine::scanfile(in, needs, graded);
    in.close();
    return error;
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
// blank-separated, one line of text each.  A file of more lines than most
// has only the lines that kill something alone, the page counting the rest.
VORLAK_EXPORT(vorlak_ownlines) int ownlines(long most) {
    const engine::killset once = engine::killedonce(graded.sets, graded.lineset);
    const bool every = graded.lines <= most;
    std::string out;
    for (std::size_t i = 0; i < graded.lineset.size(); i++) {
        const engine::killset kills = graded.sets[graded.lineset[i]];
        const engine::killset alone = kills & once;
        if (!every && alone.empty())
            continue;
        out += std::to_string(i + 1);
        for (const engine::killset set : {kills, alone}) {
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

// The status of a killed mutant (1) and of a survivor (0).
VORLAK_EXPORT(vorlak_status) int status(int killed) { return answer(engine::statusname(killed != 0)); }

VORLAK_EXPORT(vorlak_text) const char* textdata() { return text.data(); }
VORLAK_EXPORT(vorlak_textsize) std::size_t textsize() { return text.size(); }
