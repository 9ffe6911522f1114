#include "DrawWindow.h"
#include "Drawing.h"
#include "LinePattern.h"
#include "Sound.h"
#include <algorithm>
#include <cstring>

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
    : lp(new LinePattern), dimensions{170, 30, 300, 300}, attStruct(nullptr), endBurn(0), numHits(0),
      drawingState(Waiting), lastTicks(SDL_GetTicks()), bkg(loadPicture("media/bkground/drawBk.png"))
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

// Calls f(first byte, byte count) for the runs of pixels of box in s row by row, leaving out those in hole (which
// lies within box) when one is given.
template <class F> static void eachRun(SDL_Surface* s, const SDL_Rect& box, const SDL_Rect* hole, F f)
{
    const int bpp = s->format->BytesPerPixel;
    auto run = [&](Uint8* row, int x0, int x1) {
        if (x1 > x0)
            f(row + x0 * bpp, size_t(x1 - x0) * bpp);
    };
    for (int y = box.y; y < box.y + box.h; ++y) {
        Uint8* row = static_cast<Uint8*>(s->pixels) + y * s->pitch;
        if (hole && y >= hole->y && y < hole->y + hole->h) {
            run(row, box.x, hole->x);
            run(row, hole->x + hole->w, box.x + box.w);
        } else {
            run(row, box.x, box.x + box.w);
        }
    }
}

static bool sameRect(const SDL_Rect& a, const SDL_Rect& b)
{
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

static SDL_Rect within(int x0, int y0, int x1, int y1, const SDL_Surface* s)
{
    x0 = std::clamp(x0, 0, s->w), x1 = std::clamp(x1, 0, s->w);
    y0 = std::clamp(y0, 0, s->h), y1 = std::clamp(y1, 0, s->h);
    return {Sint16(x0), Sint16(y0), Uint16(std::max(x1 - x0, 0)), Uint16(std::max(y1 - y0, 0))};
}

int DrawWindow::getDrawingStatus() { return drawingState; }

SDL_Rect DrawWindow::getDimensions() { return dimensions; }

// The area and the path's overhang beyond it, within dest: a dot's disc, the wedges at it and their smoothed rims
// reach at most the widest dot's width and two pixels from its centre.
SDL_Rect DrawWindow::reach(const SDL_Surface* dest) const
{
    int x0 = dimensions.x, y0 = dimensions.y, x1 = x0 + dimensions.w, y1 = y0 + dimensions.h;
    if (lp && !lp->getPoints().empty()) {
        int widest = 0;
        for (const SDL_Rect& p : lp->getPoints())
            widest = std::max<int>(widest, p.w);
        const int r = widest + 2;
        for (const SDL_Rect& p : lp->getPoints()) {
            x0 = std::min(x0, dimensions.x + p.x - r), x1 = std::max(x1, dimensions.x + p.x + r + 1);
            y0 = std::min(y0, dimensions.y + p.y - r), y1 = std::max(y1, dimensions.y + p.y + r + 1);
        }
    }
    return within(x0, y0, x1, y1, dest);
}

// The path costs more to draw than all the rest of a frame, and changes only when a dot is reached. So the box
// drawn into is kept and copied back for as long as the pattern and the area are the same and the pixels under the
// path's overhang beyond the area (which the path blends with) are what they were when it was drawn.
void DrawWindow::render(SDL_Surface* dest, bool)
{
    if (!dest)
        return;
    matchFormat(bkg, dest);
    const SDL_Rect box = reach(dest), area = areaOn(dest);
    static const std::vector<SDL_Rect> noPoints;
    const std::vector<SDL_Rect>& points = lp ? lp->getPoints() : noPoints;
    const Uint16 nib = lp ? lp->getNibAngle() : 0;
    // Clipped, the drawing would leave parts of the area showing whatever lay there.
    const bool keepable = clipsNothing(dest);

    SDL_LockSurface(dest);
    bool same = keepable && kept.dest == dest && kept.format == formatKey(dest) && sameRect(kept.box, box) &&
                sameRect(kept.area, area) && kept.nib == nib &&
                std::equal(points.begin(), points.end(), kept.points.begin(), kept.points.end(), sameRect);
    const Uint8* from = kept.under.data();
    if (same)
        eachRun(dest, box, &area, [&](Uint8* p, size_t n) {
            same = same && std::memcmp(p, from, n) == 0;
            from += n;
        });
    if (same) {
        from = kept.drawn.data();
        eachRun(dest, box, nullptr, [&](Uint8* p, size_t n) {
            std::memcpy(p, from, n);
            from += n;
        });
        SDL_UnlockSurface(dest);
        return;
    }
    kept.dest = nullptr;
    kept.under.clear();
    eachRun(dest, box, &area, [&](Uint8* p, size_t n) { kept.under.insert(kept.under.end(), p, p + n); });
    SDL_UnlockSurface(dest);

    draw(dest);
    if (!keepable || !sameRect(area, areaOn(dest)))
        return; // a first blit of a smaller picture shrinks the area: nothing is kept from this drawing
    SDL_LockSurface(dest);
    kept.drawn.clear();
    eachRun(dest, box, nullptr, [&](Uint8* p, size_t n) { kept.drawn.insert(kept.drawn.end(), p, p + n); });
    SDL_UnlockSurface(dest);
    kept.dest = dest, kept.format = formatKey(dest), kept.box = box, kept.area = area;
    kept.points = points, kept.nib = nib;
}

SDL_Rect DrawWindow::areaOn(const SDL_Surface* dest) const
{
    return within(dimensions.x, dimensions.y, dimensions.x + dimensions.w, dimensions.y + dimensions.h, dest);
}

void DrawWindow::draw(SDL_Surface* dest)
{
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
