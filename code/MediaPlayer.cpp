#include "MediaPlayer.h"
#include "MediaResource.h"
// Placeholder until character media lands.
MediaPlayer::MediaPlayer(MediaResource* res) : animToPlay(0), animIndexToPlay(0), channelToPlay(0), startTime(SDL_GetTicks()), loopCounter(0), medRes(res) {}
Sint32 MediaPlayer::changeAnim(Uint8 index) { if (index <= 3) { animToPlay = index; animIndexToPlay = 0; } return 0; }
Sint32 MediaPlayer::render(SDL_Surface*, SDL_Rect&) { return 0; }
