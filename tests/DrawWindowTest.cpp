#include "DrawWindow.h"
#include "Drawing.h"
#include "Layout.h"
#include "LinePattern.h"
#include "Sound.h"
#include "TestSeams.h"
#include "TestSupport.h"
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <utility>

namespace {

struct DrawWindowTest : testing::Test {
    DrawWindow dw;
    int end = 1000;
    void SetUp() override { ASSERT_TRUE(support::initVideo()); }
    // A turn from tick 1000 whose first dot lies at (110, 20).
    void start(Uint8 endBurn = 3)
    {
        SDL_Color rulz{3, 0, 0, endBurn};
        seam::setTicks(1000), seam::draws({0, 30, 60}), dw.init(rulz), end = 1000;
    }
    // One frame judged wait ms later; returns how many dots the pattern then holds.
    size_t judge(Uint32 wait, bool button, int x = -500, int y = -500, Uint8 accuracy = 25)
    {
        seam::advance(wait);
        dw.drawEvaluator(button, accuracy, Sint16(x), Sint16(y), end, 7);
        return dw.getLinePattern()->getPoints().size();
    }
    SDL_Rect dot(size_t i) { return dw.getLinePattern()->getPoints().at(i); }
};

TEST_F(DrawWindowTest, StrokeBurnsAfterAGraceAndEndsOnReleaseOrExhaustion)
{
    // Spent to 250 or past it, where the bar turns light, the stroke sounds tired, once; at 251 not yet.
    for (auto [endBurn, burn] : {std::pair{0, 40}, {1, 50}, {2, 66}, {3, 80}, {200, 80}})
        for (int light : {250, 251}) {
            const unsigned tired = Sound::asked(Sound::Tired);
            start(Uint8(endBurn)), end = light + burn;
            judge(90, true), judge(1, true); // 90 ms after the turn began: nothing spent yet; then 91
            EXPECT_TRUE(end == light && Sound::asked(Sound::Tired) == tired + (light == 250)) << endBurn;
            judge(1, true);
            EXPECT_TRUE(end == light - burn && Sound::asked(Sound::Tired) == tired + 1) << endBurn;
        }
    end = 1; // endurance left at the start of a call: the stroke goes on
    EXPECT_EQ(judge(0, true, 110, 20), 10u);
    end = 0; // none left: over
    judge(0, true, dot(1).x, dot(1).y);
    EXPECT_TRUE(dw.getDrawingStatus() == DrawWindow::Done && support::drainQueue() == 1);

    start();
    EXPECT_EQ(judge(500, false, 110, 20), 1u); // never pressed: no hit even on the target, nothing spent
    EXPECT_TRUE(dw.getDrawingStatus() == DrawWindow::Waiting && end == 1000);
    judge(0, true); // judged at once, and the turn began over 90 ms ago
    EXPECT_TRUE(dw.getDrawingStatus() == DrawWindow::Drawing && end == 920);
    EXPECT_EQ(judge(500, true, 110, 20), 10u); // the call that hits spends nothing, and the grace starts again
    judge(90, true), judge(1, true), judge(0, false);
    judge(0, true, dot(1).x, dot(1).y); // released: over, and pressing again changes nothing
    EXPECT_TRUE(dw.getDrawingStatus() == DrawWindow::Done && end == 840 && support::drainQueue() == 1);
}

TEST_F(DrawWindowTest, OneDotPerCallAndRecordsLiveWhileQueued)
{
    start();
    judge(0, true, 110, 20, 255);
    const SDL_Rect next = dot(2);
    judge(0, true, 110, 20, 255); // every dot lies in reach, yet only the target counts
    EXPECT_TRUE(dot(1).x == next.x && dot(1).y == next.y && dw.getHitRecords().held() == 2);
    SDL_Event e; // each hit event carries its record {0, 0, target code, 1}, alive while queued
    ASSERT_TRUE(SDL_PollEvent(&e) == 1 && e.type == SDL_USEREVENT && e.user.code == 0 && e.user.data1);
    const SDL_Rect& rec = *static_cast<const SDL_Rect*>(e.user.data1);
    EXPECT_TRUE(rec.x == 0 && rec.y == 0 && rec.w == 7 && rec.h == 1 && !e.user.data2);
    judge(0, true, dot(1).x, dot(1).y); // the first, handled, is freed; the second still waits
    EXPECT_EQ(dw.getHitRecords().held(), 2u);
    support::drainQueue();
    for (int i = 0; i < 128; ++i)
        support::pushKey(SDLK_a, true);
    const SDL_Rect after = dot(2);
    judge(0, true, dot(1).x, dot(1).y); // the full queue refuses the hit, which still moves the pattern on
    EXPECT_TRUE(dw.getHitRecords().held() == 0 && dot(1).x == after.x && dot(1).y == after.y);
}

// A copy of a pattern whose nib lies at another angle.
struct Turned : LinePattern {
    explicit Turned(const LinePattern& p) : LinePattern(p) { sin1 = 0.8, cos1 = 0.6, sin2 = -0.8, cos2 = -0.6; }
};

// The area shows what drawing it afresh shows (its picture, then the path), pass after pass, after each change of
// anything it is drawn from; what lay where render says it covers never shows, and nothing of the path lies outside
// its bounds (a path reaching past the area is drawn on the screen itself).
TEST_F(DrawWindowTest, TheKeptAreaShowsAFreshDrawingAndCoversWhatItSays)
{
    SDL_Surface* pic = loadPicture((std::string(layout::mediaFolder) + layout::drawAreaPicture).c_str());
    SDL_Surface* s[2] = {support::makeCanvas(), support::makeCanvas()}; // the screen, and a fresh drawing
    // A first dot in the middle of an edge of the area (its cell and draw), whose disc reaches past that edge alone.
    auto edge = [&](Uint8 cell, int draw, Sint16 x, Sint16 y) {
        SDL_Color rulz{cell, 0, 0, 0};
        seam::draws({0, draw, draw}), dw.init(rulz);
        EXPECT_TRUE(dot(0).x == x && dot(0).y == y) << int(cell);
    };
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"the first dot", [&] { start(); }},
        {"a hit", [&] { judge(0, true, 110, 20); }},
        {"the nib turned", [&] { dw.setLinePattern(new Turned(*dw.getLinePattern())); }},
        {"a dot on the left edge", [&] { edge(1, 0, 0, 100); }},
        {"a dot on the top edge", [&] { edge(3, 0, 100, 0); }},
        {"a dot on the right edge", [&] { edge(5, 299, 299, 199); }},
        {"a dot on the bottom edge", [&] { edge(7, 299, 199, 299); }},
        {"a path from the bottom edge", [&] { judge(0, true, dot(0).x, dot(0).y); }},
    };
    for (const auto& [what, change] : steps) {
        change();
        for (int pass = 0; pass < 2; ++pass) {
            SDL_Rect covered = dw.cover(s[0]), area = dw.getDimensions();
            SDL_FillRect(s[0], nullptr, 0x285000), SDL_FillRect(s[1], nullptr, 0x285000);
            SDL_FillRect(s[0], &covered, 0xC800C8);
            dw.render(s[0], true);
            matchFormat(pic, s[1]);
            drawWhole(pic, s[1], &area);
            dw.getLinePattern()->render(s[1], area);
            EXPECT_EQ(std::memcmp(s[0]->pixels, s[1]->pixels, size_t(s[0]->pitch) * 480), 0) << what << ", " << pass;
            SDL_Rect b = dw.getLinePattern()->bounds(area);
            SDL_FillRect(s[1], &area, 0x285000), SDL_FillRect(s[1], &b, 0x285000),
                SDL_FillRect(s[0], nullptr, 0x285000);
            EXPECT_EQ(std::memcmp(s[0]->pixels, s[1]->pixels, size_t(s[0]->pitch) * 480), 0) << what << " bounds";
        }
    }
    for (SDL_Surface* c : {pic, s[0], s[1]})
        SDL_FreeSurface(c);
}

} // namespace
