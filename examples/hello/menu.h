// The game's menu panel: the player's name in an input box, start and quit
// buttons, a volume slider and a "smooth moves" check button. The widgets
// are loaded from the demo's archive, where the build packed them.
#ifndef HELLO_MENU_H
#define HELLO_MENU_H

#include <veltrano.h>

struct MenuChoices {
    bool restart = false;  // Start was clicked
    bool quit = false;     // Quit was clicked
};

// Loads the widgets and places them in a column starting at (x, y); the
// input box writes with font. False when the archive lacks them.
bool LoadMenu(int x, int y, Veltrano_CFont* font);
void FreeMenu();

// One logic frame: what the player chose. The self-playing demo moves the
// slider and ticks the check button by itself.
MenuChoices StepMenu(bool selfPlaying, int logicFrame);

// Draws the panel, the widgets and their labels on the screen.
void DrawMenu(Veltrano_CFont* font);

int MenuVolume();      // 0..10
bool MenuSmoothMoves();

#endif
