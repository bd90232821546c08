// vorlak-report's run: one test file read or a class graded, then one path for
// both that renders the format asked for and writes it whole.
#include "report/run.hpp"

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
#include <vector>

#include "engine/grade.hpp"
#include "formats/formats.hpp"
#include "io/reader.hpp"
#include "io/replace.hpp"
#include "io/write.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/score.hpp"
#include "report/feedback.hpp"
#include "report/findings.hpp"
#include "report/options.hpp"
#include "report/settings.hpp"

namespace vorlak::report {

using engine::grade;

namespace {

// Writes all of text to fd; 0, or the errno of the failed write.
int writeall(int fd, std::string_view text) { return io::writefully(fd, text.data(), text.size()); }

}  // namespace

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

namespace {

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
    if (s.beliefs != nullptr)
        if (const int status = writebeliefs(s, f.grades); status != 0)
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
