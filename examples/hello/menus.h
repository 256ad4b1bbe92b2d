// What the menu screens show the self-playing run: where their widgets are,
// so it can click them like a player would.
#ifndef HELLO_MENUS_H
#define HELLO_MENUS_H

#include <SDL.h>

enum class TitleChoice { Start, TwoPlayers, Options, Quit };
SDL_Rect TitleButton(TitleChoice choice);
// The name typed into the title's input box, for the high-score table.
const char* PlayerName();

enum class OptionsWidget { Resolution, FullScreen, Music, Sound, Apply, Back };
SDL_Rect OptionsWidgetBox(OptionsWidget widget);
int OptionsSliderValue(OptionsWidget slider);

// The middle of a widget's box.
inline void Centre(const SDL_Rect& box, int& x, int& y) {
    x = box.x + box.w / 2;
    y = box.y + box.h / 2;
}

#endif
