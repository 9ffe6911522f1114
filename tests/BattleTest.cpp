#include "Battle.h"
#include "Combatant.h"
#include "CpuInput.h"
#include "DrawWindow.h"
#include "MediaPlayer.h"
#include "MediaResource.h"
#include "TestSeams.h"
#include "TestSupport.h"
#include "UserInput.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

// A battle between a player with a mouse and a computer opponent, on the scripted clock, drawn on a canvas.
// The players of an empty character only record which action each fighter was asked for.
struct Fight : testing::Test {
    MediaResource nobody{"nobody"};
    MediaPlayer myMoves{&nobody}, foeMoves{&nobody};
    Battle battle;
    UserInput mouse;
    CpuInput cpu;
    Combatant player;
    std::unique_ptr<Combatant> foe;
    SDL_Color rules{0, 0, 0, 0};
    SDL_Surface* frame = support::makeCanvas();

    void SetUp() override
    {
        ASSERT_TRUE(support::initVideo() && support::font());
        seam::setTicks(5000), cpu.setStats(2);
        player.setInput(&mouse), player.setMedia(&myMoves), player.setMaxHP(255), newFoe();
    }
    void TearDown() override { SDL_FreeSurface(frame); }
    void newFoe()
    {
        foe = std::make_unique<Combatant>();
        std::string n = "Foe";
        foe->setStats(8, n), foe->setSide(false), foe->setInput(&cpu), foe->setMedia(&foeMoves);
        battle.init(&player, foe.get(), rules);
    }
    void step(Uint32 ms = 0) { seam::advance(ms), battle.gameLoop(); }
    void send(Uint8 type, SDL_Rect* record = nullptr, int x = 0, int y = 0)
    {
        SDL_Event e{};
        e.type = type, e.button.button = SDL_BUTTON_LEFT, e.user.data1 = record;
        if (type == SDL_MOUSEMOTION)
            e.motion.x = Uint16(x), e.motion.y = Uint16(y);
        battle.processInput(e);
    }
    void button(bool down) { send(down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP); }
    void hit(Uint16 targetCode, Uint16 damage)
    {
        SDL_Rect rec{0, 0, targetCode, damage};
        send(SDL_USEREVENT, &rec);
    }
    // In the player's turn, a stroke pressed and released at once: the turn ends without a dot.
    void toPlayersResult()
    {
        step(), button(true), step(), button(false), step();
        ASSERT_EQ(battle.getStatus(), Battle::ResultPause);
    }
    void draw() { SDL_FillRect(frame, nullptr, 0), battle.render(frame, support::font()); }
};

// Phases end once more than their time has passed, counted unsigned across the clock's wrap. (The whole-game
// summary follows the rest of a battle's flow frame by frame.)
TEST_F(Fight, PhasesEndOnTheClockUntilTheDefeat)
{
    seam::setTicks(0xFFFFFF00u);
    newFoe();
    step(1000);
    EXPECT_EQ(battle.getStatus(), Battle::Intro);
    step(1);
    EXPECT_TRUE(battle.getStatus() == Battle::PlayerDraws && battle.getLeftTurn());
    step(60000); // no stroke yet: the turn waits
    EXPECT_EQ(battle.getStatus(), Battle::PlayerDraws);
    toPlayersResult();
    button(true); // held when the turn ends, cleared by the change of turn
    step(1000);
    EXPECT_EQ(battle.getStatus(), Battle::ResultPause);
    step(1);
    EXPECT_TRUE(battle.getStatus() == Battle::TurnSetUp && !battle.getLeftTurn() && !mouse.getButton1() &&
                !mouse.getEscKey());
    button(true); // the player's mouse is not listening now
    EXPECT_FALSE(mouse.getButton1());
    send(SDL_USEREVENT); // a user event with no hit record lands nothing
    hit(0, 20);          // the player falls
    while (battle.getStatus() != Battle::ResultPause)
        step();
    step(1001), step(5000);
    EXPECT_EQ(battle.getStatus(), Battle::BattleEnd);
    step(1), step(600000);
    EXPECT_TRUE(battle.getStatus() == Battle::Defeat && battle.getNumberOfVictories() == 0);
}

// The endurance bar at values no stroke reaches exactly (the whole-game summary checks the screens as play reaches
// them), and the cursor's half-transparent disc.
TEST_F(Fight, TheEnduranceBarAtItsEdges)
{
    draw();
    const SDL_Color wood = support::pixel(frame, 320, 430);
    step(1001), send(SDL_MOUSEMOTION, nullptr, 320, 430), button(true), step();
    // endurance, bar width, shade
    const int bars[][3] = {{1000, 300, 32}, {999, 299, 32}, {251, 75, 32},   {250, 75, 160}, {4, 1, 160},
                           {3, 0, 160},     {0, 0, 160},    {1200, 300, 32}, {-1, 300, 160}};
    for (auto [endurance, width, shade] : bars) {
        battle.setEndurance(endurance), draw();
        // Row 379 lies under the word "Endurance" and on the bar; the drawing area ends at y 330.
        for (int x = 170; x < 470; ++x)
            ASSERT_EQ(x < 170 + width, support::pixel(frame, x, 379).r == shade) << endurance << " at x " << x;
    }
    EXPECT_GT(support::pixel(frame, 320, 430).r, wood.r);
}

// Without its pictures the battle still draws on plain grounds, black and the drawing area's dark blue, after a line
// for each picture that failed.
TEST(BattleScreen, WithoutItsPicturesDrawsOnPlainGrounds)
{
    ASSERT_TRUE(support::initVideo());
    support::TempDir dir; // no media/ here
    testing::internal::CaptureStdout();
    Battle battle;
    Combatant player, foe;
    SDL_Color rules{0, 0, 0, 0};
    battle.init(&player, &foe, rules), seam::advance(1001), battle.gameLoop();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Image Loading error:Couldn't open media/bkground/woodCrap.png"
                                                      "Image Loading error:Couldn't open media/bkground/drawBk.png");
    SDL_Surface* frame = support::makeCanvas(0, 200, 0);
    battle.render(frame, nullptr);
    const SDL_Color ground = support::pixel(frame, 320, 430), area = support::pixel(frame, 171, 329);
    EXPECT_TRUE(ground.r == 0 && ground.g == 0 && ground.b == 0 && area.r == 0 && area.g == 0 && area.b == 128);
    SDL_FreeSurface(frame);
}

} // namespace
