// The few terminal facts the tool needs from the operating system: whether a
// stream is a terminal, and switching keyboard echo off for password input.
// Everything system-specific of the tool lives behind this header.
#ifndef VELTRANO_DPF_TERMINAL_H
#define VELTRANO_DPF_TERMINAL_H

#include <cstdio>

namespace terminal {

bool IsTerminal(FILE* stream);

// Turns echo off on standard input for its lifetime (when it is a terminal).
class EchoOff {
public:
    EchoOff();
    ~EchoOff();
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    struct Saved;
    Saved* saved_;
};

}  // namespace terminal

#endif
