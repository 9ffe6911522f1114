#include "Combatant.h"
#include "MediaPlayer.h"
#include "MediaResource.h"
#include "TestSupport.h"
#include "UserInput.h"
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

TEST(Combatant, StartsAsABlankOfTwentyHitPoints)
{
    Combatant c;
    EXPECT_EQ(c.getName(), "Blank");
    EXPECT_EQ(c.getHp(), 20);
    EXPECT_EQ(c.getMaxHp(), 20);
    EXPECT_FALSE(c.getAreYouDead());
    EXPECT_EQ(c.getIo(), nullptr);
    c.animate(1); // no media player: nothing to ask, nothing breaks
    c.processInput(SDL_Event{});
}

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

TEST(Combatant, HealingAndMaximumsStayIn8Bits)
{
    Combatant c;
    std::string n = "Y";
    c.setStats(120, n);
    c.takeDamage(20);
    c.addHP(200); // the wide sum 300 must not wrap
    EXPECT_EQ(c.getHp(), 120);
    c.takeDamage(115);
    c.addHP(255);
    EXPECT_EQ(c.getHp(), 120);

    Combatant d;
    d.setMaxHP(10);
    EXPECT_EQ(d.getHp(), 10);
    EXPECT_EQ(d.getMaxHp(), 10);
    d.setMaxHP(30);
    EXPECT_EQ(d.getHp(), 10);
    EXPECT_EQ(d.getMaxHp(), 30);

    Combatant e;
    e.setStats(8, n);
    e.takeDamage(3);
    e.addMaxHP(2);
    EXPECT_EQ(e.getHp(), 10);
    EXPECT_EQ(e.getMaxHp(), 10);
    e.setStats(250, n);
    e.addMaxHP(5);
    EXPECT_EQ(e.getMaxHp(), 255);
    e.addMaxHP(1); // past 255 it saturates: never wraps to a small value or 0
    EXPECT_EQ(e.getMaxHp(), 255);
    EXPECT_EQ(e.getHp(), 255);
    e.setStats(200, n);
    e.addMaxHP(56);
    EXPECT_EQ(e.getMaxHp(), 255);
}

TEST(Combatant, PassesEventsToItsInput)
{
    UserInput in;
    Combatant c;
    c.setInput(&in);
    SDL_Event down{};
    down.type = SDL_MOUSEBUTTONDOWN;
    down.button.button = SDL_BUTTON_LEFT;
    c.processInput(down);
    EXPECT_TRUE(in.getButton1());
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
