// The grades as the class's worker processes send them to the parent: each
// a MessagePack map of the grade's fields by name, enumerations by name,
// after the map's length in four bytes (the parent and its workers are one
// program on one machine, so the length is in the machine's own order).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "engine/grade.hpp"

namespace vorlak::report {

// Appends to out the grade of the class's file at index, as one message.
void sendgrade(std::string& out, std::size_t index, const engine::grade& g);

// A message read back: the file's index and its grade.  A field that this
// program does not know, or a value that it cannot read (a name of an
// enumeration from a newer program, a number out of range), leaves the
// grade an error that names the field.
struct received {
    std::size_t index = 0;
    engine::grade grade;
};

// Takes the next message off the front of bytes.  None when bytes end
// before the message does, or it is not a map with an index: then nothing
// after it can be trusted either.
std::optional<received> receivegrade(std::string_view& bytes);

}  // namespace vorlak::report
