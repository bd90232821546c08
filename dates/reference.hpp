// The reference evaluation that vorlak runs, written once: the stages of
// dates/program.hpp with the reference's values, and the fast forms of
// dates/fast.hpp in place of the plain ones where there are any.  dates.cpp
// compiles it unwatched as testline and daysdiff; vorlak's engine runs it
// with a watcher of its count (program.hpp) to learn what each stage found.
#pragma once

#include "dates/dates.hpp"
#include "dates/fast.hpp"

namespace vorlak::dates {

// The reference's day count.
template <class Watch = unwatched> int referencecount(date first, date second) {
    return fast::countdays<dayterms{}, leap<>, fast::yearterms<>, Watch>(first, second);
}

// The reference's evaluation of the line in the line buffer.
template <class Watch = unwatched> int referenceline(int length) {
    return evaluate<chkinputsyntax, convertline, referencecount<Watch>, fast::dayresult>(length);
}

}  // namespace vorlak::dates
