#include "Combatant.h"
#include "DrawWindow.h"
#include "TestSeams.h"
#include "TestSupport.h"
#include "main.h"
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <utility>

// Whole games through real events for QF_SOAK_PASSES passes: the player wins a drawn number of battles, then
// loses; F10 at random moments and, early on, mid-stroke with a hit queued; stray events between. Nothing may
// crash, leak (the sanitizer build) or pile up in memory.
TEST(Soak, GamesWonLostAndRestartedForManyPasses)
{
    const char* env = std::getenv("QF_SOAK_PASSES");
    const long total = env ? std::atol(env) : 3000, warmUp = std::min(1000L, total / 3);
    ASSERT_TRUE((screen || initEngine() == 0) && initGame() == 0); // the Game suite may have started it
    seam::seed(7);
    std::mt19937 dice(20240607);
    auto chance = [&](unsigned n) { return dice() % n == 0; };
    bool done = false, held = false;
    Uint32 winsWanted = 2, lastVicts = 0;
    long victories = 0, defeats = 0, restartsWithHitsQueued = 0, memBefore = 0;
    for (long pass = 0; pass < total; ++pass) {
        if (pass == warmUp)
            memBefore = support::residentKiB();
        const Uint8 state = battul.getStatus();
        const bool ourTurn = state == Battle::PlayerDraws && battul.getLeftTurn();
        bool f10 = chance(state == Battle::Defeat ? 60 : 2000);
        if (ourTurn && battul.getNumberOfVictories() < winsWanted && !rComb->getAreYouDead()) {
            const SDL_Rect t = support::target(*battul.getDrawWindow());
            support::pushMotion(t.x, t.y);
            if (!std::exchange(held, true)) // the cursor goes by motion alone
                support::pushButton(SDL_BUTTON_LEFT, true);
            f10 = f10 || (restartsWithHitsQueued < 3 && battul.getNumHits() > 1); // this pass's step queues a hit
        } else if (held || (ourTurn && battul.getDrawWindow()->getDrawingStatus() == DrawWindow::Waiting)) {
            held = !held; // a stroke that reaches no dot, or the end of one
            support::pushButton(SDL_BUTTON_LEFT, held);
        }
        switch (chance(25) ? dice() % 4 : 4) { // stray events the game must ignore
        case 0: support::pushButton(Uint8(SDL_BUTTON_MIDDLE + dice() % 3), dice() % 2, 300, 200); break;
        case 1: support::pushKey(SDLKey(SDLK_a + dice() % 26), dice() % 2); break;
        case 2: support::pushType(SDL_QUIT); break;
        case 3: support::pushType(SDL_ACTIVEEVENT); break;
        }
        if (f10)
            support::pushKey(SDLK_F10, true), support::pushKey(SDLK_F10, false);
        ASSERT_TRUE(gamePass(done) == 0 && !done) << "pass " << pass;
        if (f10) { // the next game's player wins a new drawn number of battles
            SDL_Event e;
            restartsWithHitsQueued += SDL_PeepEvents(&e, 1, SDL_PEEKEVENT, SDL_EVENTMASK(SDL_USEREVENT)) > 0;
            winsWanted = std::max<Uint32>(dice() % 5, restartsWithHitsQueued < 3);
        }
        victories += battul.getNumberOfVictories() > lastVicts;
        lastVicts = battul.getNumberOfVictories();
        defeats += state != Battle::Defeat && battul.getStatus() == Battle::Defeat;
    }
    const long memAfter = support::residentKiB();
    std::printf("soak: %ld passes, %ld victories, %ld defeats, %ld restarts with hits queued; resident memory "
                "%ld KiB after %ld warm-up passes, %+ld KiB at the end\n", total, victories, defeats,
                restartsWithHitsQueued, memBefore, warmUp, memAfter - memBefore);
    EXPECT_TRUE(victories > 0 && defeats > 0 && restartsWithHitsQueued == 3);
    EXPECT_LE(support::residentMemoryTells ? memAfter - memBefore : 0, 1024);
}
