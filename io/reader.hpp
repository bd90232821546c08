// The test-file reader: hands out the file in the pieces of the line rules,
// over read(2) with a buffer of its own rather than a call per character.
#pragma once

#include <bit>
#include <cstddef>
#include <cstring>
#include <sys/types.h>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vorlak::io {

class reader {
public:
    reader() = default;
    reader(const reader&) = delete;
    reader& operator=(const reader&) = delete;
    ~reader() { close(); }

    // Opens path for reading; false, with errno set, when it cannot be opened.
    bool open(const char* path);
    // Reads from an already open descriptor, which the reader then owns.
    void attach(int fd);
    // Reads what a source hands out in place of read(2): from(context, to,
    // room) stores up to room bytes at to and returns their count, 0 at the
    // end, or -1 with errno set.  So the same reader cuts a file held in
    // memory, as the playground's module does.
    using source = ssize_t (*)(void* context, char* to, std::size_t room);
    void attach(source from, void* context);
    void close();

    // Stores the next piece of the file in buf, followed by a zero byte: the
    // characters up to and including the next newline, but never more than
    // size - 1 of them; when the buffer is full the rest of the line is the
    // next piece.  Every byte but the newline is stored as it is, zero bytes
    // included.  Returns the count stored, 0 at the end of the file, or -1
    // when reading failed (error() then says why; the partial piece is dropped).
    int getline(signed char* buf, int size) {
        const int count = getpiece(buf, size);
        if (count >= 0 && size > 0)
            buf[count] = 0;
        return count;
    }

    // As getline, but the zero byte after the piece is left to the caller,
    // who may store it when it suits: buf[count] holds whatever it held.
    int getpiece(signed char* buf, int size) {
        // Most lines are short: one search of the next 32 bytes and a copy of
        // all 32, inline.  So up to 32 bytes of buf may be written, past the
        // piece too; what stands there is only left over, as ever.
        if (size > static_cast<int>(shortpiece) && end_ - pos_ >= shortpiece) {
            const char* start = buffer_ + pos_;
            if (const unsigned newline = newlinemask(start); newline != 0) {
                const auto take = static_cast<std::size_t>(std::countr_zero(newline)) + 1;
                copyshort(buf, start);
                pos_ += take;
                return static_cast<int>(take);
            }
        }
        // Most other pieces lie whole in the buffer: one search and one copy.
        if (size > 1 && pos_ < end_) {
            const std::size_t room = static_cast<std::size_t>(size - 1);
            const std::size_t avail = end_ - pos_;
            const std::size_t want = avail < room ? avail : room;
            const char* start = buffer_ + pos_;
            const void* newline = std::memchr(start, '\n', want);
            if (newline != nullptr || want == room) {
                const std::size_t take =
                    newline ? static_cast<std::size_t>(static_cast<const char*>(newline) - start) + 1 : want;
                std::memcpy(buf, start, take);
                pos_ += take;
                return static_cast<int>(take);
            }
        }
        return getpieceslow(buf, size);
    }

    int error() const { return error_; }  // errno of the failed read, else 0

private:
    static constexpr std::size_t shortpiece = 32;

    // Bit i set when byte i of the 32 at p is a newline.
    static unsigned newlinemask(const char* p) {
#if defined(__SSE2__)
        const __m128i newlines = _mm_set1_epi8('\n');
        const auto low =
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), newlines));
        const auto high =
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16)), newlines));
        return static_cast<unsigned>(low) | static_cast<unsigned>(high) << 16;
#else
        unsigned mask = 0;
        for (unsigned i = 0; i < shortpiece; i++)
            mask |= static_cast<unsigned>(p[i] == '\n') << i;
        return mask;
#endif
    }

    // Copies 32 bytes as two 16-byte stores.  An evaluation reads columns 0
    // to 21 of the line, each of its loads within one of these stores, so the
    // processor hands the bytes on from the stores without waiting for the
    // cache.  Storing the zero after the piece before the evaluations
    // measurably slowed them down, so the pass reads with getpiece and
    // stores the zero once both are done.
    static void copyshort(signed char* to, const char* from) {
        std::memcpy(to, from, 16);
        std::memcpy(to + 16, from + 16, 16);
    }

    bool fill();
    int getpieceslow(signed char* buf, int size);  // getpiece across refills

    static constexpr std::size_t capacity = 64 * 1024;
    // A pass that kills on one of the first lines reads no further, so the
    // reads of a file start at one page and double up to the whole buffer.
    static constexpr std::size_t firstread = 4 * 1024;
    int fd_ = -1;
    int error_ = 0;
    bool eof_ = false;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    std::size_t chunk_ = firstread;  // the size of the next read
    source from_ = nullptr;          // with a source, read from it, not from fd_
    void* context_ = nullptr;
    char buffer_[capacity];
};

}  // namespace vorlak::io
