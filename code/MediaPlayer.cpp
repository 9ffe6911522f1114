#include "MediaPlayer.h"
#include "MediaResource.h"

// The loop counter starts at 0 so a player drawn before its first changeAnim plays action 0 once.
MediaPlayer::MediaPlayer(MediaResource* res)
    : animToPlay(0), animIndexToPlay(0), channelToPlay(0), startTime(SDL_GetTicks()), loopCounter(0), medRes(res)
{
}

Sint32 MediaPlayer::changeAnim(Uint8 index)
{
    if (!medRes || index > ActionDead)
        return 0;
    animToPlay = index;
    animIndexToPlay = 0;
    startTime = SDL_GetTicks();
    loopCounter = medRes->getLoops(index);
    return 0;
}

Sint32 MediaPlayer::render(SDL_Surface* dest, SDL_Rect& center)
{
    if (!medRes)
        return 0;
    // Drawn before the step, so a new frame first shows on the next call.
    medRes->drawPic(dest, center, animToPlay, animIndexToPlay);
    const Uint32 elapsed = SDL_GetTicks() - startTime;
    if (medRes->changePic(elapsed, animToPlay, animIndexToPlay, loopCounter) != MediaResource::Holding)
        startTime = SDL_GetTicks(); // the new frame's clock starts now: lateness is not made up
    return 0;
}
