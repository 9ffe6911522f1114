#ifndef HEROFOLDER_H
#define HEROFOLDER_H

#include "MediaResource.h"
#include "TestSeams.h"
#include "TestSupport.h"
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>

// Each test runs in a temp folder holding the character "hero" with 2x2 pictures whose colour tells the file:
// red the action, green the number. They hold BMP data: SDL 1.2 writes no PNG, and IMG_Load goes by content.
class HeroFolder : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        seam::setTicks(5000);
        std::filesystem::create_directories(dir + "/media/chars/hero");
        std::filesystem::current_path(dir);
        for (std::string p : {"Idle0", "Idle1", "Idle2", "Idle4", "Attk0", "Attk1", "Attk3", "Attk4", "Pain0"}) {
            SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 2, 32, 0xFF0000, 0xFF00, 0xFF, 0);
            const Uint32 r = 40 + 50 * Uint32(std::string("IAPD").find(p[0])), g = 10 + 20 * Uint32(p[4] - '0');
            SDL_FillRect(s, nullptr, r << 16 | g << 8 | 200);
            ASSERT_EQ(SDL_SaveBMP(s, ("media/chars/hero/" + p + ".png").c_str()), 0);
            SDL_FreeSurface(s);
        }
    }
    void TearDown() override
    {
        seam::tickPerReading(0);
        std::filesystem::current_path(home);
        support::removeTree(dir);
    }
    static std::unique_ptr<MediaResource> load(const std::string& info)
    {
        support::writeFile("media/chars/hero/info", info);
        return std::make_unique<MediaResource>("hero");
    }
    const std::filesystem::path home = std::filesystem::current_path();
    const std::string dir = support::makeTempDir();
};

// What one drawing with the reference point at (100, 100) shows: "A1@-3,7" for picture Attk1 whose first
// visible pixel is 3 left of and 7 below that point, "#n" added when not all 4 pixels show, "-" for nothing, "!moved"
// when the caller's rectangle changed.
template <class Draw> std::string drawn(Draw draw)
{
    SDL_Surface* c = support::makeCanvas();
    SDL_Rect at{100, 100, 0, 0};
    draw(c, at);
    std::string out = "-";
    int count = 0;
    for (int i = 0; i < 640 * 480; ++i)
        if (SDL_Color p = support::pixel(c, i % 640, i / 640); p.r && count++ == 0)
            out = "IAPD"[(p.r - 40) / 50] + std::to_string((p.g - 10) / 20) + "@" + std::to_string(i % 640 - 100) +
                  "," + std::to_string(i / 640 - 100);
    SDL_FreeSurface(c);
    return out + (count && count != 4 ? "#" + std::to_string(count) : "") +
           (at.x == 100 && at.y == 100 ? "" : "!moved");
}

#endif
