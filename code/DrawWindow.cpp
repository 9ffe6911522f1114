#include "DrawWindow.h"
#include "Drawing.h"
#include "Layout.h"
#include "LinePattern.h"
#include "Sound.h"
#include <algorithm>
#include <cstring>
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
      bkg(loadPicture((std::string(layout::mediaFolder) + layout::drawAreaPicture).c_str())), kept(nullptr),
      movedBefore(false)
{
}

DrawWindow::~DrawWindow()
{
    delete lp;
    SDL_FreeSurface(bkg);
    SDL_FreeSurface(kept);
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

static bool inside(const SDL_Rect& a, const SDL_Rect& b)
{
    return a.x >= b.x && a.y >= b.y && a.x + a.w <= b.x + b.w && a.y + a.h <= b.y + b.h;
}

// Everything render draws from: the area, its picture, the surface's pixel format and the dot path.
std::string DrawWindow::look(const SDL_Surface* dest) const
{
    const auto format = formatKey(dest);
    std::string k(reinterpret_cast<const char*>(&dimensions), sizeof dimensions);
    k.append(reinterpret_cast<const char*>(format.data()), sizeof format);
    k.append(reinterpret_cast<const char*>(&bkg), sizeof bkg);
    return lp ? k + lp->key() : k;
}

SDL_Rect DrawWindow::cover(const SDL_Surface* dest) const
{
    if (bkg && (bkg->flags & (SDL_SRCALPHA | SDL_SRCCOLORKEY)))
        return {0, 0, 0, 0};
    // The picture is drawn at the area's corner at its own size; the fill, without one, fills the area.
    return clipped(
        dest, {dimensions.x, dimensions.y, Uint16(bkg ? bkg->w : dimensions.w), Uint16(bkg ? bkg->h : dimensions.h)});
}

// True when the area on dest shows the drawing alone: painted over whole, and the path stays inside.
bool DrawWindow::keepable(const SDL_Surface* dest) const
{
    const SDL_Rect covered = cover(dest);
    return bkg && covered.w > 0 && std::memcmp(&covered, &dimensions, sizeof covered) == 0 &&
           (!lp || inside(lp->bounds(dimensions), dimensions));
}

void DrawWindow::render(SDL_Surface* dest, bool)
{
    if (!dest)
        return;
    matchFormat(bkg, dest);
    // The path changes only when a dot is reached: the area is drawn as a picture of its own, shown until anything it
    // is drawn from changes. A path that moves on in pass after pass (a brisk stroke) is drawn straight onto dest,
    // where keeping it would cost a copy every time.
    const std::string now = look(dest);
    const bool changed = now != lastLook, moving = changed && movedBefore;
    lastLook = now, movedBefore = changed;
    if (now != keptLook) {
        keptLook.clear();
        if (moving || !keepable(dest) || !makeKept(dest)) {
            drawArea(dest, dimensions);
            return;
        }
        SDL_Rect corner{0, 0, dimensions.w, dimensions.h};
        drawArea(kept, corner);
        keptLook = now;
    }
    SDL_Rect at = dimensions;
    drawWhole(kept, dest, &at);
}

// A picture the area's size in dest's format, copied as it is.
bool DrawWindow::makeKept(const SDL_Surface* dest)
{
    if (kept && kept->w == dimensions.w && kept->h == dimensions.h && formatKey(kept) == formatKey(dest))
        return true;
    SDL_FreeSurface(kept);
    const SDL_PixelFormat& f = *dest->format;
    kept = SDL_CreateRGBSurface(SDL_SWSURFACE, dimensions.w, dimensions.h, f.BitsPerPixel, f.Rmask, f.Gmask, f.Bmask,
                                f.Amask);
    if (kept)
        SDL_SetAlpha(kept, 0, 255);
    return kept;
}

// The picture and the path over the area at `area` of dest; the picture's blit writes the rectangle it covered back,
// so a small or clipped picture shrinks the area.
void DrawWindow::drawArea(SDL_Surface* dest, SDL_Rect& area)
{
    if (bkg) {
        drawWhole(bkg, dest, &area);
    } else {
        SDL_Rect fill = area; // the fill clips its rectangle in place; the area itself must keep its size
        SDL_FillRect(dest, &fill, SDL_MapRGBA(dest->format, 0, 0, 128, 230));
    }
    if (lp)
        lp->render(dest, area);
}

void DrawWindow::setLinePattern(LinePattern* llp)
{
    if (llp != lp)
        delete lp;
    lp = llp;
}
