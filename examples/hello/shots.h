// Screenshots of the self-playing run: shots/01-intro.png, 02-title.png ...
// numbered in the order they are taken, so the folder reads as a tour.
#ifndef HELLO_SHOTS_H
#define HELLO_SHOTS_H

// Saves the screen under the next number; each name once per run.
void SaveShot(const char* name);
// How many were saved this run.
int ShotsTaken();

#endif
