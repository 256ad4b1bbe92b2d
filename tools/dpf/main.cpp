// veltrano-dpf: makes, inspects and maintains DPF archives from the command
// line, through the SDK's public interface only.
//
//   veltrano-dpf [--log FILE] COMMAND [ARGUMENTS] [OPTIONS]
#include <veltrano.h>

#include <cstdio>
#include <string>
#include <vector>

#include "command_line.h"
#include "commands.h"
#include "messages.h"

namespace {

constexpr size_t kHelpWidth = 79;
constexpr size_t kOptionColumn = 29;

// Prints text wrapped at kHelpWidth, continuation lines indented by indent;
// the first line starts at column start.
void PrintWrapped(const std::string& text, size_t indent, size_t start) {
    size_t column = start;
    size_t position = 0;
    while (position < text.size()) {
        size_t end = text.find(' ', position);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(position, end - position);
        if (column > indent && column + 1 + word.size() > kHelpWidth) {
            std::printf("\n%*s", static_cast<int>(indent), "");
            column = indent;
        } else if (column > indent) {
            std::putchar(' ');
            ++column;
        }
        std::fputs(word.c_str(), stdout);
        column += word.size();
        position = end + 1;
    }
    std::putchar('\n');
}

std::string OptionLabel(const OptionSpec& option) {
    std::string label = option.shortName != 0 ? std::string("-") + option.shortName + ", " : "    ";
    label += std::string("--") + option.longName;
    if (option.takesValue) label += std::string(" ") + option.valueName;
    return label;
}

void PrintOptions(const std::vector<OptionSpec>& options) {
    for (const OptionSpec& option : options) {
        std::printf("  %-26s ", OptionLabel(option).c_str());
        PrintWrapped(option.help, kOptionColumn, kOptionColumn);
    }
}

void PrintOverview() {
    std::printf("Usage: veltrano-dpf [--log FILE] COMMAND [ARGUMENTS] [OPTIONS]\n\n"
                "Makes, inspects and maintains DPF archives of the Veltrano SDK.\n\nCommands:\n");
    for (const Command& command : AllCommands()) std::printf("  %-10s %s\n", command.name, command.summary);
    std::printf("\nOptions:\n");
    PrintOptions(CommonOptions());
    std::printf("  %-26s %s\n", "    --version", "show the SDK's version");
    std::printf("\n'veltrano-dpf COMMAND --help' describes a command.\n");
}

void PrintCommandHelp(const Command& command) {
    std::printf("Usage: veltrano-dpf %s %s [OPTIONS]\n\n", command.name, command.usage);
    PrintWrapped(command.details, 0, 0);
    std::printf("\nOptions:\n");
    PrintOptions(command.options);
    PrintOptions(CommonOptions());
}

void PrintUsageHint(const Command& command) {
    std::fprintf(stderr, "usage: veltrano-dpf %s %s [OPTIONS]; see 'veltrano-dpf %s --help'\n", command.name,
                 command.usage, command.name);
}

bool StartSdk(const std::string& logFile) {
    // With no log file the SDK's log stays off: the tool speaks for itself.
    ILogSystem.Init(logFile.empty() ? nullptr : logFile.c_str(), logFile.empty() ? 0 : 2, 5, "veltrano-dpf",
                    "DPF archive tool", nullptr, nullptr);
    if (Veltrano.Init(0) == 1) return true;
    PrintError("the SDK could not start");
    return false;
}

int RunCommand(const Command& command, const std::vector<std::string>& words, const std::string& globalLog) {
    std::vector<OptionSpec> options = command.options;
    options.insert(options.end(), CommonOptions().begin(), CommonOptions().end());
    Arguments args;
    std::string problem;
    if (!ParseArguments(words, options, args, problem)) {
        PrintError("%s", problem.c_str());
        PrintUsageHint(command);
        return kExitUsage;
    }
    if (args.Has("help")) {
        PrintCommandHelp(command);
        return kExitOk;
    }
    const size_t count = args.positional.size();
    if (count < command.minPositional || count > command.maxPositional) {
        PrintError("wrong number of arguments for '%s'", command.name);
        PrintUsageHint(command);
        return kExitUsage;
    }
    if (!StartSdk(args.Value("log", globalLog))) return kExitFailure;
    const int result = command.run(args);
    Veltrano.Quit();
    return result;
}

// "help" and "help COMMAND".
int RunHelp(const std::vector<std::string>& words) {
    if (words.empty()) {
        PrintOverview();
        return kExitOk;
    }
    const Command* command = FindCommand(words[0]);
    if (command == nullptr) {
        PrintError("unknown command '%s'; 'veltrano-dpf --help' lists the commands", words[0].c_str());
        return kExitUsage;
    }
    PrintCommandHelp(*command);
    return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    std::string logFile;
    size_t next = 0;
    // Options before the command.
    for (; next < words.size() && words[next].size() > 1 && words[next][0] == '-'; ++next) {
        const std::string& word = words[next];
        if (word == "--help" || word == "-h") {
            PrintOverview();
            return kExitOk;
        }
        if (word == "--version") {
            std::printf("veltrano-dpf, %s\n", Veltrano.GetVersion());
            return kExitOk;
        }
        if (word == "--log" && next + 1 < words.size()) {
            logFile = words[++next];
        } else if (word.rfind("--log=", 0) == 0) {
            logFile = word.substr(6);
        } else {
            PrintError("unknown option '%s'; 'veltrano-dpf --help' describes the tool", word.c_str());
            return kExitUsage;
        }
    }
    if (next == words.size()) {
        PrintError("no command given");
        std::fprintf(stderr, "usage: veltrano-dpf [--log FILE] COMMAND [ARGUMENTS] [OPTIONS]; see "
                             "'veltrano-dpf --help'\n");
        return kExitUsage;
    }
    const std::string& name = words[next];
    const std::vector<std::string> rest(words.begin() + static_cast<long>(next) + 1, words.end());
    if (name == "help") return RunHelp(rest);
    const Command* command = FindCommand(name);
    if (command == nullptr) {
        PrintError("unknown command '%s'; 'veltrano-dpf --help' lists the commands", name.c_str());
        return kExitUsage;
    }
    return RunCommand(*command, rest, logFile);
}
