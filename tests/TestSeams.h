#ifndef TESTSEAMS_H
#define TESTSEAMS_H

// Scripted time and chance, shared by the tests, the benchmark and the fuzzer. Their executables define
// SDL_GetTicks, SDL_Delay and rand (TestSeams.cpp), so the game and SDL_gfx's frame pacing see this clock and
// these draws. SDL_Delay advances the clock instead of sleeping: a paced frame takes exactly its period.

#include <SDL/SDL.h>
#include <initializer_list>

namespace seam {
void setTicks(Uint32 ms);
void advance(Uint32 ms);
Uint32 ticks();
// Runs f at the next SDL_Delay, the frame pacing's wait: the one moment inside a whole run of the program at which
// a test can act, e.g. to press a key.
void onNextDelay(void (*f)());
// Exact results for the next rand() calls; once they are used up, rand() falls back to a deterministic
// generator restarted by seed().
void draws(std::initializer_list<int> values);
size_t drawsLeft();
void clearDraws();
void seed(unsigned s);
// As the process started: the clock at 1000 ms, no scripted draws, the generator at seed 1, nothing
// waiting for the next delay.
void reset();
} // namespace seam

#endif
