#include "AnimFrame.h"
#include <SDL/SDL_image.h>

AnimFrame::AnimFrame(std::string path) : pic(IMG_Load(path.c_str())), xOffset(0), yOffset(0), timeToHoldFrame(0) {}

AnimFrame::~AnimFrame() { SDL_FreeSurface(pic); }

void AnimFrame::setOffsetAndTime(Sint32 x, Sint32 y, Uint32 t)
{
    xOffset = x;
    yOffset = y;
    // The file allows any 32-bit hold time; only the low 16 bits are kept.
    timeToHoldFrame = static_cast<Uint16>(t & 0xFFFF);
}

Sint32 AnimFrame::render(SDL_Surface* dest, SDL_Rect& center)
{
    if (!pic || !dest)
        return 0;
    // Summed unsigned: offsets from the file span the whole 32-bit range, and only the low 16 bits count.
    kept.blit(pic, dest, static_cast<Sint16>(Uint32(center.x) + Uint32(xOffset)),
              static_cast<Sint16>(Uint32(center.y) + Uint32(yOffset)));
    return 0;
}

bool AnimFrame::isValid() { return pic != nullptr; }

Uint16 AnimFrame::getTime() { return timeToHoldFrame; }
