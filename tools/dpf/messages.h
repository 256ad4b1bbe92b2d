// What the tool tells its user: results on standard output, problems on
// standard error, each prefixed with the program's name.
#ifndef VELTRANO_DPF_MESSAGES_H
#define VELTRANO_DPF_MESSAGES_H

// Exit codes of every command.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;  // the operation failed
constexpr int kExitUsage = 2;    // the command line was wrong

// "veltrano-dpf: error: ..." on standard error.
void PrintError(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
// "veltrano-dpf: warning: ..." on standard error.
void PrintWarning(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
// A result line on standard output.
void PrintResult(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

#endif
