// A plain model of a whole run, written as directly as the rules read: the
// file read one character at a time, every mutant called through a function
// pointer, the summary worked out in integers.  The real program must give
// the same output byte for byte.  With the generator of adversarial test
// files below it.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include <utility>

#include "dates/dates.hpp"
#include "mutants/catalogue.hpp"
#include "mutants/mutants.hpp"
#include "mutants/wiring.hpp"

namespace vorlak::tests {

// The mutants' own date checks, 17 to 45, and day counts, 46 to 65, in order.
// clang-format off
inline constexpr auto datechecks = []<std::size_t... I>(std::index_sequence<I...>) {
    return std::array<int (*)(int, int, int), 29>{mutants::chkdateof<static_cast<int>(I) + 17>...};
}(std::make_index_sequence<29>{});
inline constexpr auto daycounts = []<std::size_t... I>(std::index_sequence<I...>) {
    return std::array<int (*)(dates::date, dates::date), 20>{mutants::daysdiffof<static_cast<int>(I) + 46>...};
}(std::make_index_sequence<20>{});
// clang-format on

// A test file as a stream of characters.
struct charstream {
    std::string_view bytes;
    std::size_t pos = 0;
    int get() { return pos < bytes.size() ? static_cast<unsigned char>(bytes[pos++]) : -1; }
};

// The line reader, character by character: the room test comes before the
// read, so a full buffer takes nothing more from the stream.
inline int modelgetline(charstream& in, signed char* buf, int size) {
    int count = 0;
    bool newline = false;
    while (count < size - 1) {
        const int c = in.get();
        if (c < 0)
            break;
        if (c == '\n') {
            newline = true;
            break;
        }
        buf[count++] = static_cast<signed char>(c);
    }
    if (newline)
        buf[count++] = '\n';
    buf[count] = 0;
    return count;
}

// The summary: the share rounded to the nearest whole percent; 100k/65 is
// never halfway, so adding one half and cutting off is exact.
inline std::string modelsummary(int killed) {
    return std::to_string(killed) + "/65 mutants killed. (" + std::to_string((200 * killed + 65) / 130) + "%)\n";
}

// The whole standard output of a run over a test file.
inline std::string modelrun(std::string_view file, bool verbose) {
    std::string out;
    int killed = 0;
    for (const mutants::mutant& m : mutants::mutantset) {
        charstream in{file};
        for (;;) {
            dates::len = modelgetline(in, dates::line, dates::linesize);
            if (dates::len <= 0)
                break;
            const int expected = dates::testline(dates::len);
            const int actual = mutants::entries[static_cast<std::size_t>(m.number - 1)](dates::len);
            if (expected != actual) {
                if (verbose) {
                    out += "Input: ";
                    for (int i = 0; i < dates::len; i++)
                        out += static_cast<char>(dates::line[i]);
                    out += std::to_string(expected) + " =?= " + std::to_string(actual) + "\n";
                    out += "Killed mutant " + std::to_string(m.number) + ".\n";
                }
                killed++;
                break;
            }
        }
    }
    return out + modelsummary(killed);
}

// Test files meant to break a reader or a pass: every byte value, lines
// around the 999-byte piece size, CR LF endings, no final newline, and
// lines close to valid ones that kill one mutant or another.
class adversary {
public:
    explicit adversary(std::uint32_t seed) : rng_(seed) {}

    std::string file() {
        std::string f;
        const int lines = pick(0, 80);
        for (int i = 0; i < lines; i++)
            f += line();
        // Now and then the last line has no newline.
        if (!f.empty() && f.back() == '\n' && pick(0, 3) == 0)
            f.pop_back();
        return f;
    }

    std::string line() {
        // clang-format off
        switch (pick(0, 11)) {
        case 0: return validpair() + "\n";
        case 1: case 2: return boundarypair() + "\n";
        case 3: case 4: return nearvalid() + "\n";
        case 5: return boundarypair() + "\r\n";
        case 6: return std::string(static_cast<std::size_t>(pick(19, 21)), '1') + "\r\n";
        case 7: return randombytes(pick(0, 40)) + "\n";
        case 8: return longline();
        case 9: return allbytes();
        case 10: return boundarypair() + randombytes(pick(0, 10)) + "\n";
        default: return std::string(static_cast<std::size_t>(pick(0, 3)), ' ') + "\n";
        }
        // clang-format on
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

    static std::string twodigits(int v) {
        return std::string{static_cast<char>('0' + v / 10 % 10), static_cast<char>('0' + v % 10)};
    }
    static std::string date(int m, int d, int y) {
        return twodigits(m) + "/" + twodigits(d) + "/" + twodigits(y / 100) + twodigits(y % 100);
    }

    std::string validpair() {
        return date(pick(1, 12), pick(1, 28), pick(1900, 2400)) + " " +
               date(pick(1, 12), pick(1, 28), pick(1900, 2400));
    }

    std::string boundarydate() {
        static constexpr int months[] = {0, 1, 2, 3, 4, 6, 9, 11, 12, 13};
        static constexpr int days[] = {0, 1, 28, 29, 30, 31, 32};
        static constexpr int years[] = {1899, 1900, 1901, 1999, 2000, 2001, 2004, 2100, 2400, 9999};
        return date(months[pick(0, 9)], days[pick(0, 6)], years[pick(0, 9)]);
    }

    std::string boundarypair() {
        std::string second = pick(0, 2) == 0 ? boundarydate() : date(pick(1, 12), pick(1, 31), pick(1899, 2401));
        return boundarydate() + std::string(1, "/ -\t"[pick(0, 3)]) + second;
    }

    // One column of a good line changed to any byte: a syntax mutant's line.
    std::string nearvalid() {
        std::string l = pick(0, 1) == 0 ? validpair() : boundarypair();
        l[static_cast<std::size_t>(pick(0, 20))] = static_cast<char>(pick(0, 255));
        return l;
    }

    std::string randombytes(int n) {
        std::string s;
        for (int i = 0; i < n; i++)
            s += static_cast<char>(pick(0, 255));
        return s;
    }

    // Lines around the piece size; some hold a test line right where the
    // second piece starts, so that the piece is evaluated as one.
    std::string longline() {
        static constexpr int lengths[] = {997, 998, 999, 1000, 1001, 1997, 1998, 1999, 2000, 2500};
        std::string l = pick(0, 1) == 0 ? boundarypair() : std::string();
        l += randombytes(pick(0, 3));
        const auto n = static_cast<std::size_t>(lengths[pick(0, 9)]);
        if (pick(0, 1) == 0 && l.size() < 999) {
            l.append(999 - l.size(), 'x');
            l += nearvalid();
        }
        while (l.size() < n)
            l += static_cast<char>(pick(32, 126));
        l.resize(n);
        return pick(0, 4) == 0 ? l : l + "\n";
    }

    // Every byte value once, in a random order; the newline among them splits the line.
    std::string allbytes() {
        std::string s;
        for (int c = 0; c < 256; c++)
            s += static_cast<char>(c);
        std::shuffle(s.begin(), s.end(), rng_);
        return boundarypair() + s + "\n";
    }

    std::mt19937 rng_;
};

}  // namespace vorlak::tests
