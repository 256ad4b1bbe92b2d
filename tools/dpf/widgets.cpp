#include "widgets.h"

#include <veltrano.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "images.h"
#include "messages.h"
#include "tiles.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kMaxWidgetNameChars = 24;
constexpr int kHighestKey = 321;

struct WidgetType {
    const char* word;
    int type;
    const char* label;
};

// The picture files in the order they are given, and the block suffix each
// becomes.
constexpr const char* kPictureSuffixes[] = {"_n", "_p", "_o", "_s"};

const std::vector<WidgetType>& WidgetTypes() {
    static const std::vector<WidgetType> types = {
        {"normal", 1, "Normal button"},   {"icon", 2, "Icon (deprecated)"}, {"complex", 4, "Complex button"},
        {"slider", 8, "Slider"},          {"progress", 16, "Progress bar"}, {"check", 32, "Check button"},
        {"input", 64, "Input box"},
    };
    return types;
}

const WidgetType* TypeByWord(const std::string& word) {
    for (const WidgetType& type : WidgetTypes())
        if (word == type.word) return &type;
    return nullptr;
}

const char* TypeLabel(int type) {
    for (const WidgetType& known : WidgetTypes())
        if (known.type == type) return known.label;
    return "unknown type";
}

bool ParseInt(const std::string& text, long low, long high, long& value) {
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && value >= low && value <= high;
}

bool ParsePair(const std::string& text, long high, long& first, long& second) {
    const size_t comma = text.find(',');
    return comma != std::string::npos && ParseInt(text.substr(0, comma), 0, high, first) &&
           ParseInt(text.substr(comma + 1), 0, high, second);
}

// Names of the keys that are not one printable character. SDL's own key
// names need its video system, which the tool does not start.
struct KeyName {
    const char* name;
    int code;
};

const std::vector<KeyName>& NamedKeys() {
    static const std::vector<KeyName> keys = {
        {"backspace", SDLK_BACKSPACE}, {"tab", SDLK_TAB},     {"return", SDLK_RETURN}, {"escape", SDLK_ESCAPE},
        {"space", SDLK_SPACE},         {"delete", SDLK_DELETE}, {"up", SDLK_UP},       {"down", SDLK_DOWN},
        {"right", SDLK_RIGHT},         {"left", SDLK_LEFT},     {"insert", SDLK_INSERT}, {"home", SDLK_HOME},
        {"end", SDLK_END},             {"page up", SDLK_PAGEUP}, {"page down", SDLK_PAGEDOWN},
        {"f1", SDLK_F1}, {"f2", SDLK_F2}, {"f3", SDLK_F3}, {"f4", SDLK_F4}, {"f5", SDLK_F5}, {"f6", SDLK_F6},
        {"f7", SDLK_F7}, {"f8", SDLK_F8}, {"f9", SDLK_F9}, {"f10", SDLK_F10}, {"f11", SDLK_F11}, {"f12", SDLK_F12},
    };
    return keys;
}

// A key code (0..321), a named key, or one printable character such as "a"
// or "1" (SDL's codes of those keys are their lower-case characters).
bool ParseKey(const std::string& text, long& key) {
    if (text.size() > 1 && ParseInt(text, 0, kHighestKey, key)) return true;
    for (const KeyName& named : NamedKeys())
        if (text == named.name) {
            key = named.code;
            return true;
        }
    if (text.size() == 1 && text[0] > ' ' && text[0] < 127 && !(text[0] >= 'A' && text[0] <= 'Z')) {
        key = text[0];
        return true;
    }
    return false;
}

std::string KeyText(int code) {
    for (const KeyName& named : NamedKeys())
        if (code == named.code) return named.name;
    if (code > ' ' && code < 127) return std::string(1, static_cast<char>(code));
    return "code " + std::to_string(code);
}

bool OptionsExcluded(const Arguments& args) {
    for (const char* option : {"image", "tile", "font", "raw", "scramble", "type", "depth", "grid", "xml"})
        if (args.Has(option)) {
            PrintError("--button stores TILB2 pictures and a BUT block: leave out --%s", option);
            return true;
        }
    return false;
}

bool ReadSteps(const Arguments& args, IButtonNew& desc) {
    long range = 0, value = 0;
    if (args.Has("range") && !ParseInt(args.Value("range"), 0, 255, range)) {
        PrintError("--range takes the number of steps, 0 to 255, not '%s'", args.Value("range").c_str());
        return false;
    }
    if (args.Has("value") && !ParseInt(args.Value("value"), 0, range, value)) {
        PrintError("--value takes the current step, 0 to the range (%ld), not '%s'", range,
                   args.Value("value").c_str());
        return false;
    }
    desc.range = static_cast<short>(range);
    desc.value = static_cast<int>(value);
    return true;
}

bool ReadMargins(const Arguments& args, IButtonNew& desc) {
    long x = 0, y = 0;
    if (!ParsePair(args.Value("margins"), 32767, x, y)) {
        PrintError("--margins takes the text margins as X,Y in pixels, not '%s'", args.Value("margins").c_str());
        return false;
    }
    desc.value = static_cast<int>(x);
    desc.range = static_cast<short>(y);
    return true;
}

// Type-specific options: steps for sliders and progress bars, margins for
// input boxes.
bool ReadTypeData(const Arguments& args, int type, IButtonNew& desc) {
    const bool steps = type == 8 || type == 16;
    if (!steps && (args.Has("range") || args.Has("value"))) {
        PrintError("--range and --value go with slider and progress widgets");
        return false;
    }
    if (type != 64 && args.Has("margins")) {
        PrintError("--margins goes with input widgets");
        return false;
    }
    if (steps) return ReadSteps(args, desc);
    return args.Has("margins") ? ReadMargins(args, desc) : true;
}

bool ReadDescription(const Arguments& args, IButtonNew& desc) {
    const WidgetType* type = TypeByWord(args.Value("button"));
    if (type == nullptr) {
        PrintError("--button takes normal, icon, complex, slider, progress, check or input, not '%s'",
                   args.Value("button").c_str());
        return false;
    }
    desc = IButtonNew{};
    desc.type = static_cast<unsigned char>(type->type);
    long key = 0, color = 0, x = 0, y = 0;
    if (args.Has("key") && !ParseKey(args.Value("key"), key)) {
        PrintError("--key takes a key (a character, or a name such as return, space or f1) or a key code of "
                   "two or more digits up to 321, not '%s'",
                   args.Value("key").c_str());
        return false;
    }
    if (args.Has("select-color")) {
        char* end = nullptr;
        const std::string text = args.Value("select-color");
        color = std::strtol(text.c_str(), &end, 16);
        if (text.size() != 6 || *end != '\0') {
            PrintError("--select-color takes the colour as RRGGBB in hexadecimal, not '%s'", text.c_str());
            return false;
        }
    }
    if (args.Has("position") && !ParsePair(args.Value("position"), 65535, x, y)) {
        PrintError("--position takes X,Y in pixels, not '%s'", args.Value("position").c_str());
        return false;
    }
    desc.key = static_cast<unsigned short>(key);
    desc.selectColor = static_cast<int>(color);
    desc.x = static_cast<unsigned short>(x);
    desc.y = static_cast<unsigned short>(y);
    return ReadTypeData(args, type->type, desc);
}

bool CheckNameAndFiles(const Arguments& args, const std::vector<std::string>& files, int type) {
    const std::string name = args.Value("name");
    if (name.empty() || name.size() > kMaxWidgetNameChars) {
        PrintError("--button needs --name with a widget name of 1 to %zu characters", kMaxWidgetNameChars);
        return false;
    }
    const size_t wanted = type == 4 ? 4 : 3;
    if (files.size() != wanted) {
        PrintError("a %s widget takes %zu pictures: NORMAL PRESSED OFF%s", TypeLabel(type), wanted,
                   wanted == 4 ? " SELECTED" : "");
        return false;
    }
    return true;
}

// What Save's refusal codes mean to the user.
std::string SaveProblem(int code, const std::string& name) {
    switch (code) {
        case -2: return "the normal picture '" + name + "_n' is not in the archive";
        case -3: return "the pressed picture '" + name + "_p' is not in the archive";
        case -4: return "the disabled picture '" + name + "_o' is not in the archive";
        case -5: return "the selected picture '" + name + "_s' is not in the archive";
        case -6: return "the activation key is beyond SDL's key table";
        case -7: return "the range must be 0 to 255 and the value 0 to the range";
        case -1: return "the archive already holds a widget '" + name + "'";
        default: return "the widget header could not be stored (wrong type or name)";
    }
}

bool OpenOrCreate(ArchiveSession& archive, const std::string& path, const Arguments& args) {
    std::error_code error;
    if (fs::exists(path, error)) return archive.Open(path, args, PasswordNeed::Required, Access::Write);
    return archive.Create(path);
}

bool StorePictures(ArchiveSession& archive, const std::vector<std::string>& files, const std::string& name,
                   const Arguments& args) {
    TileOptions options;
    options.type = "TILB2";
    if (!ReadImageOptions(args, options.key)) return false;
    for (size_t i = 0; i < files.size(); ++i)
        if (!AddTileFile(archive, files[i], name + kPictureSuffixes[i], options)) return false;
    return true;
}

// Makes the widget from the archive as a game would, then lets it go.
bool LoadsBack(ArchiveSession& archive, const std::string& name) {
    const int id = IButton->Load(archive.handle(), name.c_str(), 1);
    if (id < 0) return false;
    IButton->RemoveMaster(id);
    return true;
}

std::string PictureList(ArchiveSession& archive, const std::string& name) {
    std::string list;
    for (const char* suffix : kPictureSuffixes) {
        DPF_BlockData block{};
        const std::string picture = name + suffix;
        if (picture.size() > kMaxBlockNameChars) continue;
        std::snprintf(block.name, sizeof block.name, "%s", picture.c_str());
        std::snprintf(block.type, sizeof block.type, "%s", "TILB2");
        if (IStuffDPF->Search(archive.handle(), &block) == 1) list += " " + picture;
    }
    return list.empty() ? " none" : list;
}

}  // namespace

int AddWidget(const Arguments& args) {
    if (OptionsExcluded(args)) return kExitUsage;
    IButtonNew desc;
    if (!ReadDescription(args, desc)) return kExitUsage;
    const std::vector<std::string> files(args.positional.begin() + 1, args.positional.end());
    if (!CheckNameAndFiles(args, files, desc.type)) return kExitUsage;
    const std::string name = args.Value("name");

    ArchiveSession archive;
    if (!OpenOrCreate(archive, args.positional[0], args)) return kExitFailure;
    IButtonNew existing{};
    if (IButton->LoadHeader(archive.handle(), name.c_str(), &existing)) {
        PrintError("%s", SaveProblem(-1, name).c_str());
        return kExitFailure;
    }
    if (!StorePictures(archive, files, name, args)) return kExitFailure;
    const int stored = IButton->Save(archive.handle(), name.c_str(), &desc);
    if (stored <= 0) {
        PrintError("%s", SaveProblem(stored, name).c_str());
        return kExitFailure;
    }
    if (!LoadsBack(archive, name)) {
        PrintError("the widget '%s' was stored but the SDK cannot make it; see --log", name.c_str());
        return kExitFailure;
    }
    PrintResult("added widget '%s' (%s)", name.c_str(), TypeLabel(desc.type));
    return kExitOk;
}

std::string WidgetDescription(ArchiveSession& archive, const BlockEntry& block) {
    if (block.type != kWidgetBlockType || !archive.unlocked()) return "";
    IButtonNew desc{};
    if (!IButton->LoadHeader(archive.handle(), block.name.c_str(), &desc)) return "unreadable widget header";
    std::string text = TypeLabel(desc.type);
    if (desc.type == 8 || desc.type == 16)
        text += ", range " + std::to_string(desc.range) + ", value " + std::to_string(desc.value);
    if (desc.key != 0) text += ", key '" + KeyText(desc.key) + "'";
    return text + ", pictures" + PictureList(archive, block.name);
}
