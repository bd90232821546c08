// vorlak-report's run: one test file read or a class graded, then one path for
// both that renders the format asked for and writes it whole.
#include "report/cli.hpp"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

#include "engine/cover.hpp"
#include "engine/expected.hpp"
#include "engine/grade.hpp"
#include "engine/scan.hpp"
#include "engine/suggest.hpp"
#include "formats/formats.hpp"
#include "formats/html.hpp"
#include "io/expectation.hpp"
#include "io/reader.hpp"
#include "io/replace.hpp"
#include "io/write.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/score.hpp"
#include "report/feedback.hpp"
#include "report/options.hpp"
#include "report/settings.hpp"

namespace vorlak::report {

using engine::grade;
using engine::killset;
using engine::scanneeds;
using engine::suggestion;

namespace {

// What a run found: one test file's grade, or the grades of a class.
struct findings {
    grade file;                 // its scan; with --suggest or the answers, a line for each survivor
    std::vector<grade> grades;  // with --class
};

// Writes all of text to fd; 0, or the errno of the failed write.
int writeall(int fd, std::string_view text) { return io::writefully(fd, text.data(), text.size()); }

// The output goes to FILE only once the test file has been read, and
// replaces it only once it is whole: a file that cannot be read, a full
// disk or a folder that cannot be written leaves an earlier report in place.
int writeout(const settings& s, std::string_view text) {
    if (s.output != nullptr) {
        if (const int error = io::replacefile(s.output, text); error != 0)
            return fail(std::string(s.output) + ": " + std::strerror(error));
        return 0;
    }
    int error = writeall(STDOUT_FILENO, text);
    // An error that the system reports only when the output is closed counts too.
    if (::close(STDOUT_FILENO) != 0 && error == 0 && errno != EINTR)
        error = errno;
    if (error != 0)
        return fail(std::string("write error: ") + std::strerror(error));
    return 0;
}

// --class: every file graded, on as many threads as asked or as there are
// processors.
std::vector<grade> gradeall(const settings& s) {
    const int processors = static_cast<int>(std::thread::hardware_concurrency());
    const int jobs = s.jobs != 0 ? s.jobs : std::max(processors, 1);
    // The pages are rendered from the grades alone: what they show is
    // gathered in the grading, once per file, where it runs.
    const bool feedback = s.feedback != nullptr;
    return engine::gradeclass(s.files, jobs,
                              {.killtext = s.form == format::html,
                               .ownlines = feedback,
                               .answers = feedback && s.hints == formats::hints::answer,
                               .perline = feedback,
                               .expected = s.expected,
                               .shown = formats::shownline});
}

// A line for every survivor, with --suggest; 0, or 1 when one has none.
int suggestall(findings& f) {
    killset survivors = killset::all().without(f.file.scan.killedset());
    f.file.answers = engine::suggest(survivors);
    for (const suggestion& g : f.file.answers) {
        killset k;
        k.add(g.mutant);
        survivors = survivors.without(k);
    }
    if (!survivors.empty())
        return fail("no candidate line kills mutant " + std::to_string(survivors.first()));
    return 0;
}

// With --hints answer, a line for every survivor that the report shows:
// those that a candidate kills.
void answerall(const settings& s, findings& f) {
    if (s.hints == formats::hints::answer && !s.suggest && s.form != format::csv)
        f.file.answers = engine::suggest(killset::all().without(f.file.scan.killedset()));
}

// A test file that cannot be read: the error, and for a platform the
// document that says so, which the run still writes.
int unreadable(const settings& s, findings& f, const char* name, int error) {
    const int status = fail(std::string(name) + ": " + std::strerror(error));
    if (!forplatform(s.form))
        return status;
    f.file.error = std::string(name) + ": " + std::strerror(error);
    return writeout(s, s.form == format::gradescope ? formats::gradescopefailure(f.file.error)
                                                    : formats::prairielearnfailure(f.file.error)) != 0
               ? 1
               : status;
}

// One test file read in one scan that keeps what the output needs; 0, or
// the exit status when it cannot be read.
int examine(const settings& s, findings& f) {
    if (s.form == format::html && !formats::htmlavailable()) {
        say(formats::htmlhowto());
        return 1;
    }
    io::reader in;
    const bool standardinput = std::string_view(s.testfile) == "-";
    if (standardinput) {
        const int fd = ::dup(STDIN_FILENO);
        if (fd < 0)
            return unreadable(s, f, "standard input", errno);
        in.attach(fd);
    } else if (!in.open(s.testfile)) {
        return unreadable(s, f, s.testfile, errno);
    }
    const bool report = s.form == format::json || s.form == format::html;
    scanneeds needs;
    if (s.matrix)
        needs.sets = engine::linesets::everyline;
    else if (s.minimize)
        needs.sets = engine::linesets::distinct;
    if (s.expected)
        needs.tails = s.matrix || report ? engine::tailuse::gradedeach : engine::tailuse::graded;
    needs.keep = (s.minimize ? engine::texts::settext : engine::texts::none) |
                 (report ? engine::texts::source : engine::texts::none);
    needs.counteverytest = s.leaderboard;
    if (const int error = engine::scanfile(in, needs, f.file.scan); error != 0)
        return unreadable(s, f, standardinput ? "standard input" : s.testfile, error);
    in.close();
    answerall(s, f);
    return s.suggest ? suggestall(f) : 0;
}

// What the suggestions kill, to standard error; and the lines, each once,
// with expected each followed by the program's result on it.
std::string suggestedlines(const std::vector<suggestion>& found, bool expected) {
    std::string lines;
    std::vector<std::string_view> written;
    for (const suggestion& g : found) {
        const mutants::mutant& m = mutants::mutantof(g.mutant);
        std::string shown = g.line.substr(0, g.line.size() - 1);
        say("mutant " + std::to_string(g.mutant) + " (" + std::string(m.description) +
            "): " + engine::resultpair(g.reference, g.result) + " on " + shown + "\n");
        if (std::find(written.begin(), written.end(), g.line) == written.end()) {
            written.push_back(g.line);
            // A line of exactly the two dates takes the result after a
            // blank; any other would read differently with one.
            lines +=
                expected && shown.size() == io::tailcolumn ? shown + " " + std::to_string(g.reference) + "\n" : g.line;
        }
    }
    return lines;
}

// --minimize and --suggest without a report: the kept lines, then the
// suggested ones; note gets what was done to them.
std::string testlines(const settings& s, const findings& f, std::string& note) {
    std::string out;
    bool newline = f.file.scan.endsinnewline;  // the output so far ends a line
    if (s.minimize) {
        const auto kept = engine::minimumcover(f.file.scan.sets);
        for (const std::size_t i : kept)
            out += f.file.scan.settext[i];
        newline = out.empty() || out.back() == '\n';
        note = "kept " + std::to_string(kept.size()) + " of " + std::to_string(f.file.scan.lines) + " lines\n";
    }
    if (!s.suggest)
        return out;
    if (f.file.answers.empty()) {
        note += "every mutant is killed: nothing to suggest\n";
        return out;
    }
    // Appended to a file whose last line has no newline, the first
    // suggestion would run on in that line.
    if (!newline) {
        out += '\n';
        note += s.minimize ? "the last kept line has no newline: one follows it\n"
                           : "the test file ends without a newline: the lines begin with one\n";
    }
    return out + suggestedlines(f.file.answers, s.expected);
}

// The output, of a file or a class, in the format asked for; note gets
// what to say once it is written.
std::string render(const settings& s, const findings& f, std::string& note) {
    const bool report = s.form == format::json || s.form == format::html;
    if (s.minimize || (s.suggest && !report))
        return testlines(s, f, note);
    switch (s.form) {
    case format::text:
        return s.grading ? formats::classtext(f.grades, s.expected)
                         : formats::textreport(f.file.scan, s.matrix, s.hints, f.file.answers);
    case format::csv:
        if (s.grading)
            return formats::classcsv(f.grades, s.expected);
        return s.matrix ? formats::csvmatrix(f.file.scan) : formats::csvreport(f.file.scan, s.hints);
    case format::json:
        return s.grading ? formats::classjson(f.grades, 2, s.expected)
                         : formats::jsonreport(f.file.scan, s.testfile, {.matrix = s.matrix, .level = s.hints},
                                               f.file.answers, 2);
    case format::gradescope:
    case format::prairielearn: {
        const bool gradescope = s.form == format::gradescope;
        if (f.file.failed())
            return gradescope ? formats::gradescopefailure(f.file.error) : formats::prairielearnfailure(f.file.error);
        const formats::autograderoptions o{.points = s.points > 0 ? s.points : mutants::mutantcount,
                                           .level = s.hints,
                                           .answers = f.file.answers,
                                           .visibility = s.visibility != nullptr ? s.visibility : "visible",
                                           .leaderboard = s.leaderboard};
        return gradescope ? formats::gradescopejson(f.file.scan, o) : formats::prairielearnjson(f.file.scan, o);
    }
    case format::html:
        if (s.grading)
            return formats::classhtml(f.grades, s.expected);
        return formats::renderhtml(formats::jsonreport(f.file.scan, s.testfile,
                                                       {.matrix = s.matrix, .diffs = true, .level = s.hints},
                                                       f.file.answers, -1),
                                   formats::displayname(s.testfile) + ": " + mutants::summary(f.file.scan.killed()) +
                                       (s.expected ? "; " + engine::expectationcounts(f.file.scan.expected) : ""));
    }
    return {};
}

// The exit status once the output is written: 1 when a file of the class
// could not be read, 2 when a score is below the threshold.
int exitstatus(const settings& s, const findings& f) {
    if (!s.grading)
        return s.failunder >= 0 && mutants::share(f.file.scan.killed()) < s.failunder ? 2 : 0;
    const auto failed = [](const grade& g) { return g.failed(); };
    const auto below = [&](const grade& g) { return !g.failed() && g.score() < s.failunder; };
    if (std::any_of(f.grades.begin(), f.grades.end(), failed))
        return 1;
    return s.failunder >= 0 && std::any_of(f.grades.begin(), f.grades.end(), below) ? 2 : 0;
}

// Why a file's status is 2: its share against the threshold, and the
// fewest kills that reach it.
std::string below(const settings& s, int killed) {
    int needed = killed;
    while (needed < mutants::mutantcount && mutants::share(needed) < s.failunder)
        needed++;
    return std::to_string(killed) + " of " + std::to_string(mutants::mutantcount) + " mutants killed (" +
           std::to_string(mutants::percent(killed)) + "%), below the " + s.failundertext +
           "% that --fail-under asks for: at least " + std::to_string(needed) + " needed";
}

// --check-settings and --check-settings-environment: the settings, every
// one as key=value, or the message that says where they are wrong.
int checksettings(const settings& s) {
    if (s.settingsenvironment) {
        const settingsread r = environmentsettings([](const char* name) { return std::getenv(name); });
        return r.error.empty() ? writeout(s, canonicalenvironment(r.values)) : fail(r.error);
    }
    io::reader in;
    if (!in.open(s.settingsfile))
        return fail(std::string(s.settingsfile) + ": " + std::strerror(errno));
    std::string text;
    signed char piece[4096];
    int count;
    while ((count = in.getpiece(piece, sizeof piece)) > 0)
        text.append(reinterpret_cast<const char*>(piece), static_cast<std::size_t>(count));
    if (count < 0)
        return fail(std::string(s.settingsfile) + ": " + std::strerror(in.error()));
    const settingsread r = readsettings(text, s.settingsfile);
    return r.error.empty() ? writeout(s, canonicalsettings(r.values)) : fail(r.error);
}

}  // namespace

int run(int argc, char** argv) {
    // A closed pipe must show as a write error (EPIPE), as in vorlak.
    std::signal(SIGPIPE, SIG_IGN);
    settings s;
    if (const int status = parse(argc, argv, s); status == done)
        return std::fflush(stdout) == 0 && !std::ferror(stdout)
                   ? 0
                   : fail(std::string("write error: ") + std::strerror(errno));
    else if (status != 0)
        return status;
    if (s.settingsfile != nullptr || s.settingsenvironment)
        return checksettings(s);
    if (s.feedback != nullptr)
        if (const int status = feedbackfolder(s); status != 0)
            return status;
    findings f;
    if (s.grading)
        f.grades = gradeall(s);
    else if (const int status = examine(s, f); status != 0)
        return status;
    std::string note;
    const std::string out = render(s, f, note);
    if (const int status = writeout(s, out); status != 0)
        return status;
    if (s.feedback != nullptr)
        if (const int status = writefeedback(s, f.grades); status != 0)
            return status;
    say(note);
    const int status = exitstatus(s, f);
    if (status == 2 && !s.grading)
        fail(below(s, f.file.scan.killed()));
    return status;
}

}  // namespace vorlak::report
