#ifndef INPUTOBJ_H
#define INPUTOBJ_H

#include <SDL/SDL.h>

// A source of moves for a combatant: a cursor, two buttons and an Escape flag.
class InputObj {
public:
    InputObj();
    virtual void processInput(const SDL_Event& e);
    virtual void render(SDL_Surface* dest, int radius);
    virtual void clearInput();
    virtual ~InputObj();

    void getCursorPos(Sint16* x, Sint16* y);
    Sint16 getCursorPosX();
    Sint16 getCursorPosY();
    bool getButton1();
    bool getButton2();
    bool getEscKey();

protected:
    // The half-transparent grey disc both input sources draw at their cursor.
    void drawCursorDisc(SDL_Surface* dest, int radius);

    Sint16 posX;
    Sint16 posY;
    bool button1Pressed;
    bool button2Pressed;
    bool escKeyHit; // no input source sets it; kept so every source answers alike
};

#endif
