// The test-file reader: hands out the file in the pieces of the line rules,
// over read(2) with a buffer of its own rather than a call per character.
#pragma once

#include <cstddef>

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
    int getline(signed char* buf, int size);

    int error() const { return error_; }  // errno of the failed read, else 0

private:
    bool fill();

    static constexpr std::size_t capacity = 64 * 1024;
    int fd_ = -1;
    int error_ = 0;
    bool eof_ = false;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    char buffer_[capacity];
};

}  // namespace vorlak::harness
