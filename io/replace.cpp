#include "io/replace.hpp"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "io/write.hpp"

namespace vorlak::io {

namespace {

constexpr int attempts = 100;          // temporary names tried before giving up
constexpr std::size_t namepart = 200;  // bytes of the file's name kept in the temporary one

// Closes fd; an error that the system reports only at close counts too.
int closefile(int fd) { return ::close(fd) != 0 && errno != EINTR ? errno : 0; }

// Writes over what is not a regular file, where no rename can go.
int writeinplace(const std::string& path, std::string_view data) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int error = writefully(fd, data.data(), data.size());
    const int closed = closefile(fd);
    return error != 0 ? error : closed;
}

// Creates a fresh file ".NAME.XXXXXX" in the folder of target, with mode,
// and sets temp to its path; the descriptor, or -1 with errno set.
int createtemp(const std::string& target, mode_t mode, std::string& temp) {
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    static constexpr char digits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    auto seed = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                static_cast<unsigned long long>(::getpid()) << 32;
    for (int i = 0; i < attempts; i++) {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        std::string suffix;
        for (unsigned long long bits = seed >> 16; suffix.size() < 6; bits /= 36)
            suffix += digits[bits % 36];
        temp = folder + "." + name.substr(0, namepart) + "." + suffix;
        // O_EXCL: never a file or link that someone else put there.
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Gives the file fd the owner and group of old where the system lets us; a
// user may not give a file away, and then it stays the user's own.  Called
// before the mode is set, since a change of owner clears the set-user-ID bit.
void keepowner(int fd, const struct stat& old) {
    if (old.st_uid == ::geteuid() && old.st_gid == ::getegid())
        return;
    const bool kept =
        ::fchown(fd, old.st_uid, old.st_gid) == 0 || ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
    static_cast<void>(kept);
}

// Writes data to a fresh file beside target and renames it over target;
// with old, the file replaced, whose mode and owner it takes.
int replacewith(const std::string& target, const struct stat* old, std::string_view data) {
    // Until the rename, a file replaced is readable by its owner alone.
    std::string temp;
    const int fd = createtemp(target, old != nullptr ? 0600 : 0666, temp);
    if (fd < 0)
        return errno;
    int error = writefully(fd, data.data(), data.size());
    if (error == 0 && ::fsync(fd) != 0 && errno != EINVAL)
        error = errno;
    if (error == 0 && old != nullptr) {
        keepowner(fd, *old);
        if (::fchmod(fd, old->st_mode & 07777) != 0)
            error = errno;
    }
    if (const int closed = closefile(fd); error == 0)
        error = closed;
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0)
        ::unlink(temp.c_str());
    return error;
}

}  // namespace

int replacefile(const std::string& path, std::string_view data) {
    std::string target = path;
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return errno;
    if (exists) {
        if (S_ISDIR(old.st_mode))
            return EISDIR;
        if (!S_ISREG(old.st_mode))
            return writeinplace(path, data);
        struct stat link {};
        if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
            char* real = ::realpath(path.c_str(), nullptr);
            if (real == nullptr)
                return errno;
            target = real;
            std::free(real);
        }
    } else if (struct stat link{}; ::lstat(path.c_str(), &link) == 0) {
        return ENOENT;  // a link to nothing: there is no folder to write beside
    }
    return replacewith(target, exists ? &old : nullptr, data);
}

int replacename(const std::string& path, std::string_view data) {
    struct stat old {};
    if (::lstat(path.c_str(), &old) != 0)
        return errno == ENOENT ? replacewith(path, nullptr, data) : errno;
    if (S_ISDIR(old.st_mode))
        return EISDIR;
    // A regular file keeps its mode and owner; a link, a pipe or a device is
    // not followed or opened, only replaced, as if nothing stood there.
    return replacewith(path, S_ISREG(old.st_mode) ? &old : nullptr, data);
}

}  // namespace vorlak::io
