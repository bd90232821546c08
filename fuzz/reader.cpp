// Fuzz target: the test-file reader over any file content.
//
// The input is the content of a test file, read from a memory file as a pass
// reads its file: into a buffer of the line buffer's size.  The pieces handed
// out, joined, must be the content exactly; none may be longer than 999
// bytes; every piece but the last ends in a newline or is 999 bytes long.
// Each line's expectation, read from the pieces as they come, is the one
// read from the whole line, and a tail that states no value is kept short.
// The content is read twice: as it is, and again shifted by as many bytes as
// its first two give, up to 64 KiB, so that the reader's reads, whatever
// their sizes, cut it at places the fuzzer can steer.
#include <algorithm>
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "dates/dates.hpp"
#include "fuzz/target.hpp"
#include "io/expectation.hpp"
#include "io/reader.hpp"

namespace vorlak::fuzz {

namespace {

// The expectation read piece by piece against the one of the whole line.
void checktail(const io::tailreader& tail, const std::uint8_t* line, std::size_t size) {
    const io::expectation got = tail.finish();
    const io::expectation whole = io::expectationof(std::string_view(reinterpret_cast<const char*>(line), size));
    if (got.what != whole.what || got.value != whole.value || got.text != whole.text)
        fail("the expectation of a line of %zu bytes differs when read in pieces", size);
    if (got.stated() != got.text.empty() && got.what != io::expectation::kind::none)
        fail("a stated expectation with text, or a bad one without");
    if (got.text.size() > 101)
        fail("a tail kept as %zu bytes", got.text.size());
}

constexpr std::size_t slack = 64;        // bytes past the buffer that must stay untouched
constexpr signed char untouched = 0x5a;  // what the bytes not written hold
constexpr std::size_t aheadbytes = 32;   // how far a short piece may be copied ahead

// A memory file holding content, at offset 0.
int memoryfile(const std::uint8_t* content, std::size_t size) {
    const int fd = memfd_create("vorlak-fuzz", MFD_CLOEXEC);
    if (fd < 0)
        fail("memfd_create failed");
    for (std::size_t done = 0; done < size;) {
        const ssize_t n = ::write(fd, content + done, size - done);
        if (n <= 0)
            fail("writing the memory file failed");
        done += static_cast<std::size_t>(n);
    }
    if (::lseek(fd, 0, SEEK_SET) != 0)
        fail("seeking the memory file failed");
    return fd;
}

void readall(const std::uint8_t* content, std::size_t size) {
    static io::reader file;  // 64 KiB of buffer: kept off the stack
    static std::vector<signed char> buf(dates::linesize + slack, untouched);
    static const std::vector<signed char> unwritten(buf);
    constexpr int maxpiece = dates::linesize - 1;

    file.attach(memoryfile(content, size));
    std::size_t offset = 0;
    int previous = -1;  // length of the piece before, -1 before the first
    io::tailreader tail;
    std::size_t linestart = 0;
    tail.start();
    for (;;) {
        const int count = file.getline(buf.data(), dates::linesize);
        if (count < 0)
            fail("read error %d on a memory file", file.error());
        if (count > maxpiece)
            fail("a piece of %d bytes", count);
        if (buf[static_cast<std::size_t>(count)] != 0)
            fail("no zero after a piece of %d bytes", count);
        // A short piece may come with the file's next bytes copied after
        // its zero, within the buffer's first 32; nothing else is written.
        const std::size_t after = std::max<std::size_t>(static_cast<std::size_t>(count) + 1, aheadbytes);
        if (std::memcmp(buf.data() + after, unwritten.data(), buf.size() - after) != 0)
            fail("bytes written after a piece of %d bytes", count);
        for (std::size_t i = static_cast<std::size_t>(count) + 1; i < after; i++)
            if (buf[i] != untouched && (offset + i >= size || buf[i] != static_cast<signed char>(content[offset + i])))
                fail("byte %zu after a piece of %d bytes is not the file's", i, count);
        if (count == 0) {
            if (offset > linestart)
                checktail(tail, content + linestart, offset - linestart);
            break;
        }
        if (previous >= 0 && previous != maxpiece && content[offset - 1] != '\n')
            fail("a piece of %d bytes without a newline before more of the file", previous);
        if (static_cast<std::size_t>(count) > size - offset ||
            std::memcmp(buf.data(), content + offset, static_cast<std::size_t>(count)) != 0)
            fail("the piece at offset %zu is not the file's content", offset);
        const void* newline = std::memchr(buf.data(), '\n', static_cast<std::size_t>(count));
        if (newline != nullptr && newline != buf.data() + count - 1)
            fail("a newline inside the piece at offset %zu", offset);
        tail.add(reinterpret_cast<const char*>(buf.data()), static_cast<std::size_t>(count));
        std::memset(buf.data(), untouched, after);
        offset += static_cast<std::size_t>(count);
        if (newline != nullptr) {
            checktail(tail, content + linestart, offset - linestart);
            tail.start();
            linestart = offset;
        }
        previous = count;
    }
    if (offset != size)
        fail("the pieces end at offset %zu of %zu", offset, size);
    // The end of the file stays the end.
    if (file.getline(buf.data(), dates::linesize) != 0 || buf[0] != 0)
        fail("a read after the end of the file gives more");
    buf[0] = untouched;
    file.close();
}

}  // namespace

}  // namespace vorlak::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vorlak::fuzz;
    readall(data, size);

    // Full lines of 998 bytes and a newline, cut off where the content begins.
    const std::size_t shift = size >= 2 ? static_cast<std::size_t>(data[0] | data[1] << 8) : 0;
    static std::vector<std::uint8_t> shifted;
    shifted.assign(shift, 'x');
    for (std::size_t i = 998; i < shift; i += 999)
        shifted[i] = '\n';
    shifted.insert(shifted.end(), data, data + size);
    readall(shifted.data(), shifted.size());
    return 0;
}
