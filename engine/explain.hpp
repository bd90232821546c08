// A mutant's state over a file in words, as the reports and the playground
// say it: how far the lines got into it and, for an infected survivor, the
// two values at its altered step and how the difference was lost; what each
// state means, and the hints that follow the state.  Every surface takes
// these words from here: the playground's module hands them to its page.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/infection.hpp"
#include "engine/scan.hpp"
#include "mutants/mutants.hpp"

namespace vorlak::engine {

// Numbers in rising order as one list that a person reads: a run of three
// or more as its first and last, the rest each, the last after "and": "21
// and 24", "27, 28 and 30", "1-16, 21 and 24".  Pages, the platforms'
// documents and the playground list mutants so; the text and csv reports
// keep their lists of runs separated by blanks, which scripts read.
std::string numberlist(const std::vector<long>& numbers);

// The same after its noun, in the number the list asks: "mutant 5",
// "mutants 21 and 24"; with capital, "Mutant 5".
std::string mutantlist(const std::vector<long>& numbers, bool capital = false);

// A count with its noun in the number it asks: "1 mutant", "2 mutants".
std::string counted(long count, std::string_view one, std::string_view many);

// "killed", "infected", "reached" or "unreached".
std::string_view statename(state s);

// What the state means, such as "no line ran the altered code".
std::string_view statemeaning(state s);

// The states from the furthest a line can get into a mutant to the nearest,
// the order in which a legend lists them.
inline constexpr std::array<state, 4> furthestfirst = {state::killed, state::infected, state::reached,
                                                       state::unreached};

// A state with what it means, as a legend lists it: "unreached: no line ran
// the altered code".
std::string legendentry(state s);

// A mutant's status on a file: "killed" or "survived".
std::string_view statusname(bool killed);

// "masked", "unused", "cancelled" or "reversed"; empty for none.
std::string_view lossname(loss l);

// What the loss means, in one sentence.
std::string_view lossmeaning(loss l);

// The two values at the altered step of an infecting verdict, such as "the
// leap-year rule, as the date check asks it, answers 1 instead of 0 for 2001".
std::string stepvalues(const verdict& v);

// The mutant's state over the scan with its first line, such as "infected
// by line 5: the leap-year rule, as the date check asks it, answers 1
// instead of 0 for 2001, unused"
// or "no line reaches it".
std::string whyof(const scanresult& scan, int mutant);

// How much a surface tells of each mutant, from the score to a line that
// kills it; each level tells what the one before it tells, and more.  A
// survivor shows: at score, its number and that it survived; at state, its
// state, the first line that got it that far, an infected one's two values
// and loss, and the stage's name; at concept, the concept; at condition,
// what a line needs for the next step from its state; at mutant, its
// description and alteration; at answer, a line that kills it.  (The
// level named "concept" is concepts here: concept is a keyword.)
enum class hints { score, state, concepts, condition, mutant, answer };

// What every surface says of a file that holds no line the program
// evaluates past its length test (an empty file, or only blank or short
// lines): it scores 0, and PrairieLearn charges no attempt for it.
inline constexpr std::string_view untestable =
    "the file holds no line long enough to test: a test line is two dates in 21 columns, then its newline";

// The levels' names on the command line and on the pages, in their order.
inline constexpr std::array<std::string_view, 6> hintnames = {"score",     "state",  "concept",
                                                              "condition", "mutant", "answer"};
constexpr std::string_view hintname(hints level) { return hintnames[static_cast<std::size_t>(level)]; }

// The level named name, if any.
bool parsehints(std::string_view name, hints& level);

// The frames that introduce the hints, the same words on every surface.
inline constexpr std::string_view conceptframe = "concept: ";
inline constexpr std::string_view reachframe = "to reach it: ";
inline constexpr std::string_view infectframe = "to infect it: ";
inline constexpr std::string_view carryframe = "to carry it to the result: ";

// The hint after the state: the concept in its frame, such as "concept: the
// century years. A year divisible by 100 is a common year, unless it is
// divisible by 400."
std::string concepthint(const mutants::mutant& m);
std::string concepthint(const mutants::ideatext& idea);

// The hint after the concept: what a line needs for the next step from the
// survivor's state, in its frame.  An unreached one gets what reaches it, a
// reached one what infects it, such as "to infect it: April 31 in a year from
// 1900 on", and an infected one what carries the difference to the result; a
// killed one gets nothing.
std::string nexthint(const mutants::mutant& m, state s);

// The hint after the condition, before the line it gives: "a line that kills
// it: ".
inline constexpr std::string_view killinghint = "a line that kills it: ";

// What a file's own line does, as the per-line view says it: the mutants
// that only it kills, and whether taking it out alone would lower the
// score ("needed") or not ("removable").
inline constexpr std::string_view alonename = "only it kills";
constexpr std::string_view lineverdict(bool needed) { return needed ? "needed" : "removable"; }

// The per-line view's heading, what it lists, its columns, and what it
// says of the lines it leaves out (a file of more than maxlines lines) and
// of a file whose lines kill every mutant.
inline constexpr std::string_view ownlineshead = "Your lines";
std::string ownlinesmeaning();
inline constexpr std::array<std::string_view, 5> ownlinecolumns = {"line", "text", "kills", alonename,
                                                                   "taken out alone"};
std::string otherlines(long count);
inline constexpr std::string_view allkilled = "Your lines kill every mutant.";

// What a page says before the text of the line that a state names: "Line 5
// reads ".
std::string linereads(long line);

// The results of the reference and of a mutant on one line, such as
// "reference 0, mutant -1".
std::string resultpair(int reference, int result);

// Where a mutant's alteration stands, as its diff is headed:
// "program.cpp, line 125".
std::string diffplace(std::string_view file, int line);

// What tells a reader, a screen reader above all, which side of a diff a
// line is: the reference's or the mutant's.
inline constexpr std::string_view referenceside = "reference: ";
inline constexpr std::string_view mutantside = "mutant: ";

}  // namespace vorlak::engine
