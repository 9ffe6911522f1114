// Plane geometry and colour arithmetic shared by every drawing.
#pragma once

#include <algorithm>
#include <cmath>

constexpr double kPi = 3.14159265358979323846;

struct Vec {
    double x = 0, y = 0;
};
inline Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
inline Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
inline Vec operator*(Vec a, double k) { return {a.x * k, a.y * k}; }
inline double len(Vec a) { return std::sqrt(a.x * a.x + a.y * a.y); }
inline Vec unit(Vec a)
{
    double l = len(a);
    return l > 0 ? a * (1 / l) : Vec{0, 0};
}
inline Vec perp(Vec a) { return {-a.y, a.x}; }
inline double lerp(double a, double b, double t) { return a + (b - a) * t; }
inline Vec lerp(Vec a, Vec b, double t) { return {lerp(a.x, b.x, t), lerp(a.y, b.y, t)}; }
// Angles count from straight down, positive toward the character's front.
inline Vec down(double a) { return {std::sin(a), std::cos(a)}; }
inline double clamp01(double v) { return std::min(1.0, std::max(0.0, v)); }
inline double smooth(double t) { return t * t * (3 - 2 * t); }

struct Rgb {
    int r = 0, g = 0, b = 0;
};
inline Rgb mix(Rgb a, Rgb b, double t)
{
    return {int(std::lround(lerp(a.r, b.r, t))), int(std::lround(lerp(a.g, b.g, t))),
            int(std::lround(lerp(a.b, b.b, t)))};
}
inline Rgb scale(Rgb c, double k) { return mix({0, 0, 0}, c, k); }

// Shadow, body and lit colour of one material.
struct Tone {
    Rgb shade, base, light;
};
inline Tone dim(const Tone& t, double k) { return {scale(t.shade, k), scale(t.base, k), scale(t.light, k)}; }

const Rgb kInk{24, 18, 32};
