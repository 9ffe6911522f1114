#include "Combatant.h"
#include "DrawWindow.h"
#include "LinePattern.h"
#include "TestSeams.h"
#include "TestSupport.h"
#include "main.h"
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <utility>

// Whole games through real events for QF_SOAK_PASSES passes: the player wins a drawn number of battles, then loses;
// F10 at seeded random moments (often mid-stroke, a hit queued), stray events between. Memory must stay flat.
TEST(Soak, GamesWonLostAndRestartedForManyPasses)
{
    const char* env = std::getenv("QF_SOAK_PASSES");
    const long total = env ? std::atol(env) : 3000, warmUp = std::min(1000L, total / 3);
    ASSERT_TRUE(screen || initEngine() == 0); // the Game suite may already have started the engine in this process
    ASSERT_EQ(initGame(), 0);
    seam::seed(7);
    std::mt19937 dice(20240607);
    auto chance = [&](unsigned n) { return dice() % n == 0; };
    bool done = false, buttonDown = false;
    Uint32 winsWanted = 2, lastVicts = 0;
    long victories = 0, defeats = 0, restarts = 0, restartsWithHitsQueued = 0, memBefore = 0;
    for (long pass = 0; pass < total; ++pass) {
        if (pass == warmUp)
            memBefore = support::residentKiB();
        const Uint8 state = battul.getStatus();
        const bool ourTurn = state == 3 && battul.getLeftTurn();
        bool f10 = chance(state == 7 ? 60 : 2000);
        if (ourTurn && battul.getNumberOfVictories() < winsWanted && !rComb->getAreYouDead()) {
            SDL_Rect t, area = battul.getDrawWindow()->getDimensions();
            battul.getDrawWindow()->getLinePattern()->getContactPoint(t);
            support::pushMotion(Sint16(area.x + t.x), Sint16(area.y + t.y));
            if (!std::exchange(buttonDown, true)) // the cursor goes by motion alone
                support::pushButton(SDL_BUTTON_LEFT, true, 0, 0);
            f10 = f10 || chance(100); // the step of this pass usually queues a hit
        } else if (buttonDown || (ourTurn && battul.getDrawWindow()->getDrawingStatus() == 0)) {
            buttonDown = !buttonDown; // a stroke that reaches no dot, or the end of one
            support::pushButton(SDL_BUTTON_LEFT, buttonDown, 0, 0);
        }
        SDL_Event e{};
        switch (chance(25) ? dice() % 5 : 5) {
        case 0: support::pushButton(Uint8(SDL_BUTTON_WHEELUP + dice() % 2), true, 5, 5); break;
        case 1: support::pushButton(SDL_BUTTON_MIDDLE, dice() % 2, 300, 200); break;
        case 2: support::pushKey(SDLKey(SDLK_a + dice() % 26), dice() % 2); break;
        case 3: e.type = SDL_QUIT; SDL_PushEvent(&e); break;
        case 4: e.type = SDL_ACTIVEEVENT, e.active.gain = Uint8(dice() % 2), e.active.state = SDL_APPINPUTFOCUS;
                SDL_PushEvent(&e);
        }
        if (f10)
            support::pushKey(SDLK_F10, true), support::pushKey(SDLK_F10, false);
        ASSERT_TRUE(gamePass(done) == 0 && !done) << "pass " << pass;
        if (f10) { // restarted: the next game's player wins a new drawn number of battles
            ++restarts;
            restartsWithHitsQueued += SDL_PeepEvents(&e, 1, SDL_PEEKEVENT, SDL_EVENTMASK(SDL_USEREVENT)) > 0;
            winsWanted = dice() % 5;
        }
        victories += battul.getNumberOfVictories() > lastVicts;
        lastVicts = battul.getNumberOfVictories();
        defeats += state != 7 && battul.getStatus() == 7;
    }
    const long memAfter = support::residentKiB();
    std::printf("soak: %ld passes, %ld victories, %ld defeats, %ld restarts (%ld with hits queued); resident memory "
                "%ld KiB after %ld warm-up passes, %ld KiB at the end (%+ld KiB)\n", total, victories, defeats,
                restarts, restartsWithHitsQueued, memBefore, warmUp, memAfter, memAfter - memBefore);
    EXPECT_TRUE(victories > 0 && defeats > 0 && restartsWithHitsQueued > 0); // counts printed above
    EXPECT_LE(support::residentMemoryTells ? memAfter - memBefore : 0, 1024);
}
