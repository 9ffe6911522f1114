#include "Combatant.h"
#include "MediaPlayer.h"
#include "MediaResource.h"
#include "TestSupport.h"
#include <gtest/gtest.h>

namespace {

// The character stands at its side's reference point (a one-pixel white picture shows it); the bar fills from its
// own end.
TEST(Combatant, StandsAndShowsItsHealthOnItsOwnSide)
{
    ASSERT_TRUE(support::initVideo());
    support::TempDir dir;
    support::writeFile("media/chars/x/info", "Idle 0 -1 0 Idle 1 0 0 100");
    SDL_Surface* white = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_FillRect(white, nullptr, 0xFFFFFF);
    ASSERT_EQ(SDL_SaveBMP(white, "media/chars/x/Idle0.png"), 0); // BMP data: the loader goes by content
    SDL_FreeSurface(white);
    MediaResource character("x");
    MediaPlayer player(&character);
    // side, hp, max: fill x, fill width, outline grey
    const int rows[][6] = {{1, 15, 20, 10, 112, 191},
                           {0, 15, 20, 518, 112, 191},
                           {1, 20, 20, 10, 150, 255},
                           {0, 0, 20, 630, 0, 0},
                           {1, 0, 0, 10, 0, 0}};
    for (const auto& r : rows) {
        Combatant c; // a new one is "Blank", at 20 of 20
        ASSERT_TRUE(c.getName() == "Blank" && c.getHp() == 20 && c.getMaxHp() == 20 && !c.getAreYouDead());
        std::string n = "X";
        c.setStats(Uint8(r[2]), n), c.setSide(r[0]), c.setMedia(&player);
        c.takeDamage(Uint8(r[2] - r[1])), player.changeAnim(ActionIdle);
        SDL_Surface* s = support::makeCanvas(0, 200, 0);
        c.render(s, nullptr); // no font: no texts, so the whole bar shows
        EXPECT_EQ(support::pixel(s, r[0] ? 85 : 555, 280).r, 255);
        const int barX = r[0] ? 10 : 480;
        for (int x = barX + 1; x < barX + 150; ++x)
            ASSERT_EQ(support::pixel(s, x, 85).r, x >= r[3] && x < r[3] + r[4] ? 96 : 32) << "x " << x;
        EXPECT_TRUE(support::pixel(s, barX + 75, 70).r == r[5] && support::pixel(s, barX + 150, 90).g == r[5]);
        EXPECT_EQ(support::pixel(s, barX + 151, 80).g, 200); // nothing outside the outline
        SDL_FreeSurface(s);
    }
}

} // namespace
