#include "image.h"

#include <png.h>

#include <cstdio>

void composite(Image& dst, const Image& src, int ox, int oy)
{
    for (int y = 0; y < src.h; ++y)
        for (int x = 0; x < src.w; ++x) {
            int dx = x + ox, dy = y + oy;
            if (dx < 0 || dy < 0 || dx >= dst.w || dy >= dst.h)
                continue;
            const uint8_t* s = src.at(x, y);
            uint8_t* d = dst.at(dx, dy);
            double sa = s[3] / 255.0, da = d[3] / 255.0;
            double oa = sa + da * (1 - sa);
            for (int c = 0; c < 3 && oa > 0; ++c)
                d[c] = uint8_t(std::lround((s[c] * sa + d[c] * da * (1 - sa)) / oa));
            d[3] = uint8_t(std::lround(oa * 255));
        }
}

bool writePng(const std::filesystem::path& path, const Image& img, bool opaque)
{
    FILE* file = std::fopen(path.string().c_str(), "wb");
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
