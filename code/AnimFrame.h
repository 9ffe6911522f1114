#ifndef ANIMFRAME_H
#define ANIMFRAME_H

#include "Drawing.h"
#include <SDL/SDL.h>
#include <string>

// One picture of an animation, with its offset from the reference point and its hold time.
class AnimFrame {
public:
    explicit AnimFrame(std::string path);
    AnimFrame(const AnimFrame&) = delete;
    AnimFrame& operator=(const AnimFrame&) = delete;
    ~AnimFrame();

    void setOffsetAndTime(Sint32 x, Sint32 y, Uint32 t);
    Sint32 render(SDL_Surface* dest, SDL_Rect& center);
    bool isValid();
    Uint16 getTime();

private:
    SDL_Surface* pic;
    Sint32 xOffset;
    Sint32 yOffset;
    Uint16 timeToHoldFrame;
    KeptBlit kept;
};

#endif
