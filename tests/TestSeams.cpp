#include "TestSeams.h"
#include <deque>
#include <utility>

namespace {
Uint32 fakeNow = 1000;
void (*atDelay)() = nullptr;
std::deque<int> scripted;
unsigned long lcgState = 1;
} // namespace

extern "C" Uint32 SDL_GetTicks(void) { return fakeNow; }

extern "C" void SDL_Delay(Uint32 ms)
{
    fakeNow += ms;
    if (void (*f)() = std::exchange(atDelay, nullptr))
        f();
}

extern "C" int rand(void)
{
    if (!scripted.empty()) {
        const int v = scripted.front();
        scripted.pop_front();
        return v;
    }
    lcgState = lcgState * 1103515245UL + 12345UL;
    return static_cast<int>((lcgState / 65536UL) % 32768UL);
}

namespace seam {
void setTicks(Uint32 ms) { fakeNow = ms; }
void advance(Uint32 ms) { fakeNow += ms; }
Uint32 ticks() { return fakeNow; }
void onNextDelay(void (*f)()) { atDelay = f; }
void draws(std::initializer_list<int> values) { scripted.insert(scripted.end(), values); }
size_t drawsLeft() { return scripted.size(); }
void clearDraws() { scripted.clear(); }
void seed(unsigned s) { lcgState = s; }
void reset()
{
    fakeNow = 1000, atDelay = nullptr, lcgState = 1;
    scripted.clear();
}
} // namespace seam
