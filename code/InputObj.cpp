#include "InputObj.h"
#include <SDL/SDL_gfxPrimitives.h>

InputObj::InputObj() : posX(0), posY(0), button1Pressed(false), button2Pressed(false), escKeyHit(false) {}

InputObj::~InputObj() = default;

void InputObj::processInput(const SDL_Event&) {}

void InputObj::render(SDL_Surface*, int) {}

void InputObj::clearInput()
{
    button1Pressed = false;
    button2Pressed = false;
    escKeyHit = false;
}

void InputObj::getCursorPos(Sint16* x, Sint16* y)
{
    if (x)
        *x = posX;
    if (y)
        *y = posY;
}

Sint16 InputObj::getCursorPosX() { return posX; }
Sint16 InputObj::getCursorPosY() { return posY; }
bool InputObj::getButton1() { return button1Pressed; }
bool InputObj::getButton2() { return button2Pressed; }
bool InputObj::getEscKey() { return escKeyHit; }

void InputObj::drawCursorDisc(SDL_Surface* dest, int radius)
{
    filledCircleRGBA(dest, posX, posY, static_cast<Sint16>(radius), 128, 128, 128, 128);
}
