// POSIX implementation of the platform layer.
#include "platform/platform.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

int Open(const char* path, OpenMode mode) {
    if (path == nullptr || path[0] == '\0') {
        errno = ENOENT;
        return -1;
    }
    int flags = 0;
    switch (mode) {
        case OpenMode::ReadOnly: flags = O_RDONLY; break;
        case OpenMode::ReadWrite: flags = O_RDWR; break;
        case OpenMode::CreateWriteOnly: flags = O_WRONLY | O_CREAT | O_TRUNC; break;
        case OpenMode::CreateReadWrite: flags = O_RDWR | O_CREAT | O_TRUNC; break;
    }
    int fd = ::open(path, flags | O_CLOEXEC, 0644);
    if (fd == 0) {
        // Descriptor 0 means "closed" to the SDK's tables: move it elsewhere.
        int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, 1);
        ::close(fd);
        fd = moved;
    }
    return fd;
}

int Close(int fd) { return fd > 0 ? ::close(fd) : -1; }

namespace {

// Repeats a partial transfer until count bytes moved, the file ended (a
// step of 0 bytes) or an error other than an interruption came; returns the
// bytes moved, or -1 when an error came before any.
template <typename Step>
long TransferAll(size_t count, Step step) {
    size_t done = 0;
    while (done < count) {
        ssize_t n = step(done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return done > 0 ? static_cast<long>(done) : -1;
        }
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    return static_cast<long>(done);
}

}  // namespace

long Read(int fd, void* buffer, size_t count) {
    return TransferAll(count, [&](size_t done) {
        return ::read(fd, static_cast<char*>(buffer) + done, count - done);
    });
}

long Write(int fd, const void* buffer, size_t count) {
    return TransferAll(count, [&](size_t done) {
        return ::write(fd, static_cast<const char*>(buffer) + done, count - done);
    });
}

long Seek(int fd, long offset, Whence whence) {
    int w = whence == Whence::Begin ? SEEK_SET : whence == Whence::Current ? SEEK_CUR : SEEK_END;
    return static_cast<long>(::lseek(fd, offset, w));
}

long Tell(int fd) { return static_cast<long>(::lseek(fd, 0, SEEK_CUR)); }

long Length(int fd) {
    struct stat st;
    if (::fstat(fd, &st) != 0) return -1;
    return static_cast<long>(st.st_size);
}

int Commit(int fd) { return ::fsync(fd); }

long ReadAt(int fd, long offset, void* buffer, size_t count) {
    if (offset < 0) {
        errno = EINVAL;
        return -1;
    }
    return TransferAll(count, [&](size_t done) {
        return ::pread(fd, static_cast<char*>(buffer) + done, count - done,
                       static_cast<off_t>(offset) + static_cast<off_t>(done));
    });
}

int Truncate(int fd, long length) { return ::ftruncate(fd, static_cast<off_t>(length)); }

int GetFileStamp(int fd, FileStamp* stamp) {
    struct stat st;
    if (stamp == nullptr || ::fstat(fd, &st) != 0) return -1;
    stamp->device = static_cast<uint64_t>(st.st_dev);
    stamp->inode = static_cast<uint64_t>(st.st_ino);
    stamp->size = static_cast<int64_t>(st.st_size);
    stamp->modifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp->changedNs = static_cast<int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    return 0;
}

int64_t NowNs() {
    struct timespec now;
    ::clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

int Remove(const char* path) { return std::remove(path); }

int Rename(const char* from, const char* to) { return std::rename(from, to); }

int Stat(const char* path) {
    struct stat st;
    return ::stat(path, &st);
}

int MakeDir(const char* path) { return ::mkdir(path, 0755); }

const char* LastErrorText() { return std::strerror(errno); }

void SplitPath(const char* path, char* directory, char* fileName) {
    if (directory) directory[0] = '\0';
    if (fileName) fileName[0] = '\0';
    if (path == nullptr) return;
    const char* lastSeparator = nullptr;
    for (const char* p = path; *p; ++p)
        if (*p == '/' || *p == '\\') lastSeparator = p;
    const char* name = lastSeparator ? lastSeparator + 1 : path;
    if (directory) {
        size_t dirLength = static_cast<size_t>(name - path);
        std::memcpy(directory, path, dirLength);
        directory[dirLength] = '\0';
    }
    if (fileName) std::strcpy(fileName, name);
}

void LocalTimeText(char out[26], bool newline) {
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    // Years past 9999 would not fit the fixed 24 characters.
    int year = (local.tm_year + 1900) % 10000;
    char text[64];
    int length = std::snprintf(text, sizeof text, "%.3s %.3s%3d %.2d:%.2d:%.2d %d%s",
                               kDays[local.tm_wday % 7], kMonths[local.tm_mon % 12], local.tm_mday,
                               local.tm_hour, local.tm_min, local.tm_sec, year, newline ? "\n" : "");
    if (length < 0) length = 0;
    if (length > 25) length = 25;
    std::memcpy(out, text, static_cast<size_t>(length));
    out[length] = '\0';
}

}  // namespace platform
