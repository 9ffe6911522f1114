#include "drawings.h"

#include <cmath>

#include "noise.h"
#include "palette.h"

namespace {

// The icon at a smaller size: each pixel the alpha-weighted mean of an 8x8 grid of source samples, so edges stay
// smooth and transparent pixels lend no colour.
Image shrink(const Image& src, int n)
{
    const int k = 8;
    Image img(n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            double sum[4] = {};
            for (int j = 0; j < k; ++j)
                for (int i = 0; i < k; ++i) {
                    const uint8_t* p = src.at((x * k + i) * src.w / (n * k), (y * k + j) * src.h / (n * k));
                    for (int c = 0; c < 3; ++c)
                        sum[c] += p[c] * p[3];
                    sum[3] += p[3];
                }
            uint8_t* q = img.at(x, y);
            for (int c = 0; c < 3; ++c)
                q[c] = sum[3] > 0 ? uint8_t(std::lround(sum[c] / sum[3])) : 0;
            q[3] = uint8_t(std::lround(sum[3] / (k * k)));
        }
    return img;
}

} // namespace

// The icon: the hero's quill banner on a rounded tile of dark wood, designed at 128 pixels. The maskable one is the
// whole square of wood with the banner shrunk into the central circle (40% of the size in radius) that every mask
// keeps.
Image makeIcon(int size, bool maskable)
{
    const int n = std::max(size, 128);
    const double k = n / 128.0, r = maskable ? 0 : 20 * k;
    Image img(n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            double dx = std::max(std::abs(x + 0.5 - n / 2.0) - (n / 2.0 - r), 0.0);
            double dy = std::max(std::abs(y + 0.5 - n / 2.0) - (n / 2.0 - r), 0.0);
            double cover = clamp01(r + 0.5 - std::sqrt(dx * dx + dy * dy));
            if (cover > 0)
                img.set(x, y, woodColour(fbm(x * 0.05 / k, y * 0.3 / k, 81, 3), 0.55), int(std::lround(cover * 255)));
        }
    // The banner's box reaches 41 units left and right of its middle and 49 up and down, which is 57 below its top:
    // shrunk by 0.8, its corners lie within 51 units (0.4 of 128) of the middle.
    const double zoom = maskable ? 0.8 * k : k;
    drawBanner(img, n / 2, kTeal, true, int(std::lround(maskable ? n / 2.0 - 57 * zoom : 8 * k)), zoom);
    return size == n ? img : shrink(img, size);
}
