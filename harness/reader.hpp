// The test-file reader: hands out the file in the pieces of the line rules,
// over read(2) with a buffer of its own rather than a call per character.
#pragma once

#include <cstddef>
#include <cstring>

namespace vorlak::harness {

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
    void close();

    // Stores the next piece of the file in buf, followed by a zero byte: the
    // characters up to and including the next newline, but never more than
    // size - 1 of them; when the buffer is full the rest of the line is the
    // next piece.  Every byte but the newline is stored as it is, zero bytes
    // included.  Returns the count stored, 0 at the end of the file, or -1
    // when reading failed (error() then says why; the partial piece is dropped).
    int getline(signed char* buf, int size) {
        // Most pieces lie whole in the buffer: one search and one copy, inline.
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
                buf[take] = 0;
                pos_ += take;
                return static_cast<int>(take);
            }
        }
        return getlineslow(buf, size);
    }

    int error() const { return error_; }  // errno of the failed read, else 0

private:
    bool fill();
    int getlineslow(signed char* buf, int size);  // getline across refills

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
    char buffer_[capacity];
};

}  // namespace vorlak::harness
