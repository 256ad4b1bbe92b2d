// The configuration file: sConfig to and from a small, self-documenting XML
// document in a plain file or an archive block.
#include "Veltrano_Main.h"

#include "xml/config_layout.h"

namespace {

bool IsGiven(const char* text) { return text != nullptr && text[0] != '\0'; }

}  // namespace

int Veltrano_Main::LoadConfig(const char* dpfFile, const char* name, sConfig* config) {
    if (!IsGiven(name)) return 0;
    sConfig& target = config != nullptr ? *config : Config;
    const int handle = IsGiven(dpfFile) ? XMLOpen(dpfFile, name) : XMLOpen(name);
    if (handle == 0) return 0;
    // Values are stored as they are read: a failure keeps those read before it.
    for (size_t s = 0; s < config_layout::kSectionCount; ++s) {
        const config_layout::Section& section = config_layout::kSections[s];
        if (XMLNodePointTo(handle, 2, config_layout::kRootName, section.element) != 1) {
            XMLClose(handle);
            return 0;
        }
        for (size_t a = 0; a < section.attributeCount; ++a) {
            const config_layout::Attribute& attribute = section.attributes[a];
            int value = 0;
            if (XMLAttributeGet(handle, attribute.name, &value) == 1) {
                attribute.load(target, value);
            } else if (!attribute.optional) {
                XMLClose(handle);
                return 0;
            }
        }
    }
    XMLClose(handle);
    return 1;
}

int Veltrano_Main::SaveConfig(const char* dpfFile, const char* name, sConfig* config) {
    if (!IsGiven(name)) return 0;
    const sConfig& source = config != nullptr ? *config : Config;
    const int handle = XMLCreate(config_layout::kRootName);
    if (handle == 0) return 0;
    XMLCommentSet(handle, config_layout::kBanner);
    for (size_t s = 0; s < config_layout::kSectionCount; ++s) {
        const config_layout::Section& section = config_layout::kSections[s];
        if (XMLNodeCreate(handle, section.element) != 1) {
            XMLClose(handle);
            return 0;
        }
        for (size_t a = 0; a < section.attributeCount; ++a) {
            const config_layout::Attribute& attribute = section.attributes[a];
            if (attribute.save != nullptr) XMLAttributeSet(handle, attribute.name, attribute.save(source));
        }
        for (size_t line = 0; line < section.helpLineCount; ++line) XMLTextSet(handle, section.helpLines[line]);
        XMLNodeParent(handle);
    }
    const int saved = IsGiven(dpfFile) ? XMLSave(handle, dpfFile, name) : XMLSave(handle, name);
    XMLClose(handle);
    return saved > 0 ? 1 : 0;
}
