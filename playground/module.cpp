// The playground's module: the reference program, the mutants, the line
// reader, the words the reports use and (unless built without answers) the
// suggestion search, compiled for the browser from the same sources as
// vorlak and vorlak-report.  The page puts a test file's bytes into the
// buffer that vorlak_filebuffer gives it and calls vorlak_grade; the reader
// cuts them into pieces as vorlak's passes do, and the engine's scan
// evaluates every piece once with the reference, judges every mutant from
// that evaluation and runs a mutant itself only on the piece that first
// kills it.  Answers are numbers, or text left where vorlak_text and
// vorlak_textsize point.
#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

#include "engine/explain.hpp"
#include "engine/scan.hpp"
#include "engine/sites.hpp"
#include "io/reader.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/mutants.hpp"
#include "mutants/score.hpp"

// Built with VORLAK_PLAYGROUND_ANSWERS 0, the module has no suggestion search:
// a page that must not hand out killing lines cannot reach one.
#ifndef VORLAK_PLAYGROUND_ANSWERS
#define VORLAK_PLAYGROUND_ANSWERS 1
#endif
#if VORLAK_PLAYGROUND_ANSWERS
#include "engine/suggest.hpp"
#endif

#define VORLAK_EXPORT(name) extern "C" __attribute__((export_name(#name)))

// Told how far the reading has come, once per refill of the reader's buffer.
extern "C" __attribute__((import_module("vorlak"), import_name("progress"))) void vorlakprogress(std::size_t done,
                                                                                                 std::size_t total);

namespace vorlak::playground {
namespace {

std::vector<char> file;     // the test file, as the page hands it over
io::reader in;              // 64 KiB: more than the module's whole stack
engine::scanresult graded;  // what vorlak_grade found in it
std::string text;           // the last answer that is text
#if VORLAK_PLAYGROUND_ANSWERS
engine::suggestion proposal;  // the last line vorlak_suggest found
#endif

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

bool known(int mutant) { return mutant >= 1 && mutant <= mutants::mutantcount; }

const mutants::mutant& entry(int mutant) { return mutants::mutantof(mutant); }

int answer(std::string_view s) {
    text.assign(s);
    return static_cast<int>(text.size());
}

}  // namespace
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

// How far the lines got into the mutant: its state as a word ("killed",
// "infected", "reached" or "unreached"), the first line that reaches it and
// the first that infects it (0 for none), and all of it in a sentence with
// how an infection was lost.  -1 for a number outside the set.
VORLAK_EXPORT(vorlak_state) int state(int mutant) {
    return known(mutant) ? answer(engine::statename(graded.stateof(mutant))) : -1;
}
VORLAK_EXPORT(vorlak_reachline) long reachline(int mutant) {
    return known(mutant) ? graded.reachof(mutant).reached : 0;
}
VORLAK_EXPORT(vorlak_infectline) long infectline(int mutant) {
    return known(mutant) ? graded.reachof(mutant).infected : 0;
}
VORLAK_EXPORT(vorlak_why) int why(int mutant) { return known(mutant) ? answer(engine::whyof(graded, mutant)) : -1; }
// For a survivor that a line infects, what its loss means; empty for the others.
VORLAK_EXPORT(vorlak_lossmeaning) int lossmeaning(int mutant) {
    if (!known(mutant) || graded.stateof(mutant) != engine::state::infected)
        return known(mutant) ? answer("") : -1;
    return answer(engine::lossmeaning(graded.reachof(mutant).why.lost));
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

// The catalogue: the stage a mutant alters, its altered function and what
// the alteration does.  -1 for a number outside the set.
VORLAK_EXPORT(vorlak_stage) int stage(int mutant) {
    return known(mutant) ? answer(mutants::stagename(entry(mutant).altered)) : -1;
}
VORLAK_EXPORT(vorlak_function) int function(int mutant) { return known(mutant) ? answer(entry(mutant).function) : -1; }
VORLAK_EXPORT(vorlak_description) int description(int mutant) {
    return known(mutant) ? answer(entry(mutant).description) : -1;
}
// The hints past the state: what a line needs to infect the mutant, as the
// reports say it ("to infect it: ..."), and the concept a test must hold to
// kill it, its name and its sentence.
VORLAK_EXPORT(vorlak_conditionhint) int conditionhint(int mutant) {
    return known(mutant) ? answer(engine::nexthint(entry(mutant), engine::state::reached)) : -1;
}
VORLAK_EXPORT(vorlak_concept) int conceptname(int mutant) {
    return known(mutant) ? answer(mutants::ideaof(entry(mutant).teaches).name) : -1;
}
VORLAK_EXPORT(vorlak_conceptsentence) int conceptsentence(int mutant) {
    return known(mutant) ? answer(mutants::ideaof(entry(mutant).teaches).sentence) : -1;
}
VORLAK_EXPORT(vorlak_mutantcount) int mutantcount() { return mutants::mutantcount; }

// The words of the page that are not about one mutant, as the reports have
// them: the legend's entries, the furthest state first, each with what it
// means (-1 past the last), and the status of a killed mutant (1) and of a
// survivor (0).
VORLAK_EXPORT(vorlak_legend) int legend(int entry) {
    if (entry < 0 || static_cast<std::size_t>(entry) >= engine::furthestfirst.size())
        return -1;
    return answer(engine::legendentry(engine::furthestfirst[static_cast<std::size_t>(entry)]));
}
VORLAK_EXPORT(vorlak_status) int status(int killed) { return answer(engine::statusname(killed != 0)); }

// The mutant's alteration as a one-line diff: where it stands in the
// handed program, as the class page heads it ("program.cpp, line
// 125"), and the line as the reference and as the mutant read it (-1 when the
// sources no longer hold the code); and the words that tell the two apart,
// the reference's side (0) and the mutant's (1).
VORLAK_EXPORT(vorlak_diffplace) int diffplace(int mutant) {
    const std::optional<engine::codediff> d = known(mutant) ? engine::diffof(mutant) : std::nullopt;
    const std::optional<engine::location> s = known(mutant) ? engine::locate(mutant) : std::nullopt;
    return d && s ? answer(engine::diffplace(s->file, d->line)) : -1;
}
VORLAK_EXPORT(vorlak_diffreference) int diffreference(int mutant) {
    const std::optional<engine::codediff> d = known(mutant) ? engine::diffof(mutant) : std::nullopt;
    return d ? answer(d->reference) : -1;
}
VORLAK_EXPORT(vorlak_diffmutant) int diffmutant(int mutant) {
    const std::optional<engine::codediff> d = known(mutant) ? engine::diffof(mutant) : std::nullopt;
    return d ? answer(d->mutant) : -1;
}
VORLAK_EXPORT(vorlak_diffside) int diffside(int mutantside) {
    return answer(mutantside != 0 ? engine::mutantside : engine::referenceside);
}

#if VORLAK_PLAYGROUND_ANSWERS
// A test line that kills the mutant, by vorlak-report's suggestion search:
// its length, with the line as the text; -1 when no candidate kills it.
VORLAK_EXPORT(vorlak_suggest) int suggestfor(int mutant) {
    if (!known(mutant))
        return -1;
    engine::killset wanted;
    wanted.add(mutant);
    const std::vector<engine::suggestion> found = engine::suggest(wanted);
    if (found.empty())
        return -1;
    proposal = found.front();
    return answer(proposal.line);
}
// The reference's and the mutant's results on the last suggested line, in
// words: "reference 0, mutant -1".
VORLAK_EXPORT(vorlak_suggestedresults) int suggestedresults() {
    return answer(engine::resultpair(proposal.reference, proposal.result));
}
#endif

VORLAK_EXPORT(vorlak_text) const char* textdata() { return text.data(); }
VORLAK_EXPORT(vorlak_textsize) std::size_t textsize() { return text.size(); }
