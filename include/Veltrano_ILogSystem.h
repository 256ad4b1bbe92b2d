/// @file
/// The SDK's diagnostic channel (file, standard output, console) and profiler.
#ifndef VELTRANO_ILOGSYSTEM_H
#define VELTRANO_ILOGSYSTEM_H

#include "veltrano_export.h"

struct LogState;

/// The diagnostic channel: every part of the SDK reports errors (level 0),
/// warnings (level 2) and information (level 5) through Msg, as lines of the
/// form " . [Origin->Method(args)] Error: text\n". Also a profiler of named,
/// nested code sections. The global object ILogSystem exists from library
/// load; other instances may write their own files (the network's
/// "Network.log"). Msg may be called from any thread; everything else belongs
/// to the main thread.
class VELTRANO_API Veltrano_ILogSystem {
public:
    /// Creates a log that is off (drops every message) until Init.
    Veltrano_ILogSystem();
    /// Frees the profile tables and closes the file.
    ~Veltrano_ILogSystem();
    /// Not copyable: each object owns its private state.
    Veltrano_ILogSystem(const Veltrano_ILogSystem&) = delete;
    /// Not assignable, for the same reason.
    Veltrano_ILogSystem& operator=(const Veltrano_ILogSystem&) = delete;

    /// Configures the outputs and writes the banner (version, copyright,
    /// title, the given lines and the start time) to the file. A second Init
    /// closes the previous file first. The log runs only when standard output
    /// is chosen or a file opened: the console output (16) alone leaves it off.
    /// @param fileName  the log file; used with outputs 2 or 4.
    /// @param outputs   sum of 2 file (truncated), 4 file (appended; only when 2
    ///                  is clear), 8 stdout, 16 the in-game console; 0 or less
    ///                  turns the log off.
    /// @param level     messages above this level are dropped; clamped to 0..5.
    /// @param title     first banner line.
    /// @param line1     optional second banner line, null for none.
    /// @param line1b    optional continuation of line1 after " - ", null for none.
    /// @param line2     optional third banner line, null for none.
    /// When the file cannot be created, "ILogSysError.txt" in the working
    /// directory is used instead and " . Warning: it was not possible to create your log file." is logged; when that
    /// fails too, file output is
    /// off and the other outputs still work.
    void Init(const char* fileName, char outputs, char level, const char* title,
              const char* line1, const char* line1b, const char* line2);
    /// Writes a printf-style message to every output when the log is running
    /// and `level` is at most the level given to Init; file lines are flushed
    /// at once. Safe to call from any thread.
    /// @param level  0 errors and dumps, 2 warnings, 5 information.
    /// @param fmt    printf format, followed by its arguments.
    void Msg(char level, const char* fmt, ...) __attribute__((format(printf, 3, 4)));
    /// Prefixes each file message with "{seconds.millis s}" since Veltrano.Init.
    /// @param on  non-zero enables the time stamps, 0 disables them.
    void ShowTime(char on);
    /// The log's state.
    /// @return 0 off, 1 running, 2 halted.
    unsigned char GetState();
    /// Drops every message until Resume; only a running log is halted.
    void Halt();
    /// Lets messages through again; only a halted log resumes.
    void Resume();

    /// Opens a named section of the profiler (nesting allowed: a section
    /// opened inside another is counted as its child). Up to 50 distinct
    /// names per period; the 51st logs " . [ILogSystem::ProfileBegin] Warning: maximum samples(50) reached." once and
    /// is not measured.
    /// @param name  the section's name, compared case-sensitively.
    void ProfileBegin(const char* name);
    /// Closes a section opened by ProfileBegin; an unknown name is ignored.
    /// @param name  the section's name.
    void ProfileEnd(const char* name);
    /// Writes the table of sections (average, minimum and maximum share of
    /// the period in percent, count, indented name) at level 0 and starts a
    /// new period. Sections left open or closed too often are reported with
    /// " . [ILogSystem::ProfileBegin] Warning: ProfileBegin called without a ProfileEnd." or
    /// "... ProfileEnd called without a ProfileBegin.";
    /// " . [ILogSystem::Profile] Warning: maximum samples(50) reached." when
    /// the history of names is full.
    void ProfileShow();

private:
    LogState* state;
};

/// The SDK's log, constructed at library load right after Veltrano.
VELTRANO_API extern Veltrano_ILogSystem ILogSystem;

#endif
