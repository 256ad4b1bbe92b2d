// Shared helpers for the SDK's tests.
#ifndef VELTRANO_TEST_SUPPORT_H
#define VELTRANO_TEST_SUPPORT_H

#include <sys/resource.h>

#include <cstdint>
#include <string>

#include <SDL.h>

#include "core/clock.h"
#include "veltrano_types.h"

namespace testing_support {

// A fresh directory under the system's temporary folder, removed with its
// content on destruction. With enter = true the process works inside it
// until destruction.
class TempDir {
public:
    explicit TempDir(bool enter = false);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
    std::string previousDir_;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

// Sends the global log to a file of its own (outputs 2, the given level)
// and reads back what was written after the banner.
class LogCapture {
public:
    explicit LogCapture(int level = 5);
    ~LogCapture();
    // Everything logged since construction or the last Clear, banner excluded.
    std::string Text() const;
    bool Contains(const std::string& text) const { return Text().find(text) != std::string::npos; }
    void Clear();

private:
    TempDir dir_;
    std::string path_;
    size_t start_ = 0;
};

// Replaces the SDK clock with a manual one for the lifetime of the object.
class ManualClock {
public:
    explicit ManualClock(uint32_t startTicks = 0);
    ~ManualClock();
    void Set(uint32_t ticks);
    void Advance(uint32_t milliseconds);

private:
    clock_source::TickFunction previous_;
};

// Caps the size any file of this process may grow to (writes past it fail
// with EFBIG instead of raising SIGXFSZ) until destruction.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return active_; }

private:
    rlimit previous_{};
    void (*previousSignal_)(int) = nullptr;
    bool active_ = false;
};

// Veltrano.Init for the lifetime of the object, then Quit; the video
// settings of the configuration are put back as they were.
class SdkSession {
public:
    explicit SdkSession(unsigned int flags = SDL_INIT_VIDEO | SDL_INIT_TIMER);
    ~SdkSession();
    SdkSession(const SdkSession&) = delete;
    SdkSession& operator=(const SdkSession&) = delete;
    bool Started() const { return started_; }

private:
    bool started_;
    sConfig savedConfig_;
};

}  // namespace testing_support

#endif
