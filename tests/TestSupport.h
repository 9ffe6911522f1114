#ifndef TESTSUPPORT_H
#define TESTSUPPORT_H

// Helpers shared by the tests and the benchmark: a headless screen, pixels and texts on it, the player's events.

#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>
#include <string>

class DrawWindow;

namespace support {
// Puts back what any test may have changed, as a fresh process start leaves it: the scripted seams (seam::reset);
// the shell's globals as constructed (the battle, both inputs, the flags; the combatants, media and their players
// freed); sound closed; the stop signals' handlers at their defaults; SDL and the text renderer shut down, so the
// event queue is gone too. Every test of the suite starts from here (TestMain.cpp).
void freshStart();
// SDL video on the dummy driver, started when it is not up; false when it cannot start.
bool initVideo();
// FreeSans at 12 points from the run folder, opened when not open since the last fresh start.
TTF_Font* font();
// A 640x480 32-bit surface in one colour; free with SDL_FreeSurface.
SDL_Surface* makeCanvas(Uint8 r = 0, Uint8 g = 0, Uint8 b = 0);
SDL_Color pixel(SDL_Surface* s, int x, int y);
// Every pixel of the text's glyphs, rendered as the game renders its lines, shows in colour c at (x, y).
bool shows(SDL_Surface* s, const std::string& text, int x, int y, SDL_Color c = {255, 255, 255, 0});

void pushMotion(int x, int y);
void pushButton(Uint8 button, bool down, int x = 0, int y = 0);
void pushKey(SDLKey key, bool down);
void pushType(Uint8 type); // an event that is only its type, such as a quit request
// Removes every waiting event; returns how many hit events (type 24) were among them.
int drainQueue();
// Where the player's hand goes next: the draw window's target dot in screen pixels.
SDL_Rect target(DrawWindow& dw);

// A fresh folder under the system temp dir, entered while the object lives, then left and removed.
struct TempDir {
    TempDir();
    ~TempDir();
    std::string home, path;
};
void writeFile(const std::string& path, const std::string& text);

// An environment variable set (or, with null, unset) while the object lives, then put back as it was.
struct ScopedEnv {
    ScopedEnv(const char* name, const char* value);
    ~ScopedEnv();
    std::string name, old;
    bool was;
};
} // namespace support

#endif
