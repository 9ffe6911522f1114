#include "Drawing.h"
#include <SDL/SDL_image.h>
#include <algorithm>
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

SDL_Rect clipped(const SDL_Surface* dest, const SDL_Rect& r)
{
    // The browser's layer gives every surface a clip rectangle the screen's size.
    const SDL_Rect& clip = dest->clip_rect;
    const int left = std::max({int(r.x), int(clip.x), 0}), top = std::max({int(r.y), int(clip.y), 0});
    const int right = std::min({r.x + int(r.w), clip.x + int(clip.w), dest->w});
    const int bottom = std::min({r.y + int(r.h), clip.y + int(clip.h), dest->h});
    if (left >= right || top >= bottom)
        return {0, 0, 0, 0};
    return {Sint16(left), Sint16(top), Uint16(right - left), Uint16(bottom - top)};
}

// The part of dest a w by h rectangle at (x, y) reaches; false when none.
static bool covered(const SDL_Surface* dest, int x, int y, int w, int h, SDL_Rect& area)
{
    area = clipped(dest, {Sint16(x), Sint16(y), Uint16(w), Uint16(h)});
    return area.w > 0;
}

static Uint8* pixelAt(SDL_Surface* s, int x, int y)
{
    return static_cast<Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
}

void drawWhole(SDL_Surface* pic, SDL_Surface* dest, SDL_Rect* at, const SDL_Rect* hole)
{
    SDL_Rect corner{0, 0, 0, 0};
    SDL_Rect& to = at ? *at : corner;
    SDL_Rect area, gap{0, 0, 0, 0};
    if (!covered(dest, to.x, to.y, pic->w, pic->h, area)) {
        SDL_UpperBlit(pic, nullptr, dest, &to);
        return;
    }
    if (hole)
        covered(dest, hole->x, hole->y, hole->w, hole->h, gap);
    const bool copy = formatKey(pic) == formatKey(dest) && !(pic->flags & (SDL_SRCALPHA | SDL_SRCCOLORKEY)) &&
                      !SDL_MUSTLOCK(pic) && !SDL_MUSTLOCK(dest);
    // The bands around the hole: above it, left and right of it, below it (the whole area when there is none).
    const int left = area.x, right = area.x + area.w, top = area.y, bottom = area.y + area.h;
    const int gapTop = std::clamp<int>(gap.y, top, bottom), gapBottom = std::clamp<int>(gap.y + gap.h, gapTop, bottom);
    const int gapLeft = std::clamp<int>(gap.x, left, right), gapRight = std::clamp<int>(gap.x + gap.w, gapLeft, right);
    const int bands[4][4] = {{left, top, right, gapTop},
                             {left, gapTop, gapLeft, gapBottom},
                             {gapRight, gapTop, right, gapBottom},
                             {left, gapBottom, right, bottom}};
    for (const auto& b : bands) {
        if (b[0] >= b[2] || b[1] >= b[3])
            continue;
        SDL_Rect from{Sint16(b[0] - to.x), Sint16(b[1] - to.y), Uint16(b[2] - b[0]), Uint16(b[3] - b[1])};
        if (!copy) {
            SDL_Rect there{Sint16(b[0]), Sint16(b[1]), 0, 0};
            SDL_UpperBlit(pic, &from, dest, &there);
            continue;
        }
        const size_t rowBytes = size_t(from.w) * pic->format->BytesPerPixel;
        const Uint8* src = pixelAt(pic, from.x, from.y);
        Uint8* row = pixelAt(dest, b[0], b[1]);
        for (int y = 0; y < from.h; ++y, src += pic->pitch, row += dest->pitch)
            std::memcpy(row, src, rowBytes);
    }
    to = area;
}

void fillRect(SDL_Surface* dest, SDL_Rect* rect, Uint32 colour)
{
    const SDL_Rect all{0, 0, Uint16(dest->w), Uint16(dest->h)};
    const SDL_Rect& r = rect ? *rect : all;
    SDL_Rect area;
    if (dest->format->BytesPerPixel != 4 || SDL_MUSTLOCK(dest) || !covered(dest, r.x, r.y, r.w, r.h, area)) {
        SDL_FillRect(dest, rect, colour);
        return;
    }
    // One row filled, then copied: the copy is the faster loop.
    Uint8* first = pixelAt(dest, area.x, area.y);
    std::fill_n(reinterpret_cast<Uint32*>(first), area.w, colour);
    for (int y = 1; y < area.h; ++y)
        std::memcpy(first + y * dest->pitch, first, size_t(area.w) * 4);
    if (rect)
        *rect = area;
}

bool KeptBlit::Pixels::copyOut(SDL_Surface* s, const SDL_Rect& r)
{
    rows.clear();
    if (SDL_MUSTLOCK(s) || !covered(s, r.x, r.y, r.w, r.h, area))
        return false;
    format = formatKey(s);
    const size_t rowBytes = size_t(area.w) * s->format->BytesPerPixel;
    rows.resize(rowBytes * area.h);
    const Uint8* row = pixelAt(s, area.x, area.y);
    for (int y = 0; y < area.h; ++y, row += s->pitch)
        std::memcpy(rows.data() + y * rowBytes, row, rowBytes);
    return true;
}

// Whether s can take the kept pixels back: in the same format. Where they go, the caller has found within s's clip.
bool KeptBlit::Pixels::fits(SDL_Surface* s) const
{
    return !rows.empty() && !SDL_MUSTLOCK(s) && formatKey(s) == format;
}

bool KeptBlit::Pixels::shownOn(SDL_Surface* s) const
{
    if (!fits(s))
        return false;
    const size_t rowBytes = size_t(area.w) * s->format->BytesPerPixel;
    const Uint8* row = pixelAt(s, area.x, area.y);
    for (int y = 0; y < area.h; ++y, row += s->pitch)
        if (std::memcmp(row, rows.data() + y * rowBytes, rowBytes) != 0)
            return false;
    return true;
}

bool KeptBlit::Pixels::copyIn(SDL_Surface* s) const
{
    if (!fits(s))
        return false;
    const size_t rowBytes = size_t(area.w) * s->format->BytesPerPixel;
    Uint8* row = pixelAt(s, area.x, area.y);
    for (int y = 0; y < area.h; ++y, row += s->pitch)
        std::memcpy(row, rows.data() + y * rowBytes, rowBytes);
    return true;
}

void KeptBlit::blit(SDL_Surface* p, SDL_Surface* dest, Sint16 x, Sint16 y)
{
    SDL_Rect at{x, y, 0, 0}, now;
    // The same picture over the same part of dest (whose clip may have moved), on the same pixels.
    if (p && p == pic && p->flags == picFlags && dest && covered(dest, x, y, p->w, p->h, now) &&
        std::memcmp(&now, &under.area, sizeof now) == 0 && under.shownOn(dest) && over.copyIn(dest))
        return;
    pic = nullptr;
    const SDL_Rect reach{x, y, Uint16(p ? p->w : 0), Uint16(p ? p->h : 0)};
    const bool kept = p && dest && under.copyOut(dest, reach);
    SDL_UpperBlit(p, nullptr, dest, &at);
    if (kept && over.copyOut(dest, reach))
        pic = p, picFlags = p->flags;
}

#ifndef __EMSCRIPTEN__
#include <dlfcn.h>

// SDL's own MapRGBA translates the pixel format to its newer kind at every call, and SDL_gfx calls it for every
// pixel of a smoothed rim: a sixth of a pass that draws the path anew. This one comes first for the program and
// SDL_gfx alike; it works out a format with masks itself, the same bits, and hands a palette on to SDL's.
extern "C" Uint32 SDL_MapRGBA(const SDL_PixelFormat* const f, const Uint8 r, const Uint8 g, const Uint8 b,
                              const Uint8 a)
{
    if (!f->palette)
        return Uint32(r >> f->Rloss) << f->Rshift | Uint32(g >> f->Gloss) << f->Gshift |
               Uint32(b >> f->Bloss) << f->Bshift | (Uint32(a >> f->Aloss) << f->Ashift & f->Amask);
    using Map = Uint32 (*)(const SDL_PixelFormat*, Uint8, Uint8, Uint8, Uint8);
    static const Map sdls = reinterpret_cast<Map>(dlsym(RTLD_NEXT, "SDL_MapRGBA"));
    return sdls(f, r, g, b, a);
}
#endif
