// Parsing of one command's arguments: positional words and options, given
// as --name VALUE, --name=VALUE, -x VALUE or -xVALUE; "--" ends the options.
#ifndef VELTRANO_DPF_COMMAND_LINE_H
#define VELTRANO_DPF_COMMAND_LINE_H

#include <map>
#include <string>
#include <vector>

struct OptionSpec {
    const char* longName;  // without the leading "--"
    char shortName;        // 0 when there is none
    bool takesValue;
    const char* valueName;  // shown in help, e.g. "FILE"
    const char* help;
};

class Arguments {
public:
    std::vector<std::string> positional;

    bool Has(const std::string& option) const { return values_.count(option) != 0; }
    // The option's value, or fallback when it was not given.
    std::string Value(const std::string& option, const std::string& fallback = "") const;
    void Set(const std::string& option, const std::string& value) { values_[option] = value; }

private:
    std::map<std::string, std::string> values_;
};

// "WIDTHxHEIGHT" with both sides from 1 to 65535.
bool ParseSize(const std::string& text, int& width, int& height);

// Fills out from args; on a mistake returns false with the reason in error.
bool ParseArguments(const std::vector<std::string>& args, const std::vector<OptionSpec>& options,
                    Arguments& out, std::string& error);

#endif
