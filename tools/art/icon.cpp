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

// The desktop icon: the hero's quill banner on a rounded tile of dark wood.
Image makeIcon(int size)
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
    return size == n ? img : shrink(img, size);
}
