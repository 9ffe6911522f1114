#ifndef GAMEFIXTURE_H
#define GAMEFIXTURE_H

#include "Battle.h"
#include "Combatant.h"
#include "DrawWindow.h"
#include "TestSeams.h"
#include "TestSupport.h"
#include "main.h"
#include <gtest/gtest.h>
#include <utility>

// The whole program as the player meets it: real start-up, real events in the queue, main-loop passes.
struct Game : testing::Test {
    // The program's own start-up from a fresh start, and the first pass, which brings on the first opponent.
    void SetUp() override
    {
        seam::setTicks(10000);
        ASSERT_TRUE(initEngine() == 0 && initGame() == 0);
        seam::seed(2024);
        ASSERT_EQ(pass(), 0);
    }
    Sint8 pass() { return gamePass(done); }
    void passFor(Uint32 ms)
    {
        for (const Uint32 end = seam::ticks() + ms; seam::ticks() < end;)
            ASSERT_EQ(pass(), 0);
    }
    // The player's hand onto the target dot, or so many pixels below it, the button held.
    void trace(int below = 0)
    {
        const SDL_Rect t = support::target(*battul.getDrawWindow());
        support::pushMotion(t.x, t.y + below);
        if (!std::exchange(held, true))
            support::pushButton(SDL_BUTTON_LEFT, true);
    }
    void release() { support::pushButton(SDL_BUTTON_LEFT, false), held = false; }
    void pushF10() { support::pushKey(SDLK_F10, true), support::pushKey(SDLK_F10, false); }
    void expectFreshGame()
    {
        EXPECT_TRUE(lComb->getHp() == 20 && lComb->getMaxHp() == 30 && battul.getNumberOfVictories() == 0);
        EXPECT_TRUE(battul.getStatus() == Battle::Intro && rComb->getName() == "Sludge" && rComb->getHp() == 8);
    }

    bool done = false, held = false;
};

#endif
