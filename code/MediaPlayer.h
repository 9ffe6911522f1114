#ifndef MEDIAPLAYER_H
#define MEDIAPLAYER_H

#include <SDL/SDL.h>

class MediaResource;

// Plays the actions of one character by the clock.
class MediaPlayer {
public:
    explicit MediaPlayer(MediaResource* res);
    Sint32 changeAnim(Uint8 index);
    Sint32 render(SDL_Surface* dest, SDL_Rect& center);

    // Read-outs for tests.
    Uint32 getAnim() const { return animToPlay; }
    Uint32 getFrame() const { return animIndexToPlay; }
    Sint32 getLoopCounter() const { return loopCounter; }
    Uint32 getStartTime() const { return startTime; }

private:
    Uint32 animToPlay;
    Uint32 animIndexToPlay;
    [[maybe_unused]] Uint32 channelToPlay; // no operation reads it
    Uint32 startTime;
    Sint32 loopCounter;
    MediaResource* medRes;
};

#endif
