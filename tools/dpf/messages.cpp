#include "messages.h"

#include <cstdarg>
#include <cstdio>

#include "progress.h"

namespace {

void PrintLine(FILE* stream, const char* prefix, const char* fmt, va_list args) {
    HideProgressLine();
    std::fflush(stdout);
    std::fputs(prefix, stream);
    std::vfprintf(stream, fmt, args);
    std::fputc('\n', stream);
    std::fflush(stream);
}

}  // namespace

void PrintError(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    PrintLine(stderr, "veltrano-dpf: error: ", fmt, args);
    va_end(args);
}

void PrintWarning(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    PrintLine(stderr, "veltrano-dpf: warning: ", fmt, args);
    va_end(args);
}

void PrintResult(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    PrintLine(stdout, "", fmt, args);
    va_end(args);
}
