#include "io/expectation.hpp"

#include <algorithm>
#include <limits>

namespace vorlak::io {

namespace {

// The bytes trimmed from both ends of a tail: blank, tab, carriage return
// and newline, as one test of a bit.
constexpr std::uint64_t blanks =
    std::uint64_t{1} << ' ' | std::uint64_t{1} << '\t' | std::uint64_t{1} << '\r' | std::uint64_t{1} << '\n';
bool blank(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u <= ' ' && (blanks >> u & 1) != 0;
}

bool digit(char c) { return static_cast<unsigned char>(c - '0') <= 9; }

// Past every 32-bit magnitude: more digits change nothing.
constexpr std::uint64_t toolarge = std::uint64_t{1} << 32;

}  // namespace

void tailreader::add(const char* bytes, std::size_t size) {
    std::size_t from = 0;
    if (column_ < tailcolumn)
        from = tailcolumn - column_ < size ? tailcolumn - column_ : size;
    column_ += size;
    for (std::size_t i = from; i < size; i++)
        step(bytes[i]);
}

void tailreader::step(char c) {
    const bool isblank = blank(c);
    if (phase_ == phase::leading && isblank)
        return;
    if (kept_ < keep)
        text_[kept_++] = c;
    length_++;
    if (!isblank)
        solid_ = length_;
    switch (phase_) {
    case phase::leading:
        if (c == '+' || c == '-') {
            negative_ = c == '-';
            phase_ = phase::sign;
            return;
        }
        [[fallthrough]];
    case phase::sign:
    case phase::digits:
        if (digit(c)) {
            if (magnitude_ < toolarge)
                magnitude_ = magnitude_ * 10 + static_cast<std::uint64_t>(c - '0');
            phase_ = phase::digits;
        } else {
            phase_ = isblank && phase_ == phase::digits ? phase::trailing : phase::bad;
        }
        return;
    case phase::trailing:
        if (!isblank)
            phase_ = phase::bad;
        return;
    case phase::bad:
        return;
    }
}

expectation tailreader::finish() const {
    expectation e;
    if (phase_ == phase::leading)
        return e;
    if (phase_ == phase::digits || phase_ == phase::trailing) {
        const std::uint64_t limit =
            negative_ ? std::uint64_t{1} << 31 : static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
        if (magnitude_ <= limit) {
            e.what = expectation::kind::value;
            e.value = static_cast<std::int32_t>(negative_ ? -static_cast<std::int64_t>(magnitude_)
                                                          : static_cast<std::int64_t>(magnitude_));
            return e;
        }
        e.what = expectation::kind::outofrange;
    } else {
        e.what = expectation::kind::malformed;
    }
    // The trimmed tail, or its first bytes when it is longer than is kept.
    e.text.assign(text_, solid_ < kept_ ? solid_ : kept_);
    return e;
}

// The whole line at hand, as most lines are: trimmed from both ends at
// once, and no byte kept unless the tail states no value.  Replaces
// tailreader for a line in one piece; the tests hold the two equal.
expectation expectationof(std::string_view line) {
    expectation e;
    if (line.size() <= tailcolumn)
        return e;
    const char* from = line.data() + tailcolumn;
    const char* end = line.data() + line.size();
    while (from < end && blank(*from))
        from++;
    while (end > from && blank(end[-1]))
        end--;
    if (from == end)
        return e;
    const bool negative = *from == '-';
    const char* digits = from + (*from == '-' || *from == '+' ? 1 : 0);
    std::uint64_t magnitude = 0;
    bool number = digits < end;
    for (const char* p = digits; p < end && number; p++) {
        number = digit(*p);
        if (magnitude < toolarge)
            magnitude = magnitude * 10 + static_cast<std::uint64_t>(*p - '0');
    }
    const std::uint64_t limit =
        negative ? std::uint64_t{1} << 31 : static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
    if (number && magnitude <= limit) {
        e.what = expectation::kind::value;
        e.value = static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(magnitude)
                                                     : static_cast<std::int64_t>(magnitude));
        return e;
    }
    e.what = number ? expectation::kind::outofrange : expectation::kind::malformed;
    e.text.assign(from, std::min<std::size_t>(static_cast<std::size_t>(end - from), keptbytes));
    return e;
}

}  // namespace vorlak::io
