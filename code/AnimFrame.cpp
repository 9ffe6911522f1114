#include "AnimFrame.h"
// Placeholder until character media lands.
AnimFrame::AnimFrame(std::string) : pic(nullptr), xOffset(0), yOffset(0), timeToHoldFrame(0) {}
AnimFrame::~AnimFrame() {}
void AnimFrame::setOffsetAndTime(Sint32, Sint32, Uint32) {}
Sint32 AnimFrame::render(SDL_Surface*, SDL_Rect&) { return 0; }
bool AnimFrame::isValid() { return pic != nullptr; }
Uint16 AnimFrame::getTime() { return timeToHoldFrame; }
