#include "io/reader.hpp"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace vorlak::io {

bool reader::open(const char* path) {
    close();
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    attach(fd);
    return true;
}

void reader::attach(int fd) {
    close();
    fd_ = fd;
    error_ = 0;
    eof_ = false;
    pos_ = end_ = 0;
    chunk_ = firstread;
}

void reader::attach(source from, void* context) {
    attach(-1);
    from_ = from;
    context_ = context;
}

void reader::close() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    from_ = nullptr;
    context_ = nullptr;
}

// Refills the empty buffer; false at the end of the file or on an error.
bool reader::fill() {
    if (eof_ || error_ != 0 || (fd_ < 0 && from_ == nullptr))
        return false;
    for (;;) {
        const ssize_t n = from_ != nullptr ? from_(context_, buffer_, chunk_) : ::read(fd_, buffer_, chunk_);
        if (n > 0) {
            chunk_ = chunk_ < capacity / 2 ? chunk_ * 2 : capacity;
            pos_ = 0;
            end_ = static_cast<std::size_t>(n);
            return true;
        }
        if (n == 0) {
            eof_ = true;
            return false;
        }
        if (errno != EINTR) {
            error_ = errno;
            return false;
        }
    }
}

int reader::getpieceslow(signed char* buf, int size) {
    const std::size_t room = size > 0 ? static_cast<std::size_t>(size - 1) : 0;
    std::size_t count = 0;
    // The room test comes first: a full piece takes nothing more, not even a newline.
    while (count < room) {
        if (pos_ == end_ && !fill())
            break;
        const std::size_t avail = end_ - pos_;
        const std::size_t want = room - count < avail ? room - count : avail;
        const char* start = buffer_ + pos_;
        const void* newline = std::memchr(start, '\n', want);
        const std::size_t take =
            newline ? static_cast<std::size_t>(static_cast<const char*>(newline) - start) + 1 : want;
        std::memcpy(buf + count, start, take);
        pos_ += take;
        count += take;
        if (newline)
            break;
    }
    if (error_ != 0)
        return -1;
    return static_cast<int>(count);
}

}  // namespace vorlak::io
