// The information dump: counts, the master list with the memory clones save,
// and the working widgets of every layer.
#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "Veltrano_CFont.h"
#include "Veltrano_CTile.h"
#include "Veltrano_IButton.h"
#include "Veltrano_ILogSystem.h"
#include "gui/button_state.h"

using namespace button_records;

namespace {

constexpr int kLevel = 0;

struct Counts {
    int masters = 0;
    int clones = 0;
    int working = 0;
    int Total() const { return masters + clones + working; }
};

Counts Count(ButtonState& state) {
    Counts counts;
    for (const ButtonRecord& master : state.masters)
        if (!master.free) ++counts.masters;
    for (auto& layer : state.layers)
        for (const ButtonRecord& record : layer) {
            if (record.free) continue;
            ++counts.working;
            if (record.isClone) ++counts.clones;
        }
    return counts;
}

long PictureBytes(Veltrano_CTile* tile) {
    SDL_Surface* surface = tile != nullptr ? tile->GetSurface() : nullptr;
    return surface != nullptr ? static_cast<long>(surface->pitch) * surface->h : 0;
}

// Memory the clones of a master save by sharing its pictures; nothing
// without clones.
double SavedMemory(ButtonRecord& master) {
    if (master.masterRef <= 0) return 0.0;
    long bytes = 0;
    ForEachPicture(master, kPictureAll, [&bytes](Veltrano_CTile* tile) { bytes += PictureBytes(tile); });
    return static_cast<double>(master.masterRef - 1) * static_cast<double>(bytes);
}

const char* AlphaText(SDL_Surface* surface, char* buffer, size_t size) {
    if (!(surface->flags & SDL_SRCALPHA)) return "disabled";
    if (surface->format->Amask != 0) return "per-pixel";
    std::snprintf(buffer, size, "per-surface (%d)", surface->format->alpha);
    return buffer;
}

void DumpPicture(const char* label, Veltrano_CTile* tile) {
    SDL_Surface* surface = tile != nullptr ? tile->GetSurface() : nullptr;
    if (surface == nullptr) return;
    ILogSystem.Msg(kLevel, "             + %s state button of %d Kb located at %s (%dx%d with %dbits)\n", label,
                   static_cast<int>(PictureBytes(tile) / 1024),
                   (surface->flags & SDL_HWSURFACE) ? "video memory" : "system memory", surface->w, surface->h,
                   surface->format->BitsPerPixel);
    char alpha[32];
    ILogSystem.Msg(kLevel, "                Alpha blending: %s", AlphaText(surface, alpha, sizeof alpha));
    if (surface->flags & SDL_SRCCOLORKEY) {
        Uint8 r, g, b;
        SDL_GetRGB(surface->format->colorkey, surface->format, &r, &g, &b);
        ILogSystem.Msg(kLevel, " - Colorkey: RGB(%d,%d,%d)\n", r, g, b);
    } else {
        ILogSystem.Msg(kLevel, " - Colorkey: disabled\n");
    }
}

void DumpPictures(ButtonRecord& record) {
    DumpPicture("Normal", record.tileNormal);
    DumpPicture("Press", record.tilePressed);
    DumpPicture("Select", record.tileSelected);
    DumpPicture("Off", record.tileOff);
}

// The lines both dumps share; `indent` is the spaces before each "+".
void DumpType(const ButtonRecord& record, const char* indent) {
    ILogSystem.Msg(kLevel, "%s+ Type: '%s' - Visible: '%s' - Position: (%d,%d) - SelectBox: %d\n", indent,
                   TypeName(record.type), record.visible ? "yes" : "no", record.x, record.y,
                   static_cast<int>(record.selectColor));
}

void DumpValues(const ButtonRecord& record) {
    if (record.type == kTypeInput) {
        const char* font = record.font != nullptr && record.font->GetName() != nullptr ? record.font->GetName() : "none";
        ILogSystem.Msg(kLevel, "Font: '%s' - Value: '%s'\n", font, record.text);
    } else {
        ILogSystem.Msg(kLevel, "Range: %d - Value: %d\n", record.range, record.value);
    }
}

void DumpInputs(const ButtonRecord& record, const char* indent) {
    char words[24] = "";
    if (record.mouseMask & 1) std::strcat(words, "left ");
    if (record.mouseMask & 2) std::strcat(words, "middle ");
    if (record.mouseMask & 4) std::strcat(words, "right ");
    const char* key = record.key != 0 ? SDL_GetKeyName(static_cast<SDLKey>(record.key)) : "none";
    ILogSystem.Msg(kLevel, "%s+ Associated key: '%s' - Mouse sensibility: ' %s' buttons.\n", indent, key, words);
}

void DumpMaster(ButtonRecord& master) {
    const char* indent = "         ";
    ILogSystem.Msg(kLevel, "\n     -> Button name '%s' - MasterID '%d':\n", master.name, master.id);
    ILogSystem.Msg(kLevel, "%s+ Cloned buttons: %d - Saved memory: %.1f Kbytes\n", indent, master.masterRef,
                   SavedMemory(master) / 1024.0);
    DumpType(master, indent);
    if (master.type == kTypeCheck)
        ILogSystem.Msg(kLevel, "        + State: '%s' - Last state: '%s' - ", StateName(master.range),
                       StateName(master.lastState));
    else
        ILogSystem.Msg(kLevel, "%s+ State: '%s' - Last state: '%s' - ", indent, StateName(master.state),
                       StateName(master.lastState));
    DumpValues(master);
    DumpInputs(master, indent);
    DumpPictures(master);
}

void DumpWorking(ButtonRecord& record) {
    const char* indent = "          ";
    ILogSystem.Msg(kLevel, "\n        # Button name '%s' - ID '%d':\n", record.name, record.id);
    DumpType(record, indent);
    ILogSystem.Msg(kLevel, "%s+ State: '%s' - Last state: '%s' - ", indent, StateName(record.state),
                   StateName(record.lastState));
    DumpValues(record);
    DumpInputs(record, indent);
    if (record.isClone)
        ILogSystem.Msg(kLevel, "%s+ Cloned button. MasterID '%d'.\n", indent, record.masterRef);
    else
        DumpPictures(record);
}

void DumpMasters(ButtonState& state, const Counts& counts) {
    ILogSystem.Msg(kLevel, "\n   - Dumping Master button list:");
    if (counts.masters == 0) ILogSystem.Msg(kLevel, " None\n");
    ILogSystem.Msg(kLevel, "\n");
    double saved = 0.0;
    for (ButtonRecord& master : state.masters) {
        if (master.free) continue;
        DumpMaster(master);
        saved += SavedMemory(master);
    }
    if (counts.masters > 0) ILogSystem.Msg(kLevel, "\n     -> Total saved memory: %.1f KBytes\n", saved / 1024.0);
}

void DumpLayers(ButtonState& state) {
    ILogSystem.Msg(kLevel, "\n   - Dumping Working layer list:\n");
    for (int layer = 0; layer < kLayers; ++layer) {
        ILogSystem.Msg(kLevel, "\n     -> Layer %d - %s state\n", layer,
                       state.layerVisible[layer] ? "Visible" : "Hidden");
        for (ButtonRecord& record : state.layers[layer])
            if (!record.free) DumpWorking(record);
    }
}

}  // namespace

int Veltrano_IButton::Info(int id) {
    const Counts counts = Count(*state);
    if (id == -2) return counts.Total();
    ILogSystem.Msg(kLevel, "\n . IButton information:\n");
    if (id == -1) {
        ILogSystem.Msg(kLevel,
                       "\n   - Masterbuttons: %d - Cloned buttons: %d - Total working buttons: %d - Current layer %d.\n",
                       counts.masters, counts.clones, counts.working, state->currentLayer);
        DumpMasters(*state, counts);
        DumpLayers(*state);
    } else if (ButtonRecord* record = FindUsed(*state, id)) {
        if (IsMasterId(id))
            DumpMaster(*record);
        else
            DumpWorking(*record);
    }
    return counts.Total();
}
