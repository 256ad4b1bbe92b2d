// The screens of the game and the calls each screen module provides. The
// frame loop of game.cpp runs one screen at a time: Enter when it comes up,
// Step once per logic frame (its result is the screen to show next, itself
// to stay), Draw for every rendered frame, Leave when it goes.
#ifndef HELLO_SCREENS_H
#define HELLO_SCREENS_H

#include <SDL.h>

enum class Screen { Intro, Title, Options, Play, TwoPlayers, Scores, Quit };

void EnterTitle();
Screen StepTitle();
void DrawTitle(SDL_Surface* target);
void LeaveTitle();
void DrawTitleLabels(SDL_Surface* target);  // on the buttons, after them

void EnterOptions();
Screen StepOptions();
void DrawOptions(SDL_Surface* target);
void LeaveOptions();

// One player, or two: the second joins over the network (netplay.h).
void EnterPlay();
void EnterTwoPlayers();
Screen StepPlay();
void DrawPlay(SDL_Surface* target);
void LeavePlay();

void EnterScores();
Screen StepScores();
void DrawScores(SDL_Surface* target);
void LeaveScores();

// The intro film plays while it is entered (films block until they end).
void PlayIntro();

#endif
