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

void drawTextLine(SDL_Surface*& textOutput, SDL_Surface* dest, TTF_Font* font, const std::string& text,
                  SDL_Color colour, Sint16 x, Sint16 y)
{
    SDL_FreeSurface(textOutput);
    textOutput = font ? TTF_RenderText_Solid(font, text.c_str(), colour) : nullptr;
    if (!textOutput)
        return;
    SDL_Rect at{x, y, 0, 0};
    SDL_UpperBlit(textOutput, nullptr, dest, &at);
    SDL_FreeSurface(textOutput);
    textOutput = nullptr;
}
