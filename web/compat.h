// Included first in every game source of the browser build: what the browser's SDL 1.2 layer spells differently.
#ifndef QF_WEB_COMPAT_H
#define QF_WEB_COMPAT_H

#ifdef __cplusplus
#include <SDL/SDL.h>

// This layer's key events number the keys without a character from their scan code plus 1 << 10; its header names
// them from the scan code plus 1 << 30. F10 is the one such key the game reads.
#define SDLK_F10 SDL_Keycode(SDL_SCANCODE_F10 | 1 << 10)

// SDL 1.2 selects event types with a bit mask; this layer's types are too large for one. The game only ever peeks at
// one type, so a mask here carries exactly one.
struct SDL_EventMask {
    Uint32 type;
};
#define SDL_EVENTMASK(X) (SDL_EventMask{X})

// SDL 1.2's SDL_PeepEvents, for what the game asks of it: SDL_PEEKEVENT of the events it pushed itself (this layer
// only knows SDL_GETEVENT, one event at a time). Returns how many it copied, or -1 for any other request.
int SDL_PeepEvents(SDL_Event* events, int numevents, SDL_eventaction action, SDL_EventMask mask);

// This layer's RWops is a number, not a structure with its own close.
#undef SDL_RWclose
#define SDL_RWclose SDL_FreeRW

// This layer's Mix_QuerySpec throws; closing also silences the page's master node (mixer.cpp).
#define Mix_QuerySpec qf_Mix_QuerySpec
#define Mix_CloseAudio qf_Mix_CloseAudio
// The game's master sound stage and the page's view of the battle, run once a frame by the frame-rate manager.
void qf_mixerTick();
void qf_pageTick();

// The browser's own tick counter follows the wall clock, which may step back or forward; this one never does.
#define SDL_GetTicks qf_SDL_GetTicks
Uint32 qf_SDL_GetTicks();

// The page fetches the music after the first frame (page.js) and puts it where the game looks for it.
#define QF_MUSIC_FETCHED_LATER true
// No threads here: the sound loads at once, and quickly, since the page decodes it.
#define QF_NO_THREADS true
#endif

#endif
