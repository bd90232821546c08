// The report as one self-contained HTML page around the shared mutation-test viewer.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorlak::formats {

// True when the viewer was embedded at build time.
bool htmlavailable();

// The page: the viewer inlined, the json report inlined as data, title as given,
// and above the viewer each of notes (engine::editornotes) as a sentence.
// Without the viewer the page has no script to show the report: ask
// htmlavailable() first.
std::string renderhtml(std::string_view reportjson, std::string_view title, const std::vector<std::string>& notes = {});

// What to tell a user whose build has no viewer.
std::string_view htmlhowto();

// JSON text made safe to sit inside a script element: <, >, & and the two
// JavaScript line terminators become \u escapes, which JSON reads back as the same text.
std::string htmlscriptdata(std::string_view json);

// Text for an element or a quoted attribute: markup characters escaped, bytes
// that are not UTF-8 and control characters shown as U+FFFD.
std::string htmltext(std::string_view text);

// Words that begin a sentence or a heading of a page: the first letter
// made a capital, when it is an ASCII one.
std::string capitalized(std::string_view words);

// What an editor added to a file unseen (engine::editornotes), each note a
// sentence of its own paragraph, for the top of a page.
std::string editorparagraphs(const std::vector<std::string>& notes);

}  // namespace vorlak::formats
