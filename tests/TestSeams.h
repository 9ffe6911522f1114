#ifndef TESTSEAMS_H
#define TESTSEAMS_H

// Scripted time and chance. The test executable defines SDL_GetTicks, SDL_Delay and rand itself, so the
// game (and SDL_gfx's frame pacing) sees this clock and these draws. SDL_Delay advances the clock instead
// of sleeping, so a paced frame takes exactly its period and never waits on real time.

#include <SDL/SDL.h>
#include <initializer_list>

namespace seam {
void setTicks(Uint32 ms);
void advance(Uint32 ms);
Uint32 ticks();
// Each SDL_GetTicks reading moves the clock on by ms after it is taken (0, the default, keeps it still), so
// tests can tell two readings within one call apart.
void tickPerReading(Uint32 ms);
// Queue exact results for the next rand() calls; once the queue is empty rand() falls back to a
// deterministic generator restarted by seed().
void draws(std::initializer_list<int> values);
size_t drawsLeft();
void clearDraws();
void seed(unsigned s);
unsigned long drawCount(); // rand() calls made so far
}

#endif
