#include "Drawing.h"
#include <SDL/SDL_image.h>
#include <cstdio>
#include <cstring>

SDL_Surface* loadPicture(const char* path)
{
    SDL_Surface* pic = IMG_Load(path);
    if (!pic) {
        printf("Image Loading error:%s", SDL_GetError());
        fflush(stdout);
    }
    return pic;
}

std::array<Uint32, 5> formatKey(const SDL_Surface* s)
{
    const SDL_PixelFormat& f = *s->format;
    return {f.BitsPerPixel, f.Rmask, f.Gmask, f.Bmask, f.Amask};
}

void matchFormat(SDL_Surface*& pic, const SDL_Surface* dest)
{
    // A picture with an alpha channel is blended by the blit; converted to the screen's format it would lose it.
    if (!pic || !dest || pic->format->Amask || formatKey(pic) == formatKey(dest))
        return;
    if (SDL_Surface* converted = SDL_ConvertSurface(pic, dest->format, SDL_SWSURFACE)) {
        SDL_FreeSurface(pic);
        pic = converted;
    }
}

bool clipsNothing(const SDL_Surface* dest)
{
    const SDL_Rect& clip = dest->clip_rect;
    return clip.x == 0 && clip.y == 0 && clip.w == dest->w && clip.h == dest->h;
}

void drawWhole(SDL_Surface* pic, SDL_Surface* dest)
{
    if (pic->w != dest->w || pic->h != dest->h || formatKey(pic) != formatKey(dest) ||
        (pic->flags & (SDL_SRCALPHA | SDL_SRCCOLORKEY)) || !clipsNothing(dest) || SDL_MUSTLOCK(pic) ||
        SDL_MUSTLOCK(dest)) {
        SDL_Rect at{0, 0, 0, 0};
        SDL_UpperBlit(pic, nullptr, dest, &at);
        return;
    }
    const size_t rowBytes = size_t(pic->w) * pic->format->BytesPerPixel;
    for (int y = 0; y < pic->h; ++y)
        std::memcpy(static_cast<Uint8*>(dest->pixels) + y * dest->pitch,
                    static_cast<const Uint8*>(pic->pixels) + y * pic->pitch, rowBytes);
}
