#include "terminal.h"

#include <termios.h>
#include <unistd.h>

namespace terminal {

bool IsTerminal(FILE* stream) { return isatty(fileno(stream)) == 1; }

struct EchoOff::Saved {
    termios settings;
};

EchoOff::EchoOff() : saved_(nullptr) {
    termios current{};
    if (tcgetattr(STDIN_FILENO, &current) != 0) return;
    saved_ = new Saved{current};
    current.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &current);
}

EchoOff::~EchoOff() {
    if (saved_ == nullptr) return;
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved_->settings);
    delete saved_;
}

}  // namespace terminal
