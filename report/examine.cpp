// One test file read in one scan that keeps what its output needs, with a
// line for each survivor where the output asks for them.
#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <unistd.h>

#include "engine/scan.hpp"
#include "engine/suggest.hpp"
#include "formats/formats.hpp"
#include "formats/html.hpp"
#include "io/reader.hpp"
#include "report/findings.hpp"
#include "report/options.hpp"

namespace vorlak::report {

using engine::killset;
using engine::scanneeds;
using engine::suggestion;

namespace {

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

}  // namespace

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

}  // namespace vorlak::report
