// The frame-rate manager, which the browser's SDL layer lacks: SDL_framerateDelay waits out the rest of each
// frame's period, measured from a base time, so that frames do not drift; a frame that overran starts a new base.
#ifndef QF_WEB_SDL_FRAMERATE_H
#define QF_WEB_SDL_FRAMERATE_H

#include <SDL/SDL.h>

#ifdef __cplusplus
extern "C" {
#endif

#define FPS_UPPER_LIMIT 200
#define FPS_LOWER_LIMIT 1
#define FPS_DEFAULT 30

typedef struct {
    Uint32 framecount;
    float rateticks; // the period in milliseconds
    Uint32 baseticks;
    Uint32 lastticks;
    Uint32 rate;
} FPSmanager;

void SDL_initFramerate(FPSmanager* manager);
// Returns -1 and keeps the rate for a rate outside FPS_LOWER_LIMIT..FPS_UPPER_LIMIT.
int SDL_setFramerate(FPSmanager* manager, Uint32 rate);
int SDL_getFramerate(FPSmanager* manager);
int SDL_getFramecount(FPSmanager* manager);
// Returns the milliseconds since the previous call.
Uint32 SDL_framerateDelay(FPSmanager* manager);

#ifdef __cplusplus
}
#endif

#endif
