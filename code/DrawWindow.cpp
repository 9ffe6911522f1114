#include "DrawWindow.h"
#include "LinePattern.h"
// Placeholder until the draw window lands.
DrawWindow::DrawWindow() : lp(new LinePattern), dimensions{170, 30, 300, 300}, attStruct(nullptr), endBurn(0), numHits(0), drawingState(0), lastTicks(0), bkg(nullptr) {}
DrawWindow::~DrawWindow() { delete lp; }
void DrawWindow::init(SDL_Color& rulz) { lp->init(dimensions, rulz); drawingState = 0; }
void DrawWindow::drawEvaluator(bool button1, Uint8, Sint16, Sint16, int&, Uint16) { if (drawingState == 1 && !button1) drawingState = 2; else if (button1) drawingState = 1; }
int DrawWindow::getDrawingStatus() { return drawingState; }
SDL_Rect DrawWindow::getDimensions() { return dimensions; }
void DrawWindow::render(SDL_Surface*, bool) {}
void DrawWindow::setLinePattern(LinePattern* llp) { lp = llp; }
