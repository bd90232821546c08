// What a test line says it expects.  The date program reads columns 0 to
// 20 and ignores the rest of a line; a line may put there the result it
// expects of the program, as a decimal integer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vorlak::io {

// The column where a line's tail begins: the first after the two dates.
// It is the program's dates::lastcolumn, the length test's bound; the
// reader lies below the program and so names it itself, and the scan,
// which reads both, holds the two equal as it compiles.
inline constexpr std::size_t tailcolumn = 21;
// The bytes of a tail kept when it states no value: enough to show 100 and
// that more follow.
inline constexpr std::size_t keptbytes = 101;

// A line's expectation: the text from column 21 to the end of the line,
// blanks, tabs, carriage returns and the newline trimmed from both ends.  An
// empty tail states none; a decimal integer with an optional sign that fits
// in 32 bits states a value; anything else is malformed, or out of range
// when it is such an integer that does not fit.
struct expectation {
    enum class kind : std::uint8_t { none, value, malformed, outofrange };
    kind what = kind::none;
    std::int32_t value = 0;  // with value
    // Without a value: the trimmed tail, its first 101 bytes when it is
    // longer (enough to show 100 of them and that more follow).
    std::string text;

    bool stated() const { return what == kind::value; }
};

// Reads a line's expectation as the line arrives, in pieces of any size,
// keeping no more than a few bytes of it whatever its length.
class tailreader {
public:
    // A new line begins.
    void start() {
        column_ = length_ = solid_ = kept_ = 0;
        phase_ = phase::leading;
        negative_ = false;
        magnitude_ = 0;
    }
    // The next bytes of the line, from column 0 on.
    void add(const char* bytes, std::size_t size);
    // The expectation of the line added so far.
    expectation finish() const;

private:
    static constexpr std::size_t keep = keptbytes;
    enum class phase : std::uint8_t { leading, sign, digits, trailing, bad };
    void step(char c);

    std::size_t column_ = 0;  // bytes of the line added so far
    phase phase_ = phase::leading;
    bool negative_ = false;
    std::uint64_t magnitude_ = 0;  // stops growing once past every 32-bit value
    std::size_t length_ = 0;       // bytes from the first that is not a blank
    std::size_t solid_ = 0;        // of those, up to the last that is not a blank
    std::size_t kept_ = 0;
    char text_[keep] = {};
};

// The expectation of a whole line, newline or not, as a tailreader given
// the line would find it, read at once.
expectation expectationof(std::string_view line);

}  // namespace vorlak::io
