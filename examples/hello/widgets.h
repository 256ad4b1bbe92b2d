// Helpers the menu screens share to build their widgets from the archive:
// each screen keeps its widgets on a layer of its own and shows only that
// layer while it is up, so clicks and keys reach only its widgets.
#ifndef HELLO_WIDGETS_H
#define HELLO_WIDGETS_H

#include <SDL.h>

// A widget's id with the place it was put (IButton has no position getter).
struct Widget {
    int id = -1;
    int x = 0, y = 0;
};

// A clone of the archive's complex button (loaded once as a master, so all
// the clones share its pictures) with a shortcut key, on layer.
Widget MakeButton(char layer, SDLKey key);
// A working widget loaded from the archive block name, on layer.
Widget LoadWidget(char layer, const char* name);
void PlaceWidget(Widget& widget, int x, int y);
// The box of the widget's normal picture.
SDL_Rect WidgetBox(const Widget& widget);
// Shows only the given layer's widgets (-1: none).
void ShowLayer(char layer);

#endif
