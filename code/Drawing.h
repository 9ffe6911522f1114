#ifndef DRAWING_H
#define DRAWING_H

// Small drawing chores shared by the battle and the draw window.

#include <SDL/SDL.h>
#include <array>

// Loads a picture as it is; on failure says so on standard output (no line end) and returns null.
SDL_Surface* loadPicture(const char* path);

// What the bytes of a pixel of s mean: between two surfaces with the same key, pixels copy unchanged.
std::array<Uint32, 5> formatKey(const SDL_Surface* s);

// Converts pic to dest's pixel format, once: a picture without alpha loads as 24 bits with its channels in another
// order, and blitting it as loaded converts and swaps every pixel on every frame. Keeps pic as it is when it is
// null, already matches, has an alpha channel, or cannot be converted.
void matchFormat(SDL_Surface*& pic, const SDL_Surface* dest);

// True when dest's clip rectangle is the whole surface, so that a drawing reaches every pixel it covers.
bool clipsNothing(const SDL_Surface* dest);

// Draws pic over the whole of dest, as a blit at (0, 0) would. SDL's blit copies a whole aligned 32-bit screen with
// streaming stores, which leave the screen out of the cache and so slow down everything drawn after it; a plain copy
// of the rows leaves it cached. Falls back to the blit when pic is not the same size and format as dest.
void drawWhole(SDL_Surface* pic, SDL_Surface* dest);

#endif
