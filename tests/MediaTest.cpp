#include "AnimFrame.h"
#include "MediaResource.h"
#include "TestSeams.h"
#include "TestSupport.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

// Each test runs in a temp folder holding the character "hero" with 2x2 pictures whose colour tells the file:
// red the action, green the number. They hold BMP data: SDL 1.2 writes no PNG, and IMG_Load goes by content.
struct Media : testing::Test {
    support::TempDir dir;
    void SetUp() override
    {
        seam::setTicks(5000);
        support::writeFile("media/chars/hero/info", ""); // the folder
        for (std::string p : {"Idle0", "Idle1", "Idle2", "Idle4", "Attk0", "Attk1", "Attk3", "Attk4", "Pain0"}) {
            SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 2, 32, 0xFF0000, 0xFF00, 0xFF, 0);
            const Uint32 r = 40 + 50 * Uint32(std::string("IAPD").find(p[0])), g = 10 + 20 * Uint32(p[4] - '0');
            SDL_FillRect(s, nullptr, r << 16 | g << 8 | 200);
            ASSERT_EQ(SDL_SaveBMP(s, ("media/chars/hero/" + p + ".png").c_str()), 0);
            SDL_FreeSurface(s);
        }
    }
    static std::unique_ptr<MediaResource> load(const std::string& info)
    {
        support::writeFile("media/chars/hero/info", info);
        return std::make_unique<MediaResource>("hero");
    }
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

// Each action as "loops/rule:" with its frames as "<drawn>~hold", "-" when undeclared.
static std::string describe(MediaResource& r)
{
    std::string out;
    for (Uint32 a = 0; a < 4; ++a) {
        const action* act = r.getAction(a);
        out += (a ? " | " : "") +
               (act ? std::to_string(act->numLoops) + "/" + std::to_string(act->whatToDoWhenOutOfLoops) + ":" : "-");
        for (Uint32 f = 0; act && f < act->anim.size(); ++f)
            out += " " + drawn([&](SDL_Surface* c, SDL_Rect& at) { r.drawPic(c, at, a, f); }) + "~" +
                   std::to_string(act->anim[f]->getTime());
    }
    return out;
}

TEST_F(Media, ReadsRecords)
{
    std::vector<std::pair<std::string, std::string>> cases = {
        {"Idle 0 -1 7\nIdle 1 0 0 10\tIdle\n1 -4 9 65535 Idle 1 3 -2 65536",
         "-1/7: I0@0,0~10 I1@-4,9~65535 I2@3,-2~0 | - | - | -"},
        // 16-bit screen coordinates: 100 + 65541 wraps to 105 and the blit clips at the left edge; offsets at the
        // ends of the 32-bit range wrap the same way, without overflowing on the way.
        {"Idle 0 0 0 Idle 1 2147483647 -2147483647 1 Idle 1 -2147483648 2147483647 2 "
         "Pain 0 0 0 Pain 1 -101 65541 65537",
         "0/0: I0@-1,1~1 I1@0,-1~2 | - | 0/0: P0@-100,5#2~1 | -"},
        // Every action record, whatever its name, restarts the one picture counter.
        {"Idle 0 1 0 Idle 1 0 0 1 Idle 1 0 0 1 Attk 0 9 0 Idle 0 4 1 Idle 1 0 0 2 Attk 1 0 0 3 Pain 0 2 1 Idle 1 0 0 4",
         "4/1: I0@0,0~2 I0@0,0~4 | 9/0: A1@0,0~3 | 2/1: | -"},
        // Idle3 is missing: dropped, its numbers skipped, and Attk's record then asks for 3 again.
        {"Attk 0 0 0 Idle 0 0 0 Idle 1 0 0 0 Idle 1 0 0 0 Idle 1 0 0 0 Idle 1 5 5 5 Idle 1 6 6 6 Attk 1 0 0 7",
         "0/0: I0@0,0~0 I1@0,0~0 I2@0,0~0 | 0/0: A3@0,0~7 | - | -"},
        // Only exact names count; kind 2 changes nothing; a frame of an undeclared action takes no picture number;
        // stream extraction stops at the letter, so 5 is a hold time and "x" a word to skip.
        {"idle 0 9 0 Idle0 0 9 0 xIdle 0 9 0 IDLE 0 9 0 Attk: 0 9 0 words\n\tPain\n0 3 1 Pain 1 0 0 1 Idle 0 1 0 "
         "Idle 1 0 0 1 Idle 2 0 0 7 Attk 1 0 0 8 Idle 1 0 0 2 Idle 1 3 4 5x Dead 2 Dead 0 5 1",
         "1/0: I0@0,0~1 I1@0,0~2 I2@3,4~5 | - | 3/1: P0@0,0~1 | 5/1:"},
    };
    // An unreadable number or a record cut short by the end of the file ends reading: that record is dropped
    // whole, the earlier ones stay.
    for (std::string tail :
         {"Attk 0 x 1 Pain 0 1 1", "Attk 0 1 -y Pain 0 1 1", "Attk zz Pain 0 1 1", "Attk 0 2147483648 1 Pain 0 1 1",
          "Idle 1 3 y 5 Pain 0 1 1", "Idle 0 7 Pain 0 1 1", "Idle 1 0 0", "Attk 0 3", "Idle"})
        cases.push_back({"Idle 0 2 1 Idle 1 0 0 5 " + tail, "2/1: I0@0,0~5 | - | - | -"});
    for (auto& [info, want] : cases)
        EXPECT_EQ(describe(*load(info)), want) << info;
}

} // namespace
