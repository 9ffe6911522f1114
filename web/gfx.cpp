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

// Every drawing call below becomes an operation: a list of numbers (its kind and everything it draws from, a picture
// by its number and how often it has been drawn on) and the rectangle it can touch. Onto a picture it is drawn at
// once. Onto the screen it waits for the flip, which draws again only where this pass's list differs from the last
// one's, the rest of the canvas holding the same pixels already; that holds while opaque operations cover the whole
// screen, else the whole list is drawn. A picture still waiting to be drawn that is about to change or be freed has
// the waiting list drawn first, as it was. window.qfDrawCheck makes each flip compare the screen with the list drawn
// afresh (Module.qfDraw.stats counts the flips by how they drew).
EM_JS(void, qfSetUp, (), {
    var d = Module.qfDraw = {
        pending : [],
        last : [],
        pass : 1,
        immediate : false,
        screen : 0,
        pictures : 0,
        stats : {full : 0, partial : 0, skipped : 0, mismatched : 0}
    };
    var free = SDL.freeSurface;
    SDL.freeSurface = function(surf)
    {
        var s = SDL.surfaces[surf];
        if (s && (s.qfPending == d.pass || surf == SDL.screen))
            d.flush();
        return free.call(SDL, surf);
    };
    d.info = function(surf)
    {
        var s = SDL.surfaces[surf];
        if (!s.qfId) {
            s.qfId = ++d.pictures, s.qfVersion = 0;
            if (s.source == 'CreateRGBSurface' || s.source.indexOf('text:') == 0)
                s.qfOpaque = false; /* a new canvas is clear */
        }
        return s;
    };
    d.meet = function(a, b)
    {
        return [ Math.max(a[0], b[0]), Math.max(a[1], b[1]), Math.min(a[2], b[2]), Math.min(a[3], b[3]) ];
    };
    d.union = function(a, b)
    {
        return [ Math.min(a[0], b[0]), Math.min(a[1], b[1]), Math.max(a[2], b[2]), Math.max(a[3], b[3]) ];
    };
    d.empty = function(r) { return r[0] >= r[2] || r[1] >= r[3]; };
    d.opaque = function(s)
    {
        if (s.qfOpaque == undefined) {
            var px = s.ctx.getImageData(0, 0, s.canvas.width, s.canvas.height).data, o = true;
            for (var i = 3; o && i < px.length; i += 4)
                o = px[i] == 255;
            s.qfOpaque = o;
        }
        return s.qfOpaque;
    };
    d.exec = function(ctx, o, c)
    {
        var k = o.k, r = c ? d.meet(o.box, c) : o.box, w = r[2] - r[0], h = r[3] - r[1];
        if (d.empty(r))
            return;
        if (k[0] == 0) {
            ctx.globalAlpha = k[9] / 255;
            ctx.drawImage(o.src, k[3] + r[0] - k[7], k[4] + r[1] - k[8], w, h, r[0], r[1], w, h);
            ctx.globalAlpha = 1;
        } else if (k[0] == 1) {
            if (k[8] < 255)
                ctx.clearRect(r[0], r[1], w, h);
            ctx.fillStyle = 'rgba(' + k[5] + ',' + k[6] + ',' + k[7] + ',' + k[8] / 255 + ')';
            ctx.fillRect(r[0], r[1], w, h);
        } else if (k[0] == 2) {
            ctx.fillStyle = 'rgb(' + k[1] + ',' + k[2] + ',' + k[3] + ')';
            for (var i = 4; i < k.length; i += 5) {
                var q = d.meet([ k[i], k[i + 1], k[i] + k[i + 2], k[i + 1] + k[i + 3] ], r);
                if (!d.empty(q)) {
                    ctx.globalAlpha = k[i + 4] / 255;
                    ctx.fillRect(q[0], q[1], q[2] - q[0], q[3] - q[1]);
                }
            }
            ctx.globalAlpha = 1;
        } else {
            /* drawn whole, under its own clip only: the flip redraws all of an outline it touches */
            var x0 = k[8], y0 = k[9], x1 = k[10], y1 = k[11];
            var whole = x0 <= 0 && y0 <= 0 && x1 >= ctx.canvas.width && y1 >= ctx.canvas.height;
            if (!whole) {
                ctx.save();
                ctx.beginPath();
                ctx.rect(x0, y0, x1 - x0, y1 - y0);
                ctx.clip();
            }
            ctx.beginPath();
            if (k.length == 12)
                ctx.arc(k[1] + 0.5, k[2] + 0.5, k[3], 0, 2 * Math.PI);
            for (var i = 12; i < k.length; i += 2)
                ctx.lineTo(k[i] + 0.5, k[i + 1] + 0.5);
            ctx.closePath();
            ctx.lineWidth = 1;
            ctx.strokeStyle = 'rgba(' + k[4] + ',' + k[5] + ',' + k[6] + ',' + k[7] / 255 + ')';
            ctx.stroke();
            if (!whole)
                ctx.restore();
        }
    };
    d.execAll = function(ctx, ops)
    {
        for (var i = 0; i < ops.length; i++)
            d.exec(ctx, ops[i], null);
    };
    d.flush = function()
    {
        var s = SDL.surfaces[SDL.screen];
        if (!d.immediate && s)
            d.execAll(s.ctx, d.pending);
        d.immediate = true;
    };
    d.draw = function(surf, o, from)
    {
        var s = d.info(surf), f = from ? d.info(from) : null, k = o.k;
        if (f) {
            if (from == SDL.screen)
                d.flush();
            o.src = f.canvas, k[1] = f.qfId, k[2] = f.qfVersion;
        }
        o.box = d.meet(o.box, [ 0, 0, s.canvas.width, s.canvas.height ]);
        if (surf != SDL.screen) {
            if (s.qfPending == d.pass)
                d.flush();
            ++s.qfVersion;
            var all = o.box[0] == 0 && o.box[1] == 0 && o.box[2] == s.canvas.width && o.box[3] == s.canvas.height;
            if (k[0] == 1 && k[8] < 255)
                s.qfOpaque = false;
            else if (all && (k[0] == 1 || (k[0] == 0 && k[9] == 255 && d.opaque(f))))
                s.qfOpaque = true;
            d.exec(s.ctx, o, null);
            return;
        }
        if (f)
            f.qfPending = d.pass;
        o.opaque = k[0] == 1 && k[8] == 255;
        o.from = k[0] == 0 && k[9] == 255 ? f : null;
        d.pending.push(o);
        if (d.immediate)
            d.exec(s.ctx, o, null);
    };
    d.same = function(a, b)
    {
        if (!a || !b || a.k.length != b.k.length)
            return false;
        for (var i = 0; i < a.k.length; i++)
            if (a.k[i] != b.k[i])
                return false;
        return true;
    };
    /* Whether the opaque operations' rectangles cover w by h: each cell of the grid their edges make is covered where
       its top left corner is. A picture not yet known to be opaque is read only when the others leave a gap. */
    d.covers = function(ops, w, h) { return d.cover(ops, w, h, false) || d.cover(ops, w, h, true); };
    d.cover = function(ops, w, h, look)
    {
        var boxes = [], xs = [0], ys = [0];
        for (var i = 0; i < ops.length; i++)
            if (ops[i].opaque || (ops[i].from && (look ? d.opaque(ops[i].from) : ops[i].from.qfOpaque))) {
                var b = ops[i].box;
                boxes.push(b), xs.push(b[0], b[2]), ys.push(b[1], b[3]);
            }
        for (var i = 0; i < xs.length; i++)
            for (var j = 0; j < ys.length; j++) {
                var x = xs[i], y = ys[j], inside = x >= w || y >= h;
                for (var n = 0; !inside && n < boxes.length; n++)
                    inside = boxes[n][0] <= x && boxes[n][1] <= y && boxes[n][2] > x && boxes[n][3] > y;
                if (!inside)
                    return false;
            }
        return true;
    };
    /* Rectangles merged until none overlaps another, so that no pixel is drawn twice: the covered screen would show the
       same, but a pass that changes much would cost more than drawing it whole. */
    d.merge = function(rs)
    {
        for (var again = true; again;) {
            again = false;
            for (var i = 0; i < rs.length; i++)
                for (var j = i + 1; j < rs.length; j++)
                    if (!d.empty(d.meet(rs[i], rs[j]))) {
                        var a = rs[i], b = rs[j];
                        rs[i] = d.union(a, b);
                        rs.splice(j, 1), again = true;
                    }
        }
        return rs;
    };
    /* Cut by a clip, the canvas smooths a stroke a level otherwise here and there, so a rectangle that meets an
       outline grows to hold all of it. */
    d.whole = function(ops, rs)
    {
        for (var grown = true; grown;) {
            grown = false;
            for (var i = 0; i < ops.length; i++)
                if (ops[i].k[0] == 3)
                    for (var r = 0; r < rs.length; r++) {
                        var a = rs[r], b = ops[i].box;
                        if (!d.empty(d.meet(a, b)) && (b[0] < a[0] || b[1] < a[1] || b[2] > a[2] || b[3] > a[3])) {
                            rs[r] = d.union(a, b);
                            grown = true;
                        }
                    }
            if (grown)
                rs = d.merge(rs);
        }
        return rs;
    };
    d.flip = function()
    {
        var s = SDL.surfaces[SDL.screen], ops = d.pending, how = 'full';
        if (s && !d.immediate) {
            d.info(SDL.screen);
            var w = s.canvas.width, h = s.canvas.height;
            if (s.qfId == d.screen && d.covers(ops, w, h)) {
                var dirty = [];
                for (var i = 0; i < Math.max(ops.length, d.last.length); i++)
                    if (!d.same(ops[i], d.last[i])) {
                        if (ops[i])
                            dirty.push(ops[i].box);
                        if (d.last[i])
                            dirty.push(d.last[i].box);
                    }
                dirty = d.whole(ops, d.merge(dirty.filter(function(r) { return !d.empty(r); })));
                for (var r = 0; r < dirty.length; r++)
                    for (var i = 0; i < ops.length; i++)
                        d.exec(s.ctx, ops[i], dirty[r]);
                how = dirty.length ? 'partial' : 'skipped';
            } else {
                d.execAll(s.ctx, ops);
            }
        }
        d.stats[how]++;
        if (s && window.qfDrawCheck && how != 'full')
            d.check(s, ops);
        d.screen = s ? s.qfId : 0, d.last = ops, d.pending = [], d.immediate = false, ++d.pass;
    };
    d.check = function(s, ops)
    {
        var c = document.createElement('canvas'), w = s.canvas.width, h = s.canvas.height;
        c.width = w, c.height = h;
        var ctx = c.getContext('2d');
        d.execAll(ctx, ops);
        var a = ctx.getImageData(0, 0, w, h).data, b = s.ctx.getImageData(0, 0, w, h).data;
        for (var i = 0; i < a.length; i++)
            if (a[i] != b[i]) {
                d.stats.mismatched++;
                return;
            }
    };
});

// Fills each rectangle (x, y, w, h, alpha: five ints) in the colour r, g, b at its alpha, blended over the canvas.
EM_JS(void, qfFillRuns, (SDL_Surface * surf, const int* runs, int count, int r, int g, int b), {
    var k = [ 2, r, g, b ], box = [ 1e9, 1e9, -1e9, -1e9 ];
    for (var i = 0, p = runs >> 2; i < count; i++, p += 5) {
        k.push(HEAP32[p], HEAP32[p + 1], HEAP32[p + 2], HEAP32[p + 3], HEAP32[p + 4]);
        box = Module.qfDraw.union(
            box, [ HEAP32[p], HEAP32[p + 1], HEAP32[p] + HEAP32[p + 2], HEAP32[p + 1] + HEAP32[p + 3] ]);
    }
    Module.qfDraw.draw(surf, {k : k, box : box});
});

// Replaces the rectangle's pixels with the colour, as a fill does: nothing of what lay there shows through.
EM_JS(void, qfReplace, (SDL_Surface * surf, int x, int y, int w, int h, int r, int g, int b, int a), {
    Module.qfDraw.draw(surf, {k : [ 1, x, y, w, h, r, g, b, a ], box : [ x, y, x + w, y + h ]});
});

// Strokes a smoothed closed outline through n points (x, y pairs of ints) at pixel centres, as a one-pixel line,
// or with n 0 a circle of radius rad around (cx, cy); inside the clip rectangle only.
EM_JS(void, qfOutline,
      (SDL_Surface * surf, const int* pts, int n, int cx, int cy, int rad, int r, int g, int b, int a, int x0, int y0,
       int x1, int y1),
      {
          var k = [ 3, cx, cy, rad, r, g, b, a, x0, y0, x1, y1 ];
          var box = n ? [ 1e9, 1e9, -1e9, -1e9 ] : [ cx - rad, cy - rad, cx + rad + 1, cy + rad + 1 ];
          for (var i = 0, p = pts >> 2; i < n; i++, p += 2) {
              k.push(HEAP32[p], HEAP32[p + 1]);
              box = Module.qfDraw.union(box, [ HEAP32[p], HEAP32[p + 1], HEAP32[p] + 1, HEAP32[p + 1] + 1 ]);
          }
          /* the smoothing reaches a pixel beyond the line's own */
          box = [
              Math.max(box[0] - 2, x0), Math.max(box[1] - 2, y0), Math.min(box[2] + 2, x1), Math.min(box[3] + 2, y1)
          ];
          Module.qfDraw.draw(surf, {k : k, box : box});
      });

EM_JS(void, qfFlip, (), { Module.qfDraw.flip(); });

namespace {
// The drawing's bookkeeping, set up as the program starts, before any drawing.
[[maybe_unused]] const bool setUp = (qfSetUp(), true);

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
    var k = [ 0, 0, 0, sx, sy, w, h, dx, dy, SDL.surfaces[src].alpha ];
    Module.qfDraw.draw(dst, {k : k, box : [ dx, dy, dx + w, dy + h ]}, src);
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

// The screen's operations of this pass drawn where they differ from the last pass's (see above).
int SDL_Flip(SDL_Surface* screen)
{
    if (!screen)
        return -1;
    qfFlip();
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
