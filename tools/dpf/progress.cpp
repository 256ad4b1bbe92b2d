#include "progress.h"

#include <cstdio>

#include "terminal.h"

namespace {

constexpr int kBarWidth = 30;
constexpr size_t kItemWidth = 32;

// The bar on screen, if any; messages erase it through HideProgressLine.
const ProgressBar* g_drawn = nullptr;

void EraseLine() {
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
}

}  // namespace

ProgressBar::ProgressBar(const char* label, size_t total)
    : label_(label), total_(total), enabled_(total > 1 && terminal::IsTerminal(stderr)) {}

ProgressBar::~ProgressBar() {
    if (!enabled_ || g_drawn != this) return;
    EraseLine();
    g_drawn = nullptr;
}

void ProgressBar::Advance(const std::string& item) {
    ++done_;
    item_ = item.size() > kItemWidth ? item.substr(0, kItemWidth - 3) + "..." : item;
    if (enabled_) Draw();
}

void ProgressBar::Draw() const {
    const int filled = total_ == 0 ? kBarWidth : static_cast<int>(done_ * kBarWidth / total_);
    std::string bar(static_cast<size_t>(filled), '#');
    bar.append(static_cast<size_t>(kBarWidth - filled), '.');
    std::fprintf(stderr, "\r\033[K%s [%s] %zu/%zu %s", label_.c_str(), bar.c_str(), done_, total_,
                 item_.c_str());
    std::fflush(stderr);
    g_drawn = this;
}

void HideProgressLine() {
    if (g_drawn == nullptr) return;
    EraseLine();
    g_drawn = nullptr;
}
