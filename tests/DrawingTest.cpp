#include "Drawing.h"
#include "TestSupport.h"
#include "TextLine.h"
#include <cstring>
#include <dlfcn.h>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace {

bool same(SDL_Surface* a, SDL_Surface* b) { return std::memcmp(a->pixels, b->pixels, size_t(a->pitch) * a->h) == 0; }

// A picture in one pixel format, its pixels a pattern of colours so that a swapped channel or a shifted row shows.
SDL_Surface* picture(int w, int h, int bpp, Uint32 r, Uint32 g, Uint32 b, Uint32 a)
{
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, bpp, r, g, b, a);
    for (int y = 0; y < h; y += 8)
        for (int x = 0; x < w; x += 8) {
            SDL_Rect cell{Sint16(x), Sint16(y), 8, 8};
            SDL_FillRect(s, &cell, SDL_MapRGBA(s->format, Uint8(x), Uint8(y), Uint8(x ^ y), Uint8(x + y)));
        }
    return s;
}

// A picture converted to the screen's format once (or not: a conversion may fail) and drawn whole shows what a blit of
// it as loaded shows, at any place, whatever the screen's clip, outside any hole, and the rectangle written back is the
// blit's; so does a fill by rows show SDL's. Each picture differs from the screen in one respect; the screen's own
// format (copied by rows) and 24 bits (blitted) meet every clip, place and hole.
TEST(Drawing, APictureDrawnWholeAndAFillShowWhatABlitOfTheOriginalAndSDLsFillShowOutsideTheHole)
{
    ASSERT_TRUE(support::initVideo());
    const Uint32 R = 0xFF0000, G = 0xFF00, B = 0xFF, elsewhere = 0xFF000000;
    const struct {
        const char* what;
        int bpp;
        Uint32 r, g, b, a;
        int w, h;
        Uint32 flag;
    } pictures[] = {
        {"the screen's format", 32, R, G, B, 0, 640, 480, 0},
        {"24 bits, as loaded", 24, R, G, B, 0, 640, 480, 0},
        {"red moved", 32, elsewhere, G, B, 0, 640, 480, 0},
        {"green moved", 32, R, elsewhere, B, 0, 640, 480, 0},
        {"blue moved", 32, R, G, elsewhere, 0, 640, 480, 0},
        {"alpha", 32, R, G, B, elsewhere, 640, 480, 0},
        {"wider", 32, R, G, B, 0, 800, 480, 0},
        {"taller", 32, R, G, B, 0, 640, 600, 0},
        {"colour key", 32, R, G, B, 0, 640, 480, SDL_SRCCOLORKEY},
        {"half see-through", 32, R, G, B, 0, 640, 480, SDL_SRCALPHA},
    };
    const SDL_Rect clips[] = {{0, 0, 640, 480}, {1, 0, 639, 480}, {0, 1, 640, 479}, {0, 0, 639, 480}, {0, 0, 640, 479}};
    const SDL_Rect spots[][2] = {{{0, 0, 0, 0}, {0, 0, 0, 0}},
                                 {{170, 30, 0, 0}, {170, 30, 300, 300}},
                                 {{-20, -10, 0, 0}, {0, 0, 640, 480}},
                                 {{600, 400, 0, 0}, {-10, -10, 620, 50}},
                                 {{700, 0, 0, 0}, {0, 0, 0, 0}}}; // where it is drawn, and the hole
    for (const auto& p : pictures)
        for (const SDL_Rect& clip : clips)
            for (const auto& [place, hole] : spots)
                for (bool convert : {true, false}) {
                    if (&p - pictures > 1 && (&clip != clips || &place != spots[0]))
                        continue;
                    SDL_Surface *kept = picture(p.w, p.h, p.bpp, p.r, p.g, p.b, p.a),
                                *original = picture(p.w, p.h, p.bpp, p.r, p.g, p.b, p.a);
                    for (SDL_Surface* s : {kept, original}) {
                        SDL_SetColorKey(s, p.flag & SDL_SRCCOLORKEY, SDL_MapRGB(s->format, 8, 8, 0));
                        SDL_SetAlpha(s, p.flag & SDL_SRCALPHA, 128);
                    }
                    SDL_Surface *screen = support::makeCanvas(90, 160, 250), *fresh = support::makeCanvas(90, 160, 250);
                    SDL_SetClipRect(screen, &clip), SDL_SetClipRect(fresh, &clip);
                    SDL_Surface* const loaded = kept;
                    matchFormat(kept, nullptr);
                    if (convert)
                        matchFormat(kept, screen);
                    EXPECT_EQ(kept == loaded, (p.bpp == 32 && p.r == R && p.g == G && p.b == B) || p.a || !convert);
                    SDL_Rect at = place, blitAt = place, bar{Sint16(place.x % 640), place.y, 150, 20}, sdlBar = bar;
                    drawWhole(kept, screen, &at, &hole);
                    SDL_UpperBlit(original, nullptr, fresh, &blitAt);
                    for (SDL_Surface* s : {screen, fresh}) {
                        SDL_Rect h = hole;
                        SDL_FillRect(s, &h, 0);
                    }
                    fillRect(screen, &bar, 0x123456), SDL_FillRect(fresh, &sdlBar, 0x123456);
                    EXPECT_TRUE(same(screen, fresh) && std::memcmp(&at, &blitAt, sizeof at) == 0 &&
                                std::memcmp(&bar, &sdlBar, sizeof bar) == 0)
                        << p.what << ", clip " << clip.x << "," << clip.y << " " << clip.w << "x" << clip.h << ", at "
                        << place.x << "," << place.y << ", hole at " << hole.x << "," << hole.y
                        << (convert ? ", converted" : "");
                    for (SDL_Surface* s : {kept, original, screen, fresh})
                        SDL_FreeSurface(s);
                }
    // A screen of 24 bits is filled as SDL fills it too.
    SDL_Surface* deep[2] = {picture(64, 48, 24, R, G, B, 0), picture(64, 48, 24, R, G, B, 0)};
    SDL_Rect bar{5, 6, 30, 7}, sdlBar = bar;
    fillRect(deep[0], &bar, 0x123456), SDL_FillRect(deep[1], &sdlBar, 0x123456);
    EXPECT_TRUE(same(deep[0], deep[1]));
    SDL_FreeSurface(deep[0]), SDL_FreeSurface(deep[1]);
}

// A kept blit shows what a plain blit shows on a twin screen, pass after pass (the ground drawn anew each time, as the
// game's background is), after each change of anything the kept pixels come from.
TEST(KeptBlit, ShowsWhatAPlainBlitShowsWhenTheGroundPlaceClipOrPictureChange)
{
    ASSERT_TRUE(support::initVideo());
    SDL_Surface *pic = picture(40, 30, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000), // see-through by degrees
        *ground = picture(640, 480, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_Surface* s[2] = {support::makeCanvas(), support::makeCanvas()}; // blitted kept, and plainly
    KeptBlit kept;
    int x = 100, y = 100;
    SDL_Rect underCorner{139, 129, 1, 1}, cut{110, 110, 100, 100}, whole{0, 0, 640, 480};
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"first", [] {}},
        {"a pixel of the ground under its corner", [&] { SDL_FillRect(ground, &underCorner, 0xFF00); }},
        {"moved by a pixel", [&] { ++x; }},
        {"a clip cutting it", [&] { SDL_SetClipRect(s[0], &cut), SDL_SetClipRect(s[1], &cut); }},
        {"partly off the screen", [&] { SDL_SetClipRect(s[0], &whole), SDL_SetClipRect(s[1], &whole), x = -10; }},
        {"blended no more", [&] { SDL_SetAlpha(pic, 0, 255); }},
    };
    for (const auto& [what, change] : steps) {
        change();
        for (int pass = 0; pass < 2; ++pass) {
            SDL_Rect at{Sint16(x), Sint16(y), 0, 0};
            SDL_BlitSurface(ground, nullptr, s[0], nullptr), SDL_BlitSurface(ground, nullptr, s[1], nullptr);
            kept.blit(pic, s[0], at.x, at.y), SDL_UpperBlit(pic, nullptr, s[1], &at);
            EXPECT_TRUE(same(s[0], s[1])) << what << ", pass " << pass;
        }
    }
    // While nothing it came from changes, the kept pixels are what shows: a picture altered without a word (which its
    // owner must not do) still shows as it was.
    SDL_FillRect(pic, nullptr, 0xFF00FF00);
    SDL_BlitSurface(ground, nullptr, s[0], nullptr), kept.blit(pic, s[0], Sint16(x), Sint16(y));
    EXPECT_TRUE(same(s[0], s[1]));
    for (SDL_Surface* c : {pic, ground, s[0], s[1]})
        SDL_FreeSurface(c);
}

// A kept line is rendered again when anything it shows changes: each row changes one thing from the row before,
// and the kept line must then show just what a line drawn for the first time shows.
TEST(TextLine, ShowsWhatAFreshLineShowsWhenItsFontTextOrAnyColourChannelChanges)
{
    ASSERT_TRUE(support::initVideo() && support::font());
    TTF_Font* large = TTF_OpenFont("text/FreeSans.ttf", 20);
    const struct {
        TTF_Font* font;
        const char* text;
        SDL_Color colour;
        Sint16 x, y;
    } rows[] = {
        {support::font(), "Hits: 1", {255, 255, 255, 0}, 170, 350},
        {support::font(), "Hits: 2", {255, 255, 255, 0}, 170, 350},
        {support::font(), "Hits: 2", {254, 255, 255, 0}, 170, 350},
        {support::font(), "Hits: 2", {254, 254, 255, 0}, 170, 350},
        {support::font(), "Hits: 2", {254, 254, 254, 0}, 170, 350},
        {large, "Hits: 2", {254, 254, 254, 0}, 170, 350},
        {large, "Hits: 2", {254, 254, 254, 0}, 171, 349},
        {nullptr, "Hits: 2", {254, 254, 254, 0}, 171, 349},
        {large, "Hits: 2", {254, 254, 254, 0}, 171, 349},
    };
    TextLine kept;
    for (const auto& r : rows) {
        SDL_Surface *screen = support::makeCanvas(), *fresh = support::makeCanvas();
        kept.draw(screen, r.font, r.text, r.colour, r.x, r.y);
        TextLine().draw(fresh, r.font, r.text, r.colour, r.x, r.y);
        EXPECT_TRUE(same(screen, fresh)) << r.text << " " << int(r.colour.r) << int(r.colour.g) << int(r.colour.b);
        SDL_FreeSurface(screen), SDL_FreeSurface(fresh);
    }
    // While nothing it shows changes the line is rendered once: a style set on its font since (which no caller does)
    // does not show.
    SDL_Surface *before = support::makeCanvas(), *after = support::makeCanvas();
    kept.draw(before, large, "Hits: 2", {254, 254, 254, 0}, 171, 349), TTF_SetFontStyle(large, TTF_STYLE_BOLD);
    kept.draw(after, large, "Hits: 2", {254, 254, 254, 0}, 171, 349);
    EXPECT_TRUE(same(before, after));
    SDL_FreeSurface(before), SDL_FreeSurface(after);
    TTF_CloseFont(large);
}

// The program's colour mapping gives SDL's own bits in every kind of format: each channel's every value, beside the
// others at values that show a channel written over another, and a palette's nearest colour.
TEST(Drawing, ColoursMapToTheBitsSDLMapsThemTo)
{
    using Map = Uint32 (*)(const SDL_PixelFormat*, Uint8, Uint8, Uint8, Uint8);
    const Map sdls = reinterpret_cast<Map>(dlsym(RTLD_NEXT, "SDL_MapRGBA"));
    ASSERT_TRUE(sdls);
    const struct {
        int bpp;
        Uint32 r, g, b, a;
    } formats[] = {{32, 0xFF0000, 0xFF00, 0xFF, 0},
                   {32, 0xFF, 0xFF00, 0xFF0000, 0},
                   {32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000},
                   {32, 0xFF000000, 0xFF0000, 0xFF00, 0xFF},
                   {24, 0xFF0000, 0xFF00, 0xFF, 0},
                   {16, 0xF800, 0x7E0, 0x1F, 0},
                   {16, 0xF00, 0xF0, 0xF, 0xF000},
                   {15, 0x7C00, 0x3E0, 0x1F, 0},
                   {8, 0, 0, 0, 0}};
    for (const auto& f : formats) {
        SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, f.bpp, f.r, f.g, f.b, f.a);
        ASSERT_TRUE(s);
        SDL_Color palette[256];
        for (int i = 0; i < 256; ++i)
            palette[i] = {Uint8(i), Uint8(255 - i), Uint8(i * 7), 0};
        SDL_SetColors(s, palette, 0, 256); // for the 8-bit format
        int wrong = 0;
        for (int v = 0; v < 256; ++v)
            for (Uint8 other : {0, 0x55, 0xAA, 0xFF}) {
                const Uint8 c[4][4] = {{Uint8(v), other, Uint8(~other), other},
                                       {other, Uint8(v), other, Uint8(~other)},
                                       {Uint8(~other), other, Uint8(v), other},
                                       {other, Uint8(~other), other, Uint8(v)}};
                for (const auto& k : c)
                    wrong += SDL_MapRGBA(s->format, k[0], k[1], k[2], k[3]) != sdls(s->format, k[0], k[1], k[2], k[3]);
            }
        EXPECT_EQ(wrong, 0) << f.bpp << " bits, masks " << std::hex << f.r << " " << f.g << " " << f.b << " " << f.a;
        SDL_FreeSurface(s);
    }
}

} // namespace
