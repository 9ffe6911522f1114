// The drawing calls the browser's SDL layer lacks, or draws otherwise than the desktop's SDL and SDL_gfx document.
// Every surface there is a canvas, and its pixels are reachable only between a lock and an unlock that copy the whole
// canvas each way; so a shape is reduced to rectangles of pixels, each blended once with its own coverage, and
// handed to the canvas in one call. Primitives clip to the surface's clip rectangle; a negative radius fails.
#include <SDL/SDL.h>
#include <SDL/SDL_gfxPrimitives.h>
#include <algorithm>
#include <cmath>
#include <emscripten.h>
#include <vector>

// Fills each rectangle (x, y, w, h, alpha: five ints) in the colour r, g, b at its alpha, blended over the canvas.
EM_JS(void, qfFillRuns, (SDL_Surface * surf, const int* runs, int count, int r, int g, int b), {
    var ctx = SDL.surfaces[surf].ctx;
    ctx.save();
    ctx.fillStyle = 'rgb(' + r + ',' + g + ',' + b + ')';
    for (var i = 0, p = runs >> 2; i < count; i++, p += 5) {
        ctx.globalAlpha = HEAP32[p + 4] / 255;
        ctx.fillRect(HEAP32[p], HEAP32[p + 1], HEAP32[p + 2], HEAP32[p + 3]);
    }
    ctx.restore();
});

// Replaces the rectangle's pixels with the colour, as a fill does: nothing of what lay there shows through.
EM_JS(void, qfReplace, (SDL_Surface * surf, int x, int y, int w, int h, int r, int g, int b, int a), {
    var ctx = SDL.surfaces[surf].ctx;
    ctx.save();
    ctx.clearRect(x, y, w, h);
    ctx.fillStyle = 'rgba(' + r + ',' + g + ',' + b + ',' + a / 255 + ')';
    ctx.fillRect(x, y, w, h);
    ctx.restore();
});

namespace {
struct Run {
    int x, y, w, h, alpha;
};

class Shape {
public:
    explicit Shape(SDL_Surface* s) : surf(s)
    {
        const SDL_Rect& c = s->clip_rect;
        x0 = std::max(0, int(c.x));
        y0 = std::max(0, int(c.y));
        x1 = std::min(s->w, c.x + int(c.w));
        y1 = std::min(s->h, c.y + int(c.h));
        runs.clear();
    }

    void add(int x, int y, int w, int h, int alpha)
    {
        const int l = std::max(x, x0), t = std::max(y, y0), r = std::min(x + w, x1), b = std::min(y + h, y1);
        if (l < r && t < b && alpha > 0)
            runs.push_back({l, t, r - l, b - t, alpha});
    }

    void pixel(int x, int y, int alpha) { add(x, y, 1, 1, alpha); }

    int fill(Uint8 r, Uint8 g, Uint8 b)
    {
        if (!runs.empty())
            qfFillRuns(surf, &runs[0].x, int(runs.size()), r, g, b);
        return 0;
    }

private:
    SDL_Surface* surf;
    int x0, y0, x1, y1;
    static std::vector<Run> runs; // kept between shapes: a frame draws dozens
};
std::vector<Run> Shape::runs;

// One anti-aliased line: along its longer axis, each step covers the two pixels nearest the exact line in
// proportion to its distance from them.
void aaline(Shape& s, int xa, int ya, int xb, int yb, Uint8 a)
{
    const bool steep = std::abs(yb - ya) > std::abs(xb - xa);
    if (steep) {
        std::swap(xa, ya);
        std::swap(xb, yb);
    }
    if (xa > xb) {
        std::swap(xa, xb);
        std::swap(ya, yb);
    }
    const double slope = xb == xa ? 0 : double(yb - ya) / (xb - xa);
    for (int u = xa; u <= xb; ++u) {
        const double v = ya + slope * (u - xa);
        const int vi = int(std::floor(v));
        const double f = v - vi;
        const int near = int(std::lround(a * (1 - f))), far = int(std::lround(a * f));
        if (steep) {
            s.pixel(vi, u, near);
            s.pixel(vi + 1, u, far);
        } else {
            s.pixel(u, vi, near);
            s.pixel(u, vi + 1, far);
        }
    }
}
} // namespace

int filledCircleRGBA(SDL_Surface* dst, Sint16 x, Sint16 y, Sint16 rad, Uint8 r, Uint8 g, Uint8 b, Uint8 a)
{
    if (!dst || rad < 0)
        return -1;
    Shape s(dst);
    for (int dy = -rad; dy <= rad; ++dy) {
        const int half = int(std::sqrt(double(rad * rad - dy * dy)) + 0.5);
        s.add(x - half, y + dy, 2 * half + 1, 1, a);
    }
    return s.fill(r, g, b);
}

int aacircleRGBA(SDL_Surface* dst, Sint16 x, Sint16 y, Sint16 rad, Uint8 r, Uint8 g, Uint8 b, Uint8 a)
{
    if (!dst || rad < 0)
        return -1;
    Shape s(dst);
    // Each pixel within a pixel of the circle, covered by how near its centre lies to it.
    for (int dy = -rad - 1; dy <= rad + 1; ++dy)
        for (int dx = -rad - 1; dx <= rad + 1; ++dx) {
            const double cover = 1 - std::fabs(std::sqrt(double(dx * dx + dy * dy)) - rad);
            if (cover > 0)
                s.pixel(x + dx, y + dy, int(std::lround(a * cover)));
        }
    return s.fill(r, g, b);
}

int filledTrigonRGBA(SDL_Surface* dst, Sint16 x1, Sint16 y1, Sint16 x2, Sint16 y2, Sint16 x3, Sint16 y3, Uint8 r,
                     Uint8 g, Uint8 b, Uint8 a)
{
    if (!dst)
        return -1;
    const int xs[3] = {x1, x2, x3}, ys[3] = {y1, y2, y3};
    Shape s(dst);
    // Row by row, from the leftmost to the rightmost crossing of an edge, both included.
    for (int y = std::min({y1, y2, y3}); y <= std::max({y1, y2, y3}); ++y) {
        double lo = 1e9, hi = -1e9;
        for (int e = 0; e < 3; ++e) {
            const int xa = xs[e], ya = ys[e], xb = xs[(e + 1) % 3], yb = ys[(e + 1) % 3];
            if (y < std::min(ya, yb) || y > std::max(ya, yb))
                continue;
            if (ya == yb) {
                lo = std::min({lo, double(xa), double(xb)});
                hi = std::max({hi, double(xa), double(xb)});
            } else {
                const double cx = xa + double(y - ya) * (xb - xa) / (yb - ya);
                lo = std::min(lo, cx);
                hi = std::max(hi, cx);
            }
        }
        const int l = int(std::lround(lo)), h = int(std::lround(hi));
        s.add(l, y, h - l + 1, 1, a);
    }
    return s.fill(r, g, b);
}

int aatrigonRGBA(SDL_Surface* dst, Sint16 x1, Sint16 y1, Sint16 x2, Sint16 y2, Sint16 x3, Sint16 y3, Uint8 r, Uint8 g,
                 Uint8 b, Uint8 a)
{
    if (!dst)
        return -1;
    Shape s(dst);
    aaline(s, x1, y1, x2, y2, a);
    aaline(s, x2, y2, x3, y3, a);
    aaline(s, x3, y3, x1, y1, a);
    return s.fill(r, g, b);
}

// This layer's own outline straddles pixel edges, which smears it over two rows and columns at half strength; the
// desktop's is one pixel wide, its corners included.
int rectangleRGBA(SDL_Surface* dst, Sint16 x1, Sint16 y1, Sint16 x2, Sint16 y2, Uint8 r, Uint8 g, Uint8 b, Uint8 a)
{
    if (!dst)
        return -1;
    const int l = std::min(x1, x2), t = std::min(y1, y2), w = std::abs(x2 - x1) + 1, h = std::abs(y2 - y1) + 1;
    Shape s(dst);
    s.add(l, t, w, 1, a);
    if (h > 1)
        s.add(l, t + h - 1, w, 1, a);
    s.add(l, t + 1, 1, h - 2, a);
    if (w > 1)
        s.add(l + w - 1, t + 1, 1, h - 2, a);
    return s.fill(r, g, b);
}

// This layer's fill blends a colour with alpha over the screen; the desktop's screen has no alpha channel, and a
// fill there sets the colour. Other surfaces keep the alpha they are given.
int SDL_FillRect(SDL_Surface* dst, const SDL_Rect* rect, Uint32 color)
{
    if (!dst)
        return -1;
    const SDL_Rect area = rect ? *rect : SDL_Rect{0, 0, dst->w, dst->h};
    const SDL_Rect& clip = dst->clip_rect;
    const int l = std::max(area.x, clip.x), t = std::max(area.y, clip.y);
    const int w = std::min(area.x + area.w, clip.x + clip.w) - l, h = std::min(area.y + area.h, clip.y + clip.h) - t;
    if (w <= 0 || h <= 0)
        return 0;
    Uint8 r, g, b, a;
    SDL_GetRGBA(color, dst->format, &r, &g, &b, &a);
    if (dst == SDL_GetVideoSurface())
        a = 255;
    qfReplace(dst, l, t, w, h, r, g, b, a);
    return 0;
}
