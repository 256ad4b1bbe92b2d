// The tool's commands: what each is called, takes and does.
#ifndef VELTRANO_DPF_COMMANDS_H
#define VELTRANO_DPF_COMMANDS_H

#include <cstddef>
#include <string>
#include <vector>

#include "command_line.h"

struct Command {
    const char* name;
    const char* usage;    // the words after the command's name
    const char* summary;  // one line for the overview
    const char* details;  // the paragraph of the command's own help
    std::vector<OptionSpec> options;
    size_t minPositional;
    size_t maxPositional;
    int (*run)(const Arguments& args);
};

const std::vector<Command>& AllCommands();
const Command* FindCommand(const std::string& name);

// Options every command accepts besides its own.
const std::vector<OptionSpec>& CommonOptions();

// The commands themselves; each returns the process's exit code.
int RunCreate(const Arguments& args);
int RunAdd(const Arguments& args);
int RunPack(const Arguments& args);
int RunDelete(const Arguments& args);
int RunList(const Arguments& args);
int RunExtract(const Arguments& args);
int RunInfo(const Arguments& args);
int RunCompact(const Arguments& args);
int RunProtect(const Arguments& args);
int RunUnprotect(const Arguments& args);

#endif
