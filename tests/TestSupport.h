#ifndef TESTSUPPORT_H
#define TESTSUPPORT_H

#include <SDL/SDL.h>
#include <string>

namespace support {
// Brings up SDL video on the dummy driver (once per process) for tests that need the event queue or surfaces.
void initVideo();
// A 640x480 32-bit software surface filled with one colour; free with SDL_FreeSurface.
SDL_Surface* makeCanvas(Uint8 r = 0, Uint8 g = 0, Uint8 b = 0);
// The colour of one pixel of a 32-bit surface.
SDL_Color pixel(SDL_Surface* s, int x, int y);
// Real SDL events, as the player makes them.
void pushMotion(Sint16 x, Sint16 y);
void pushButton(Uint8 button, bool down, Sint16 x, Sint16 y);
void pushKey(SDLKey key, bool down);
// Removes every waiting event; returns how many hit events (type 24) were among them.
int drainQueue();
// A fresh folder under the system temp dir, removed with removeTree.
std::string makeTempDir();
void removeTree(const std::string& dir);
void writeFile(const std::string& path, const std::string& text);
// Resident memory of this process in KiB, from /proc/self/statm.
long residentKiB();
// AddressSanitizer keeps freed blocks in quarantine, so resident memory grows there without any leak;
// in that build LeakSanitizer is the check instead.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool residentMemoryTells = false;
#else
constexpr bool residentMemoryTells = true;
#endif
}

#endif
