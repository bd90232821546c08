// The grades as the class's worker processes send them to the parent: each
// a MessagePack map of the grade's fields by name, enumerations by name,
// after the map's length in four bytes (the parent and its workers are one
// program on one machine, so the length is in the machine's own order).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "engine/grade.hpp"
#include "report/inplace.hpp"

namespace vorlak::report {

// A worker's writer of messages, one grade after another.  (Its destructor
// frees a json tree, which may allocate; memory running out there ends the
// program, as it would anywhere else.)
class gradewriter {  // NOLINT(bugprone-exception-escape)
public:
    // Appends to out the grade of the class's file at index, as one message.
    void write(std::string& out, std::size_t index, const engine::grade& g);

private:
    nlohmann::json message_;  // the last message, written over by the next
};

// A message read back: the file's index and its grade.  A field that this
// program does not know, or a value that it cannot read (a name of an
// enumeration from a newer program, a number out of range), leaves the
// grade an error that names the field.
struct received {
    std::size_t index = 0;
    engine::grade grade;
};

// The parent's reader of one worker's messages.  (Its destructor too frees
// a json tree.)
class gradereader {  // NOLINT(bugprone-exception-escape)
public:
    // Takes the next message off the front of bytes.  None when bytes end
    // before the message does, or it is not a map with an index: then
    // nothing after it can be trusted either.
    std::optional<received> read(std::string_view& bytes);

private:
    nlohmann::json message_;  // the last message, read over by the next
    wire::inplace parser_;
};

}  // namespace vorlak::report
