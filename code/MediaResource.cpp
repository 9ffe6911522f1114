#include "MediaResource.h"
// Placeholder until character media lands.
MediaResource::MediaResource(std::string n) : actionList(4, nullptr), name(n) {}
MediaResource::~MediaResource() {}
SDL_Surface* MediaResource::drawPic(SDL_Surface*, SDL_Rect&, Uint32, Uint32) { return nullptr; }
Sint32 MediaResource::getLoops(Uint8) { return 0; }
Sint32 MediaResource::changePic(Uint32, Uint32&, Uint32&, Sint32&) { return 0; }
const action* MediaResource::getAction(Uint32) const { return nullptr; }
