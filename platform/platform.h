// The small layer between the SDK and the operating system: low-level file
// access on descriptors, path splitting, directory creation, local time text,
// and the input resets SDL 1.2 does not export. Everything the SDK needs from
// the system goes through here, so a port replaces only this folder.
#ifndef VELTRANO_PLATFORM_PLATFORM_H
#define VELTRANO_PLATFORM_PLATFORM_H

#include <cstddef>
#include <cstdint>

namespace platform {

enum class OpenMode {
    ReadOnly,         // existing file, read only
    ReadWrite,        // existing file, read and write
    CreateWriteOnly,  // created or truncated, write only
    CreateReadWrite,  // created or truncated, read and write
};

// Files are always binary. Open returns a descriptor greater than 0, or -1.
int Open(const char* path, OpenMode mode);
int Close(int fd);
// Read/Write return the byte count moved (short at end of file), or -1.
long Read(int fd, void* buffer, size_t count);
long Write(int fd, const void* buffer, size_t count);
enum class Whence { Begin, Current, End };
// The new offset, or -1.
long Seek(int fd, long offset, Whence whence);
long Tell(int fd);
// The file's length without moving its position, or -1.
long Length(int fd);
// Commits the file's buffers to the disk.
int Commit(int fd);
// Reads at an offset without moving the file position: the byte count read
// (short at end of file), or -1.
long ReadAt(int fd, long offset, void* buffer, size_t count);
// Cuts or extends the file to the given length; 0 on success.
int Truncate(int fd, long length);

// What identifies a file and its last change, as the system reports it.
struct FileStamp {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedNs = 0;  // last content change, nanoseconds since the epoch
    int64_t changedNs = 0;   // last content or attribute change
    bool operator==(const FileStamp& other) const {
        return device == other.device && inode == other.inode && size == other.size &&
               modifiedNs == other.modifiedNs && changedNs == other.changedNs;
    }
};
// 0 when the stamp of the open file was read.
int GetFileStamp(int fd, FileStamp* stamp);
// The wall-clock time the file stamps are measured against, in nanoseconds.
int64_t NowNs();

int Remove(const char* path);
int Rename(const char* from, const char* to);
// 0 when the path exists.
int Stat(const char* path);
// 0 when the directory was created.
int MakeDir(const char* path);
// The text of the last system error.
const char* LastErrorText();

// Splits a path into its directory part (with the trailing separator) and
// its file name; the drive is always empty here. Either output may be null.
// Each output buffer must hold at least the path's length plus one.
void SplitPath(const char* path, char* directory, char* fileName);

// The local time in the 24 characters "Www Mmm dd hh:mm:ss yyyy" plus NUL;
// with newline = true the trailing '\n' of the classic form is appended.
void LocalTimeText(char out[26], bool newline);

// Resets of the keyboard and mouse state SDL keeps (modifiers and buttons).
void ResetKeyboard();
void ResetMouse();

}  // namespace platform

#endif
