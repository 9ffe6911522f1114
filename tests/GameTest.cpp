#include "GameFixture.h"
#include "LinePattern.h"
#include "MediaPlayer.h"
#include "Sound.h"
#include <algorithm>
#include <cmath>
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

// Into a new game or battle carry the hits still queued, but not a held button: a stroke begins only with a press
// made in its turn. A dot is reached within 33 pixels, the cursor disc's radius and its own.
TEST_F(Game, F10RestartsOnceOnItsKeyUpQueuedHitsLandOnTheNewOpponentAndAHeldButtonIsForgotten)
{
    passFor(1100), trace(34), pass(), pass();
    EXPECT_EQ(rComb->getHp(), 8);
    trace(33);
    pushF10(); // drained before the step, which then lands the first dot and queues its hit
    ASSERT_EQ(pass(), 0);
    ASSERT_EQ(pass(), 0);
    EXPECT_EQ(rComb->getHp(), 7);

    // The winning dot, then held still until the endurance is spent and on through the victory: about 5 s in all.
    rComb->takeDamage(6), release(), passFor(1100), trace(), passFor(5100), pass();
    EXPECT_TRUE(battul.getNumberOfVictories() == 1 &&
                battul.getDrawWindow()->getDrawingStatus() == DrawWindow::Waiting);
    release(); // mid-turn, a stroke on
    trace();
    ASSERT_EQ(pass(), 0);
    ASSERT_EQ(battul.getDrawWindow()->getDrawingStatus(), DrawWindow::Drawing);
    pushF10(), pushF10();
    ASSERT_EQ(pass(), 0);
    expectFreshGame();
    passFor(1100), pass(); // restarted once only: the intro ends, and the button held since starts no stroke
    EXPECT_TRUE(battul.getStatus() == Battle::PlayerDraws &&
                battul.getDrawWindow()->getDrawingStatus() == DrawWindow::Waiting);
}

// What the player sees in the state the battle is in, checked where it shows: each text line in its colour at its
// place (the expected line rendered by the same font, so a new version of the font or its renderer changes nothing
// here), each health bar's fill ending where its hit points say, the endurance bar, and the drawing area with its
// target dot in the player's turn. Blended pixels are compared with a tolerance.
void expectScreen()
{
    const SDL_Color white{255, 255, 255, 0}, grey{64, 64, 64, 0};
    auto near = [](SDL_Color p, int r, int g, int b) {
        return std::abs(p.r - r) <= 2 && std::abs(p.g - g) <= 2 && std::abs(p.b - b) <= 2;
    };
    auto at = [](int x, int y) { return support::pixel(screen, x, y); };
    const int state = battul.getStatus();
    const bool myTurn = battul.getLeftTurn();
    // The cursor's disc, drawn over the drawing area in the player's turn, may hide the key hint.
    const bool area = (state == Battle::PlayerDraws || state == Battle::ResultPause) && myTurn;
    if (!area || masterInput.getCursorPosX() > 195 || masterInput.getCursorPosY() > 40) {
        EXPECT_TRUE(support::shows(screen, "Escape = Quit, F10 = restart", 0, 0));
    }
    const SDL_Color wood = at(320, 430);
    EXPECT_TRUE(wood.r && wood.g) << "no background";
    if (state < Battle::Intro || state > Battle::BattleEnd)
        return;
    const std::string victories = std::to_string(battul.getNumberOfVictories());
    EXPECT_TRUE(support::shows(screen, victories + " victories so far...", 30, 90, {192, 192, 192, 0}));
    for (Combatant* c : {lComb, rComb}) {
        const bool left = c == lComb;
        EXPECT_TRUE(support::shows(screen, left ? "Player" : c->getName(), left ? 20 : 490, 50) &&
                    support::shows(screen, std::to_string(c->getHp()), left ? 20 : 610, 70));
        // Row 88, under the number: fill from the bar's own end, the dark back beyond.
        const int w = c->getHp() * 150 / c->getMaxHp(), from = left ? 10 : 630 - w;
        for (int x : {from + 1, from + w - 2})
            EXPECT_TRUE(w < 3 || near(at(x, 88), 96, 32, 32)) << c->getName() << " bar at " << x;
        EXPECT_TRUE(w > 147 || near(at(left ? 10 + w + 1 : 630 - w - 2, 88), 32, 32, 32)) << c->getName();
    }
    const int status = battul.getDrawWindow()->getDrawingStatus();
    std::ostringstream first, second;
    if (state == Battle::Intro) {
        first << rComb->getName() << " approaches!";
    } else if (state == Battle::PlayerDraws && status == DrawWindow::Waiting) {
        first << "Connect the dots by clicking and dragging the mouse.";
    } else if (state == Battle::PlayerDraws && status == DrawWindow::Drawing) {
        first << "Hits: " << battul.getNumHits();
        if (battul.getOverkillBonus())
            first << "( " << int(battul.getOverkillBonus()) << " overkill)";
        EXPECT_TRUE(support::shows(screen, "Endurance", 170, 365, grey)); // its bar: Fight.TheEnduranceBarAtItsEdges
    } else if (state == Battle::ResultPause) {
        first << battul.getNumHits() * battul.getNumDmg() << " Damage Total";
        if (battul.getOverkillBonus())
            first << ", with overkill of " << int(battul.getOverkillBonus()) << " Hits.";
    } else if (state == Battle::BattleEnd && lComb->getAreYouDead()) {
        first << "You Lose. " << victories << " victories total.";
    } else if (state == Battle::BattleEnd) {
        first << "You win! " << victories << " victories.";
        second << "You gain " << battul.getHpBack() + battul.getOverkillBonus();
        if (battul.getOverkillBonus())
            second << " (includes +" << int(battul.getOverkillBonus()) << " overkill bonus)";
        second << " HP.";
    }
    EXPECT_TRUE(first.str().empty() || support::shows(screen, first.str(), 170, 350, white)) << first.str();
    EXPECT_TRUE(second.str().empty() || support::shows(screen, second.str(), 170, 365, white)) << second.str();
    // The drawing area's picture against the wood beside it; its target a white disc, or the lone first dot a grey
    // one, though the wedges to and from it may cover some of it, and the cursor's half-transparent grey disc all.
    EXPECT_EQ(area, at(171, 31).b != at(169, 31).b) << "state " << state;
    const SDL_Rect t = support::target(*battul.getDrawWindow());
    if (area) {
        const int grey = battul.getDrawWindow()->getLinePattern()->getPoints().size() > 1 ? 255 : 128,
                  covered = (grey + 128) / 2;
        int seen = 0;
        for (int y = -8; y <= 8; ++y)
            for (int x = -8; x <= 8; ++x) {
                const SDL_Color p = at(t.x + x, t.y + y);
                seen += near(p, grey, grey, grey) || near(p, covered, covered, covered);
            }
        EXPECT_GE(seen, 100) << "target dot at " << t.x << "," << t.y;
    }
}

// A scripted player wins thirteen battles, tracing so many dots a turn (negative: so many, then holds still until
// the endurance is spent), then stops tracing and loses. One line per change of battle state and per stroke's
// last frame, with the cues asked for since the line before, compared with golden/game.txt; QF_UPDATE_GOLDEN=1
// rewrites it after a deliberate change of play. At each line the screen shows what that state shows.
TEST_F(Game, PlaysAWholeGameAsTheGoldenSummarySays)
{
    const int plan[] = {3, 40, -4, 5, 20, 9, 40, 2};
    const Uint32 start = seam::ticks();
    unsigned asked[Sound::CueCount]; // cues asked for up to the last line
    for (int cue = 0; cue < Sound::CueCount; ++cue)
        asked[cue] = Sound::asked(Sound::Cue(cue));
    std::ostringstream out;
    auto note = [&](const std::string& what) {
        const SDL_Rect t = support::target(*battul.getDrawWindow());
        out << seam::ticks() - start << " " << what << " v" << battul.getNumberOfVictories() << " me "
            << int(lComb->getHp()) << "/" << int(lComb->getMaxHp()) << " " << rComb->getName() << " "
            << int(rComb->getHp()) << "/" << int(rComb->getMaxHp()) << " dmg " << oppInput.getDamage() << " rules "
            << int(rulz.r) << int(rulz.g) << int(rulz.b) << int(rulz.unused) << " hits " << battul.getNumHits()
            << " overkill " << int(battul.getOverkillBonus()) << " back " << int(battul.getHpBack()) << " end "
            << battul.getEndurance() << " dot " << t.x << "," << t.y << " sizes ";
        for (const SDL_Rect& dot : battul.getDrawWindow()->getLinePattern()->getPoints())
            out << dot.w;
        out << " acts " << mo->getAnim() << mo->getFrame() << "," << mo2->getAnim() << mo2->getFrame() << " cues";
        for (int cue = 0; cue < Sound::CueCount; ++cue)
            out << (cue ? "." : " ")
                << Sound::asked(Sound::Cue(cue)) - std::exchange(asked[cue], Sound::asked(Sound::Cue(cue)));
        out << "\n";
        expectScreen();
    };
    int turn = 0, traced = 0, last = -1, lastActs = 0;
    for (int passes = 0; last != Battle::Defeat; ++passes) {
        ASSERT_LT(passes, 20000) << out.str();
        const bool drawing = battul.getStatus() == Battle::PlayerDraws && battul.getLeftTurn();
        const int dots = plan[turn % 8];
        if (drawing && battul.getNumberOfVictories() < 13) {
            if (traced < std::abs(dots))
                trace(), ++traced;
            else if (dots > 0 && held)
                note("stroke"), release();
        } else if (drawing && battul.getDrawWindow()->getDrawingStatus() == DrawWindow::Waiting) {
            support::pushMotion(639, 479), support::pushButton(SDL_BUTTON_LEFT, true), held = true; // off the path
        } else if (held) {
            release();
        }
        ASSERT_EQ(pass(), 0);
        const int acts = int(mo->getAnim() * 4 + mo2->getAnim() + 16 * battul.getNumberOfVictories());
        if (battul.getStatus() == last) {
            if (acts != std::exchange(lastActs, acts))
                note("then");
            continue;
        }
        last = battul.getStatus(), lastActs = acts;
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

} // namespace
