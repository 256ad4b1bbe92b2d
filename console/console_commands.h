// The console's built-in commands "help" and "con"; they act on
// cConsole::Active().
#ifndef VELTRANO_CONSOLE_CONSOLE_COMMANDS_H
#define VELTRANO_CONSOLE_CONSOLE_COMMANDS_H

#include <string>
#include <vector>

class cConsole;
class cSimpleWin;

namespace console_commands {

using Words = std::vector<std::string>;

// The window parameters "con" and "debug" share; out receives the report.
// The current-value texts take the two numbers.
int WindowAlpha(cSimpleWin& window, cConsole& out, const Words& words);
int WindowColor(cSimpleWin& window, cConsole& out, const Words& words);
int MoveWindow(cSimpleWin& window, cConsole& out, const Words& words, const char* currentText);
int ResizeWindow(cSimpleWin& window, cConsole& out, const Words& words, const char* currentText);

int Help(std::vector<std::string>* words);
int Con(std::vector<std::string>* words);

// The leading decimal number of text (0 when none), saturated to int.
int Number(const std::string& text);
// Number(text) limited to low..high.
int ClampedNumber(const std::string& text, int low, int high);

}  // namespace console_commands

#endif
