#include "LinePattern.h"
// Placeholder until the pattern lands.
void HSVtoRGB(Uint16, Uint16, Uint16, Uint8& r, Uint8& g, Uint8& b) { r = g = b = 0; }
void RGBtoHSV(Uint8, Uint8, Uint8, Uint16& h, Uint16& s, Uint16& v) { h = s = v = 0; }
void HSVtoRGBhelper(float*, float*, float*, float, float, float) {}
void RGBtoHSVhelper(float, float, float, float*, float*, float*) {}
float MIN(float a, float, float) { return a; }
float MAX(float a, float, float) { return a; }
LinePattern::LinePattern() : totalNumDots(10) {}
void LinePattern::init(SDL_Rect, SDL_Color&) { points.assign(1, SDL_Rect{150, 150, 8, 5}); }
void LinePattern::getNewLine(SDL_Rect, bool) {}
int LinePattern::getContactPoint(SDL_Rect& ptA) { ptA = points.size() > 1 ? points[1] : points[0]; return (int)points.size(); }
int LinePattern::getLastPoint(SDL_Rect& ptA) { ptA = points.back(); return (int)points.size(); }
int LinePattern::get2ndContactPoint(SDL_Rect& ptA) { ptA = points[2]; return (int)points.size(); }
void LinePattern::render(SDL_Surface*, SDL_Rect) {}
Uint32 LinePattern::chooseColor(SDL_Rect, SDL_Surface*, Uint8&, Uint8&, Uint8&, Uint8&) { return 0; }
SDL_Rect LinePattern::generateNextPoint(SDL_Rect) { return SDL_Rect{}; }
bool LinePattern::boundaryNextPoint(SDL_Rect&, SDL_Rect, int&) { return false; }
void LinePattern::addWeight(Uint8&, Uint8&, Uint8) {}
