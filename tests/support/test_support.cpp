#include "support/test_support.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "veltrano.h"

namespace {

// The harness, never the SDK, runs SDL headless. Values already in the
// environment win, so a developer can still point a test at a real display.
const bool kHarnessEnvironment = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("VELTRANO_SOURCE_DIR", VELTRANO_SOURCE_DIR, 0);
    setenv("VELTRANO_BINARY_DIR", VELTRANO_BINARY_DIR, 0);
    return true;
}();

}  // namespace

namespace testing_support {

TempDir::TempDir(bool enter) {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/veltrano-test-XXXXXX";
    char* made = mkdtemp(pattern.data());
    if (made == nullptr) std::abort();
    path_ = made;
    if (enter) {
        previousDir_ = std::filesystem::current_path().string();
        std::filesystem::current_path(path_);
    }
}

TempDir::~TempDir() {
    std::error_code ignored;
    if (!previousDir_.empty()) std::filesystem::current_path(previousDir_, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool FileExists(const std::string& path) { return std::filesystem::exists(path); }

LogCapture::LogCapture(int level) : path_(dir_.file("capture.log")) {
    ILogSystem.Init(path_.c_str(), 2, static_cast<char>(level), "test", nullptr, nullptr, nullptr);
    start_ = ReadFile(path_).size();
}

LogCapture::~LogCapture() {
    // Silence the log again so later tests start from the off state.
    ILogSystem.Init(nullptr, 0, 0, "", nullptr, nullptr, nullptr);
}

std::string LogCapture::Text() const { return ReadFile(path_).substr(start_); }

void LogCapture::Clear() { start_ = ReadFile(path_).size(); }

namespace {
uint32_t manualTicks = 0;
uint32_t ManualTicks() { return manualTicks; }
}  // namespace

ManualClock::ManualClock(uint32_t startTicks) {
    manualTicks = startTicks;
    previous_ = clock_source::SetTickFunction(ManualTicks);
}

ManualClock::~ManualClock() { clock_source::SetTickFunction(previous_); }

void ManualClock::Set(uint32_t ticks) { manualTicks = ticks; }

void ManualClock::Advance(uint32_t milliseconds) { manualTicks += milliseconds; }

SdkSession::SdkSession(unsigned int flags) : savedConfig_(Veltrano.Config) {
    started_ = Veltrano.Init(flags) == 1;
}

SdkSession::~SdkSession() {
    Veltrano.Quit();
    savedConfig_.icon = nullptr;  // Quit freed any icon a test set
    Veltrano.Config = savedConfig_;
}

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
    previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit capped = previous_;
    capped.rlim_cur = bytes;
    active_ = setrlimit(RLIMIT_FSIZE, &capped) == 0;
}

FileSizeLimit::~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousSignal_);
}

}  // namespace testing_support
