// makeart: draws the game's pictures and writes the character info files into the media folder given as
// the only argument. Everything is drawn by this code from fixed seeds, so every run writes the same bytes.

#include <SDL/SDL.h>
#include <SDL/SDL_gfxPrimitives.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{

constexpr double kPi = 3.14159265358979323846;

struct Vec {
    double x = 0, y = 0;
};
Vec operator+(Vec a, Vec b)
{
    return {a.x + b.x, a.y + b.y};
}
Vec operator-(Vec a, Vec b)
{
    return {a.x - b.x, a.y - b.y};
}
Vec operator*(Vec a, double k)
{
    return {a.x * k, a.y * k};
}
double len(Vec a)
{
    return std::sqrt(a.x * a.x + a.y * a.y);
}
Vec unit(Vec a)
{
    double l = len(a);
    return l > 0 ? a * (1 / l) : Vec{0, 0};
}
Vec perp(Vec a)
{
    return {-a.y, a.x};
}
double lerp(double a, double b, double t)
{
    return a + (b - a) * t;
}
Vec lerp(Vec a, Vec b, double t)
{
    return {lerp(a.x, b.x, t), lerp(a.y, b.y, t)};
}
// Angles count from straight down, positive toward the character's front.
Vec down(double a)
{
    return {std::sin(a), std::cos(a)};
}
double clamp01(double v)
{
    return std::min(1.0, std::max(0.0, v));
}
double smooth(double t)
{
    return t * t * (3 - 2 * t);
}

struct Rgb {
    int r = 0, g = 0, b = 0;
};
Rgb mix(Rgb a, Rgb b, double t)
{
    return {int(std::lround(lerp(a.r, b.r, t))), int(std::lround(lerp(a.g, b.g, t))),
            int(std::lround(lerp(a.b, b.b, t)))};
}
Rgb scale(Rgb c, double k)
{
    return mix({0, 0, 0}, c, k);
}

// Shadow, body and lit colour of one material.
struct Tone {
    Rgb shade, base, light;
};
Tone dim(const Tone &t, double k)
{
    return {scale(t.shade, k), scale(t.base, k), scale(t.light, k)};
}

const Rgb kInk{24, 18, 32};

// ---------------------------------------------------------------- deterministic noise

uint32_t hash(int32_t x, int32_t y, uint32_t seed)
{
    uint32_t h = seed * 0x9E3779B9u ^ uint32_t(x) * 0x85EBCA6Bu ^ uint32_t(y) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}
double hashUnit(int32_t x, int32_t y, uint32_t seed)
{
    return hash(x, y, seed) / 4294967295.0;
}

double valueNoise(double x, double y, uint32_t seed)
{
    double fx = std::floor(x), fy = std::floor(y);
    int32_t ix = int32_t(fx), iy = int32_t(fy);
    double tx = smooth(x - fx), ty = smooth(y - fy);
    double a = hashUnit(ix, iy, seed), b = hashUnit(ix + 1, iy, seed);
    double c = hashUnit(ix, iy + 1, seed), d = hashUnit(ix + 1, iy + 1, seed);
    return lerp(lerp(a, b, tx), lerp(c, d, tx), ty);
}

double fbm(double x, double y, uint32_t seed, int octaves)
{
    double sum = 0, amp = 0.5, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * valueNoise(x, y, seed + uint32_t(i) * 101u);
        norm += amp;
        amp *= 0.5;
        x *= 2.03;
        y *= 2.03;
    }
    return sum / norm;
}

class Rng
{
  public:
    explicit Rng(uint64_t seed) : state_(seed * 2685821657736338717ull + 1) {}
    double unit()
    {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return double((state_ * 2685821657736338717ull) >> 11) / double(1ull << 53);
    }
    double range(double a, double b) { return lerp(a, b, unit()); }

  private:
    uint64_t state_;
};

// ---------------------------------------------------------------- images and PNG output

struct Image {
    int w = 0, h = 0;
    std::vector<uint8_t> px; // RGBA, row by row
    Image() = default;
    Image(int width, int height) : w(width), h(height), px(size_t(width) * height * 4, 0) {}
    uint8_t *at(int x, int y) { return &px[(size_t(y) * w + x) * 4]; }
    const uint8_t *at(int x, int y) const { return &px[(size_t(y) * w + x) * 4]; }
    void set(int x, int y, Rgb c, int a = 255)
    {
        uint8_t *p = at(x, y);
        p[0] = uint8_t(std::clamp(c.r, 0, 255));
        p[1] = uint8_t(std::clamp(c.g, 0, 255));
        p[2] = uint8_t(std::clamp(c.b, 0, 255));
        p[3] = uint8_t(a);
    }
    Rgb rgb(int x, int y) const
    {
        const uint8_t *p = at(x, y);
        return {p[0], p[1], p[2]};
    }
};

// Porter-Duff "over" of src onto dst with src's top-left at (ox, oy).
void composite(Image &dst, const Image &src, int ox, int oy)
{
    for (int y = 0; y < src.h; ++y)
        for (int x = 0; x < src.w; ++x) {
            int dx = x + ox, dy = y + oy;
            if (dx < 0 || dy < 0 || dx >= dst.w || dy >= dst.h)
                continue;
            const uint8_t *s = src.at(x, y);
            uint8_t *d = dst.at(dx, dy);
            double sa = s[3] / 255.0, da = d[3] / 255.0;
            double oa = sa + da * (1 - sa);
            for (int c = 0; c < 3 && oa > 0; ++c)
                d[c] = uint8_t(std::lround((s[c] * sa + d[c] * da * (1 - sa)) / oa));
            d[3] = uint8_t(std::lround(oa * 255));
        }
}

// Backgrounds are written opaque: the game blits them every frame, and an alpha channel would make each
// of those blits a per-pixel blend.
bool writePng(const fs::path &path, const Image &img, bool opaque = false)
{
    FILE *file = std::fopen(path.string().c_str(), "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, png_uint_32(img.w), png_uint_32(img.h), 8,
                 opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    if (opaque)
        png_set_filler(png, 0, PNG_FILLER_AFTER);
    for (int y = 0; y < img.h; ++y)
        png_write_row(png, img.px.data() + size_t(y) * img.w * 4);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

// ---------------------------------------------------------------- supersampled painter

// Shapes are filled opaque on a 4x canvas and averaged down: SDL_gfx's own blending darkens and thins the
// alpha of edges drawn over transparent pixels, whereas averaging gives clean anti-aliased RGBA edges.
constexpr int kSS = 4;

class Painter
{
  public:
    Painter(int w, int h) : w_(w), h_(h)
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
    ~Painter()
    {
        SDL_FreeSurface(surf_);
    }
    Painter(const Painter &) = delete;
    Painter &operator=(const Painter &) = delete;
    bool ok() const
    {
        return surf_ != nullptr;
    }

    // Local drawing space: origin at `origin` on the canvas, x mirrored when `flip`, uniform `zoom`.
    Vec origin;
    bool flip = false;
    double zoom = 1;
    Vec light{0.5, -0.85}; // where lit faces lean, in canvas space
    double ink = 0.9;      // half width of outlines, canvas pixels

    Vec map(Vec v) const
    {
        return {origin.x + (flip ? -v.x : v.x) * zoom, origin.y + v.y * zoom};
    }

    void fill(const std::vector<Vec> &local, Rgb c)
    {
        fillCanvas(mapAll(local), c);
    }

    // A material shape: shadow colour, a lit inset leaning to the light, optional gloss, dark outline.
    void part(const std::vector<Vec> &local, const Tone &t, double litScale = 0.78, bool gloss = false)
    {
        std::vector<Vec> p = mapAll(local);
        fillCanvas(p, t.shade);
        Vec c = centroid(p);
        double r = 0;
        for (const Vec &v : p)
            r = std::max(r, len(v - c));
        Vec l = unit(light);
        fillCanvas(shift(scaleAbout(p, c, litScale), l * (r * (1 - litScale) * 0.55)), t.base);
        if (gloss)
            fillCanvas(shift(scaleAbout(p, c, 0.32), l * (r * 0.42)), t.light);
        else
            fillCanvas(shift(scaleAbout(p, c, 0.45), l * (r * 0.38)), mix(t.base, t.light, 0.55));
        strokeCanvas(p, ink, kInk);
    }

    // A limb between two joints with end radii ra and rb (local units).
    void limb(Vec a, Vec b, double ra, double rb, const Tone &t)
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

    void blob(Vec c, double rx, double ry, double ang, const Tone &t, bool gloss = false)
    {
        part(ellipse(c, rx, ry, ang), t, 0.74, gloss);
    }

    void dot(Vec c, double r, Rgb col)
    {
        fill(ellipse(c, r, r, 0, 20), col);
    }
    void line(Vec a, Vec b, double width, Rgb col)
    {
        Vec ca = map(a), cb = map(b);
        fillCanvas(capsule(ca, cb, width * 0.5, width * 0.5), col);
    }

    static std::vector<Vec> ellipse(Vec c, double rx, double ry, double ang, int n = 48)
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

    Image resolve() const
    {
        Image img(w_, h_);
        if (!surf_)
            return img;
        SDL_LockSurface(surf_);
        const uint8_t *base = static_cast<const uint8_t *>(surf_->pixels);
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) {
                double sa = 0, sr = 0, sg = 0, sb = 0;
                for (int j = 0; j < kSS; ++j) {
                    const uint8_t *row = base + size_t(y * kSS + j) * surf_->pitch + size_t(x) * kSS * 4;
                    for (int i = 0; i < kSS; ++i) {
                        const uint8_t *q = row + i * 4;
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

  private:
    int w_, h_;
    SDL_Surface *surf_ = nullptr;

    std::vector<Vec> mapAll(const std::vector<Vec> &local) const
    {
        std::vector<Vec> p;
        p.reserve(local.size());
        for (const Vec &v : local)
            p.push_back(map(v));
        return p;
    }
    static Vec centroid(const std::vector<Vec> &p)
    {
        Vec c;
        for (const Vec &v : p)
            c = c + v;
        return p.empty() ? c : c * (1.0 / double(p.size()));
    }
    static std::vector<Vec> scaleAbout(std::vector<Vec> p, Vec c, double k)
    {
        for (Vec &v : p)
            v = c + (v - c) * k;
        return p;
    }
    static std::vector<Vec> shift(std::vector<Vec> p, Vec d)
    {
        for (Vec &v : p)
            v = v + d;
        return p;
    }
    // Convex hull of two circles: the outline of a tapered limb.
    static std::vector<Vec> capsule(Vec a, Vec b, double ra, double rb)
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
    void fillCanvas(const std::vector<Vec> &p, Rgb c)
    {
        if (p.size() < 3 || !surf_)
            return;
        std::vector<Sint16> xs, ys;
        for (const Vec &v : p) {
            xs.push_back(Sint16(std::lround(v.x * kSS)));
            ys.push_back(Sint16(std::lround(v.y * kSS)));
        }
        filledPolygonRGBA(surf_, xs.data(), ys.data(), int(p.size()), Uint8(c.r), Uint8(c.g), Uint8(c.b), 255);
    }
    void strokeCanvas(const std::vector<Vec> &p, double half, Rgb c)
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
};

// ---------------------------------------------------------------- skeleton

// Joint angles of one frame. Limb angles are absolute, measured from straight down toward the front.
struct Pose {
    double hipX = 0;
    double lean = 0; // torso tilt from upright, + toward the front
    double nod = 0;  // head tilt on top of the lean
    double breath = 0;
    double armN0 = 0, armN1 = 0, armF0 = 0, armF1 = 0; // near/far arm: upper arm, forearm
    double legN0 = 0, legN1 = 0, legF0 = 0, legF1 = 0; // near/far leg: thigh, shin
    double footN = 0, footF = 0;                       // foot tilt, 0 flat
    double weapon = 0;                                 // weapon direction from the near hand
    double sway = 0;                                   // trailing cloth
    double lift = 0;                                   // height above the ground, for hops and bounces
    double flash = 0;                                  // white-red tint of a blow
};

Pose blend(const Pose &a, const Pose &b, double t)
{
    Pose p;
    double Pose::*fields[] = {&Pose::hipX,  &Pose::lean,  &Pose::nod,    &Pose::breath, &Pose::armN0, &Pose::armN1,
                              &Pose::armF0, &Pose::armF1, &Pose::legN0,  &Pose::legN1,  &Pose::legF0, &Pose::legF1,
                              &Pose::footN, &Pose::footF, &Pose::weapon, &Pose::sway,   &Pose::lift,  &Pose::flash};
    for (auto f : fields)
        p.*f = lerp(a.*f, b.*f, t);
    return p;
}

// Body proportions in local units; joint anchors are (front, up) in the torso frame.
struct Build {
    double torso, neck, head, upper, fore, thigh, shin, foot;
    Vec shoulderN, shoulderF, hipN, hipF;
    double headFwd;
};

struct Skel {
    Vec hip, up, fwd, neck, head, hu, hf;
    Vec shN, elN, haN, shF, elF, haF;
    Vec hpN, knN, anN, hpF, knF, anF;
    Vec T(double f, double u) const { return hip + fwd * f + up * u; }
    Vec H(double f, double u) const { return head + hf * f + hu * u; }
};

constexpr double kGround = 145; // feet line below the reference point

Skel solve(const Pose &p, const Build &b)
{
    Skel s;
    s.up = {std::sin(p.lean), -std::cos(p.lean)};
    s.fwd = {std::cos(p.lean), std::sin(p.lean)};
    s.hip = {p.hipX, 0};
    for (int pass = 0; pass < 2; ++pass) {
        s.neck = s.T(0, b.torso);
        double ha = p.lean + p.nod;
        s.hu = {std::sin(ha), -std::cos(ha)};
        s.hf = {std::cos(ha), std::sin(ha)};
        s.head = s.neck + s.hu * (b.neck + b.head * 0.75) + s.hf * b.headFwd;
        s.shN = s.T(b.shoulderN.x, b.shoulderN.y + p.breath);
        s.shF = s.T(b.shoulderF.x, b.shoulderF.y + p.breath);
        s.elN = s.shN + down(p.armN0) * b.upper;
        s.haN = s.elN + down(p.armN1) * b.fore;
        s.elF = s.shF + down(p.armF0) * b.upper;
        s.haF = s.elF + down(p.armF1) * b.fore;
        s.hpN = s.T(b.hipN.x, b.hipN.y);
        s.hpF = s.T(b.hipF.x, b.hipF.y);
        s.knN = s.hpN + down(p.legN0) * b.thigh;
        s.anN = s.knN + down(p.legN1) * b.shin;
        s.knF = s.hpF + down(p.legF0) * b.thigh;
        s.anF = s.knF + down(p.legF1) * b.shin;
        // Rest the lowest body point on the ground, so falls and crouches need no hand-placed height.
        double low = std::max({s.anN.y + 6, s.anF.y + 6, s.knN.y + b.thigh * 0.2, s.knF.y + b.thigh * 0.2,
                               s.hip.y + b.thigh * 0.3, s.head.y + b.head, s.neck.y + b.head * 0.8});
        s.hip.y += kGround - p.lift - low;
    }
    return s;
}

// Turns a weapon of the given reach away from straight down until its tip rests on the floor.
double restOnFloor(Vec hand, double angle, double reach)
{
    double a = std::remainder(angle, 2 * kPi);
    if (hand.y + std::cos(a) * reach <= kGround - 1)
        return a;
    double c = std::clamp((kGround - 1 - hand.y) / reach, -1.0, 1.0);
    return (a < 0 ? -1 : 1) * std::acos(c);
}

std::vector<Vec> footShape(Vec ankle, double tilt, double length, double height)
{
    Vec d{std::cos(tilt), std::sin(tilt)};
    Vec n = perp(d); // points down for a flat foot
    return {ankle + d * -5 + n * -3, ankle + d * -7 + n * height, ankle + d * length + n * height,
            ankle + d * (length + 1) + n * (height - 3), ankle + d * (length * 0.45) + n * -1};
}

// ---------------------------------------------------------------- the hero

const Tone kTeal{{22, 88, 100}, {36, 138, 146}, {104, 200, 190}};
const Tone kNavy{{26, 30, 70}, {40, 52, 108}, {70, 86, 150}};
const Tone kSteel{{88, 100, 126}, {150, 164, 186}, {232, 240, 246}};
const Tone kSkin{{172, 112, 88}, {226, 168, 130}, {248, 210, 176}};
const Tone kHair{{50, 32, 26}, {92, 58, 38}, {138, 96, 62}};
const Tone kLeather{{66, 40, 26}, {108, 70, 42}, {150, 106, 66}};
const Tone kGold{{146, 104, 28}, {212, 168, 58}, {250, 226, 140}};
const Tone kCloth{{42, 46, 62}, {66, 74, 96}, {98, 108, 134}};

const Build kHeroBuild{50, 7, 13, 26, 24, 37, 37, 15, {3, 43}, {-4, 44}, {2, 2}, {-3, 2}, 2};

void drawHero(Painter &pt, const Pose &p)
{
    const Build &b = kHeroBuild;
    Skel s = solve(p, b);
    const double far = 0.72;

    // Cape, behind everything, trailing away from the front.
    double sw = p.sway;
    pt.part({s.T(-2, 47), s.T(-9, 44), s.T(-17 - sw * 0.5, 20), s.T(-24 - sw, -6), s.T(-18 - sw, -12),
             s.T(-10 - sw * 0.4, -14), s.T(-4, 10), s.T(0, 40)},
            kNavy, 0.8);

    // Far arm and leg, in shade.
    pt.limb(s.shF, s.elF, 6, 5, dim(kTeal, far));
    pt.limb(s.elF, s.haF, 4.6, 4.2, dim(kSkin, far));
    pt.limb(lerp(s.elF, s.haF, 0.2), lerp(s.elF, s.haF, 0.72), 5.2, 5, dim(kSteel, far));
    pt.dot(s.haF, 5, kInk);
    pt.blob(s.haF, 4.2, 4.2, 0, dim(kSkin, far));
    pt.limb(s.hpF, s.knF, 7.5, 6, dim(kCloth, far));
    pt.part(footShape(s.anF, p.footF, b.foot, 6), dim(kLeather, far));
    pt.limb(s.knF, s.anF + Vec{0, -1}, 6.4, 5.4, dim(kLeather, far));

    // Near leg.
    pt.limb(s.hpN, s.knN, 7.5, 6, kCloth);
    pt.part(footShape(s.anN, p.footN, b.foot, 6), kLeather);
    pt.limb(s.knN, s.anN + Vec{0, -1}, 6.4, 5.4, kLeather);
    pt.limb(lerp(s.knN, s.anN, 0.0), lerp(s.knN, s.anN, 0.18), 6.8, 6.4, kLeather);

    // Tunic skirt over the thighs, then the body.
    Vec kn = lerp(s.hpN, s.knN, 0.5), kf = lerp(s.hpF, s.knF, 0.5);
    pt.part({s.T(11, 8), s.T(12, 0), kn + s.fwd * 11 + Vec{0, 4}, lerp(kn, kf, 0.5) + Vec{0, 7},
             kf + s.fwd * -11 + Vec{-sw * 0.3, 4}, s.T(-11, -1), s.T(-10, 8)},
            kTeal, 0.8);
    double br = p.breath;
    pt.part({s.T(-9, 6), s.T(-11, 22), s.T(-10, 38), s.T(-6, 47 + br), s.T(4, 49 + br), s.T(11, 42 + br),
             s.T(13 + br * 0.8, 32), s.T(11, 18), s.T(10, 6)},
            kTeal, 0.78);
    // Breastplate.
    pt.part({s.T(-6, 18), s.T(-7, 34), s.T(-3, 44 + br), s.T(6, 45 + br), s.T(11.5 + br * 0.8, 34), s.T(10, 22),
             s.T(4, 16)},
            kSteel, 0.7, true);
    // Belt with buckle.
    pt.part({s.T(-11, 6), s.T(-10, 12), s.T(11, 12), s.T(12, 5)}, kLeather, 0.8);
    pt.part({s.T(6, 5.5), s.T(6, 12.5), s.T(11.5, 12.5), s.T(12, 5.5)}, kGold, 0.6, true);

    // Head: neck, face, hair, headband.
    pt.limb(s.neck + s.up * -2, s.neck + s.up * (b.neck + 2), 5, 4.6, kSkin);
    pt.blob(s.head, b.head * 0.92, b.head, p.lean + p.nod, kSkin);
    pt.part({s.H(2, 5), s.H(6, 8), s.H(12, 5), s.H(13.5, -2), s.H(12, -6), s.H(9, -5), s.H(8, -1), s.H(4, 4)}, kSkin,
            0.8); // nose and jaw side of the face
    pt.part({s.H(-13, 2), s.H(-12, 9), s.H(-6, 14), s.H(4, 14.5), s.H(11, 9), s.H(12, 5), s.H(4, 7), s.H(0, 3),
             s.H(-3, -4), s.H(-8, -8), s.H(-13, -7), s.H(-15, -2)},
            kHair, 0.8);
    pt.part({s.H(-12, 6), s.H(-11, 9.5), s.H(12, 7.5), s.H(12, 4)}, kTeal, 0.7); // headband
    pt.part({s.H(-12, 6.5), s.H(-19 - sw * 0.6, 3), s.H(-20 - sw * 0.6, -1), s.H(-12, 2.5)}, kTeal, 0.8);
    pt.dot(s.H(6.5, 1.5), 1.7, kInk);
    pt.dot(s.H(7.1, 2.0), 0.55, {240, 240, 240});
    pt.part(Painter::ellipse(s.H(-3, 1), 2.6, 3.4, p.lean + p.nod, 16), kSkin, 0.7); // ear

    // Near arm with the sword: blade first so the fist closes over the grip.
    Vec h = s.haN;
    Vec wd = down(restOnFloor(h, p.weapon, 62));
    Vec wn = perp(wd);
    pt.part(
        {h + wd * 7 + wn * 3.2, h + wd * 52 + wn * 3.0, h + wd * 61, h + wd * 52 + wn * -3.0, h + wd * 7 + wn * -3.2},
        kSteel, 0.55, true);
    pt.line(h + wd * 9, h + wd * 48, 1.1, kSteel.shade); // fuller
    pt.part({h + wd * 4 + wn * 8, h + wd * 7.5 + wn * 8.5, h + wd * 7.5 + wn * -8.5, h + wd * 4 + wn * -8}, kGold, 0.6,
            true); // cross-guard
    pt.limb(h + wd * -9, h + wd * 4, 2.2, 2.2, kLeather);
    pt.blob(h + wd * -10.5, 3, 3, 0, kGold, true);

    pt.limb(s.shN, s.elN, 6.2, 5.2, kTeal);
    pt.limb(s.elN, s.haN, 4.8, 4.3, kSkin);
    pt.limb(lerp(s.elN, s.haN, 0.2), lerp(s.elN, s.haN, 0.75), 5.4, 5.2, kSteel);
    pt.blob(s.shN + s.up * 1, 8, 6.5, p.lean + 0.1, kSteel, true); // pauldron
    pt.blob(h, 4.6, 4.4, 0, kSkin);
}

// ---------------------------------------------------------------- the brute

const Tone kHide{{80, 50, 104}, {126, 86, 154}, {176, 138, 196}};
const Tone kBelly{{120, 84, 130}, {168, 128, 172}, {206, 172, 206}};
const Tone kMoss{{42, 70, 36}, {76, 112, 56}, {122, 160, 86}};
const Tone kBone{{168, 154, 118}, {222, 212, 180}, {250, 246, 228}};
const Tone kStone{{82, 88, 98}, {128, 134, 144}, {180, 186, 192}};
const Tone kIron{{50, 54, 62}, {84, 90, 100}, {140, 148, 160}};

const Build kBruteBuild{56, 3, 17, 36, 34, 30, 28, 20, {4, 48}, {-9, 50}, {5, 2}, {-7, 2}, 10};

void drawBrute(Painter &pt, const Pose &p)
{
    const Build &b = kBruteBuild;
    Skel s = solve(p, b);
    const double far = 0.7;
    double br = p.breath;

    auto maul = [&](Vec h, double ang, bool farSide) {
        Vec wd = down(restOnFloor(h, ang, 76)), wn = perp(wd);
        double k = farSide ? far : 1;
        pt.limb(h + wd * -16, h + wd * 52, 3.4, 4.2, dim(kLeather, k));
        pt.part({h + wd * 46 + wn * -14, h + wd * 46 + wn * 14, h + wd * 68 + wn * 13, h + wd * 68 + wn * -13},
                dim(kStone, k), 0.72);
        pt.part({h + wd * 52 + wn * -15, h + wd * 52 + wn * 15, h + wd * 57 + wn * 15, h + wd * 57 + wn * -15},
                dim(kIron, k), 0.6, true);
        pt.part({h + wd * 68 + wn * -5, h + wd * 68 + wn * 5, h + wd * 76}, dim(kBone, k), 0.6); // spike
    };

    // Far limbs in shade.
    pt.limb(s.hpF, s.knF, 14, 11, dim(kHide, far));
    pt.part(footShape(s.anF, p.footF, b.foot, 7), dim(kHide, far));
    pt.limb(s.knF, s.anF, 11, 9.5, dim(kHide, far));
    pt.limb(s.shF, s.elF, 12, 10, dim(kHide, far));
    pt.limb(s.elF, s.haF, 10, 11, dim(kHide, far));
    pt.blob(s.haF, 10, 9, 0, dim(kHide, far));

    // Near leg.
    pt.limb(s.hpN, s.knN, 14.5, 11.5, kHide);
    pt.part(footShape(s.anN, p.footN, b.foot, 7), kHide);
    pt.limb(s.knN, s.anN, 11.5, 9.5, kHide);
    pt.limb(lerp(s.knN, s.anN, 0.45), lerp(s.knN, s.anN, 0.75), 11.4, 10.2, kIron); // shin band

    // Hunched body: back hump, chest, belly, loincloth.
    pt.part({s.T(-22, 0), s.T(-31, 22), s.T(-33, 44), s.T(-24, 62 + br), s.T(-8, 69 + br), s.T(12, 64 + br),
             s.T(26, 50), s.T(31 + br, 32), s.T(28, 14), s.T(18, -2)},
            kHide, 0.8);
    pt.blob(s.T(13 + br * 0.5, 22), 19 + br * 0.6, 23, p.lean + 0.2, kBelly);
    pt.line(s.T(6, 36), s.T(24, 40), 1.3, kBelly.shade); // chest fold
    pt.part({s.T(-19, 6), s.T(-17, -14 - p.sway * 0.3),
             lerp(lerp(s.hpN, s.knN, 0.55), lerp(s.hpF, s.knF, 0.55), 0.5) + Vec{0, 8}, s.T(17, -12), s.T(18, 6)},
            kMoss, 0.8);
    pt.part({s.T(-20, 1), s.T(-20, 9), s.T(19, 9), s.T(19, 1)}, kLeather, 0.8);
    pt.blob(s.T(9, 5), 3.6, 3.6, 0, kBone, true);

    // Head: low and thrust forward, with horns, brow, glowing eye and tusks.
    pt.part({s.H(-11, -13), s.H(-15, 2), s.H(-9, 15), s.H(8, 15), s.H(19, 7), s.H(23, -4), s.H(21, -12), s.H(12, -16)},
            kHide, 0.78);
    pt.part({s.H(-6, 10), s.H(-12, 20), s.H(-22, 27), s.H(-16, 18), s.H(-12, 8)}, kBone, 0.7); // horn
    pt.part({s.H(4, 12), s.H(8, 22), s.H(2, 30), s.H(14, 22), s.H(12, 11)}, kBone, 0.7);       // horn
    pt.part({s.H(4, 6), s.H(18, 7), s.H(21, 2), s.H(6, 1)}, dim(kHide, 0.8), 0.8);             // brow
    pt.fill(Painter::ellipse(s.H(13, 1.5), 3.4, 2.0, p.lean + p.nod - 0.2, 16), {206, 244, 86});
    pt.dot(s.H(14, 1.4), 1.0, {255, 255, 220});
    pt.part({s.H(14, -8), s.H(17, -3), s.H(21, -1), s.H(18, -8)}, kBone, 0.6); // tusk
    pt.part({s.H(6, -10), s.H(8, -4), s.H(11, -3), s.H(10, -10)}, dim(kBone, 0.85), 0.6);

    // Shoulder armour with spikes, near arm, maul in the fist.
    maul(s.haN, p.weapon, false);
    pt.limb(s.shN, s.elN, 13, 11, kHide);
    pt.limb(s.elN, s.haN, 11, 12.5, kHide);
    pt.limb(lerp(s.elN, s.haN, 0.55), lerp(s.elN, s.haN, 0.8), 12.4, 12.8, kIron); // bracer
    pt.blob(s.haN, 11, 10, 0, kHide);
    Vec sh = s.shN + s.up * 4;
    pt.part({sh + s.up * 12 + s.fwd * -4, sh + s.up * 22 + s.fwd * -2, sh + s.up * 13 + s.fwd * 3}, kBone, 0.6);
    pt.part({sh + s.up * 10 + s.fwd * 6, sh + s.up * 19 + s.fwd * 12, sh + s.up * 9 + s.fwd * 12}, kBone, 0.6);
    pt.blob(sh, 16, 11, p.lean + 0.15, kMoss, true);
    pt.line(sh + s.fwd * -12 + s.up * -2, sh + s.fwd * 12 + s.up * -2, 1.2, kMoss.shade);
}

// ---------------------------------------------------------------- frames and animations

struct Box {
    int x0, y0, x1, y1; // screen area a character may cover, end exclusive
};

struct Frame {
    Image pic;
    int xOff = 0, yOff = 0;
    unsigned hold = 100;
};

using DrawFn = void (*)(Painter &, const Pose &);

// Draws one pose, adds the flash tint and a soft ground shadow, and crops to the visible pixels.
// Reports failure when the picture leaves `box`, so no pose can cover the bars or the drawing area; the
// picture is still made, to let all such poses be seen and reported in one run.
bool renderFrame(DrawFn draw, const Pose &pose, bool faceLeft, Vec ref, Box box, Frame &out)
{
    const int margin = 60; // room to see, and report, how far a pose overshoots
    int w = box.x1 - box.x0 + 2 * margin, h = box.y1 - box.y0 + 2 * margin;
    Vec origin{ref.x - box.x0 + margin, ref.y - box.y0 + margin};
    Painter pt(w, h);
    if (!pt.ok())
        return false;
    pt.origin = origin;
    pt.flip = faceLeft;
    pt.light = faceLeft ? Vec{-0.5, -0.85} : Vec{0.5, -0.85};
    draw(pt, pose);
    Image body = pt.resolve();

    int groundY = int(std::lround(origin.y + kGround));
    int minX = w, maxX = -1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t *p = body.at(x, y);
            if (p[3] == 0)
                continue;
            if (pose.flash > 0)
                body.set(x, y, mix(body.rgb(x, y), {255, 132, 112}, pose.flash), p[3]);
            if (y > groundY - 14) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
            }
        }
    Image pic(w, h);
    if (maxX >= minX) {
        double cx = (minX + maxX) / 2.0, rx = (maxX - minX) / 2.0 + 10, ry = 5.5;
        for (int y = groundY - 8; y <= groundY + 8; ++y)
            for (int x = int(cx - rx) - 1; x <= int(cx + rx) + 1; ++x) {
                double d = std::pow((x + 0.5 - cx) / rx, 2) + std::pow((y + 0.5 - groundY) / ry, 2);
                if (d < 1 && x >= 0 && x < w && y >= 0 && y < h)
                    pic.set(x, y, {14, 8, 6}, int(std::lround(100 * smooth(1 - d))));
            }
    }
    composite(pic, body, 0, 0);

    int x0 = w, y0 = h, x1 = -1, y1 = -1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (pic.at(x, y)[3] > 0) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
    if (x1 < 0)
        return false;
    int sx0 = x0 - margin + box.x0, sy0 = y0 - margin + box.y0, sx1 = x1 - margin + box.x0, sy1 = y1 - margin + box.y0;
    bool inside = sx0 >= box.x0 && sy0 >= box.y0 && sx1 < box.x1 && sy1 < box.y1;
    if (!inside)
        std::printf("makeart: pose covers x %d..%d, y %d..%d, outside its area x %d..%d, y %d..%d\n", sx0, sx1, sy0,
                    sy1, box.x0, box.x1 - 1, box.y0, box.y1 - 1);
    out.pic = Image(x1 - x0 + 1, y1 - y0 + 1);
    for (int y = y0; y <= y1; ++y)
        std::copy(pic.at(x0, y), pic.at(x1, y) + 4, out.pic.at(0, y - y0));
    out.xOff = sx0 - int(ref.x);
    out.yOff = sy0 - int(ref.y);
    return inside;
}

struct Action {
    const char *name;
    int loops;
    unsigned rule;
    std::vector<std::pair<Pose, unsigned>> frames; // pose and hold time in ms
};

std::vector<Action> heroActions()
{
    Pose stand;
    stand.hipX = -30;
    stand.lean = 0.06;
    stand.nod = 0.02;
    stand.armN0 = 0.45;
    stand.armN1 = 1.95;
    stand.weapon = 2.55;
    stand.armF0 = 0.25;
    stand.armF1 = 1.1;
    stand.legN0 = 0.38;
    stand.legN1 = -0.02;
    stand.legF0 = -0.2;
    stand.legF1 = -0.3;
    stand.footF = 0.05;
    stand.sway = 2;

    Action idle{"Idle", -1, 0, {}};
    for (int k = 0; k < 8; ++k) {
        double ph = 2 * kPi * k / 8, b = 0.5 - 0.5 * std::cos(ph);
        Pose p = stand;
        p.breath = 1.8 * b;
        p.legN0 += 0.06 * b;
        p.legN1 -= 0.05 * b;
        p.legF0 -= 0.03 * b;
        p.armN0 += 0.05 * b;
        p.armN1 -= 0.04 * b;
        p.weapon -= 0.07 * b;
        p.armF1 += 0.06 * b;
        p.nod -= 0.04 * b;
        p.sway = 2 + 2.5 * std::sin(ph);
        idle.frames.push_back({p, 140});
    }

    Pose wind = stand; // sword raised high behind the head
    wind.hipX = -36;
    wind.lean = -0.12;
    wind.nod = 0.05;
    wind.armN0 = 3.0;
    wind.armN1 = 3.35;
    wind.weapon = 3.75;
    wind.armF0 = 0.6;
    wind.armF1 = 1.5;
    wind.legN0 = 0.3;
    wind.legF0 = -0.25;
    wind.legF1 = -0.35;
    wind.sway = 0;
    Pose strike = stand; // lunge with the blade cutting down in front
    strike.hipX = -22;
    strike.lean = 0.36;
    strike.nod = -0.2;
    strike.armN0 = 1.2;
    strike.armN1 = 0.95;
    strike.weapon = 0.75;
    strike.armF0 = -0.9;
    strike.armF1 = -0.5;
    strike.legN0 = 0.95;
    strike.legN1 = 0.1;
    strike.legF0 = -0.45;
    strike.legF1 = -0.68;
    strike.footF = 0.45;
    strike.sway = 12;
    Action attk{"Attk", 0, 0, {}};
    attk.frames.push_back({blend(stand, wind, 0.6), 70});
    attk.frames.push_back({wind, 80});
    attk.frames.push_back({blend(wind, strike, 0.55), 60});
    attk.frames.push_back({strike, 140});
    Pose back = blend(strike, stand, 0.55); // recovering to guard, blade raised
    back.armN1 = 1.6;
    back.weapon = 2.1;
    attk.frames.push_back({back, 100});

    Pose hurt = stand; // knocked back, head thrown back, guard lost
    hurt.hipX = -40;
    hurt.lean = -0.32;
    hurt.nod = -0.35;
    hurt.armN0 = 0.9;
    hurt.armN1 = 2.6;
    hurt.weapon = 3.2;
    hurt.armF0 = 0.9;
    hurt.armF1 = 1.9;
    hurt.legN0 = 0.55;
    hurt.legN1 = 0.2;
    hurt.legF0 = -0.05;
    hurt.legF1 = -0.45;
    hurt.sway = -3;
    Action pain{"Pain", 0, 0, {}};
    Pose h0 = hurt;
    h0.flash = 0.42;
    pain.frames.push_back({h0, 90});
    Pose h1 = blend(hurt, stand, 0.15);
    h1.flash = 0.2;
    pain.frames.push_back({h1, 100});
    pain.frames.push_back({blend(hurt, stand, 0.5), 110});
    pain.frames.push_back({blend(hurt, stand, 0.82), 110});

    Pose buckle = hurt; // knees give way
    buckle.hipX = -32;
    buckle.lean = -0.1;
    buckle.nod = 0.3;
    buckle.armN0 = 0.5;
    buckle.armN1 = 1.0;
    buckle.weapon = 2.2;
    buckle.armF0 = 0.2;
    buckle.armF1 = 0.4;
    buckle.legN0 = 1.25;
    buckle.legN1 = -0.25;
    buckle.legF0 = 0.9;
    buckle.legF1 = -0.6;
    buckle.footF = 0.4;
    buckle.sway = 2;
    Pose lying = buckle; // flat on the back, knees up, sword dropped beside
    lying.hipX = 5;
    lying.lean = -1.5;
    lying.nod = -0.15;
    lying.armN0 = 1.5;
    lying.armN1 = 1.6;
    lying.weapon = -1.55;
    lying.armF0 = -0.4;
    lying.armF1 = 0.9;
    lying.legN0 = 2.75;
    lying.legN1 = 0.2;
    lying.footN = 0;
    lying.legF0 = 2.45;
    lying.legF1 = 0.45;
    lying.footF = 0.2;
    lying.sway = -4;
    Action dead{"Dead", 0, 1, {}};
    Pose d0 = hurt;
    d0.flash = 0.42;
    dead.frames.push_back({d0, 100});
    dead.frames.push_back({buckle, 110});
    dead.frames.push_back({blend(buckle, lying, 0.35), 90});
    dead.frames.push_back({blend(buckle, lying, 0.75), 90});
    Pose bounce = lying;
    bounce.lift = 3;
    bounce.nod = 0.1;
    dead.frames.push_back({bounce, 100});
    dead.frames.push_back({lying, 150});
    return {idle, attk, pain, dead};
}

std::vector<Action> bruteActions()
{
    Pose stand;
    stand.hipX = -24;
    stand.lean = 0.32;
    stand.nod = -0.3;
    stand.armN0 = 0.55;
    stand.armN1 = 2.3;
    stand.weapon = 3.75; // maul resting on the shoulder
    stand.armF0 = 0.35;
    stand.armF1 = 0.75;
    stand.legN0 = 0.45;
    stand.legN1 = -0.1;
    stand.legF0 = -0.25;
    stand.legF1 = -0.2;

    Action idle{"Idle", -1, 0, {}};
    for (int k = 0; k < 6; ++k) {
        double ph = 2 * kPi * k / 6, b = 0.5 - 0.5 * std::cos(ph);
        Pose p = stand;
        p.breath = 2.6 * b;
        p.lean -= 0.04 * b;
        p.nod += 0.03 * b;
        p.legN0 += 0.07 * (1 - b);
        p.legN1 -= 0.07 * (1 - b);
        p.armF1 += 0.1 * b;
        p.weapon -= 0.05 * b;
        p.sway = 3 * std::sin(ph);
        idle.frames.push_back({p, 150});
    }

    Pose raise = stand; // maul lifted high overhead
    raise.hipX = -30;
    raise.lean = 0.05;
    raise.nod = -0.25;
    raise.armN0 = 2.7;
    raise.armN1 = 3.1;
    raise.weapon = 3.7;
    raise.armF0 = 0.1;
    raise.armF1 = 1.2;
    Pose swing = raise; // maul coming over the top
    swing.hipX = -40;
    swing.lean = 0.4;
    swing.armN0 = 2.45;
    swing.armN1 = 2.7;
    swing.weapon = 2.6;
    swing.legN0 = 0.7;
    Pose smash = stand; // lunging blow, maul driven down in front
    smash.hipX = -56;
    smash.lean = 0.55;
    smash.nod = -0.55;
    smash.armN0 = 0.55;
    smash.armN1 = 0.4;
    smash.weapon = 0.05;
    smash.armF0 = -0.4;
    smash.armF1 = -0.1;
    smash.legN0 = 0.75;
    smash.legN1 = 0.05;
    smash.legF0 = -0.05;
    smash.legF1 = -0.12;
    smash.footF = 0.3;
    smash.sway = 6;
    Action attk{"Attk", 0, 0, {}};
    attk.frames.push_back({blend(stand, raise, 0.55), 80});
    attk.frames.push_back({raise, 90});
    attk.frames.push_back({swing, 60});
    attk.frames.push_back({smash, 150});
    Pose lift = blend(smash, stand, 0.6); // hauling the maul back up
    lift.armN1 = 2.0;
    lift.weapon = 3.3;
    attk.frames.push_back({lift, 100});

    Pose hurt = stand; // reels back, maul swinging away
    hurt.hipX = -30;
    hurt.lean = 0.0;
    hurt.nod = -0.55;
    hurt.armN0 = 0.4;
    hurt.armN1 = 1.5;
    hurt.weapon = 3.3;
    hurt.armF0 = 0.9;
    hurt.armF1 = 1.6;
    hurt.legN0 = 0.55;
    hurt.legN1 = 0.15;
    hurt.legF0 = -0.1;
    hurt.legF1 = -0.35;
    hurt.sway = -4;
    Action pain{"Pain", 0, 0, {}};
    Pose h0 = hurt;
    h0.flash = 0.42;
    pain.frames.push_back({h0, 90});
    Pose h1 = blend(hurt, stand, 0.15);
    h1.flash = 0.2;
    pain.frames.push_back({h1, 100});
    pain.frames.push_back({blend(hurt, stand, 0.5), 110});
    pain.frames.push_back({blend(hurt, stand, 0.82), 120});

    Pose kneel = hurt; // drops to its knees
    kneel.hipX = -24;
    kneel.lean = 0.35;
    kneel.nod = 0.2;
    kneel.armN0 = 0.3;
    kneel.armN1 = 0.2;
    kneel.weapon = -0.3;
    kneel.armF0 = 0.1;
    kneel.armF1 = 0.0;
    kneel.legN0 = 1.4;
    kneel.legN1 = -0.6;
    kneel.legF0 = 1.1;
    kneel.legF1 = -1.1;
    kneel.footN = 0.5;
    kneel.footF = 0.8;
    Pose lying = kneel; // toppled onto its back, legs folded
    lying.hipX = 17;
    lying.lean = -1.45;
    lying.nod = 0.3;
    lying.armN0 = 1.5;
    lying.armN1 = 1.6;
    lying.weapon = -1.45;
    lying.armF0 = 1.45;
    lying.armF1 = 1.2;
    lying.legN0 = 2.75;
    lying.legN1 = 0.35;
    lying.footN = 0;
    lying.legF0 = 2.4;
    lying.legF1 = 0.6;
    lying.footF = 0.1;
    Action dead{"Dead", 0, 1, {}};
    Pose d0 = hurt;
    d0.flash = 0.42;
    dead.frames.push_back({d0, 100});
    dead.frames.push_back({kneel, 120});
    dead.frames.push_back({blend(kneel, lying, 0.35), 100});
    dead.frames.push_back({blend(kneel, lying, 0.75), 90});
    Pose bounce = lying;
    bounce.lift = 4;
    dead.frames.push_back({bounce, 100});
    dead.frames.push_back({lying, 150});
    return {idle, attk, pain, dead};
}

bool writeCharacter(const fs::path &media, const std::string &name, DrawFn draw, const std::vector<Action> &actions,
                    bool faceLeft, Vec ref, Box box)
{
    fs::path dir = media / "chars" / name;
    std::error_code ec;
    fs::create_directories(dir, ec);
    std::ofstream info(dir / "info");
    if (!info) {
        std::printf("makeart: cannot write %s\n", (dir / "info").string().c_str());
        return false;
    }
    bool ok = true;
    for (const Action &a : actions) {
        info << a.name << " 0 " << a.loops << ' ' << a.rule << '\n';
        for (size_t k = 0; k < a.frames.size(); ++k) {
            Frame f;
            f.hold = a.frames[k].second;
            std::string file = std::string(a.name) + std::to_string(k) + ".png";
            if (!renderFrame(draw, a.frames[k].first, faceLeft, ref, box, f)) {
                std::printf("makeart: %s/%s does not fit\n", name.c_str(), file.c_str());
                ok = false;
            }
            if (!writePng(dir / file, f.pic)) {
                std::printf("makeart: cannot write %s\n", (dir / file).string().c_str());
                return false;
            }
            info << a.name << " 1 " << f.xOff << ' ' << f.yOff << ' ' << f.hold << '\n';
        }
    }
    return ok && bool(info);
}

// ---------------------------------------------------------------- the hall

// Warm wood shade from a grain value in 0..1.
Rgb woodColour(double g, double tone)
{
    return scale(mix({58, 34, 20}, {136, 90, 52}, g), tone);
}

void drawBanner(Image &img, int cx, const Tone &cloth, bool heroSide, int yTop = 106)
{
    Painter pt(100, 140);
    if (!pt.ok())
        return;
    pt.origin = {50, 6};
    pt.light = {0.2, -1};
    const double w = 30, top = 6, bottom = 100;
    pt.part({{-w, top}, {w, top}, {w, bottom}, {0, bottom - 16}, {-w, bottom}}, cloth, 0.86);
    pt.part({{-w + 4, top + 4}, {w - 4, top + 4}, {w - 4, top + 8}, {-w + 4, top + 8}}, kGold, 0.7);
    if (heroSide) { // a quill
        pt.part({{-10, 78}, {-6, 58}, {2, 38}, {12, 22}, {9, 40}, {2, 58}, {-7, 76}}, kBone, 0.75);
        pt.line({-11, 82}, {10, 26}, 1.4, kBone.shade);
    } else { // a horned skull
        pt.part({{-14, 36}, {-24, 22}, {-20, 40}, {-10, 46}}, kBone, 0.7);
        pt.part({{14, 36}, {24, 22}, {20, 40}, {10, 46}}, kBone, 0.7);
        pt.blob({0, 50}, 13, 14, 0, kBone);
        pt.part({{-8, 60}, {8, 60}, {6, 70}, {-6, 70}}, kBone, 0.7);
        pt.dot({-5, 49}, 3.6, kInk);
        pt.dot({5, 49}, 3.6, kInk);
    }
    pt.limb({-w - 6, top}, {w + 6, top}, 2.6, 2.6, kLeather); // rod
    pt.blob({-w - 7, top}, 3.6, 3.6, 0, kGold, true);
    pt.blob({w + 7, top}, 3.6, 3.6, 0, kGold, true);
    Image banner = pt.resolve();
    composite(img, banner, cx - 50, yTop);
}

Image makeBackground()
{
    Image img(640, 480);
    const int beamEnd = 112, railTop = 338, floorY = 392;
    std::vector<int> seams;
    Rng rng(1977);
    for (int x = -int(rng.range(0, 30)); x < 640; x += int(rng.range(40, 62)))
        seams.push_back(x);
    seams.push_back(700);

    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            Rgb c;
            if (y < floorY) {
                size_t i = 0;
                while (seams[i + 1] <= x)
                    ++i;
                int u = x - seams[i], pw = seams[i + 1] - seams[i];
                uint32_t id = uint32_t(i);
                double tone = 0.8 + 0.3 * hashUnit(int32_t(id), 0, 5);
                double warp = 6 * fbm(x * 0.02, y * 0.01, 21 + id, 3);
                double g = 0.55 * fbm(x * 0.15 + id * 13.0, y * 0.01, 11, 4) +
                           0.45 * (0.5 + 0.5 * std::sin((x + warp) * 1.1 + id));
                // A knot on some boards: rings bend the grain around an eye.
                double ky = 150 + 170 * hashUnit(int32_t(id), 1, 5), kx = seams[i] + pw * 0.5;
                double kd = std::hypot((x - kx) / 4.0, (y - ky) / 9.0);
                if (hashUnit(int32_t(id), 2, 5) < 0.45 && kd < 4)
                    g = 0.3 + 0.35 * (0.5 + 0.5 * std::sin(kd * 3.5));
                c = woodColour(g, tone);
                if (u == 0 || u == 1)
                    c = scale(c, u == 0 ? 0.35 : 0.6);
                else if (u == pw - 1)
                    c = mix(c, {170, 120, 80}, 0.25);
                // Nails where boards meet the beams.
                for (int ny : {beamEnd + 16, railTop - 14}) {
                    double nd = std::hypot(x - (seams[i] + 6.5), y - ny);
                    if (nd < 2.2)
                        c = mix({40, 36, 34}, {120, 112, 104}, clamp01((ny - y) / 4.0 + 0.3));
                }
            } else { // floor boards run toward a vanishing point above the hall's centre
                double depth = y - 120.0;
                double u = (x - 320.0) / depth * 6.0;
                double board = std::floor(u);
                double fu = u - board;
                double g = 0.6 * fbm(u * 8.0, 40000.0 / depth, 31 + uint32_t(board + 100), 4) +
                           0.4 * (0.5 + 0.5 * std::sin(u * 40.0 + 3 * fbm(u, 2000 / depth, 7, 2)));
                double tone = 0.85 + 0.25 * hashUnit(int32_t(board), 7, 9);
                c = scale(woodColour(g, tone), 1.08);
                if (fu < 0.05)
                    c = scale(c, 0.45);
                double joint = std::fmod(40000.0 / depth + 37 * hashUnit(int32_t(board), 8, 9), 90.0);
                if (joint < 1.2)
                    c = scale(c, 0.55);
            }
            // Beam across the top and rail along the bottom of the wall: dark, calm, horizontal grain.
            if (y < beamEnd || (y >= railTop && y < floorY)) {
                double g = 0.6 * fbm(x * 0.006, y * 0.25, 41, 4) +
                           0.4 * (0.5 + 0.5 * std::sin(y * 0.9 + 5 * fbm(x * 0.01, y * 0.05, 3, 2)));
                c = woodColour(g, 0.5);
                int edgeTop = y < beamEnd ? beamEnd - 6 : railTop, edgeLen = 5;
                if (y >= edgeTop && y < edgeTop + edgeLen)
                    c = woodColour(g, y < beamEnd ? 0.75 : 0.85);
                if (y == beamEnd - 1 || y == floorY - 1)
                    c = {22, 14, 9};
                if (y == railTop)
                    c = {30, 20, 12};
            }
            // Lighting: warm pool over the middle, shadow under the beam and rail, darker corners.
            double lx = (x - 320) / 360.0, ly = (y - 300) / 300.0;
            double lightK = 0.62 + 0.5 * std::exp(-(lx * lx + ly * ly) * 2.2);
            if (y >= beamEnd && y < beamEnd + 26)
                lightK *= 0.55 + 0.45 * smooth((y - beamEnd) / 26.0);
            if (y >= floorY && y < floorY + 14)
                lightK *= 0.5 + 0.5 * smooth((y - floorY) / 14.0);
            if (y < beamEnd)
                lightK = std::min(lightK, 0.85);
            if (y >= railTop && y < floorY)
                lightK = std::min(lightK, 0.72);
            c = scale(c, lightK);
            c = mix(c, {255, 170, 90}, 0.06 * std::exp(-(lx * lx + ly * ly) * 3));
            img.set(x, y, c);
        }
    drawBanner(img, 85, dim(kTeal, 0.7), true);
    drawBanner(img, 555, dim(kHide, 0.7), false);
    return img;
}

Image makeDrawArea()
{
    const int n = 300;
    Image img(n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            double blot = fbm(x * 0.018, y * 0.018, 61, 4);
            double fibre = fbm(x * 0.35, y * 0.06, 62, 2);
            double k = 0.9 + 0.12 * blot + 0.04 * fibre;
            double edge = std::min({x, y, n - 1 - x, n - 1 - y});
            k *= 0.8 + 0.2 * smooth(clamp01((edge - 8) / 40.0));
            Rgb c = scale({182, 156, 114}, k);
            if (edge < 6) { // dark wooden frame with a lit inner lip
                double g = fbm(x * 0.2 + y * 0.2, (x < 6 || x > n - 7) ? y * 0.02 : x * 0.02, 71, 3);
                c = woodColour(g, 0.45);
                if (edge >= 4)
                    c = woodColour(g, 0.8);
            } else if (edge < 8) {
                c = scale(c, 0.62);
            }
            img.set(x, y, c);
        }
    Painter pt(n, n);
    if (pt.ok()) {
        for (Vec c : {Vec{3, 3}, Vec{296, 3}, Vec{3, 296}, Vec{296, 296}})
            pt.blob(c, 3.2, 3.2, 0, kGold, true);
        composite(img, pt.resolve(), 0, 0);
    }
    return img;
}

// The desktop icon: the hero's quill banner on a rounded tile of dark wood.
Image makeIcon()
{
    const int n = 128;
    const double r = 20;
    Image img(n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            double dx = std::max(std::abs(x + 0.5 - n / 2.0) - (n / 2.0 - r), 0.0);
            double dy = std::max(std::abs(y + 0.5 - n / 2.0) - (n / 2.0 - r), 0.0);
            double cover = clamp01(r + 0.5 - std::sqrt(dx * dx + dy * dy));
            if (cover > 0)
                img.set(x, y, woodColour(fbm(x * 0.05, y * 0.3, 81, 3), 0.55), int(std::lround(cover * 255)));
        }
    drawBanner(img, n / 2, kTeal, true, 8);
    return img;
}

// The icon at a smaller size: each pixel the alpha-weighted mean of an 8x8 grid of source samples, so edges stay
// smooth and transparent pixels lend no colour.
Image shrink(const Image &src, int n)
{
    const int k = 8;
    Image img(n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            double sum[4] = {};
            for (int j = 0; j < k; ++j)
                for (int i = 0; i < k; ++i) {
                    const uint8_t *p = src.at((x * k + i) * src.w / (n * k), (y * k + j) * src.h / (n * k));
                    for (int c = 0; c < 3; ++c)
                        sum[c] += p[c] * p[3];
                    sum[3] += p[3];
                }
            uint8_t *q = img.at(x, y);
            for (int c = 0; c < 3; ++c)
                q[c] = sum[3] > 0 ? uint8_t(std::lround(sum[c] / sum[3])) : 0;
            q[3] = uint8_t(std::lround(sum[3] / (k * k)));
        }
    return img;
}

} // namespace

int main(int argc, char **argv)
{
    if ((argc == 3 || argc == 4) && std::string(argv[1]) == "--icon") {
        const int size = argc == 4 ? std::atoi(argv[3]) : 128;
        if (size < 1 || size > 128) {
            std::printf("makeart: icon size must be 1 to 128\n");
            return 2;
        }
        Image icon = makeIcon();
        return writePng(argv[2], size == icon.w ? icon : shrink(icon, size)) ? 0 : 1;
    }
    if (argc != 2) {
        std::printf("usage: makeart <media folder> | makeart --icon <file.png> [size, default 128]\n");
        return 2;
    }
    fs::path media = argv[1];
    std::error_code ec;
    fs::create_directories(media / "bkground", ec);
    if (ec) {
        std::printf("makeart: cannot create %s\n", (media / "bkground").string().c_str());
        return 1;
    }
    bool ok = writePng(media / "bkground" / "woodCrap.png", makeBackground(), true) &&
              writePng(media / "bkground" / "drawBk.png", makeDrawArea(), true);
    ok = writeCharacter(media, "demoChar", drawHero, heroActions(), false, {85, 280}, {0, 95, 169, 471}) && ok;
    ok = writeCharacter(media, "demoBadguy", drawBrute, bruteActions(), true, {555, 280}, {472, 95, 640, 471}) && ok;
    if (!ok) {
        std::printf("makeart: failed\n");
        return 1;
    }
    return 0;
}
