// The hall behind the fight, its banners, and the parchment drawing area.

#include "Layout.h"
#include "drawings.h"

#include <cmath>

#include "noise.h"
#include "painter.h"
#include "palette.h"

Rgb woodColour(double g, double tone) { return scale(mix({58, 34, 20}, {136, 90, 52}, g), tone); }

void drawBanner(Image& img, int cx, const Tone& cloth, bool heroSide, int yTop, double zoom)
{
    Painter pt(int(std::ceil(100 * zoom)), int(std::ceil(140 * zoom)));
    if (!pt.ok())
        return;
    pt.origin = {50 * zoom, 6 * zoom};
    pt.zoom = zoom;
    pt.ink *= zoom;
    pt.light = {0.2, -1};
    const double w = 30, top = 6, bottom = 100;
    pt.part({{-w, top}, {w, top}, {w, bottom}, {0, bottom - 16}, {-w, bottom}}, cloth, 0.86);
    pt.part({{-w + 4, top + 4}, {w - 4, top + 4}, {w - 4, top + 8}, {-w + 4, top + 8}}, kGold, 0.7);
    if (heroSide) { // a quill
        pt.part({{-10, 78}, {-6, 58}, {2, 38}, {12, 22}, {9, 40}, {2, 58}, {-7, 76}}, kBone, 0.75);
        pt.line({-11, 82}, {10, 26}, 1.4 * zoom, kBone.shade);
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
    composite(img, banner, cx - int(std::lround(50 * zoom)), yTop);
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
    drawBanner(img, layout::heroX, dim(kTeal, 0.7), true);
    drawBanner(img, layout::opponentX, dim(kHide, 0.7), false);
    return img;
}

Image makeDrawArea()
{
    const int n = layout::drawSide;
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
