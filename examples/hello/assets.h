// Where the game's assets are: the password-protected archive the build
// packs beside the program, and the intro film next to it.
#ifndef HELLO_ASSETS_H
#define HELLO_ASSETS_H

constexpr const char* kAssets = "assets.dpf";
constexpr const char* kIntroFilm = "intro.mpg";

// Gives the archive interface the password of assets.dpf. Every loader
// (pictures, sprites, sounds, XML documents) opens the archive by name and
// reads through that password, so it is set once, right after Init.
void UnlockAssets();

#endif
