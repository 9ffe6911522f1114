#include "Drawing.h"
#include <SDL/SDL_image.h>
#include <cstdio>

SDL_Surface* loadPicture(const char* path)
{
    SDL_Surface* pic = IMG_Load(path);
    if (!pic) {
        printf("Image Loading error:%s", SDL_GetError());
        fflush(stdout);
    }
    return pic;
}

void matchFormat(SDL_Surface*& pic, const SDL_Surface* dest)
{
    if (!pic || !dest)
        return;
    const SDL_PixelFormat &from = *pic->format, &to = *dest->format;
    if (from.BitsPerPixel == to.BitsPerPixel && from.Rmask == to.Rmask && from.Gmask == to.Gmask &&
        from.Bmask == to.Bmask && from.Amask == to.Amask)
        return;
    if (SDL_Surface* converted = SDL_ConvertSurface(pic, dest->format, SDL_SWSURFACE)) {
        SDL_FreeSurface(pic);
        pic = converted;
    }
}
