// RGBA images in memory, compositing, and PNG output.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "geometry.h"

struct Image {
    int w = 0, h = 0;
    std::vector<uint8_t> px; // RGBA, row by row
    Image() = default;
    Image(int width, int height) : w(width), h(height), px(size_t(width) * height * 4, 0) {}
    uint8_t* at(int x, int y) { return &px[(size_t(y) * w + x) * 4]; }
    const uint8_t* at(int x, int y) const { return &px[(size_t(y) * w + x) * 4]; }
    void set(int x, int y, Rgb c, int a = 255)
    {
        uint8_t* p = at(x, y);
        p[0] = uint8_t(std::clamp(c.r, 0, 255));
        p[1] = uint8_t(std::clamp(c.g, 0, 255));
        p[2] = uint8_t(std::clamp(c.b, 0, 255));
        p[3] = uint8_t(a);
    }
    Rgb rgb(int x, int y) const
    {
        const uint8_t* p = at(x, y);
        return {p[0], p[1], p[2]};
    }
};

// Porter-Duff "over" of src onto dst with src's top-left at (ox, oy).
void composite(Image& dst, const Image& src, int ox, int oy);

// Backgrounds are written opaque: the game blits them every frame, and an alpha channel would make each
// of those blits a per-pixel blend.
bool writePng(const std::filesystem::path& path, const Image& img, bool opaque = false);
