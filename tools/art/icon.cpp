#include "drawings.h"

#include <cmath>

#include "noise.h"
#include "palette.h"

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
