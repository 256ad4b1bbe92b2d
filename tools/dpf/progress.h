// A one-line progress bar on standard error for operations over many items.
// It draws only when standard error is a terminal, so scripts and pipes see
// nothing of it.
#ifndef VELTRANO_DPF_PROGRESS_H
#define VELTRANO_DPF_PROGRESS_H

#include <cstddef>
#include <string>

class ProgressBar {
public:
    ProgressBar(const char* label, size_t total);
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    // Counts one more item done and redraws.
    void Advance(const std::string& item);

private:
    void Draw() const;

    std::string label_;
    size_t total_;
    size_t done_ = 0;
    std::string item_;
    bool enabled_;
};

// Erases the bar's line if one is drawn, so that a message can be printed on
// a clean line; the next Advance draws it again.
void HideProgressLine();

#endif
