// The configuration document: its sections, their attributes with the
// sConfig field each one maps to, the rule that keeps a loaded value within
// what the SDK supports, and the help text each section carries.
#ifndef VELTRANO_XML_CONFIG_LAYOUT_H
#define VELTRANO_XML_CONFIG_LAYOUT_H

#include <cstddef>

#include "veltrano_types.h"

namespace config_layout {

extern const char kRootName[];
extern const char kBanner[];

struct Attribute {
    const char* name;
    // Stores a value read from the file, after its rule.
    void (*load)(sConfig& config, int value);
    // The value to write; null for an attribute that is only ever read.
    int (*save)(const sConfig& config);
    // An optional attribute may be missing or unreadable without failing the load.
    bool optional;
};

struct Section {
    const char* element;
    const Attribute* attributes;
    size_t attributeCount;
    const char* const* helpLines;
    size_t helpLineCount;
};

extern const Section kSections[];
extern const size_t kSectionCount;

// The load rules, one per kind of value.
int MtFriendly(int value);
int Renderer(int value);
int Resolution(int value);
int ColorDepth(int value);
int Window(int value);
int Accel(int value);
int AudioEnable(int value);
int AudioFormat(int value);
int AudioFrequency(int value);
int AudioMode(int value);
int Volume(int value);
int AudioBuffer(int value);

}  // namespace config_layout

#endif
