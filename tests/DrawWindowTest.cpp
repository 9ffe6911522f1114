#include "DrawWindow.h"
#include "Drawing.h"
#include "Layout.h"
#include "LinePattern.h"
#include "TestSeams.h"
#include "TestSupport.h"
#include <cmath>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <string>
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
    for (auto [endBurn, burn] : {std::pair{0, 40}, {1, 50}, {2, 66}, {3, 80}, {200, 80}}) {
        start(Uint8(endBurn));
        judge(90, true), judge(1, true); // 90 ms after the turn began: nothing spent yet; then 91
        EXPECT_EQ(end, 1000 - burn) << endBurn;
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
    explicit Turned(const LinePattern& p) : LinePattern(p)
    {
        sin1 = std::sin(1.0), cos1 = std::cos(1.0), sin2 = -sin1, cos2 = -cos1;
    }
};

// The area shows what drawing it afresh shows (its picture, then the path), pass after pass, after each change of
// anything it is drawn from; and whatever lay under it, the part render reports it covers comes out the same.
TEST_F(DrawWindowTest, TheKeptAreaShowsAFreshDrawingAndCoversWhatItSays)
{
    SDL_Surface* pic = loadPicture((std::string(layout::mediaFolder) + layout::drawAreaPicture).c_str());
    SDL_Surface* canvases[3] = {};
    auto make = [&](int bpp) {
        for (SDL_Surface*& s : canvases) {
            SDL_FreeSurface(s);
            s = SDL_CreateRGBSurface(SDL_SWSURFACE, 640, 480, bpp, 0xFF0000, 0xFF00, 0xFF, 0);
        }
    };
    make(32);
    const SDL_Rect clip{0, 0, 400, 200};
    SDL_Color corner{2, 0, 0, 0}; // the first dot in the top-left corner: its disc reaches past the area
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"the first dot", [&] { start(); }},
        {"a hit", [&] { judge(0, true, 110, 20); }},
        {"another hit", [&] { judge(0, true, dot(1).x, dot(1).y); }},
        {"the nib turned", [&] { dw.setLinePattern(new Turned(*dw.getLinePattern())); }},
        {"a dot past the area's edge",
         [&] {
             seam::draws({0, 0, 0}), dw.init(corner);
         }},
        {"a new turn", [&] { start(); }},
        {"another pixel format", [&] { make(24); }},
        {"a clip cutting the area", [&] { SDL_SetClipRect(canvases[0], &clip), SDL_SetClipRect(canvases[1], &clip); }},
    };
    for (const auto& [what, change] : steps) {
        change();
        for (int pass = 0; pass < 2; ++pass) {
            SDL_Surface *screen = canvases[0], *fresh = canvases[1], *other = canvases[2];
            for (SDL_Surface* s : canvases)
                SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, s == other ? 200 : 40, 80, 0));
            dw.render(screen, true), dw.render(other, true);
            matchFormat(pic, fresh);
            SDL_Rect area = dw.getDimensions();
            drawWhole(pic, fresh, &area);
            dw.getLinePattern()->render(fresh, area);
            const SDL_Rect c = dw.cover(screen);
            const int bpp = screen->format->BytesPerPixel;
            bool covered = true;
            for (int y = c.y; y < c.y + c.h; ++y) {
                auto at = [&](SDL_Surface* s) { return static_cast<Uint8*>(s->pixels) + y * s->pitch + c.x * bpp; };
                covered &= std::memcmp(at(screen), at(other), size_t(c.w) * bpp) == 0;
            }
            EXPECT_TRUE(std::memcmp(screen->pixels, fresh->pixels, size_t(screen->pitch) * 480) == 0 && covered)
                << what << ", pass " << pass;
        }
    }
    for (SDL_Surface* s : {pic, canvases[0], canvases[1], canvases[2]})
        SDL_FreeSurface(s);
}

} // namespace
