#include "DrawWindow.h"
#include "TestSeams.h"
#include "TestSupport.h"
#include "main.h"
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>

// Whole games through real events for QF_SOAK_PASSES passes: a hand that traces, clicks and lets go at random, F10
// at random moments (the first ones mid-stroke, a hit queued) and stray buttons, keys, quit and focus events.
// Nothing may crash, leak (the sanitizer build) or pile up in memory.
TEST(Soak, GamesPlayedAndRestartedAtRandomForManyPasses)
{
    const char* env = std::getenv("QF_SOAK_PASSES");
    const long total = env ? std::atol(env) : 3000, warmUp = std::min(1000L, total / 3);
    ASSERT_TRUE((screen || initEngine() == 0) && initGame() == 0); // the Game suite may have started it
    seam::seed(7);
    std::mt19937 dice(20240607);
    bool done = false;
    // The hand is on the target in skill of 4 passes; in the game after the early restarts never, until a defeat.
    unsigned skill = 4;
    long defeats = 0, restartsWithHitsQueued = 0, memBefore = 0;
    for (long pass = 0; pass < total; ++pass) {
        memBefore = pass == warmUp ? support::residentKiB() : memBefore;
        const SDL_Rect t = battul.getDrawWindow() ? support::target(*battul.getDrawWindow()) : SDL_Rect{};
        const bool tracing = dice() % 4 < skill, early = restartsWithHitsQueued < 3 && battul.getNumHits() > 1;
        support::pushMotion(tracing ? t.x : dice() % 640, tracing ? t.y : dice() % 480);
        support::pushButton(Uint8(dice() % 5 ? SDL_BUTTON_LEFT : SDL_BUTTON_LEFT + dice() % 5), dice() % 8 != 0);
        if (dice() % 25 == 0)
            support::pushType(dice() % 2 ? SDL_QUIT : SDL_ACTIVEEVENT), support::pushKey(SDLKey(SDLK_a + dice() % 26), 1);
        const bool f10 = early || dice() % (battul.getStatus() == Battle::Defeat ? 60 : 1500) == 0;
        if (f10)
            support::pushKey(SDLK_F10, true), support::pushKey(SDLK_F10, false);
        const Uint8 state = battul.getStatus();
        ASSERT_TRUE(gamePass(done) == 0 && !done) << "pass " << pass;
        SDL_Event e;
        restartsWithHitsQueued += f10 && SDL_PeepEvents(&e, 1, SDL_PEEKEVENT, SDL_EVENTMASK(SDL_USEREVENT)) > 0;
        skill = f10 ? (restartsWithHitsQueued == 3 && defeats == 0 ? 0 : 4) : skill;
        defeats += state != Battle::Defeat && battul.getStatus() == Battle::Defeat;
    }
    const long grown = support::residentKiB() - memBefore;
    std::printf("soak: %ld passes, %ld defeats, %ld restarts with hits queued, memory %+ld KiB after warm-up\n", total,
                defeats, restartsWithHitsQueued, grown);
    EXPECT_TRUE(defeats > 0 && restartsWithHitsQueued == 3);
    EXPECT_LE(support::residentMemoryTells ? grown : 0, 1024);
}
