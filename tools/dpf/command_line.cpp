#include "command_line.h"

#include <cstdio>

namespace {

const OptionSpec* FindLong(const std::vector<OptionSpec>& options, const std::string& name) {
    for (const OptionSpec& option : options)
        if (name == option.longName) return &option;
    return nullptr;
}

const OptionSpec* FindShort(const std::vector<OptionSpec>& options, char name) {
    for (const OptionSpec& option : options)
        if (option.shortName != 0 && option.shortName == name) return &option;
    return nullptr;
}

}  // namespace

std::string Arguments::Value(const std::string& option, const std::string& fallback) const {
    const auto found = values_.find(option);
    return found == values_.end() ? fallback : found->second;
}

bool ParseSize(const std::string& text, int& width, int& height) {
    int w = 0, h = 0;
    char extra = 0;
    if (std::sscanf(text.c_str(), "%dx%d%c", &w, &h, &extra) != 2) return false;
    if (w < 1 || h < 1 || w > 65535 || h > 65535) return false;
    width = w;
    height = h;
    return true;
}

bool ParseArguments(const std::vector<std::string>& args, const std::vector<OptionSpec>& options,
                    Arguments& out, std::string& error) {
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            out.positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }

        const OptionSpec* spec = nullptr;
        std::string inlineValue;
        bool hasInlineValue = false;
        if (arg[1] == '-') {
            const size_t equals = arg.find('=');
            spec = FindLong(options, arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2));
            if (equals != std::string::npos) {
                inlineValue = arg.substr(equals + 1);
                hasInlineValue = true;
            }
        } else {
            spec = FindShort(options, arg[1]);
            if (arg.size() > 2) {
                inlineValue = arg.substr(2);
                hasInlineValue = true;
            }
        }
        if (spec == nullptr) {
            error = "unknown option '" + arg + "'";
            return false;
        }

        const std::string shown = std::string("--") + spec->longName;
        if (!spec->takesValue) {
            if (hasInlineValue) {
                error = "option '" + shown + "' takes no value";
                return false;
            }
            out.Set(spec->longName, "");
            continue;
        }
        if (!hasInlineValue) {
            if (i + 1 >= args.size()) {
                error = "option '" + shown + "' needs a value (" + spec->valueName + ")";
                return false;
            }
            inlineValue = args[++i];
        }
        out.Set(spec->longName, inlineValue);
    }
    return true;
}
