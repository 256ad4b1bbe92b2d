// The core object's private record.
#ifndef VELTRANO_CORE_STATE_H
#define VELTRANO_CORE_STATE_H

#include <cstdint>

#include "core/random.h"

class cConsole;
class cDebugWO;
class TiXmlDocument;
class TiXmlElement;

// Logic/render pacing of the update loop.
struct PacingState {
    uint32_t lastLogic = 0;
    uint32_t lastRender = 0;
    int logicOwed = 0;
    double logicAccumulator = 0.0;
    double renderAccumulator = 0.0;
};

// One open XML document with its cursor; a null document is a free entry.
struct XmlHandle {
    TiXmlDocument* document = nullptr;
    TiXmlElement* currentNode = nullptr;
    TiXmlElement* storedNode = nullptr;
};

struct CoreState {
    static constexpr int kKeyCount = 300;
    static constexpr int kXmlHandles = 10;

    // Input (update loop).
    uint8_t* keyboardState = nullptr;
    uint32_t keyStamps[kKeyCount] = {};

    // Version.
    char versionText[64] = "Veltrano SDK Win32 v5.22 (build 3336)";
    char copyrightText[32] = "(C) 2026 Veltrano SDK team";
    int majorVersion = 5;
    int minorVersion = 22;

    // CRC-32 table, built on first use.
    uint32_t* crcTable = nullptr;
    bool crcTableBuilt = false;

    MersenneTwister random;

    XmlHandle xml[kXmlHandles];

    bool initialized = false;
    bool openGL = false;

    void (*renderCallback)() = nullptr;
    int renderNeeded = 0;
    PacingState pacing;

    cConsole* console = nullptr;
    cDebugWO* debugWindow = nullptr;
    bool dragging = false;
    int dragAnchorX = 0;
    int dragAnchorY = 0;
};

#endif
