#include "painter.h"

#include <SDL/SDL_gfxPrimitives.h>

#include <algorithm>
#include <cmath>

namespace {

Vec centroid(const std::vector<Vec>& p)
{
    Vec c;
    for (const Vec& v : p)
        c = c + v;
    return p.empty() ? c : c * (1.0 / double(p.size()));
}

std::vector<Vec> scaleAbout(std::vector<Vec> p, Vec c, double k)
{
    for (Vec& v : p)
        v = c + (v - c) * k;
    return p;
}

std::vector<Vec> shift(std::vector<Vec> p, Vec d)
{
    for (Vec& v : p)
        v = v + d;
    return p;
}

// Convex hull of two circles: the outline of a tapered limb.
std::vector<Vec> capsule(Vec a, Vec b, double ra, double rb)
{
    std::vector<Vec> pts;
    for (int i = 0; i < 24; ++i) {
        double t = 2 * kPi * i / 24;
        pts.push_back({a.x + ra * std::cos(t), a.y + ra * std::sin(t)});
        pts.push_back({b.x + rb * std::cos(t), b.y + rb * std::sin(t)});
    }
    std::sort(pts.begin(), pts.end(), [](Vec p, Vec q) { return p.x < q.x || (p.x == q.x && p.y < q.y); });
    auto cross = [](Vec o, Vec p, Vec q) { return (p.x - o.x) * (q.y - o.y) - (p.y - o.y) * (q.x - o.x); };
    std::vector<Vec> h(pts.size() * 2);
    size_t k = 0;
    for (size_t i = 0; i < pts.size(); ++i) {
        while (k >= 2 && cross(h[k - 2], h[k - 1], pts[i]) <= 0)
            --k;
        h[k++] = pts[i];
    }
    for (size_t i = pts.size() - 1, t = k + 1; i > 0; --i) {
        while (k >= t && cross(h[k - 2], h[k - 1], pts[i - 1]) <= 0)
            --k;
        h[k++] = pts[i - 1];
    }
    h.resize(k - 1);
    return h;
}

} // namespace

Painter::Painter(int w, int h) : w_(w), h_(h)
{
#if SDL_BYTEORDER == SDL_BIG_ENDIAN
    const Uint32 rm = 0xff000000, gm = 0x00ff0000, bm = 0x0000ff00, am = 0x000000ff;
#else
    const Uint32 rm = 0x000000ff, gm = 0x0000ff00, bm = 0x00ff0000, am = 0xff000000;
#endif
    surf_ = SDL_CreateRGBSurface(SDL_SWSURFACE, w * kSS, h * kSS, 32, rm, gm, bm, am);
    if (surf_)
        SDL_FillRect(surf_, nullptr, 0);
}

Painter::~Painter() { SDL_FreeSurface(surf_); }

void Painter::part(const std::vector<Vec>& local, const Tone& t, double litScale, bool gloss)
{
    std::vector<Vec> p = mapAll(local);
    fillCanvas(p, t.shade);
    Vec c = centroid(p);
    double r = 0;
    for (const Vec& v : p)
        r = std::max(r, len(v - c));
    Vec l = unit(light);
    fillCanvas(shift(scaleAbout(p, c, litScale), l * (r * (1 - litScale) * 0.55)), t.base);
    if (gloss)
        fillCanvas(shift(scaleAbout(p, c, 0.32), l * (r * 0.42)), t.light);
    else
        fillCanvas(shift(scaleAbout(p, c, 0.45), l * (r * 0.38)), mix(t.base, t.light, 0.55));
    strokeCanvas(p, ink, kInk);
}

void Painter::limb(Vec a, Vec b, double ra, double rb, const Tone& t)
{
    Vec ca = map(a), cb = map(b);
    double za = ra * zoom, zb = rb * zoom;
    std::vector<Vec> outer = capsule(ca, cb, za + ink, zb + ink);
    fillCanvas(outer, kInk);
    fillCanvas(capsule(ca, cb, za, zb), t.shade);
    Vec off = unit(light) * (std::min(za, zb) * 0.32);
    fillCanvas(capsule(ca + off, cb + off, za * 0.7, zb * 0.7), t.base);
    Vec off2 = unit(light) * (std::min(za, zb) * 0.5);
    fillCanvas(capsule(lerp(ca, cb, 0.15) + off2, lerp(ca, cb, 0.7) + off2, za * 0.25, zb * 0.25),
               mix(t.base, t.light, 0.6));
}

void Painter::line(Vec a, Vec b, double width, Rgb col)
{
    Vec ca = map(a), cb = map(b);
    fillCanvas(capsule(ca, cb, width * 0.5, width * 0.5), col);
}

std::vector<Vec> Painter::ellipse(Vec c, double rx, double ry, double ang, int n)
{
    std::vector<Vec> p;
    double ca = std::cos(ang), sa = std::sin(ang);
    for (int i = 0; i < n; ++i) {
        double t = 2 * kPi * i / n;
        double x = rx * std::cos(t), y = ry * std::sin(t);
        p.push_back({c.x + x * ca - y * sa, c.y + x * sa + y * ca});
    }
    return p;
}

Image Painter::resolve() const
{
    Image img(w_, h_);
    if (!surf_)
        return img;
    SDL_LockSurface(surf_);
    const uint8_t* base = static_cast<const uint8_t*>(surf_->pixels);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            double sa = 0, sr = 0, sg = 0, sb = 0;
            for (int j = 0; j < kSS; ++j) {
                const uint8_t* row = base + size_t(y * kSS + j) * surf_->pitch + size_t(x) * kSS * 4;
                for (int i = 0; i < kSS; ++i) {
                    const uint8_t* q = row + i * 4;
                    sa += q[3];
                    sr += q[0] * q[3];
                    sg += q[1] * q[3];
                    sb += q[2] * q[3];
                }
            }
            if (sa > 0)
                img.set(x, y, {int(std::lround(sr / sa)), int(std::lround(sg / sa)), int(std::lround(sb / sa))},
                        int(std::lround(sa / (kSS * kSS))));
        }
    SDL_UnlockSurface(surf_);
    return img;
}

std::vector<Vec> Painter::mapAll(const std::vector<Vec>& local) const
{
    std::vector<Vec> p;
    p.reserve(local.size());
    for (const Vec& v : local)
        p.push_back(map(v));
    return p;
}

void Painter::fillCanvas(const std::vector<Vec>& p, Rgb c)
{
    if (p.size() < 3 || !surf_)
        return;
    std::vector<Sint16> xs, ys;
    for (const Vec& v : p) {
        xs.push_back(Sint16(std::lround(v.x * kSS)));
        ys.push_back(Sint16(std::lround(v.y * kSS)));
    }
    filledPolygonRGBA(surf_, xs.data(), ys.data(), int(p.size()), Uint8(c.r), Uint8(c.g), Uint8(c.b), 255);
}

void Painter::strokeCanvas(const std::vector<Vec>& p, double half, Rgb c)
{
    if (!surf_)
        return;
    Uint8 width = Uint8(std::max(1L, std::lround(2 * half * kSS)));
    for (size_t i = 0; i < p.size(); ++i) {
        Vec a = p[i], b = p[(i + 1) % p.size()];
        thickLineRGBA(surf_, Sint16(std::lround(a.x * kSS)), Sint16(std::lround(a.y * kSS)),
                      Sint16(std::lround(b.x * kSS)), Sint16(std::lround(b.y * kSS)), width, Uint8(c.r), Uint8(c.g),
                      Uint8(c.b), 255);
        filledCircleRGBA(surf_, Sint16(std::lround(a.x * kSS)), Sint16(std::lround(a.y * kSS)),
                         Sint16(std::lround(half * kSS)), Uint8(c.r), Uint8(c.g), Uint8(c.b), 255);
    }
}
