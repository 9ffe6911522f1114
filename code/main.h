#ifndef MAIN_H
#define MAIN_H

// The shell: the game's long-lived objects and the functions that start, run and restart it.

#include "Battle.h"
#include "CpuInput.h"
#include "UserInput.h"
#include <SDL/SDL.h>
#include <SDL/SDL_framerate.h>
#include <SDL/SDL_ttf.h>

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

int SDL_main(int argc, char* argv[]);
Sint8 initEngine();
Sint8 initSDL(bool debugMode);
Sint8 initGfx(bool debugMode);
Sint8 initGame();
Sint8 initGameVariables();
Sint8 loadRound();
Sint8 gameLoop();
// One pass of the main loop (drain, step, restart or next opponent, frame); sets done when Escape is held.
Sint8 gamePass(bool& done);
Sint8 render();
void resetGame();
void addNewBadGuy();
void setUpNewBadguy(Combatant* opponent, CpuInput* cpu, SDL_Color& rules);
// The roster itself, for a given number of victories.
void makeOpponent(Uint32 victories, Combatant* opponent, CpuInput* cpu, SDL_Color& rules);

#endif
