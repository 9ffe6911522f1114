#include "UserInput.h"

void UserInput::processInput(const SDL_Event& e)
{
    switch (e.type) {
    case SDL_MOUSEMOTION:
        posX = static_cast<Sint16>(e.motion.x);
        posY = static_cast<Sint16>(e.motion.y);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        bool down = e.type == SDL_MOUSEBUTTONDOWN;
        if (e.button.button == SDL_BUTTON_LEFT)
            button1Pressed = down;
        else if (e.button.button == SDL_BUTTON_RIGHT)
            button2Pressed = down;
        break;
    }
    default:
        break;
    }
}

void UserInput::render(SDL_Surface* dest, int radius) { drawCursorDisc(dest, radius); }

void UserInput::forceMousePos()
{
    int x = 0, y = 0;
    SDL_GetMouseState(&x, &y);
    posX = static_cast<Sint16>(x);
    posY = static_cast<Sint16>(y);
}
