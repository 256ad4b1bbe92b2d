// The command console: printed text over the game, a command line edited
// with the keyboard, a history of executed lines and a table of named
// commands ("help" and "con" built in, the game's own added).
#ifndef VELTRANO_CONSOLE_CONSOLE_H
#define VELTRANO_CONSOLE_CONSOLE_H

#include <string>
#include <vector>

#include "console/simple_win.h"

class cConsole : public cSimpleWin, public developer_seam::CommandLine {
public:
    // A null title gives the default one.
    explicit cConsole(const char* title);
    ~cConsole() override;

    // The console the built-in commands act on (the newest), or null.
    static cConsole* Active();

    bool Update() override;
    void Enable() override;
    void Render() override;
    void Layout() override;

    void Print(const std::string& line) override;
    void NewCommandLine() override;
    int AddCommand(const char* name, const char* description, developer_seam::CommandHandler handler) override;
    void Execute(const char* text) override;
    int ToggleFeatures(int bits) override;

    // Appends a line whether or not the console is enabled (its own output).
    void Say(const std::string& line);
    void Sayf(const char* fmt, ...);
    // Splits a line into words and runs the first command of that name.
    void RunLine(const std::string& line);

    void ClearText();
    void ClearHistory() { history.clear(); }
    const std::vector<std::string>& History() const { return history; }
    // Writes each line followed by a line end; false when the file does not open.
    static bool SaveLines(const std::vector<std::string>& text, const char* fileName);
    void SetFeatures(int bits) { features = bits; }
    int Features() const { return features; }
    // The command line, prompt included, and where the next character goes.
    const std::string& Input() const { return input; }
    int Cursor() const { return cursor; }
    int Capacity() const { return capacity; }

    struct Command {
        const char* name;
        const char* description;
        developer_seam::CommandHandler handler;
    };
    const std::vector<Command>& Commands() const { return commands; }

private:
    // One typed key; true when it changed what is shown.
    bool HandleKey(int key);
    bool SubmitLine();
    bool RecallOlder();
    bool RecallNewer();
    void ShowHistoryEntry();
    bool TypeCharacter(int key);
    bool GrowCapacity();
    void ResetLine();

    std::vector<std::string> history;
    std::vector<Command> commands;
    std::string input = ">";
    int cursor = 1;
    int capacity = 1;
    int textX = 0;
    int inputY = 0;
    int blinkPhase = 0;
    int historyIndex = 0;
};

#endif
