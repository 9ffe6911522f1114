// The drawing calls the browser's SDL layer lacks, or draws otherwise than the desktop's SDL and SDL_gfx document.
// Every surface there is a canvas, and its pixels are reachable only between a lock and an unlock that copy the whole
// canvas each way (writing the shapes under a lock measured 30 ms a frame, against half a millisecond for a whole
// frame drawn this way). So a filled shape is reduced to rows of whole pixels, handed to the canvas in one call, and a
// smoothed outline is the canvas's own one-pixel stroke through the pixel centres, whose smoothing differs from the
// desktop's by a few levels. Primitives clip to the surface's clip rectangle; a negative radius fails.
#include <SDL/SDL.h>
#include <SDL/SDL_gfxPrimitives.h>
#include <algorithm>
#include <cmath>
#include <emscripten.h>
#include <vector>

// Fills each rectangle (x, y, w, h, alpha: five ints) in the colour r, g, b at its alpha, blended over the canvas.
// No save and restore of the canvas's state (they cost as much as the drawing): the layer sets the style it draws with
// each time, and the opacity is left whole.
EM_JS(void, qfFillRuns, (SDL_Surface * surf, const int* runs, int count, int r, int g, int b), {
    var ctx = SDL.surfaces[surf].ctx;
    ctx.fillStyle = 'rgb(' + r + ',' + g + ',' + b + ')';
    for (var i = 0, p = runs >> 2; i < count; i++, p += 5) {
        ctx.globalAlpha = HEAP32[p + 4] / 255;
        ctx.fillRect(HEAP32[p], HEAP32[p + 1], HEAP32[p + 2], HEAP32[p + 3]);
    }
    ctx.globalAlpha = 1;
});

// Replaces the rectangle's pixels with the colour, as a fill does: nothing of what lay there shows through.
EM_JS(void, qfReplace, (SDL_Surface * surf, int x, int y, int w, int h, int r, int g, int b, int a), {
    var ctx = SDL.surfaces[surf].ctx;
    if (a < 255)
        ctx.clearRect(x, y, w, h);
    ctx.fillStyle = 'rgba(' + r + ',' + g + ',' + b + ',' + a / 255 + ')';
    ctx.fillRect(x, y, w, h);
});

// Strokes a smoothed closed outline through n points (x, y pairs of ints) at pixel centres, as a one-pixel line,
// or with n 0 a circle of radius rad around (cx, cy); inside the clip rectangle only.
EM_JS(void, qfOutline,
      (SDL_Surface * surf, const int* pts, int n, int cx, int cy, int rad, int r, int g, int b, int a, int x0, int y0,
       int x1, int y1),
      {
          var ctx = SDL.surfaces[surf].ctx;
          var whole = x0 <= 0 && y0 <= 0 && x1 >= ctx.canvas.width && y1 >= ctx.canvas.height;
          if (!whole) {
              ctx.save();
              ctx.beginPath();
              ctx.rect(x0, y0, x1 - x0, y1 - y0);
              ctx.clip();
          }
          ctx.beginPath();
          if (n == 0)
              ctx.arc(cx + 0.5, cy + 0.5, rad, 0, 2 * Math.PI);
          for (var i = 0; i < n; i++)
              ctx.lineTo(HEAP32[(pts >> 2) + 2 * i] + 0.5, HEAP32[(pts >> 2) + 2 * i + 1] + 0.5);
          ctx.closePath();
          ctx.lineWidth = 1;
          ctx.strokeStyle = 'rgba(' + r + ',' + g + ',' + b + ',' + a / 255 + ')';
          ctx.stroke();
          if (!whole)
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
    const SDL_Rect& c = dst->clip_rect;
    qfOutline(dst, nullptr, 0, x, y, rad, r, g, b, a, c.x, c.y, c.x + c.w, c.y + c.h);
    return 0;
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
    const int pts[6] = {x1, y1, x2, y2, x3, y3};
    const SDL_Rect& c = dst->clip_rect;
    qfOutline(dst, pts, 3, 0, 0, 0, r, g, b, a, c.x, c.y, c.x + c.w, c.y + c.h);
    return 0;
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

// Draws w by h pixels of src at (sx, sy) onto dst at (dx, dy), at src's alpha, as the layer's own blit does.
EM_JS(void, qfBlit, (SDL_Surface * src, int sx, int sy, SDL_Surface* dst, int dx, int dy, int w, int h), {
    var s = SDL.surfaces[src], ctx = SDL.surfaces[dst].ctx, alpha = ctx.globalAlpha;
    ctx.globalAlpha = s.alpha / 255;
    ctx.drawImage(s.canvas, sx, sy, w, h, dx, dy, w, h);
    ctx.globalAlpha = alpha;
});

// The layer's own blit copies the whole of a picture other than the screen back into memory after every blit onto
// it, for programs that read pixels, which this one never does here: a readback that costs more than the blit. This
// one clips as the desktop's does, to the clip rectangle and the surface, moving the source's corner along, and
// writes back the rectangle it covered.
int SDL_UpperBlit(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst, SDL_Rect* dstrect)
{
    if (!src || !dst)
        return -1;
    int sx = 0, sy = 0, w = src->w, h = src->h;
    if (srcrect) {
        sx = std::max(0, int(srcrect->x)), sy = std::max(0, int(srcrect->y));
        w = std::min(srcrect->x + int(srcrect->w), src->w) - sx,
        h = std::min(srcrect->y + int(srcrect->h), src->h) - sy;
    }
    const int x = dstrect ? dstrect->x : 0, y = dstrect ? dstrect->y : 0;
    const SDL_Rect& c = dst->clip_rect;
    const int left = std::max({x, int(c.x), 0}), top = std::max({y, int(c.y), 0});
    const int right = std::min({x + w, c.x + int(c.w), dst->w}), bottom = std::min({y + h, c.y + int(c.h), dst->h});
    w = std::max(0, right - left), h = std::max(0, bottom - top);
    if (dstrect)
        *dstrect = SDL_Rect{left, top, w, h};
    if (w > 0 && h > 0)
        qfBlit(src, sx + left - x, sy + top - y, dst, left, top, w, h);
    return 0;
}

// The surface converted to the screen's format, or null (with the error set) before a video mode is set.
SDL_Surface* SDL_DisplayFormat(SDL_Surface* surface)
{
    SDL_Surface* screen = SDL_GetVideoSurface();
    if (!screen) {
        SDL_SetError("No video mode has been set");
        return nullptr;
    }
    return surface ? SDL_ConvertSurface(surface, screen->format, SDL_SWSURFACE) : nullptr;
}
