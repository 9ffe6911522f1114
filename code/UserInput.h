#ifndef USERINPUT_H
#define USERINPUT_H

#include "InputObj.h"

// The player's mouse.
class UserInput : public InputObj {
public:
    void processInput(const SDL_Event& e) override;
    void render(SDL_Surface* dest, int radius) override;
    // Re-reads the pointer after a focus gain, when motion events may have been missed.
    void forceMousePos();
};

#endif
