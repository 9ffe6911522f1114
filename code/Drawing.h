#ifndef DRAWING_H
#define DRAWING_H

// Small drawing chores shared by the battle and the draw window.

#include <SDL/SDL.h>
#include <array>
#include <vector>

// Loads a picture as it is; on failure says so on standard output (no line end) and returns null.
SDL_Surface* loadPicture(const char* path);

// What the bytes of a pixel of s mean: between two surfaces with the same key, pixels copy unchanged.
std::array<Uint32, 5> formatKey(const SDL_Surface* s);

// Converts pic to dest's pixel format, once: a picture without alpha loads as 24 bits with its channels in another
// order, and blitting it as loaded converts and swaps every pixel on every frame. Keeps pic as it is when it is
// null, already matches, has an alpha channel, or cannot be converted.
void matchFormat(SDL_Surface*& pic, const SDL_Surface* dest);

// Draws the whole of pic onto dest with its top-left corner at `at` ((0, 0) when null), as SDL_UpperBlit does, and
// like it writes back the rectangle it covered. SDL's blit copies a picture in the same format with streaming stores,
// which leave what it wrote out of the cache and so slow down everything drawn after it; a plain copy of the rows
// leaves it cached. Falls back to the blit when pic is not in dest's format or is blended. A hole, a rectangle of
// dest that the caller covers later on, may be left as it is.
void drawWhole(SDL_Surface* pic, SDL_Surface* dest, SDL_Rect* at = nullptr, const SDL_Rect* hole = nullptr);

// The part of rect within dest and its clip rectangle; w and h 0 when there is none.
SDL_Rect clipped(const SDL_Surface* dest, const SDL_Rect& rect);

// Fills rect of dest (all of it when null) as SDL_FillRect does, and like it clips rect in place; with plain stores
// where dest's pixels are 32 bits and within reach, for the reason above.
void fillRect(SDL_Surface* dest, SDL_Rect* rect, Uint32 colour);

// A picture blended onto a surface, kept as the pixels the blend left there: while the surface shows the same pixels
// under it again, copying those back gives what blending anew would, in a fraction of the time (a character's
// picture, mostly half see-through, over the background that stays as it was). Where the surface's pixels are out of
// reach, every blit is a plain one.
class KeptBlit {
public:
    KeptBlit() = default;
    KeptBlit(const KeptBlit&) = delete;
    KeptBlit& operator=(const KeptBlit&) = delete;

    // Blits the whole of pic onto dest with its top-left corner at (x, y), as SDL_UpperBlit does.
    void blit(SDL_Surface* pic, SDL_Surface* dest, Sint16 x, Sint16 y);
    // To be called when the picture's pixels, colour key or alpha change, and when it is freed (a new picture may
    // take its address).
    void forget() { pic = nullptr; }

private:
    // The pixels of a rectangle of a surface in one pixel format, copied out in rows.
    struct Pixels {
        bool copyOut(SDL_Surface* s, const SDL_Rect& area);
        bool fits(SDL_Surface* s) const; // s is in their format
        bool shownOn(SDL_Surface* s) const;
        bool copyIn(SDL_Surface* s) const;
        SDL_Rect area{0, 0, 0, 0};
        std::array<Uint32, 5> format{};
        std::vector<Uint8> rows;
    };

    const SDL_Surface* pic = nullptr; // with its blit flags: what the kept pixels were made from
    Uint32 picFlags = 0;
    Pixels under, over; // the part of dest the blit reached, before and after it
};

#endif
