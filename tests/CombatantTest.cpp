#include "Combatant.h"
#include "MediaPlayer.h"
#include "MediaResource.h"
#include "TestSupport.h"
#include <gtest/gtest.h>

namespace {

struct Fighter {
    MediaResource res{"nobody-here"};
    MediaPlayer player{&res};
    Combatant c;
    Fighter(Uint8 hp, Uint8 maxHp)
    {
        std::string n = "X";
        c.setStats(maxHp, n);
        c.setMedia(&player);
        if (hp < maxHp)
            c.takeDamage(maxHp - hp);
        player.changeAnim(0);
    }
};

TEST(Combatant, TakeDamageReportsOnlyTrueOverkill)
{
    struct Case {
        Uint8 hp, damage;
        bool overkill;
        Uint8 hpAfter;
        bool dead;
        Uint32 anim;
    } cases[] = {
        {5, 5, false, 0, true, 3}, {5, 6, true, 0, true, 3}, {0, 1, true, 0, true, 3},
        {7, 0, false, 7, false, 2}, {7, 3, false, 4, false, 2}, {255, 255, false, 0, true, 3},
    };
    for (const Case& k : cases) {
        Fighter f(k.hp, 255);
        if (k.hp == 0) {
            ASSERT_TRUE(f.c.getAreYouDead());
        }
        EXPECT_EQ(f.c.takeDamage(k.damage), k.overkill) << int(k.hp) << " " << int(k.damage);
        EXPECT_EQ(f.c.getHp(), k.hpAfter);
        EXPECT_EQ(f.c.getAreYouDead(), k.dead);
        EXPECT_EQ(f.player.getAnim(), k.anim);
    }
}

TEST(Combatant, HitPointsStayIn8BitsWithoutWrapping)
{
    Combatant c; // a new combatant: "Blank", 20 of 20, no media player to ask for animations
    EXPECT_TRUE(c.getName() == "Blank" && c.getHp() == 20 && c.getMaxHp() == 20 && !c.getAreYouDead());
    c.animate(1);
    c.setMaxHP(30);
    EXPECT_TRUE(c.getHp() == 20 && c.getMaxHp() == 30); // never raised by a new maximum
    c.addHP(255);
    EXPECT_EQ(c.getHp(), 30); // the sum 275 is capped, not wrapped
    c.setMaxHP(10);
    EXPECT_TRUE(c.getHp() == 10 && c.getMaxHp() == 10);
    c.takeDamage(5);
    c.addMaxHP(2);
    EXPECT_TRUE(c.getHp() == 12 && c.getMaxHp() == 12); // a full heal
    const struct {
        Uint8 maxHp, extra, result;
    } cases[] = {{250, 5, 255}, {255, 1, 255}, {200, 56, 255}, {200, 255, 255}};
    for (auto k : cases) {
        std::string n = "Y";
        c.setStats(k.maxHp, n);
        c.addMaxHP(k.extra); // past 255 it saturates: never a small value or 0
        EXPECT_TRUE(c.getMaxHp() == k.result && c.getHp() == k.result) << int(k.maxHp) << "+" << int(k.extra);
    }
}

TEST(Combatant, HealthBarFillsFromItsOwnEnd)
{
    support::initVideo();
    struct Case {
        bool left;
        Uint8 hp, maxHp;
        int fillX, fillW, grey;
    } cases[] = {
        {true, 15, 20, 10, 112, 191}, {false, 15, 20, 518, 112, 191}, {true, 20, 20, 10, 150, 255},
        {false, 0, 20, 630, 0, 0},
    };
    for (const Case& k : cases) {
        Fighter f(k.hp, k.maxHp);
        f.c.setSide(k.left);
        SDL_Surface* s = support::makeCanvas(0, 200, 0);
        f.c.render(s, nullptr);
        const int barX = k.left ? 10 : 480;
        // Inside the bar, away from the outline and the hit point text (x 20..40 or 610..630).
        for (int x = barX + 1; x < barX + 150; ++x) {
            if ((k.left && x >= 18 && x <= 45) || (!k.left && x >= 608))
                continue;
            SDL_Color p = support::pixel(s, x, 85);
            const bool filled = x >= k.fillX && x < k.fillX + k.fillW;
            EXPECT_EQ(p.r, filled ? 96 : 32) << "x " << x;
            EXPECT_EQ(p.g, 32) << "x " << x;
        }
        SDL_Color top = support::pixel(s, barX + 75, 70);
        EXPECT_EQ(top.r, k.grey);
        EXPECT_EQ(top.b, k.grey);
        SDL_Color corner = support::pixel(s, barX + 150, 90);
        EXPECT_EQ(corner.g, k.grey);
        EXPECT_EQ(support::pixel(s, barX + 151, 80).g, 200); // nothing outside the outline
        SDL_FreeSurface(s);
    }
}

TEST(Combatant, ZeroMaximumDrawsWithoutDividing)
{
    support::initVideo();
    Fighter f(0, 0);
    SDL_Surface* s = support::makeCanvas();
    f.c.render(s, nullptr);
    EXPECT_EQ(support::pixel(s, 80, 80).r, 32);
    SDL_FreeSurface(s);
}

} // namespace
