#include "report/help.hpp"

#include <algorithm>
#include <cstddef>

#include "engine/explain.hpp"
#include "mutants/catalogue.hpp"
#include "report/options.hpp"

namespace vorlak::report {

const std::string_view synopsis =
    "usage: vorlak-report [-f text|csv|json|html] [-o FILE] [--matrix] [--minimize] [--suggest]\n"
    "                     [--expected] [--hints LEVEL] [--fail-under N] [-h|--help] [--version]\n"
    "                     TESTFILE\n"
    "       vorlak-report -f gradescope|prairielearn [-o FILE] [--points N] [--visibility VALUE]\n"
    "                     [--leaderboard] [--expected] [--hints LEVEL] [--fail-under N] TESTFILE\n"
    "       vorlak-report --class [-f text|csv|json|html] [-o FILE] [-j N]\n"
    "                     [--expected [--beliefs FILE]] [--fail-under N]\n"
    "                     [--feedback DIR [--hints LEVEL]] FILE...\n"
    "       vorlak-report --check-settings FILE | --check-settings-environment\n";

namespace {

// The help's first words, the number of mutants, then the rest.
constexpr std::string_view helpopening = "Shows which line of TESTFILE kills which of the ";
constexpr std::string_view helpbefore =
    " mutants of vorlak, and what\n"
    "a test file still lacks.  TESTFILE - is standard input.\n"
    "\n"
    "  -f, --format FORMAT  text (the default), csv, json or html; gradescope or\n"
    "                       prairielearn: that platform's results document\n"
    "  -o, --output FILE    write to FILE instead of standard output\n"
    "      --matrix         every line that kills each mutant, and what each line kills\n"
    "      --minimize       write a smallest subset of the lines that kills as many mutants\n"
    "      --suggest        write test lines that kill the surviving mutants (with json or\n"
    "                       html: put them into the report)\n"
    "      --expected       a line kills only when the result it expects, written after\n"
    "                       its dates, is the program's; lists the wrong and missing ones\n"
    "                       (with --class, each file's and the class's misconceptions)\n"
    "      --fail-under N   exit with status 2 when the score is below N percent (0 to 100),\n"
    "                       and say why on standard error; with --class, when any file's score is\n"
    "      --class          grade every FILE as vorlak -i FILE does: one row per file,\n"
    "                       then how many files kill each mutant\n"
    "  -j, --jobs N         with --class, grade N files at a time (default: the processors)\n"
    "      --beliefs FILE   with --class and --expected, also write to FILE a csv of each\n"
    "                       file's wrong lines by belief: a column per belief, 1 or 0\n"
    "      --feedback DIR   with --class, also write a page for each file read into DIR,\n"
    "                       and index.html linking them\n"
    "      --hints LEVEL    how much the report or the feedback pages tell of each mutant,\n";

// The levels in the help follow --hints, each level more than the one
// before, the report's default and the feedback pages' named.
constexpr std::string_view helpafter =
    "      --points N       with gradescope or prairielearn, the points for all mutants\n"
    "                       killed (default: one per mutant)\n"
    "      --visibility V   with gradescope, who sees the tests: hidden, after_due_date,\n"
    "                       after_published or visible (the default)\n"
    "      --leaderboard    with gradescope, the leaderboard: the mutants killed (more\n"
    "                       rank first), then the tests vorlak runs (fewer rank first)\n"
    "      --check-settings FILE\n"
    "                       read a platform's vorlak.conf and write every setting as\n"
    "                       key=value, or say which line is wrong and what it allows\n"
    "      --check-settings-environment\n"
    "                       the same for PrairieLearn's VORLAK_HINTS and VORLAK_EXPECTED\n"
    "  -h, --help           show this help\n"
    "      --version        show the version\n"
    "\n"
    "Exit status: 0 done, 1 bad command line, unreadable file or write error,\n"
    "2 score below the --fail-under threshold.  With --class a file that cannot be\n"
    "read is a row with its error, and makes the status 1.\n";

// text as lines of at most width columns, each after indent blanks.
std::string wrapped(std::string_view text, std::size_t indent, std::size_t width) {
    std::string out;
    std::size_t column = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(' '), text.size());
        const std::string_view word = text.substr(0, end);
        if (column != 0 && column + 1 + word.size() > width) {
            out += '\n';
            column = 0;
        }
        if (column == 0) {
            out += std::string(indent, ' ');
            column = indent;
        } else {
            out += ' ';
            column++;
        }
        out += word;
        column += word.size();
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return out + '\n';
}

}  // namespace

std::string levelnames(std::string_view last, engine::hints marked, std::string_view mark) {
    std::string out;
    for (std::size_t i = 0; i < engine::hintnames.size(); i++) {
        if (i != 0)
            out += i + 1 == engine::hintnames.size() ? " " + std::string(last) + " " : ", ";
        out += engine::hintnames[i];
        if (i == static_cast<std::size_t>(marked) && !mark.empty())
            out += " " + std::string(mark);
    }
    return out;
}

std::string helptext() {
    const std::string levels =
        "each level more than the one before: " + levelnames("or", settings{}.hints, "(the report's default)") +
        "; the feedback pages' default is " + std::string(engine::hintname(engine::hints::condition));
    return std::string(synopsis) + '\n' + std::string(helpopening) + std::to_string(mutants::mutantcount) +
           std::string(helpbefore) + wrapped(levels, 23, 86) + std::string(helpafter);
}

}  // namespace vorlak::report
