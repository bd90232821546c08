// vorlak-report's command line: the synopsis, the help and the options.
#include "report/options.hpp"
#include "report/help.hpp"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <getopt.h>
#include <string>
#include <string_view>
#include <utility>

#include "mutants/catalogue.hpp"

namespace vorlak::report {

void say(std::string_view text) { std::fwrite(text.data(), 1, text.size(), stderr); }

int fail(const std::string& message) {
    say("vorlak-report: " + message + "\n");
    return 1;
}

bool parsepoints(const char* text, double& value) {
    errno = 0;
    char* end = nullptr;
    value = std::strtod(text, &end);
    return errno == 0 && end != text && *end == '\0' && std::isfinite(value) && value > 0 && value <= 1e9;
}

namespace {

constexpr int maxjobs = 1024;  // files graded at a time, at the most

enum longonly {
    matrixoption = 256,
    minimizeoption,
    suggestoption,
    expectedoption,
    failunderoption,
    versionoption,
    classoption,
    feedbackoption,
    hintsoption,
    pointsoption,
    visibilityoption,
    checksettingsoption,
    checkenvironmentoption,
    leaderboardoption,
    beliefsoption
};

constexpr option longoptions[] = {
    {"beliefs", required_argument, nullptr, beliefsoption},
    {"check-settings", required_argument, nullptr, checksettingsoption},
    {"check-settings-environment", no_argument, nullptr, checkenvironmentoption},
    {"class", no_argument, nullptr, classoption},
    {"expected", no_argument, nullptr, expectedoption},
    {"fail-under", required_argument, nullptr, failunderoption},
    {"feedback", required_argument, nullptr, feedbackoption},
    {"format", required_argument, nullptr, 'f'},
    {"help", no_argument, nullptr, 'h'},
    {"hints", required_argument, nullptr, hintsoption},
    {"jobs", required_argument, nullptr, 'j'},
    {"leaderboard", no_argument, nullptr, leaderboardoption},
    {"matrix", no_argument, nullptr, matrixoption},
    {"minimize", no_argument, nullptr, minimizeoption},
    {"output", required_argument, nullptr, 'o'},
    {"points", required_argument, nullptr, pointsoption},
    {"suggest", no_argument, nullptr, suggestoption},
    {"version", no_argument, nullptr, versionoption},
    {"visibility", required_argument, nullptr, visibilityoption},
    {nullptr, 0, nullptr, 0},
};

int usage() {
    say(synopsis);
    return 1;
}

bool parseformat(std::string_view name, format& f) {
    static constexpr std::pair<std::string_view, format> names[] = {{"text", format::text},
                                                                    {"csv", format::csv},
                                                                    {"json", format::json},
                                                                    {"html", format::html},
                                                                    {"gradescope", format::gradescope},
                                                                    {"prairielearn", format::prairielearn}};
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

bool validvisibility(std::string_view v) {
    return std::find(visibilities.begin(), visibilities.end(), v) != visibilities.end();
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

// The options, up to the first word that is none: 0 to go on, done, or
// the exit status of a bad one.
int readoptions(int argc, char** argv, settings& s) {
    int c;
    int given = 0;  // options read
    while ((c = getopt_long(argc, argv, "f:hj:o:", longoptions, nullptr)) != -1) {
        given++;
        switch (c) {
        case 'f':
            if (!parseformat(optarg, s.form))
                return fail(std::string("unknown format '") + optarg +
                            "': use text, csv, json, html, gradescope or prairielearn");
            s.formatgiven = true;
            break;
        case 'h': {
            const std::string text = helptext();
            std::fwrite(text.data(), 1, text.size(), stdout);
        }
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
        case expectedoption:
            s.expected = true;
            break;
        case failunderoption:
            if (!parsethreshold(optarg, s.failunder))
                return fail(std::string("illegal --fail-under value '") + optarg + "': use 0-100");
            s.failundertext = optarg;
            break;
        case classoption:
            s.grading = true;
            break;
        case feedbackoption:
            if (*optarg == '\0')
                return fail("--feedback needs a folder");
            s.feedback = optarg;
            break;
        case beliefsoption:
            if (*optarg == '\0')
                return fail("--beliefs needs a file");
            s.beliefs = optarg;
            break;
        case hintsoption:
            if (!engine::parsehints(optarg, s.hints))
                return fail(std::string("unknown hint level '") + optarg + "': use " + levelnames("or"));
            s.hintsgiven = true;
            break;
        case pointsoption:
            if (!parsepoints(optarg, s.points))
                return fail(std::string("illegal --points value '") + optarg + "': use a number above 0");
            break;
        case visibilityoption:
            if (!validvisibility(optarg))
                return fail(std::string("unknown visibility '") + optarg +
                            "': use hidden, after_due_date, after_published or visible");
            s.visibility = optarg;
            break;
        case leaderboardoption:
            s.leaderboard = true;
            break;
        case checksettingsoption:
            s.settingsfile = optarg;
            break;
        case checkenvironmentoption:
            s.settingsenvironment = true;
            break;
        case versionoption:
            std::printf("vorlak-report %s\n", VORLAK_VERSION);
            return done;
        default:
            return usage();  // getopt_long has said what was wrong
        }
    }
    if ((s.settingsfile != nullptr || s.settingsenvironment) && (given != 1 || optind != argc))
        return fail("--check-settings FILE and --check-settings-environment go alone");
    return 0;
}

// The words after the options, and the options that go with them.
int readwords(int argc, char** argv, settings& s) {
    if (optind == argc)
        return usage();
    if (s.grading) {
        // Every word names a file, "-" too, as with vorlak -i.
        if (s.matrix || s.minimize || s.suggest)
            return fail("--class grades files: leave out --matrix, --minimize and --suggest");
        if (forplatform(s.form))
            return fail("a platform's results document is for one test file: leave out --class");
        if (s.points >= 0 || s.visibility != nullptr)
            return fail("--points and --visibility go with -f gradescope or -f prairielearn");
        if (s.leaderboard)
            return fail("--leaderboard goes with -f gradescope");
        if (s.beliefs != nullptr && !s.expected)
            return fail("--beliefs goes with --expected");
        s.files.assign(argv + optind, argv + argc);
        // The pages are handed to students: they tell no more than the
        // condition unless the teacher asks.
        if (!s.hintsgiven)
            s.hints = engine::hints::condition;
        return 0;
    }
    if (s.jobs != 0)
        return fail("-j goes with --class");
    if (s.feedback != nullptr)
        return fail("--feedback goes with --class");
    if (s.beliefs != nullptr)
        return fail("--beliefs goes with --class");
    if (argc - optind > 1)
        return fail("one test file only, not " + std::to_string(argc - optind));
    if (!forplatform(s.form) && (s.points >= 0 || s.visibility != nullptr))
        return fail("--points and --visibility go with -f gradescope or -f prairielearn");
    if (s.form == format::prairielearn && s.visibility != nullptr)
        return fail("--visibility goes with -f gradescope");
    if (s.form != format::gradescope && s.leaderboard)
        return fail("--leaderboard goes with -f gradescope");
    if (forplatform(s.form) && (s.matrix || s.minimize || s.suggest))
        return fail("-f " + std::string(s.form == format::gradescope ? "gradescope" : "prairielearn") +
                    " writes a results document: leave out --matrix, --minimize and --suggest");
    // A results document is handed to students: no more than the condition
    // unless the teacher asks.
    if (forplatform(s.form) && !s.hintsgiven)
        s.hints = engine::hints::condition;
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
    // The lines that --suggest writes are the answers themselves.
    if (s.suggest && s.hintsgiven && s.hints != engine::hints::answer)
        return fail("--suggest gives a line that kills each survivor: leave out --hints, or use --hints answer");
    if (s.suggest)
        s.hints = engine::hints::answer;
    return 0;
}

}  // namespace

int parse(int argc, char** argv, settings& s) {
    const int status = readoptions(argc, argv, s);
    if (status != 0 || s.settingsfile != nullptr || s.settingsenvironment)
        return status;
    return readwords(argc, argv, s);
}

}  // namespace vorlak::report
