// What the page around the game needs from it, and gives it: the battle's state after each frame (a defeat calls for
// its "New game" button), and that button's and "Sound"'s keys, as if F10 or M had been pressed and released.
#include "main.h"
#include <emscripten.h>

namespace {
void press(SDL_Keycode key)
{
    SDL_Event e = {};
    e.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = key;
    SDL_PushEvent(&e);
    e.type = SDL_KEYUP;
    e.key.state = SDL_RELEASED;
    SDL_PushEvent(&e);
}
} // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void qf_newGame() { press(SDLK_F10); }

extern "C" EMSCRIPTEN_KEEPALIVE void qf_toggleSound() { press(SDLK_m); }

void qf_pageTick()
{
    static int shown = -1;
    const int state = battul.getStatus();
    if (state == shown)
        return;
    shown = state;
    EM_ASM(
        {
            if (Module.quillfrayState)
                Module.quillfrayState($0 == $1);
        },
        state, int(Battle::Defeat));
}
