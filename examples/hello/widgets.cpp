#include "widgets.h"

#include "assets.h"
#include "audio.h"

#include <veltrano.h>

namespace {

int buttonMaster = -1;

void Clicked(void*, void*) { PlayClickSound(); }

}  // namespace

Widget MakeButton(char layer, SDLKey key) {
    if (buttonMaster < 0) buttonMaster = IButton->Load(kAssets, "button", 1);
    Widget widget;
    if (buttonMaster < 0) return widget;
    IButton->SetLayer(layer);
    widget.id = IButton->Clone(buttonMaster);
    if (widget.id < 0) return widget;
    IButton->SetKey(widget.id, key);
    IButton->SetFunction(widget.id, Clicked, nullptr, nullptr);
    return widget;
}

Widget LoadWidget(char layer, const char* name) {
    IButton->SetLayer(layer);
    Widget widget;
    widget.id = IButton->Load(kAssets, name, 0);
    return widget;
}

void PlaceWidget(Widget& widget, int x, int y) {
    widget.x = x;
    widget.y = y;
    if (widget.id >= 0) IButton->SetPosition(widget.id, x, y);
}

SDL_Rect WidgetBox(const Widget& widget) {
    SDL_Surface* normal = widget.id >= 0 ? IButton->GetSurface(widget.id, 1) : nullptr;
    SDL_Rect box = {static_cast<Sint16>(widget.x), static_cast<Sint16>(widget.y), 0, 0};
    if (normal != nullptr) box.w = static_cast<Uint16>(normal->w), box.h = static_cast<Uint16>(normal->h);
    return box;
}

void ShowLayer(char layer) {
    for (char each = 0; each < 8; ++each) IButton->SetLayerVisibility(each, each == layer ? 1 : 0);
}
