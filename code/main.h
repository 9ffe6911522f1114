#ifndef MAIN_H
#define MAIN_H

// The shell: the game's long-lived objects and the functions that start, run and restart it.

#include "Battle.h"
#include "CpuInput.h"
#include "UserInput.h"
#include <SDL/SDL.h>
#include <SDL/SDL_framerate.h>
#include <SDL/SDL_ttf.h>
#include <csignal>

class Combatant;
class MediaPlayer;
class MediaResource;

extern SDL_Surface* screen;
extern TTF_Font* font;
extern int screenResX;
extern int screenResY;
extern SDL_Event mainEvent;
extern FPSmanager fpsKeeper;
extern int fpsGoal;
extern Battle battul;
extern UserInput masterInput;
extern CpuInput oppInput;
extern Combatant* lComb;
extern Combatant* rComb;
extern SDL_Color rulz;
extern bool escKeyHit;
extern bool resetGameHit;
extern int gameMode;
extern MediaResource* mr;
extern MediaResource* mr2;
extern MediaPlayer* mo;
extern MediaPlayer* mo2;
extern const char title[16];
extern const char icon[16];
// Set by --windowed: a plain window instead of full screen, whose close button quits.
extern bool windowedMode;
// Set by --mute: the silent game; no audio device is opened.
extern bool muteMode;
// SIGINT or SIGTERM once caught (0 before): the game loop ends and the process dies of it after clean-up.
extern volatile sig_atomic_t stopSignal;

int SDL_main(int argc, char* argv[]);
// Applies the command line; returns -1 to play on, else the status to exit with at once (help, version, a mistake).
int readOptions(int argc, char* argv[]);
void catchStopSignals();
Sint8 initEngine();
Sint8 initSDL(bool debugMode);
Sint8 initGfx(bool debugMode);
Sint8 initGame();
Sint8 initGameVariables();
Sint8 loadRound();
Sint8 gameLoop();
// One pass of the main loop (drain, step, restart or next opponent, frame); sets done when Escape is held or a
// stop signal came.
Sint8 gamePass(bool& done);
Sint8 render();
void resetGame();
void addNewBadGuy();
void setUpNewBadguy(Combatant* opponent, CpuInput* cpu, SDL_Color& rules);
// The roster itself, for a given number of victories.
void makeOpponent(Uint32 victories, Combatant* opponent, CpuInput* cpu, SDL_Color& rules);

#endif
