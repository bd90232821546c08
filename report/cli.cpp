#include "report/cli.hpp"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <getopt.h>
#include <string>
#include <string_view>
#include <thread>
#include <unistd.h>
#include <vector>

#include "engine/cover.hpp"
#include "engine/grade.hpp"
#include "engine/scan.hpp"
#include "engine/suggest.hpp"
#include "formats/formats.hpp"
#include "formats/html.hpp"
#include "io/reader.hpp"
#include "io/replace.hpp"
#include "io/write.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/score.hpp"
#include "report/pool.hpp"

namespace vorlak::report {

using engine::grade;
using engine::killset;
using engine::scanneeds;
using engine::scanresult;
using engine::suggestion;

namespace {

constexpr std::string_view synopsis =
    "usage: vorlak-report [-f text|csv|json|html] [-o FILE] [--matrix] [--minimize] [--suggest]\n"
    "                     [--fail-under N] [-h|--help] [--version] TESTFILE\n"
    "       vorlak-report --class [-f text|csv|json|html] [-o FILE] [-j N] [--fail-under N] FILE...\n";

constexpr std::string_view help =
    "Shows which line of TESTFILE kills which of the 65 mutants of vorlak, and what\n"
    "a test file still lacks.  TESTFILE - is standard input.\n"
    "\n"
    "  -f, --format FORMAT  text (the default), csv, json or html\n"
    "  -o, --output FILE    write to FILE instead of standard output\n"
    "      --matrix         every line that kills each mutant, and what each line kills\n"
    "      --minimize       write a smallest subset of the lines that kills as many mutants\n"
    "      --suggest        write test lines that kill the surviving mutants (with json or\n"
    "                       html: put them into the report)\n"
    "      --fail-under N   exit with status 2 when the score is below N percent (0 to 100);\n"
    "                       with --class, when any file's score is\n"
    "      --class          grade every FILE as vorlak -i FILE does: one row per file,\n"
    "                       then how many files kill each mutant\n"
    "  -j, --jobs N         with --class, grade N files at a time (default: the processors)\n"
    "  -h, --help           show this help\n"
    "      --version        show the version\n"
    "\n"
    "Exit status: 0 done, 1 bad command line, unreadable file or write error,\n"
    "2 score below the --fail-under threshold.  With --class a file that cannot be\n"
    "read is a row with its error, and makes the status 1.\n";

enum class format { text, csv, json, html };

constexpr int maxjobs = 1024;  // files graded at a time, at the most

struct settings {
    format form = format::text;
    bool formatgiven = false;
    const char* output = nullptr;
    bool matrix = false;
    bool minimize = false;
    bool suggest = false;
    double failunder = -1;  // no threshold
    const char* testfile = nullptr;
    bool grading = false;            // --class
    std::vector<std::string> files;  // with --class
    int jobs = 0;                    // 0: one per processor
};

enum longonly { matrixoption = 256, minimizeoption, suggestoption, failunderoption, versionoption, classoption };

constexpr option longoptions[] = {
    {"class", no_argument, nullptr, classoption},
    {"fail-under", required_argument, nullptr, failunderoption},
    {"format", required_argument, nullptr, 'f'},
    {"help", no_argument, nullptr, 'h'},
    {"jobs", required_argument, nullptr, 'j'},
    {"matrix", no_argument, nullptr, matrixoption},
    {"minimize", no_argument, nullptr, minimizeoption},
    {"output", required_argument, nullptr, 'o'},
    {"suggest", no_argument, nullptr, suggestoption},
    {"version", no_argument, nullptr, versionoption},
    {nullptr, 0, nullptr, 0},
};

void say(std::string_view text) { std::fwrite(text.data(), 1, text.size(), stderr); }

int usage() {
    say(synopsis);
    return 1;
}

int fail(const std::string& message) {
    say("vorlak-report: " + message + "\n");
    return 1;
}

bool parseformat(std::string_view name, format& f) {
    static constexpr std::pair<std::string_view, format> names[] = {
        {"text", format::text}, {"csv", format::csv}, {"json", format::json}, {"html", format::html}};
    for (const auto& [n, v] : names)
        if (name == n) {
            f = v;
            return true;
        }
    return false;
}

bool parsethreshold(const char* text, double& value) {
    errno = 0;
    char* end = nullptr;
    value = std::strtod(text, &end);
    return errno == 0 && end != text && *end == '\0' && std::isfinite(value) && value >= 0 && value <= 100;
}

bool parsejobs(const char* text, int& jobs) {
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < 1 || value > maxjobs)
        return false;
    jobs = static_cast<int>(value);
    return true;
}

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

constexpr int done = -1;  // what parse returns after the help or the version

// Options in the order of the option string and of the synopsis: 0 to go
// on, done, or the exit status of a bad command line.
int parse(int argc, char** argv, settings& s) {
    int c;
    while ((c = getopt_long(argc, argv, "f:hj:o:", longoptions, nullptr)) != -1) {
        switch (c) {
        case 'f':
            if (!parseformat(optarg, s.form))
                return fail(std::string("unknown format '") + optarg + "': use text, csv, json or html");
            s.formatgiven = true;
            break;
        case 'h':
            std::fwrite(synopsis.data(), 1, synopsis.size(), stdout);
            std::fputc('\n', stdout);
            std::fwrite(help.data(), 1, help.size(), stdout);
            return done;
        case 'j':
            if (!parsejobs(optarg, s.jobs))
                return fail(std::string("illegal -j value '") + optarg + "': use 1-" + std::to_string(maxjobs));
            break;
        case 'o':
            s.output = optarg;
            break;
        case matrixoption:
            s.matrix = true;
            break;
        case minimizeoption:
            s.minimize = true;
            break;
        case suggestoption:
            s.suggest = true;
            break;
        case failunderoption:
            if (!parsethreshold(optarg, s.failunder))
                return fail(std::string("illegal --fail-under value '") + optarg + "': use 0-100");
            break;
        case classoption:
            s.grading = true;
            break;
        case versionoption:
            std::printf("vorlak-report %s\n", VORLAK_VERSION);
            return done;
        default:
            return usage();  // getopt_long has said what was wrong
        }
    }
    if (optind == argc)
        return usage();
    if (s.grading) {
        // Every word names a file, "-" too, as with vorlak -i.
        if (s.matrix || s.minimize || s.suggest)
            return fail("--class grades files: leave out --matrix, --minimize and --suggest");
        s.files.assign(argv + optind, argv + argc);
        return 0;
    }
    if (s.jobs != 0)
        return fail("-j goes with --class");
    if (argc - optind > 1)
        return fail("one test file only, not " + std::to_string(argc - optind));
    s.testfile = argv[optind];
    // Test lines and a report do not mix in one output.
    if (s.minimize && s.formatgiven && s.form != format::text)
        return fail("--minimize writes test lines: leave out -f");
    if (s.minimize && s.matrix)
        return fail("--minimize writes test lines: leave out --matrix");
    if (s.suggest && s.form == format::csv)
        return fail("--suggest writes test lines, or with json and html a report: not csv");
    if (s.suggest && s.form == format::text && s.matrix)
        return fail("--suggest writes test lines: leave out --matrix");
    return 0;
}

// What the suggestions kill, to standard error; and the lines, each once.
std::string suggestedlines(const std::vector<suggestion>& found) {
    std::string lines;
    std::vector<std::string_view> written;
    for (const suggestion& g : found) {
        const mutants::mutant& m = mutants::mutantof(g.mutant);
        std::string shown = g.line.substr(0, g.line.size() - 1);
        say("mutant " + std::to_string(g.mutant) + " (" + std::string(m.description) + "): reference " +
            std::to_string(g.reference) + ", mutant " + std::to_string(g.result) + " on " + shown + "\n");
        if (std::find(written.begin(), written.end(), g.line) == written.end()) {
            written.push_back(g.line);
            lines += g.line;
        }
    }
    return lines;
}

// --class: every file graded, the grades in one report.
int grading(const settings& s) {
    const int processors = static_cast<int>(std::thread::hardware_concurrency());
    const int jobs = s.jobs != 0 ? s.jobs : std::max(processors, 1);
    const std::vector<grade> grades = gradeclass(s.files, jobs, s.form == format::html);
    std::string out;
    switch (s.form) {
    case format::text:
        out = formats::classtext(grades);
        break;
    case format::csv:
        out = formats::classcsv(grades);
        break;
    case format::json:
        out = formats::classjson(grades, 2);
        break;
    case format::html:
        out = formats::classhtml(grades);
        break;
    }
    if (const int status = writeout(s, out); status != 0)
        return status;
    const auto failed = [](const grade& g) { return g.failed(); };
    const auto below = [&](const grade& g) { return !g.failed() && g.score() < s.failunder; };
    if (std::any_of(grades.begin(), grades.end(), failed))
        return 1;
    return s.failunder >= 0 && std::any_of(grades.begin(), grades.end(), below) ? 2 : 0;
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
    if (s.grading)
        return grading(s);
    if (s.form == format::html && !formats::htmlavailable()) {
        say(formats::htmlhowto());
        return 1;
    }

    io::reader in;
    const bool standardinput = std::string_view(s.testfile) == "-";
    if (standardinput) {
        const int fd = ::dup(STDIN_FILENO);
        if (fd < 0)
            return fail(std::string("standard input: ") + std::strerror(errno));
        in.attach(fd);
    } else if (!in.open(s.testfile))
        return fail(std::string(s.testfile) + ": " + std::strerror(errno));
    const bool report = s.form == format::json || s.form == format::html;
    scanneeds needs;
    needs.every = s.matrix || s.minimize;
    needs.perline = s.matrix;
    needs.linetext = s.minimize;
    needs.source = report;
    needs.whole = report;
    scanresult scan;
    if (const int error = engine::scanfile(in, needs, scan); error != 0)
        return fail(std::string(standardinput ? "standard input" : s.testfile) + ": " + std::strerror(error));
    in.close();

    std::vector<suggestion> found;
    killset survivors = killset::all().without(scan.killedset());
    if (s.suggest) {
        found = engine::suggest(survivors);
        for (const suggestion& g : found) {
            killset k;
            k.add(g.mutant);
            survivors = survivors.without(k);
        }
        if (!survivors.empty())
            return fail("no candidate line kills mutant " + std::to_string(survivors.first()));
    }

    std::string out;
    std::string note;
    if (s.minimize || (s.suggest && !report)) {
        bool newline = true;  // the output so far ends a line
        if (s.minimize) {
            const auto kept = engine::minimumcover(scan.sets);
            for (const std::size_t i : kept)
                out += scan.settext[i];
            newline = out.empty() || out.back() == '\n';
            note = "kept " + std::to_string(kept.size()) + " of " + std::to_string(scan.lines) + " lines\n";
        } else {
            newline = scan.endsinnewline;
        }
        if (s.suggest) {
            if (found.empty()) {
                note += "every mutant is killed: nothing to suggest\n";
            } else {
                // Appended to a file whose last line has no newline, the
                // first suggestion would run on in that line.
                if (!newline) {
                    out += '\n';
                    note += s.minimize ? "the last kept line has no newline: one follows it\n"
                                       : "the test file ends without a newline: the lines begin with one\n";
                }
                out += suggestedlines(found);
            }
        }
    } else if (s.form == format::text) {
        out = formats::textreport(scan, s.matrix);
    } else if (s.form == format::csv) {
        out = s.matrix ? formats::csvmatrix(scan) : formats::csvreport(scan);
    } else if (s.form == format::json) {
        out = formats::jsonreport(scan, s.testfile, s.matrix, found, 2);
    } else {
        out = formats::renderhtml(formats::jsonreport(scan, s.testfile, s.matrix, found, -1),
                                  formats::displayname(s.testfile) + ": " + mutants::summary(scan.killed()));
    }

    if (const int status = writeout(s, out); status != 0)
        return status;
    say(note);
    return s.failunder >= 0 && mutants::share(scan.killed()) < s.failunder ? 2 : 0;
}

}  // namespace vorlak::report
