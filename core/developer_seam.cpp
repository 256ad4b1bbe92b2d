#include "core/developer_seam.h"

#include <atomic>
#include <cstdio>
#include <deque>
#include <mutex>
#include <thread>

namespace developer_seam {
namespace {

// Lines other threads may queue before the owner takes them; more are dropped
// so a thread that logs in a loop cannot grow the queue without end.
constexpr std::size_t kMaxQueuedLines = 4096;

Windows windows;
std::atomic<bool> consoleExists{false};
std::atomic<std::thread::id> owner{};
std::mutex queueLock;
std::deque<std::string> queued;

bool OnOwnerThread() { return owner.load() == std::this_thread::get_id(); }

void DropQueuedLines() {
    std::lock_guard<std::mutex> guard(queueLock);
    queued.clear();
}

}  // namespace

std::string Format(const char* fmt, va_list args) {
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, fmt, measure);
    va_end(measure);
    if (length <= 0) return std::string();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(&text[0], text.size(), fmt, args);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void Set(const Windows& newWindows) {
    owner = std::this_thread::get_id();
    windows = newWindows;
    consoleExists = windows.commandLine != nullptr;
}

void Clear() {
    consoleExists = false;
    windows = Windows{};
    DropQueuedLines();
}

const Windows& Current() { return windows; }

bool ConsoleExists() { return consoleExists; }

void PrintLine(const std::string& line) {
    if (!consoleExists) return;
    if (!OnOwnerThread()) {
        std::lock_guard<std::mutex> guard(queueLock);
        if (queued.size() < kMaxQueuedLines) queued.push_back(line);
        return;
    }
    PrintQueuedLines();
    windows.commandLine->Print(line);
}

void PrintQueuedLines() {
    if (!consoleExists || !OnOwnerThread()) return;
    std::deque<std::string> lines;
    {
        std::lock_guard<std::mutex> guard(queueLock);
        lines.swap(queued);
    }
    for (const std::string& line : lines) windows.commandLine->Print(line);
}

}  // namespace developer_seam
