// A supersampled painter for shaded, outlined shapes in a character's or a prop's local space.
#pragma once

#include <SDL/SDL.h>

#include <vector>

#include "geometry.h"
#include "image.h"

// Shapes are filled opaque on a 4x canvas and averaged down: SDL_gfx's own blending darkens and thins the
// alpha of edges drawn over transparent pixels, whereas averaging gives clean anti-aliased RGBA edges.
constexpr int kSS = 4;

class Painter {
public:
    Painter(int w, int h);
    ~Painter();
    Painter(const Painter&) = delete;
    Painter& operator=(const Painter&) = delete;
    bool ok() const { return surf_ != nullptr; }

    // Local drawing space: origin at `origin` on the canvas, x mirrored when `flip`, uniform `zoom`.
    Vec origin;
    bool flip = false;
    double zoom = 1;
    Vec light{0.5, -0.85}; // where lit faces lean, in canvas space
    double ink = 0.9;      // half width of outlines, canvas pixels

    Vec map(Vec v) const { return {origin.x + (flip ? -v.x : v.x) * zoom, origin.y + v.y * zoom}; }

    void fill(const std::vector<Vec>& local, Rgb c) { fillCanvas(mapAll(local), c); }

    // A material shape: shadow colour, a lit inset leaning to the light, optional gloss, dark outline.
    void part(const std::vector<Vec>& local, const Tone& t, double litScale = 0.78, bool gloss = false);

    // A limb between two joints with end radii ra and rb (local units).
    void limb(Vec a, Vec b, double ra, double rb, const Tone& t);

    void blob(Vec c, double rx, double ry, double ang, const Tone& t, bool gloss = false)
    {
        part(ellipse(c, rx, ry, ang), t, 0.74, gloss);
    }

    void dot(Vec c, double r, Rgb col) { fill(ellipse(c, r, r, 0, 20), col); }
    void line(Vec a, Vec b, double width, Rgb col);

    static std::vector<Vec> ellipse(Vec c, double rx, double ry, double ang, int n = 48);

    Image resolve() const;

private:
    int w_, h_;
    SDL_Surface* surf_ = nullptr;

    std::vector<Vec> mapAll(const std::vector<Vec>& local) const;
    void fillCanvas(const std::vector<Vec>& p, Rgb c);
    void strokeCanvas(const std::vector<Vec>& p, double half, Rgb c);
};
