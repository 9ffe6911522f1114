#include <SDL/SDL.h>
#include <emscripten.h>
#include <string.h>

// The queue holds the browser's events as objects and each pushed one as a copy in memory, of `size` bytes.
EM_JS(int, qfPeekPushed, (SDL_Event * events, int count, Uint32 type, int size, int stride), {
    var got = 0;
    for (var i = 0; i < SDL.events.length && got < count; i++) {
        var e = SDL.events[i];
        if (typeof e == 'number' && HEAPU32[e >> 2] == type)
            HEAPU8.copyWithin(events + stride * got++, e, e + size);
    }
    return got;
});

int SDL_PeepEvents(SDL_Event* events, int numevents, SDL_eventaction action, SDL_EventMask mask)
{
    if (action != SDL_PEEKEVENT || !events || numevents < 0)
        return -1;
    memset(events, 0, sizeof(SDL_Event) * size_t(numevents));
    // SDL_PushEvent copies this much of an event.
    return qfPeekPushed(events, numevents, mask.type, int(sizeof(SDL_KeyboardEvent)), int(sizeof(SDL_Event)));
}
