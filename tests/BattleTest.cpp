#include "Battle.h"
#include "Combatant.h"
#include "CpuInput.h"
#include "DrawWindow.h"
#include "TestSeams.h"
#include "TestSupport.h"
#include "UserInput.h"
#include <SDL/SDL_ttf.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

const SDL_Color grey{192, 192, 192, 0};

// A battle between a player with a mouse and a computer opponent, on the scripted clock, drawn on a canvas.
struct Fight : ::testing::Test {
    Battle battle;
    UserInput mouse;
    CpuInput cpu;
    Combatant player;
    Combatant* opponent = nullptr;
    SDL_Color rules{0, 0, 0, 0};
    TTF_Font* font = nullptr;
    SDL_Surface* frame = nullptr;

    void SetUp() override
    {
        support::initVideo();
        support::drainQueue();
        seam::setTicks(5000);
        player.setInput(&mouse);
        cpu.setStats(2);
        player.setMaxHP(255);
        newOpponent();
        ASSERT_EQ(TTF_WasInit() ? 0 : TTF_Init(), 0);
        font = TTF_OpenFont("text/FreeSans.ttf", 12);
        ASSERT_NE(font, nullptr);
        frame = support::makeCanvas();
    }
    void TearDown() override
    {
        SDL_FreeSurface(frame);
        TTF_CloseFont(font);
        support::drainQueue();
        delete opponent;
    }
    void newOpponent()
    {
        delete opponent;
        opponent = new Combatant;
        std::string n = "Foe";
        opponent->setStats(8, n);
        opponent->setSide(false);
        opponent->setInput(&cpu);
        battle.init(&player, opponent, rules);
    }
    void step(Uint32 ms = 0)
    {
        seam::advance(ms);
        battle.gameLoop();
    }
    void send(Uint8 type, SDL_Rect* record = nullptr)
    {
        SDL_Event e{};
        e.type = type;
        if (type == SDL_USEREVENT)
            e.user.data1 = record;
        else
            e.button.button = SDL_BUTTON_LEFT;
        battle.processInput(e);
    }
    void hit(Uint16 targetCode, Uint16 damage)
    {
        SDL_Rect rec{0, 0, targetCode, damage};
        send(SDL_USEREVENT, &rec);
    }
    // Intro, then a stroke pressed and released at once: the player's turn ends without a dot.
    void toPlayersResult(Uint32 intro = 1001)
    {
        step(intro);
        send(SDL_MOUSEBUTTONDOWN);
        step();
        send(SDL_MOUSEBUTTONUP);
        step();
        ASSERT_EQ(battle.getStatus(), 5);
    }
    // Kills the opponent with extra overkill hits and plays the battle out to state 0.
    void win(int overkillHits)
    {
        hit(3, opponent->getHp());
        for (int i = 0; i < overkillHits; ++i)
            hit(3, 1);
        toPlayersResult();
        step(1001);
        ASSERT_EQ(battle.getStatus(), 6);
        for (int i = 0; i < 5; ++i)
            step(400); // the victory is counted once however long state 6 lasts
        step(1);
        ASSERT_EQ(battle.getStatus(), 0);
    }
    void draw() { battle.render(frame, font); }
    // Every pixel of the text's glyphs shows in the colour at (x, y).
    bool shows(const std::string& text, int x, int y, SDL_Color c = {255, 255, 255, 0})
    {
        SDL_Surface* t = TTF_RenderText_Solid(font, text.c_str(), c);
        bool all = t != nullptr;
        for (int j = 0; all && j < t->h; ++j)
            for (int i = 0; all && i < t->w; ++i) {
                const SDL_Color p = support::pixel(frame, x + i, y + j);
                all = !static_cast<Uint8*>(t->pixels)[j * t->pitch + i] || (p.r == c.r && p.g == c.g && p.b == c.b);
            }
        SDL_FreeSurface(t);
        return all;
    }
};

TEST_F(Fight, TurnsAlternateWithTheOpponentsPauseCountedFromItsSetUp)
{
    // On the real clock the intro would never end here; the scripted one's difference is taken unsigned across
    // the wrap.
    seam::setTicks(0xFFFFFF00u);
    newOpponent();
    step(1000);
    EXPECT_EQ(battle.getStatus(), 1);
    step(1);
    EXPECT_EQ(battle.getStatus(), 3);
    EXPECT_TRUE(battle.getLeftTurn());
    step(60000); // no stroke yet: the turn waits
    EXPECT_EQ(battle.getStatus(), 3);
    toPlayersResult(0);
    send(SDL_MOUSEBUTTONDOWN); // held when the turn ends, cleared by the change of turn
    battle.setEndurance(5);
    step(1001); // pause over at T
    EXPECT_EQ(battle.getStatus(), 2);
    EXPECT_FALSE(battle.getLeftTurn());
    EXPECT_FALSE(mouse.getButton1());
    EXPECT_EQ(battle.getEndurance(), 1000);
    send(SDL_MOUSEBUTTONDOWN); // the player's mouse is not listening now
    EXPECT_FALSE(mouse.getButton1());

    step(); // set-up
    for (int i = 0; i < 5; ++i)
        step(10);
    EXPECT_EQ(battle.getStatus(), 4);
    step(10); // the sixth step pushes the hit
    EXPECT_EQ(battle.getStatus(), 5);
    SDL_Event e;
    ASSERT_EQ(SDL_PollEvent(&e), 1);
    battle.processInput(e);
    EXPECT_EQ(player.getHp(), 18);
    step(940); // 1000 ms after T: still showing the opponent's result
    EXPECT_EQ(battle.getStatus(), 5);
    step(1);
    EXPECT_EQ(battle.getStatus(), 2);
    EXPECT_TRUE(battle.getLeftTurn());
}

// Overkill counting, exact kill included, is pinned by the hits line below.
TEST_F(Fight, HitsLandAsTheirLow8BitsAndBrokenOnesAreIgnored)
{
    hit(0, 256 + 3);
    EXPECT_EQ(player.getHp(), 17);
    EXPECT_EQ(battle.getNumDmg(), 259);
    send(SDL_USEREVENT, nullptr);
    battle.reset(); // no combatants until the next battle starts
    hit(0, 1);
    EXPECT_EQ(battle.getNumHits(), 1);
    EXPECT_EQ(player.getHp(), 17);
}

TEST_F(Fight, VictoriesHealByTheTable)
{
    // victory, hit points back, overkill bonus (25 overkill hits over the divisor)
    const Uint32 table[][3] = {{1, 1, 2},  {5, 1, 2},  {6, 2, 3},  {11, 2, 3},
                               {12, 3, 4}, {17, 3, 4}, {18, 4, 4}, {24, 5, 4}};
    size_t next = 0;
    for (Uint32 v = 1; v <= 24; ++v, newOpponent()) {
        SCOPED_TRACE(v);
        player.addHP(255);
        player.takeDamage(155);
        win(25);
        EXPECT_EQ(battle.getNumberOfVictories(), v);
        if (next < std::size(table) && table[next][0] == v) {
            EXPECT_EQ(battle.getHpBack(), table[next][1]);
            EXPECT_EQ(battle.getOverkillBonus(), table[next][2]);
            EXPECT_EQ(player.getHp(), 100 + table[next][1] + table[next][2]);
            ++next;
        }
    }
    EXPECT_EQ(next, std::size(table));
    player.setMaxHP(110); // 109 now: 5 back and a bonus of 16 must stop at the maximum
    win(100);
    EXPECT_EQ(player.getHp(), 110);
}

TEST_F(Fight, DefeatShowsTheLoseLineFiveSecondsThenOnlyBackgroundAndHint)
{
    hit(0, 20);
    toPlayersResult();
    step(1001);
    draw();
    EXPECT_TRUE(shows("You Lose. 0 victories total.", 170, 350));
    EXPECT_FALSE(shows("You gain 0 HP.", 170, 365));
    step(5000);
    EXPECT_EQ(battle.getStatus(), 6);
    step(1);
    EXPECT_EQ(battle.getStatus(), 7);
    step(600000);
    EXPECT_EQ(battle.getStatus(), 7);
    EXPECT_EQ(battle.getNumberOfVictories(), 0);
    draw();
    EXPECT_TRUE(shows("Escape = Quit, F10 = restart", 0, 0));
    EXPECT_FALSE(shows("0 victories so far...", 30, 90, grey));
    EXPECT_NE(support::pixel(frame, 80, 80).r, 32); // no health bar
}

TEST_F(Fight, IntroWaitingLinesAndEnduranceBarWidthAndShade)
{
    draw();
    EXPECT_TRUE(shows("Escape = Quit, F10 = restart", 0, 0));
    EXPECT_TRUE(shows("Foe approaches!", 170, 350));
    EXPECT_TRUE(shows("0 victories so far...", 30, 90, grey));
    step(1001);
    draw();
    EXPECT_TRUE(shows("Connect the dots by clicking and dragging the mouse.", 170, 350));

    send(SDL_MOUSEBUTTONDOWN);
    step();
    ASSERT_EQ(battle.getDrawWindow()->getDrawingStatus(), 1);
    // endurance, bar width, shade
    const int cases[][3] = {{1000, 300, 32}, {999, 299, 32},  {251, 75, 32}, {250, 75, 160},
                            {3, 0, 160},     {1200, 300, 32}, {-1, 300, 160}};
    for (auto [endurance, width, shade] : cases) {
        battle.setEndurance(endurance);
        SDL_FillRect(frame, nullptr, 0);
        draw();
        // Row 379 lies under the word "Endurance" and on the bar; the draw window ends at y 330.
        for (int x = 170; x < 470; ++x) {
            SDL_Color p = support::pixel(frame, x, 379);
            ASSERT_EQ(x < 170 + width, p.r == shade && p.g == shade) << endurance << " at x " << x;
        }
    }
    EXPECT_TRUE(shows("Hits: 0", 170, 350));
}

TEST_F(Fight, HitsResultsAndWinLinesWithOverkill)
{
    step(1001);
    send(SDL_MOUSEBUTTONDOWN);
    step();
    hit(3, 1);
    hit(3, 7); // exactly the hit points left: a kill, not an overkill
    for (int i = 0; i < 5; ++i)
        hit(3, 1);
    draw();
    EXPECT_TRUE(shows("Hits: 7( 5 overkill)", 170, 350));
    send(SDL_MOUSEBUTTONUP);
    step();
    draw();
    EXPECT_TRUE(shows("7 Damage Total, with overkill of 5 Hits.", 170, 350));
    step(1001);
    step();
    draw();
    EXPECT_TRUE(shows("You win! 1 victories.", 170, 350));
    EXPECT_TRUE(shows("You gain 1 HP.", 170, 365)); // 5 overkill hits are worth 0 at the first victory
}

TEST_F(Fight, BlackWithoutABackgroundPicture)
{
    const std::string dir = support::makeTempDir();
    const std::string home = std::filesystem::current_path();
    ASSERT_EQ(chdir(dir.c_str()), 0);
    testing::internal::CaptureStdout();
    Battle bare;
    const std::string said = testing::internal::GetCapturedStdout();
    ASSERT_EQ(chdir(home.c_str()), 0);
    support::removeTree(dir);
    EXPECT_EQ(said.rfind("Image Loading error:", 0), 0u);
    EXPECT_EQ(said.find('\n'), std::string::npos);
    SDL_FillRect(frame, nullptr, SDL_MapRGB(frame->format, 50, 60, 70));
    bare.render(frame, font);
    for (auto [x, y] : {std::pair{639, 479}, {320, 240}, {0, 479}})
        EXPECT_EQ(support::pixel(frame, x, y).g, 0);
}

} // namespace
