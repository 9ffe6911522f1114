#include "Combatant.h"
#include "DrawWindow.h"
#include "LinePattern.h"
#include "TestSeams.h"
#include "TestSupport.h"
#include "main.h"
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// The whole program as the player meets it: real start-up, real events in the queue, main-loop passes.
struct Game : ::testing::Test {
    static void SetUpTestSuite()
    {
        seam::setTicks(10000);
        ASSERT_EQ(initEngine(), 0);
        ASSERT_EQ(initGame(), 0);
    }
    void SetUp() override
    {
        support::drainQueue();
        escKeyHit = false;
        resetGame();
        seam::seed(2024);
        ASSERT_EQ(pass(), 0); // brings on the first opponent
    }
    Sint8 pass() { return gamePass(done); }
    void passFor(Uint32 ms)
    {
        const Uint32 end = seam::ticks() + ms;
        while (seam::ticks() < end)
            ASSERT_EQ(pass(), 0);
    }
    // The player's hand: moves onto the target dot with the button held, one dot per frame.
    void traceOneFrame()
    {
        SDL_Rect target;
        battul.getDrawWindow()->getLinePattern()->getContactPoint(target);
        const SDL_Rect area = battul.getDrawWindow()->getDimensions();
        support::pushMotion(area.x + target.x, area.y + target.y);
        if (!buttonDown)
            support::pushButton(SDL_BUTTON_LEFT, true, area.x + target.x, area.y + target.y);
        buttonDown = true;
    }
    void release()
    {
        support::pushButton(SDL_BUTTON_LEFT, false, 0, 0);
        buttonDown = false;
    }
    void pushF10()
    {
        support::pushKey(SDLK_F10, true);
        support::pushKey(SDLK_F10, false);
    }
    void expectFreshGame()
    {
        EXPECT_EQ(lComb->getHp(), 20);
        EXPECT_EQ(lComb->getMaxHp(), 30);
        EXPECT_EQ(battul.getNumberOfVictories(), 0u);
        EXPECT_EQ(battul.getStatus(), 1);
        EXPECT_EQ(rComb->getName(), "Sludge");
    }

    bool done = false;
    bool buttonDown = false;
};

TEST_F(Game, StartsFullScreenWithItsCaptionAndTheFirstOpponentAndKeepsThirtyFramesASecond)
{
    EXPECT_EQ(std::tuple(screen->w, screen->h, int(screen->format->BitsPerPixel)), std::tuple(640, 480, 32));
    EXPECT_TRUE(screen->flags & SDL_FULLSCREEN);
    char *caption = nullptr, *iconCaption = nullptr;
    SDL_WM_GetCaption(&caption, &iconCaption);
    EXPECT_STREQ(caption, "QuillfrayBattle");
    EXPECT_STREQ(iconCaption, "QuillfrayBattle");
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), 0);
    expectFreshGame();
    const Uint32 start = seam::ticks();
    for (int i = 0; i < 30; ++i)
        ASSERT_EQ(pass(), 0);
    EXPECT_NEAR(double(seam::ticks() - start), 1000.0, 34.0);
}

TEST_F(Game, EscapeQuitsOnlyWhenStillHeldAfterTheDrainAndTheCloseButtonOnlyInAWindow)
{
    support::pushKey(SDLK_ESCAPE, true);
    support::pushKey(SDLK_ESCAPE, false);
    support::pushKey(SDLK_F10, true); // a key-down of F10 restarts nothing
    SDL_Event quit{};
    quit.type = SDL_QUIT; // full screen has no close button
    SDL_PushEvent(&quit);
    lComb->takeDamage(1); // a restart would heal this
    ASSERT_EQ(pass(), 0);
    EXPECT_FALSE(done);
    EXPECT_EQ(lComb->getHp(), 19);
    windowedMode = true;
    SDL_PushEvent(&quit);
    ASSERT_EQ(pass(), 0);
    windowedMode = false;
    EXPECT_TRUE(done);

    done = escKeyHit = false;
    support::pushKey(SDLK_ESCAPE, true);
    passFor(1000); // the intro ends on this pass's step, which still runs ...
    EXPECT_TRUE(done);
    EXPECT_EQ(battul.getStatus(), 3);
    EXPECT_EQ(gameLoop(), 0); // ... and the next pass ends the loop
}

TEST_F(Game, F10RestartsOnceOnItsKeyUpAndQueuedHitsLandOnTheNewOpponent)
{
    passFor(1100);
    traceOneFrame();
    pushF10(); // drained before the step, which then lands the first dot and queues its hit
    ASSERT_EQ(pass(), 0);
    ASSERT_EQ(pass(), 0);
    EXPECT_EQ(rComb->getHp(), 7);

    // Mid-turn, with a stroke on.
    passFor(1100);
    traceOneFrame();
    ASSERT_EQ(pass(), 0);
    ASSERT_EQ(battul.getDrawWindow()->getDrawingStatus(), 1);
    const unsigned long before = seam::drawCount();
    pushF10();
    pushF10();
    ASSERT_EQ(pass(), 0);
    // One new opponent (its start cell) and one new pattern (nib, first dot, and a heading for the centre cell).
    EXPECT_EQ(seam::drawCount() - before, rulz.r == 8 ? 5u : 4u);
    expectFreshGame();
}

TEST_F(Game, PlaysBattleAfterBattleUntilThePlayerStopsAndLoses)
{
    int turnsWithoutTracing = 0;
    const Uint32 winsWanted = 6;
    for (int passes = 0; battul.getStatus() != 7; ++passes) {
        ASSERT_LT(passes, 200000) << "the game never ended";
        const bool playersTurn = battul.getStatus() == 3 && battul.getLeftTurn();
        if (playersTurn && battul.getNumberOfVictories() < winsWanted && !rComb->getAreYouDead()) {
            traceOneFrame();
        } else if (playersTurn && battul.getDrawWindow()->getDrawingStatus() == 0) {
            support::pushButton(SDL_BUTTON_LEFT, true, 0, 0); // presses and lets go: no dot reached
            buttonDown = true;
            ++turnsWithoutTracing;
        } else if (buttonDown) {
            release();
        }
        ASSERT_EQ(pass(), 0);
    }
    EXPECT_EQ(battul.getNumberOfVictories(), winsWanted);
    EXPECT_GT(rComb->getMaxHp(), 8);
    EXPECT_GT(turnsWithoutTracing, 0);
    EXPECT_EQ(lComb->getHp(), 0);

    // State 7 holds and shows only the background and the key hint: no health bars.
    passFor(20000);
    EXPECT_EQ(battul.getStatus(), 7);
    EXPECT_NE(support::pixel(screen, 80, 80).r, 32);

    pushF10();
    ASSERT_EQ(pass(), 0);
    expectFreshGame();
}

TEST_F(Game, MemoryStaysFlatOverTenThousandFrames)
{
    // Every frame renders a dozen text surfaces and every hit allocates a record: none may pile up.
    auto play = [&](int frames) {
        for (int i = 0; i < frames; ++i) {
            if (battul.getStatus() == 3 && battul.getLeftTurn() && !rComb->getAreYouDead())
                traceOneFrame();
            else if (buttonDown)
                release();
            if (battul.getStatus() == 7 || i % 2500 == 2499)
                pushF10();
            ASSERT_EQ(pass(), 0);
        }
    };
    play(1000);
    const long before = support::residentKiB();
    play(10000);
    const long grown = support::residentKiB() - before;
    std::printf("resident memory: %ld KiB after warm-up, %+ld KiB over 10000 frames\n", before, grown);
    if (support::residentMemoryTells) {
        EXPECT_LT(grown, 512);
    }
}

} // namespace
