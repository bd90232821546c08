// Writes the program of each mutant as the report shows it: the program as a
// student is handed it with the mutant's site replaced, as a namespace of
// its own, sitemN, whose evaluation the tests hold against the mutant's
// entry.  So a site that does not say what its mutant does fails a test.
// The output is a source file that report_test is compiled with.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/sites.hpp"
#include "engine/sources.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/mutants.hpp"

namespace {

using namespace vorlak;

// The offset of a line and column in text.
std::size_t offset(std::string_view text, engine::position p) {
    std::size_t at = 0;
    for (int line = 1; line < p.line; line++)
        at = text.find('\n', at) + 1;
    return at + static_cast<std::size_t>(p.column - 1);
}

// Replaces the one from in text by to, and stops the run if it is missing.
void replaceone(std::string& text, std::string_view from, std::string_view to) {
    const std::size_t at = text.find(from);
    if (at == std::string::npos) {
        std::fprintf(stderr, "sitegen: the handed program has no '%.*s'\n", static_cast<int>(from.size()), from.data());
        std::exit(1);
    }
    text.replace(at, from.size(), to);
}

// The program's definitions of shared state, which the copy must not make
// again: it uses the reference's line buffer and date records.
std::string withoutshared(std::string text) {
    const std::size_t date = text.find("struct date {");
    text.erase(date, text.find("};", date) + 2 - date);
    for (const std::string_view shared :
         {"\nsigned char line[linesize];", "\nint len;", "\ndate firstdate;", "\ndate seconddate;"})
        replaceone(text, shared, "");
    // The buffer's size goes with it.
    const std::size_t size = text.find("\nconstexpr int linesize");
    text.erase(size, text.find('\n', size + 1) - size);
    // The program's own includes stand once, at the top of the output.
    for (std::size_t at; (at = text.find("\n#include ")) != std::string::npos;)
        text.erase(at + 1, text.find('\n', at + 1) - at);
    return text;
}

// The copy as a namespace of the output.
std::string copy(const std::string& name, const std::string& text) {
    return "namespace vorlak::dates::" + name + " {\n" + withoutshared(text) +
           "\ninline int evaluation(int length) { return evaluate(length); }\n\n}  // namespace vorlak::dates::" +
           name + "\n\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: sitegen OUTPUT\n");
        return 1;
    }
    const std::string_view program = engine::referencesources()[0].text;
    std::string out = "// Made by tests/sitegen.cpp: each mutant as its site in the handed program reads.\n"
                      "#include <array>\n#include <cstddef>\n#include <cstdint>\n\n#include \"dates/dates.hpp\"\n\n"
                      "// Mutant 45's rule, every year a leap year, leaves its year unused.\n"
                      "#pragma GCC diagnostic push\n#pragma GCC diagnostic ignored \"-Wunused-parameter\"\n"
                      "// NOLINTBEGIN(misc-unused-parameters)\n\n";
    for (int n = 1; n <= mutants::mutantcount; n++) {
        const auto site = engine::locate(n);
        if (!site) {
            std::fprintf(stderr, "sitegen: mutant %d has no site\n", n);
            return 1;
        }
        std::string text(program);
        const std::size_t from = offset(program, site->start);
        text.replace(from, offset(program, site->end) - from, site->replacement);
        out += copy("sitem" + std::to_string(n), text);
    }
    // Declared in report_test.cpp, which this file is compiled with.
    const std::string array = "std::array<int (*)(int), " + std::to_string(mutants::mutantcount) + ">";
    out += "namespace vorlak::dates {\n\n// The mutants, in the order of their numbers.\nextern const " + array +
           " siteevaluations;\nconst " + array + " siteevaluations = {\n";
    for (int n = 1; n <= mutants::mutantcount; n++)
        out += "    sitem" + std::to_string(n) + "::evaluation,\n";
    out += "};\n\n}  // namespace vorlak::dates\n\n// NOLINTEND(misc-unused-parameters)\n#pragma GCC diagnostic pop\n";
    // Written beside the output and renamed over it, so that a failed run
    // leaves no half file that the build would take for a made one.
    const std::string next = std::string(argv[1]) + ".new";
    std::FILE* f = std::fopen(next.c_str(), "w");
    const bool written = f != nullptr && std::fwrite(out.data(), 1, out.size(), f) == out.size();
    if (f == nullptr || std::fclose(f) != 0 || !written || std::rename(next.c_str(), argv[1]) != 0) {
        std::perror(argv[1]);
        std::remove(next.c_str());
        return 1;
    }
    return 0;
}
