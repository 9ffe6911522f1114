#include "Combatant.h"
#include "CpuInput.h"
#include "MediaPlayer.h"
#include "MediaResource.h"
#include "TestSupport.h"
#include "UserInput.h"
#include <gtest/gtest.h>

namespace {

// Taking damage and overkill are checked through the battle's hits (BattleTest).
TEST(Combatant, HitPointsStayIn8BitsWithoutWrapping)
{
    Combatant c; // "Blank", 20 of 20, no media player to ask for animations
    EXPECT_TRUE(c.getName() == "Blank" && c.getHp() == 20 && c.getMaxHp() == 20 && !c.getAreYouDead());
    c.animate(ActionAttk);
    c.setMaxHP(30);
    EXPECT_TRUE(c.getHp() == 20 && c.getMaxHp() == 30); // never raised by a new maximum
    c.addHP(255);
    EXPECT_EQ(c.getHp(), 30); // the sum 275 is capped, not wrapped
    c.setMaxHP(10);
    EXPECT_TRUE(c.getHp() == 10 && c.getMaxHp() == 10);
    c.takeDamage(5);
    c.addMaxHP(2);
    EXPECT_TRUE(c.getHp() == 12 && c.getMaxHp() == 12); // a full heal
    for (auto [maxHp, extra] : {std::pair{250, 5}, {255, 1}, {200, 56}, {200, 255}}) {
        std::string n = "Y";
        c.setStats(Uint8(maxHp), n);
        c.addMaxHP(Uint8(extra)); // past 255 it saturates: never a small value or 0
        EXPECT_TRUE(c.getMaxHp() == 255 && c.getHp() == 255) << maxHp << "+" << extra;
    }
}

TEST(Combatant, HealthBarFillsFromItsOwnEnd)
{
    ASSERT_TRUE(support::initVideo());
    // side, hp, max: fill x, fill width, outline grey
    const int rows[][6] = {{1, 15, 20, 10, 112, 191}, {0, 15, 20, 518, 112, 191}, {1, 20, 20, 10, 150, 255},
                           {0, 0, 20, 630, 0, 0},      {1, 0, 0, 10, 0, 0}};
    for (const auto& r : rows) {
        Combatant c;
        std::string n = "X";
        c.setStats(Uint8(r[2]), n), c.setSide(r[0]);
        c.takeDamage(Uint8(r[2] - r[1]));
        MediaPlayer none(nullptr);
        c.setMedia(&none);
        SDL_Surface* s = support::makeCanvas(0, 200, 0);
        c.render(s, nullptr); // no font: no texts, so the whole bar shows
        const int barX = r[0] ? 10 : 480;
        for (int x = barX + 1; x < barX + 150; ++x)
            ASSERT_EQ(support::pixel(s, x, 85).r, x >= r[3] && x < r[3] + r[4] ? 96 : 32) << "x " << x;
        EXPECT_TRUE(support::pixel(s, barX + 75, 70).r == r[5] && support::pixel(s, barX + 150, 90).g == r[5]);
        EXPECT_EQ(support::pixel(s, barX + 151, 80).g, 200); // nothing outside the outline
        SDL_FreeSurface(s);
    }
}

TEST(InputObjects, TheMouseFollowsMotionAndButtonsOneAndThree)
{
    UserInput in;
    EXPECT_TRUE(!in.getButton1() && !in.getButton2() && !in.getEscKey() && in.getCursorPosX() == 0);
    auto send = [&](Uint8 type, Uint8 button) {
        SDL_Event e{};
        e.type = type, e.button.button = button, e.button.x = 5, e.button.y = 5;
        if (type == SDL_MOUSEMOTION)
            e.motion.x = 640, e.motion.y = 479;
        in.processInput(e);
    };
    send(SDL_MOUSEMOTION, 0);
    send(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT); // a button event never moves the cursor
    send(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
    for (Uint8 b : {SDL_BUTTON_MIDDLE, SDL_BUTTON_WHEELUP, SDL_BUTTON_WHEELDOWN})
        send(SDL_MOUSEBUTTONUP, b);
    send(SDL_KEYDOWN, 0);
    EXPECT_TRUE(in.getButton1() && in.getButton2() && !in.getEscKey());
    send(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    EXPECT_TRUE(!in.getButton1() && in.getButton2());
    in.clearInput();
    Sint16 x = -1, y = -1;
    in.getCursorPos(nullptr, &y);
    EXPECT_TRUE(!in.getButton2() && x == -1 && y == 479 && in.getCursorPosX() == 640); // the position survives
}

TEST(InputObjects, TheComputersDamageSaturatesAt32768)
{
    CpuInput cpu;
    for (auto [start, extra, result] : {std::tuple{32700, 100, 32768}, {32768, 65535, 32768}, {65535, 0, 32768},
                                        {5, 6, 11}}) {
        cpu.setStats(Uint16(start));
        cpu.addDamage(Uint16(extra));
        EXPECT_EQ(cpu.getDamage(), result) << start << "+" << extra;
    }
}

} // namespace
