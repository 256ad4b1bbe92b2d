// Screen changes through IScreenFX: the old screen fades to black, the new
// one fades in from black. The fades block for their duration, which is
// fine between screens, where nothing else is going on.
#ifndef HELLO_TRANSITIONS_H
#define HELLO_TRANSITIONS_H

#include <SDL.h>

void FadeOut();
// Draws the new screen's first frame with draw, then fades it in.
void FadeIn(void (*draw)(SDL_Surface*));

#endif
