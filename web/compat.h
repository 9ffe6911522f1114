// Included first in every game source of the browser build: what the browser's SDL 1.2 layer spells differently.
#ifndef QF_WEB_COMPAT_H
#define QF_WEB_COMPAT_H

#ifdef __cplusplus
#include <SDL/SDL.h>

// SDL 1.2 selects event types with a bit mask; this layer's types are too large for one, and its SDL_PeepEvents
// takes a range of types instead. The game only ever asks for one type, so a mask here carries exactly one.
struct SDL_EventMask {
    Uint32 type;
};
#define SDL_EVENTMASK(X) (SDL_EventMask{X})

inline int SDL_PeepEvents(SDL_Event* events, int numevents, SDL_eventaction action, SDL_EventMask mask)
{
    return SDL_PeepEvents(events, numevents, action, mask.type, mask.type);
}
#endif

#endif
