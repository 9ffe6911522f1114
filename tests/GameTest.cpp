#include "GameFixture.h"
#include "MediaPlayer.h"
#include "Sound.h"
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <utility>

namespace {

TEST_F(Game, StartsFullScreenAndDrawsTheFirstOpponentAtThirtyFramesASecond)
{
    EXPECT_TRUE(screen->w == 640 && screen->h == 480 && screen->format->BitsPerPixel == 32);
    EXPECT_TRUE(screen->flags & SDL_FULLSCREEN);
    char *caption = nullptr, *iconCaption = nullptr;
    SDL_WM_GetCaption(&caption, &iconCaption);
    EXPECT_TRUE(std::string(caption) == "QuillfrayBattle" && std::string(iconCaption) == "QuillfrayBattle");
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), 0);
    int delay = 0, interval = 0;
    SDL_GetKeyRepeat(&delay, &interval);
    EXPECT_TRUE(delay == 1 && interval == 30);
    expectFreshGame();
    EXPECT_TRUE(support::shows(screen, "Escape = Quit, F10 = restart", 0, 0) &&
                support::shows(screen, "Sludge approaches!", 170, 350));
    const Uint32 start = seam::ticks();
    for (int i = 0; i < 300; ++i)
        ASSERT_EQ(pass(), 0);
    EXPECT_NEAR(double(seam::ticks() - start), 10000.0, 34.0);
}

TEST_F(Game, EscapeMustStillBeHeldAfterTheDrainQuitRequestsWaitForAWindowAndFocusRereadsThePointer)
{
    support::pushKey(SDLK_ESCAPE, true);
    support::pushKey(SDLK_ESCAPE, false);
    support::pushKey(SDLK_F10, true); // a key-down of F10 restarts nothing
    support::pushType(SDL_QUIT);      // full screen has no close button
    lComb->takeDamage(1);             // a restart would heal this
    ASSERT_EQ(pass(), 0);
    EXPECT_TRUE(!done && lComb->getHp() == 19);
    windowedMode = true, support::pushType(SDL_QUIT);
    ASSERT_EQ(pass(), 0);
    EXPECT_TRUE(done), windowedMode = false;

    done = escKeyHit = false;
    support::pushKey(SDLK_ESCAPE, true);
    passFor(1000); // the intro ends on this pass's step, which still runs ...
    EXPECT_TRUE(done && battul.getStatus() == Battle::PlayerDraws);
    EXPECT_EQ(gameLoop(), 0); // ... and the next pass ends the loop

    int x = 0, y = 0; // a gain of focus re-reads the pointer, whose motion may have been missed
    SDL_GetMouseState(&x, &y);
    support::pushMotion(x + 101, y + 57);
    SDL_Event gain{};
    gain.type = SDL_ACTIVEEVENT, gain.active.gain = 1, gain.active.state = SDL_APPINPUTFOCUS, SDL_PushEvent(&gain);
    ASSERT_EQ(pass(), 0);
    EXPECT_TRUE(masterInput.getCursorPosX() == x && masterInput.getCursorPosY() == y);
}

// SIGINT and SIGTERM end the game after the pass they fall in, as Escape does, in every mode; the process then
// dies of the signal (entry.cpp). With no video driver chosen, a driver that shows nothing is a video failure.
TEST_F(Game, StopSignalsEndTheLoopAndNoDisplayIsAVideoFailure)
{
    for (int sig : {SIGINT, SIGTERM}) {
        catchStopSignals();
        raise(sig), raise(sig); // the second as from `timeout`, which also signals the process group
        ASSERT_EQ(pass(), 0);
        EXPECT_TRUE(done && stopSignal == sig);
        stopSignal = 0, done = false;
    }
    unsetenv("SDL_VIDEODRIVER"), testing::internal::CaptureStdout(); // the driver running is dummy
    EXPECT_EQ(initGfx(false), -1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error initializing video: no display found (is DISPLAY set?)");
    setenv("SDL_VIDEODRIVER", "dummy", 1);
}

TEST_F(Game, F10RestartsOnceOnItsKeyUpAndQueuedHitsLandOnTheNewOpponent)
{
    passFor(1100);
    trace();
    pushF10(); // drained before the step, which then lands the first dot and queues its hit
    ASSERT_EQ(pass(), 0);
    ASSERT_EQ(pass(), 0);
    EXPECT_EQ(rComb->getHp(), 7);

    passFor(1100); // mid-turn, a stroke on
    trace();
    ASSERT_EQ(pass(), 0);
    ASSERT_EQ(battul.getDrawWindow()->getDrawingStatus(), DrawWindow::Drawing);
    pushF10(), pushF10();
    ASSERT_EQ(pass(), 0);
    expectFreshGame();
    passFor(1100); // restarted once only: the intro ends
    EXPECT_EQ(battul.getStatus(), Battle::PlayerDraws);
}

// A scripted player wins five battles, tracing so many dots a turn (negative: so many, then holds still until
// the endurance is spent), then stops tracing and loses. One line per change of battle state and per stroke's
// last frame, compared with golden/game.txt; QF_UPDATE_GOLDEN=1 rewrites it after a deliberate change of play or
// picture.
TEST_F(Game, PlaysAWholeGameAsTheGoldenSummarySays)
{
    const int plan[] = {3, 40, -4, 6, 40, 9, 40, 2};
    const Uint32 start = seam::ticks();
    unsigned asked[Sound::CueCount]; // cues asked for since the start
    for (int cue = 0; cue < Sound::CueCount; ++cue)
        asked[cue] = Sound::asked(Sound::Cue(cue));
    std::ostringstream out;
    auto note = [&](const std::string& what) {
        const SDL_Rect t = support::target(*battul.getDrawWindow());
        out << seam::ticks() - start << " " << what << " v" << battul.getNumberOfVictories() << " me "
            << int(lComb->getHp()) << "/" << int(lComb->getMaxHp()) << " " << rComb->getName() << " "
            << int(rComb->getHp()) << "/" << int(rComb->getMaxHp()) << " dmg " << oppInput.getDamage() << " rules "
            << int(rulz.r) << int(rulz.g) << int(rulz.b) << int(rulz.unused) << " hits " << battul.getNumHits()
            << " end " << battul.getEndurance() << " dot " << t.x << "," << t.y << " acts " << mo->getAnim()
            << mo->getFrame() << "," << mo2->getAnim() << mo2->getFrame() << " cues ";
        for (int cue = 0; cue < Sound::CueCount; ++cue)
            out << (cue ? "." : "") << Sound::asked(Sound::Cue(cue)) - asked[cue];
        out << " frame " << std::hex << frameHash() << std::dec << "\n";
    };
    int turn = 0, traced = 0, last = -1;
    for (int passes = 0; last != Battle::Defeat; ++passes) {
        ASSERT_LT(passes, 20000) << out.str();
        const bool drawing = battul.getStatus() == Battle::PlayerDraws && battul.getLeftTurn();
        const int dots = plan[turn % 8];
        if (drawing && battul.getNumberOfVictories() < 5) {
            if (traced < std::abs(dots))
                trace(), ++traced;
            else if (dots > 0 && held)
                note("stroke"), release();
        } else if (drawing && battul.getDrawWindow()->getDrawingStatus() == DrawWindow::Waiting) {
            support::pushMotion(0, 0), support::pushButton(SDL_BUTTON_LEFT, true), held = true; // off the path
        } else if (held) {
            release();
        }
        ASSERT_EQ(pass(), 0);
        if (battul.getStatus() == last)
            continue;
        last = battul.getStatus();
        note("s" + std::to_string(last));
        if (last == Battle::PlayerDraws && battul.getLeftTurn())
            ++turn, traced = 0;
    }
    const std::string path = QF_GOLDEN_DIR "/game.txt";
    if (std::getenv("QF_UPDATE_GOLDEN"))
        std::ofstream(path) << out.str();
    std::stringstream golden;
    golden << std::ifstream(path).rdbuf();
    EXPECT_EQ(out.str(), golden.str());
}

TEST(Program, RunsUntilEscapeIsHeldThenShutsDownWithStatusZero)
{
    seam::onNextDelay([] { support::pushKey(SDLK_ESCAPE, true); }); // during the first frame
    char name[] = "quillfray";
    char* argv[] = {name, nullptr};
    EXPECT_EQ(SDL_main(1, argv), 0);
    EXPECT_TRUE(SDL_WasInit(SDL_INIT_EVERYTHING) == 0 && TTF_WasInit() == 0);
}

} // namespace
