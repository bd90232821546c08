// Files written on the user's behalf: replaced whole or not at all.
#pragma once

#include <string>
#include <string_view>

namespace vorlak::io {

// Writes data to a temporary file in the folder of path, flushes it to the
// disk and closes it, then renames it over path.  Returns 0, or the errno of
// the step that failed: path is then exactly as it was (or still absent)
// and the temporary file is gone.  A new file gets the mode 0666 less the
// umask; a file replaced keeps its mode and, where it may, its owner.  A
// symbolic link stays one: the file it leads to is replaced.  What is not a
// regular file (a pipe, a terminal, /dev/null) is written to as it is.
int replacefile(const std::string& path, std::string_view data);

// The same for a name that the program chose, not the user: whatever stands
// at path (a symbolic link, a pipe, a device) is replaced by a regular file
// holding data, and nothing it leads to is opened or written.  A regular
// file replaced keeps its mode and, where it may, its owner.  A folder at
// path is not replaced: EISDIR.
int replacename(const std::string& path, std::string_view data);

}  // namespace vorlak::io
