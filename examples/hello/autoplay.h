// The self-playing run, used when there is no display (./dev.sh demo on a
// headless machine, and the demo's test): it plays the game through
// scripted keys and mouse clicks, the way a player would, visiting every
// screen, and saves a screenshot of each in shots/.
#ifndef HELLO_AUTOPLAY_H
#define HELLO_AUTOPLAY_H

#include "screens.h"

void StartAutoplay();
bool Autoplaying();

// Once per logic frame, before the screen's own step: the input for this
// frame (framesOnScreen counts from 1 on each visit).
void AutoplayFrame(Screen current, int framesOnScreen);

// Once per frame of the intro film; false stops the film.
bool AutoplayFilmFrame(int frame);

#endif
