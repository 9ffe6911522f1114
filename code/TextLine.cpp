#include "TextLine.h"

TextLine::~TextLine() { SDL_FreeSurface(surface); }

void TextLine::draw(SDL_Surface* dest, TTF_Font* f, const std::string& t, SDL_Color c, Sint16 x, Sint16 y)
{
    if (!rendered || f != font || t != text || c.r != colour.r || c.g != colour.g || c.b != colour.b) {
        SDL_FreeSurface(surface);
        surface = f ? TTF_RenderText_Solid(f, t.c_str(), c) : nullptr;
        rendered = true;
        font = f;
        text = t;
        colour = c;
        kept.forget(); // the new surface may be where the old one was
    }
    if (!surface)
        return;
    kept.blit(surface, dest, x, y);
}
