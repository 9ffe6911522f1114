#include "DrawWindow.h"
#include "Drawing.h"
#include "Layout.h"
#include "LinePattern.h"
#include "Sound.h"
#include <string>

static int burnFor(Uint8 endBurn)
{
    switch (endBurn) {
    case 0:
        return 40;
    case 1:
        return 50;
    case 2:
        return 66;
    default:
        return 80;
    }
}

DrawWindow::DrawWindow()
    : lp(new LinePattern), dimensions{layout::drawX, layout::drawY, layout::drawSide, layout::drawSide},
      attStruct(nullptr), endBurn(0), numHits(0), drawingState(Waiting), lastTicks(SDL_GetTicks()),
      bkg(loadPicture((std::string(layout::mediaFolder) + layout::drawAreaPicture).c_str()))
{
}

DrawWindow::~DrawWindow()
{
    delete lp;
    SDL_FreeSurface(bkg);
}

void DrawWindow::init(SDL_Color& rulz)
{
    if (lp)
        lp->init(dimensions, rulz);
    endBurn = rulz.unused;
    drawingState = Waiting;
    numHits = 0;
    lastTicks = SDL_GetTicks();
}

void DrawWindow::drawEvaluator(bool button1, Uint8 accuracy, Sint16 posX, Sint16 posY, int& end, Uint16 targetCode)
{
    if (drawingState == Waiting && !button1)
        return;
    if (drawingState == Done)
        return;
    if (drawingState == Drawing && (!button1 || end <= 0)) {
        drawingState = Done;
        Sound::play(Sound::Release);
        return;
    }
    if (drawingState == Waiting)
        Sound::play(Sound::Stroke);
    drawingState = Drawing;

    int endToLose = 0;
    SDL_Rect contactPoint;
    if (lp && lp->getContactPoint(contactPoint) > 0) {
        // Wide arithmetic: a cursor far off the area must not overflow the squares.
        const Sint64 dx = contactPoint.x - posX;
        const Sint64 dy = contactPoint.y - posY;
        const Sint64 totalAcc = accuracy + contactPoint.w;
        if (totalAcc * totalAcc >= dx * dx + dy * dy) {
            lp->getNewLine(dimensions, false);
            attStruct = hits.push(targetCode, 1);
            ++numHits;
            Sound::play(Sound::Dot, numHits);
            lastTicks = SDL_GetTicks();
        }
    }
    if (SDL_GetTicks() - lastTicks > 90)
        endToLose = burnFor(endBurn);
    end -= endToLose;
    if (end <= 250 && end + endToLose > 250) // where the endurance bar turns light
        Sound::play(Sound::Tired);
}

int DrawWindow::getDrawingStatus() { return drawingState; }

SDL_Rect DrawWindow::getDimensions() { return dimensions; }

void DrawWindow::render(SDL_Surface* dest, bool)
{
    if (!dest)
        return;
    matchFormat(bkg, dest);
    if (bkg) {
        // The blit writes the covered rectangle back, so a small or clipped picture shrinks the area.
        SDL_UpperBlit(bkg, nullptr, dest, &dimensions);
    } else {
        SDL_Rect area = dimensions; // the fill clips its rectangle in place; the area itself must keep its size
        SDL_FillRect(dest, &area, SDL_MapRGBA(dest->format, 0, 0, 128, 230));
    }
    if (lp)
        lp->render(dest, dimensions);
}

void DrawWindow::setLinePattern(LinePattern* llp)
{
    if (llp != lp)
        delete lp;
    lp = llp;
}
