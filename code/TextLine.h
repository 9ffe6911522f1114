#ifndef TEXTLINE_H
#define TEXTLINE_H

#include "Drawing.h"
#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>
#include <string>

// One line of text at one place on the screen. The font library renders a line in far more time than a blit takes,
// so the rendered surface is kept and rendered again only when the font, text or colour change; the surface it
// replaces is freed then, and the last one with the line.
class TextLine {
public:
    TextLine() = default;
    TextLine(const TextLine&) = delete;
    TextLine& operator=(const TextLine&) = delete;
    ~TextLine();

    // Blits the line with its top-left corner at (x, y). A line the font cannot render draws nothing.
    void draw(SDL_Surface* dest, TTF_Font* font, const std::string& text, SDL_Color colour, Sint16 x, Sint16 y);

private:
    SDL_Surface* surface = nullptr;
    bool rendered = false; // surface holds the rendering of the key below (null when it failed)
    TTF_Font* font = nullptr;
    std::string text;
    SDL_Color colour{0, 0, 0, 0};
    KeptBlit kept;
};

#endif
