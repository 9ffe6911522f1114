#include <SDL/SDL_framerate.h>
#include <emscripten.h>

Uint32 qf_SDL_GetTicks()
{
    static const double start = emscripten_get_now();
    return Uint32(emscripten_get_now() - start);
}

// Never 0: a clock that reads 0 would pass for a manager that was never started.
static Uint32 ticks()
{
    const Uint32 t = SDL_GetTicks();
    return t ? t : 1;
}

void SDL_initFramerate(FPSmanager* manager)
{
    if (!manager)
        return;
    manager->framecount = 0;
    manager->rate = FPS_DEFAULT;
    manager->rateticks = 1000.0f / FPS_DEFAULT;
    manager->baseticks = ticks();
    manager->lastticks = manager->baseticks;
}

int SDL_setFramerate(FPSmanager* manager, Uint32 rate)
{
    if (!manager || rate < FPS_LOWER_LIMIT || rate > FPS_UPPER_LIMIT)
        return -1;
    manager->framecount = 0;
    manager->rate = rate;
    manager->rateticks = 1000.0f / rate;
    return 0;
}

int SDL_getFramerate(FPSmanager* manager) { return manager ? int(manager->rate) : -1; }

int SDL_getFramecount(FPSmanager* manager) { return manager ? int(manager->framecount) : -1; }

Uint32 SDL_framerateDelay(FPSmanager* manager)
{
    if (!manager)
        return 0;
    if (manager->baseticks == 0)
        SDL_initFramerate(manager);
    ++manager->framecount;
    qf_mixerTick();
    qf_pageTick();
    static int calls = 0; // the second comes after the first frame: the page may now fetch what that did not need
    if (++calls == 2)
        EM_ASM(if (Module.quillfrayFirstFrame) Module.quillfrayFirstFrame());
    const Uint32 now = ticks();
    const Uint32 sinceLast = now - manager->lastticks;
    manager->lastticks = now;
    // The target is counted from the base, so that rounding each period to whole milliseconds does not add up.
    const Uint32 target = manager->baseticks + Uint32(manager->framecount * manager->rateticks);
    if (Sint32(target - now) > 0) {
        SDL_Delay(target - now);
    } else {
        manager->framecount = 0;
        manager->baseticks = ticks();
    }
    return sinceLast;
}
