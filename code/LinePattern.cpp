#include "LinePattern.h"
#include <SDL/SDL_gfxPrimitives.h>
#include <algorithm>
#include <cmath>

// Headings use this value of pi so that the steps come out exactly as the game has always drawn them.
static double toRadians(int degrees) { return degrees * 3.14159 / 180; }

static int normalised(int dir)
{
    while (dir < 0)
        dir += 360;
    while (dir >= 360)
        dir -= 360;
    return dir;
}

static Uint32 distSqFrom(const SDL_Rect& p, int cx, int cy)
{
    const Sint64 dx = p.x - cx;
    const Sint64 dy = p.y - cy;
    return static_cast<Uint32>(dx * dx + dy * dy);
}

// A draw modulo n; an area shrunk to nothing by its picture must not divide by zero.
static int drawModulo(int n) { return rand() % std::max(n, 1); }

static Uint8 channel(float fraction)
{
    const int v = static_cast<int>(fraction * 256);
    return static_cast<Uint8>(std::clamp(v, 0, 255));
}

// Rounds up n / d for n >= 0, d > 0.
static int ceilDiv(int n, int d) { return (n + d - 1) / d; }

float MIN(float a, float b, float c) { return std::min(a, std::min(b, c)); }
float MAX(float a, float b, float c) { return std::max(a, std::max(b, c)); }

void HSVtoRGBhelper(float* r, float* g, float* b, float h, float s, float v)
{
    if (s == 0) {
        *r = *g = *b = v;
        return;
    }
    h /= 60;
    const int i = static_cast<int>(std::floor(h));
    const float f = h - i;
    const float p = v * (1 - s);
    const float q = v * (1 - s * f);
    const float t = v * (1 - s * (1 - f));
    switch (i) {
    case 0:
        *r = v, *g = t, *b = p;
        break;
    case 1:
        *r = q, *g = v, *b = p;
        break;
    case 2:
        *r = p, *g = v, *b = t;
        break;
    case 3:
        *r = p, *g = q, *b = v;
        break;
    case 4:
        *r = t, *g = p, *b = v;
        break;
    default:
        *r = v, *g = p, *b = q;
        break;
    }
}

void RGBtoHSVhelper(float r, float g, float b, float* h, float* s, float* v)
{
    const float max = MAX(r, g, b);
    const float min = MIN(r, g, b);
    *v = max;
    if (max == 0) {
        *s = 0;
        *h = -1;
        return;
    }
    const float delta = max - min;
    *s = delta / max;
    if (delta == 0)
        *h = 0;
    else if (r == max)
        *h = (g - b) / delta;
    else if (g == max)
        *h = 2 + (b - r) / delta;
    else
        *h = 4 + (r - g) / delta;
    *h *= 60;
    if (*h < 0)
        *h += 360;
}

void HSVtoRGB(Uint16 h, Uint16 s, Uint16 v, Uint8& r, Uint8& g, Uint8& b)
{
    float rf, gf, bf;
    HSVtoRGBhelper(&rf, &gf, &bf, h, s / 360.0f, v / 360.0f);
    r = channel(rf);
    g = channel(gf);
    b = channel(bf);
}

void RGBtoHSV(Uint8 r, Uint8 g, Uint8 b, Uint16& h, Uint16& s, Uint16& v)
{
    float hf, sf, vf;
    RGBtoHSVhelper(r / 256.0f, g / 256.0f, b / 256.0f, &hf, &sf, &vf);
    h = static_cast<Uint16>(static_cast<int>(hf)); // no hue (-1) wraps to 65535
    s = static_cast<Uint16>(sf * 360);
    v = static_cast<Uint16>(vf * 360);
}

LinePattern::LinePattern()
    : startVector(0), distBetweenPoints(0), angleBetweenPoints(0), currentAngle(0), mainAngleIndex(2), totalRotation(0),
      firstPoint(true), ang1(0), ang2(180), sin1(0), cos1(1), sin2(0), cos2(-1),
      totalNumDots(10), angleChangeDistribution{
                            {10, 40, 80, 40, 10}, {60, 10, 50, 10, 60}, {50, 30, 30, 30, 50}, {70, 15, 15, 15, 70}}
{
}

void LinePattern::init(SDL_Rect dim, SDL_Color& rulz)
{
    points.clear();
    ang1 = static_cast<Uint16>(rand() % 360);
    ang2 = ang1 + 180;
    if (ang2 > 360)
        ang2 -= 360;
    sin1 = std::sin(toRadians(ang1));
    cos1 = std::cos(toRadians(ang1));
    sin2 = std::sin(toRadians(ang2));
    cos2 = std::cos(toRadians(ang2));
    startVector = rulz.r;
    distBetweenPoints = rulz.g;
    angleBetweenPoints = rulz.b;
    firstPoint = true;
    getNewLine(dim, true);
}

void LinePattern::getNewLine(SDL_Rect dim, bool newline)
{
    const int n = totalNumDots;
    const int d = n - 2;
    SDL_Rect newPt = generateNextPoint(dim);
    if (points.empty() && newline) {
        newPt.w = 8;
        newPt.h = 5;
        points.push_back(newPt);
        return;
    }
    if (points.size() <= 1 && !newline) {
        if (!points.empty()) {
            points[0].w = 1;
            points[0].h = 1;
        }
        newPt.w = 8;
        newPt.h = 5;
        points.push_back(newPt);
        for (int k = 0; k < d; ++k) {
            SDL_Rect pt = generateNextPoint(dim);
            pt.w = static_cast<Uint16>((-4 * k) / d + 5);
            pt.h = 3;
            points.push_back(pt);
        }
        return;
    }
    // The sizes taper from the target to the far end; indices beyond a short queue are left alone.
    for (int k = 3; k < d && k < static_cast<int>(points.size()); ++k)
        points[k].w = static_cast<Uint16>((12 - 4 * k) / d + 5);
    if (points.size() > 1) {
        points[1].w = 1;
        points[1].h = 1;
    }
    if (points.size() > 2) {
        points[2].w = 8;
        points[2].h = 5;
    }
    if (!points.empty())
        points.erase(points.begin());
    newPt.w = 3;
    newPt.h = 3;
    points.push_back(newPt);
}

int LinePattern::getContactPoint(SDL_Rect& ptA)
{
    if (!points.empty())
        ptA = points.size() > 1 ? points[1] : points[0];
    return static_cast<int>(points.size());
}

int LinePattern::getLastPoint(SDL_Rect& ptA)
{
    if (!points.empty())
        ptA = points.back();
    return static_cast<int>(points.size());
}

int LinePattern::get2ndContactPoint(SDL_Rect& ptA)
{
    if (points.size() > 2)
        ptA = points[2];
    return static_cast<int>(points.size());
}

void LinePattern::render(SDL_Surface* dest, SDL_Rect dim)
{
    if (!dest || points.empty())
        return;
    auto sx = [&](const SDL_Rect& p, int off = 0) { return static_cast<Sint16>(p.x + dim.x + off); };
    auto sy = [&](const SDL_Rect& p, int off = 0) { return static_cast<Sint16>(p.y + dim.y + off); };
    if (points.size() == 1) {
        const SDL_Rect& p = points[0];
        const Sint16 rad = static_cast<Sint16>(p.w);
        filledCircleRGBA(dest, sx(p), sy(p), rad, 128, 128, 128, 255);
        aacircleRGBA(dest, sx(p), sy(p), rad, 192, 192, 192, 255);
        return;
    }
    const int n = static_cast<int>(points.size()) - 2;
    // Far end first, so the dots nearer the stroke lie on top.
    for (int i = n; i >= 0; --i) {
        const SDL_Rect& pt = points[i];
        const SDL_Rect& tip = points[i + 1];
        Uint8 r = 192, g = 192, b = 192;
        if (i != 0)
            HSVtoRGB(240, 360, static_cast<Uint16>(270 - ceilDiv(90 * (i - 1), n)), r, g, b);
        const double w = tip.w;
        const int ox1 = static_cast<int>(w * sin1), oy1 = static_cast<int>(w * cos1);
        const int ox2 = static_cast<int>(w * sin2), oy2 = static_cast<int>(w * cos2);
        filledTrigonRGBA(dest, sx(tip), sy(tip), sx(pt, ox1), sy(pt, oy1), sx(pt, ox2), sy(pt, oy2), r, g, b, 255);
        aatrigonRGBA(dest, sx(tip), sy(tip), sx(pt, ox1), sy(pt, oy1), sx(pt, ox2), sy(pt, oy2), r, g, b, 255);
        if (i == 0)
            continue;
        r = g = b = 255;
        if (i != 1)
            HSVtoRGB(240, 360, static_cast<Uint16>(270 - ceilDiv(90 * (i - 2), n)), r, g, b);
        filledCircleRGBA(dest, sx(pt), sy(pt), static_cast<Sint16>(pt.w), r, g, b, 255);
    }
}

SDL_Rect LinePattern::bounds(SDL_Rect dim) const
{
    if (points.empty())
        return {dim.x, dim.y, 0, 0};
    // Every corner of a wedge and every disc lies within the widest dot's size of a dot; a smoothed rim adds a pixel.
    int left = points[0].x, top = points[0].y, right = left, bottom = top, widest = 0;
    for (const SDL_Rect& p : points) {
        left = std::min<int>(left, p.x), right = std::max<int>(right, p.x);
        top = std::min<int>(top, p.y), bottom = std::max<int>(bottom, p.y);
        widest = std::max<int>(widest, p.w);
    }
    const int margin = widest + 1;
    return {Sint16(dim.x + left - margin), Sint16(dim.y + top - margin), Uint16(right - left + 2 * margin + 1),
            Uint16(bottom - top + 2 * margin + 1)};
}

std::string LinePattern::key() const
{
    const double nib[4] = {sin1, cos1, sin2, cos2};
    std::string k(reinterpret_cast<const char*>(nib), sizeof nib);
    for (const SDL_Rect& p : points)
        k.append(reinterpret_cast<const char*>(&p), sizeof p);
    return k;
}

Uint32 LinePattern::chooseColor(SDL_Rect pt, SDL_Surface* dest, Uint8& r, Uint8& g, Uint8& b, Uint8& a)
{
    r = g = b = 192;
    a = static_cast<Uint8>(pt.h * 51);
    return dest ? SDL_MapRGBA(dest->format, r, g, b, a) : 0;
}

SDL_Rect LinePattern::generateNextPoint(SDL_Rect dim)
{
    const int width = dim.w, height = dim.h;
    if (firstPoint || points.empty()) {
        SDL_Rect pt{0, 0, 0, 0};
        int x = drawModulo(width) / 3;
        int y = drawModulo(height) / 3;
        // Cell offsets in thirds of the area and the heading from that cell toward the centre.
        static const int cells[8][3] = {{0, 2, 135}, {0, 1, 90},  {0, 0, 45},  {1, 0, 0},
                                        {2, 0, 315}, {2, 1, 270}, {2, 2, 225}, {1, 2, 180}};
        if (startVector < 8) {
            const int* c = cells[startVector];
            x += c[0] * width / 3;
            y += c[1] * height / 3;
            currentAngle = static_cast<Uint16>(c[2]);
        } else {
            x += width / 3;
            y += height / 3;
            currentAngle = static_cast<Uint16>(rand() % 360);
        }
        firstPoint = false;
        mainAngleIndex = 2;
        pt.x = static_cast<Sint16>(x);
        pt.y = static_cast<Sint16>(y);
        return pt;
    }

    SDL_Rect lastPt;
    getLastPoint(lastPt);
    const int a0 = currentAngle;
    static const int stepLengths[4] = {55, 60, 65, 70};
    const int dist = stepLengths[std::min<int>(distBetweenPoints, 3)];
    const int anglChange = 30 + 15 * mainAngleIndex + rand() % 11 - 5;

    int dirA = a0 + anglChange;
    int dirB = a0 - anglChange;
    auto stepFrom = [&](int dir) {
        SDL_Rect c = lastPt;
        c.x = static_cast<Sint16>(lastPt.x + static_cast<int>(dist * std::sin(toRadians(dir))));
        c.y = static_cast<Sint16>(lastPt.y + static_cast<int>(dist * std::cos(toRadians(dir))));
        return c;
    };
    SDL_Rect candidateA = stepFrom(dirA);
    SDL_Rect candidateB = stepFrom(dirB);

    Uint8 weightA = 0, weightB = 0;
    if (boundaryNextPoint(candidateA, dim, dirA))
        addWeight(weightA, weightB, 2);
    if (boundaryNextPoint(candidateB, dim, dirB))
        addWeight(weightB, weightA, 2);
    const Uint32 distFromCenterA = distSqFrom(candidateA, width / 2, height / 2);
    const Uint32 distFromCenterB = distSqFrom(candidateB, width / 2, height / 2);
    if (distFromCenterA < distFromCenterB)
        addWeight(weightB, weightA, 2);
    else if (distFromCenterA > distFromCenterB)
        addWeight(weightA, weightB, 2);
    else if (rand() % 2 == 0)
        addWeight(weightA, weightB, 2);
    else
        addWeight(weightB, weightA, 2);
    const Uint32 halfStepSq = static_cast<Uint32>(dist * dist / 4);
    if (distFromCenterA < halfStepSq)
        addWeight(weightA, weightB, 10);
    if (distFromCenterB < halfStepSq)
        addWeight(weightB, weightA, 10);

    const bool chooseCandidateA = weightA < weightB;
    SDL_Rect newPt = chooseCandidateA ? candidateA : candidateB;
    int dir = chooseCandidateA ? dirA : dirB;

    // Rule bytes above 3 have no row of their own; they share the last one.
    const auto& row = angleChangeDistribution[std::min<size_t>(angleBetweenPoints, angleChangeDistribution.size() - 1)];
    if (rand() % 100 > row[mainAngleIndex]) {
        if (rand() % 2 == 0)
            mainAngleIndex = mainAngleIndex == 0 ? 1 : mainAngleIndex - 1;
        else
            mainAngleIndex = mainAngleIndex == 4 ? 3 : mainAngleIndex + 1;
    }

    dir = normalised(dir);
    while (newPt.x == lastPt.x && newPt.y == lastPt.y) {
        newPt.x = static_cast<Sint16>(newPt.x + rand() % 21 - 10);
        newPt.y = static_cast<Sint16>(newPt.y + rand() % 21 - 10);
    }
    boundaryNextPoint(newPt, dim, dir);
    currentAngle = static_cast<Uint16>(dir);
    newPt.w = 0;
    newPt.h = 0;
    return newPt;
}

bool LinePattern::boundaryNextPoint(SDL_Rect& newPt, SDL_Rect dim, int& dir)
{
    const int width = dim.w, height = dim.h;
    int x = newPt.x, y = newPt.y;
    bool bounced = false;
    auto within = [&](int lo, int hi) { return dir >= lo && dir <= hi; };
    if (x < 0) {
        x = -x;
        if (within(181, 269))
            dir -= 90;
        if (within(270, 359))
            dir -= 270;
        bounced = true;
    }
    if (x > width) {
        x = 2 * width - x;
        if (within(0, 89))
            dir += 270;
        if (within(90, 179))
            dir += 90;
        bounced = true;
    }
    if (y < 0) {
        y = -y;
        if (within(91, 179))
            dir -= 90;
        if (within(180, 269))
            dir -= 270;
        bounced = true;
    }
    if (y > height) {
        y = 2 * height - y;
        if (within(0, 89))
            dir += 90;
        if (within(271, 360))
            dir -= 90;
        bounced = true;
    }
    newPt.x = static_cast<Sint16>(std::clamp(x, 0, width));
    newPt.y = static_cast<Sint16>(std::clamp(y, 0, height));
    dir = normalised(dir);
    return bounced;
}

void LinePattern::addWeight(Uint8& wA, Uint8& wB, Uint8 amount)
{
    if (rand() % 10 < angleBetweenPoints)
        wB += amount;
    else
        wA += amount;
}
