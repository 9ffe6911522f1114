#include "DrawWindow.h"
#include "LinePattern.h"
#include "TestSeams.h"
#include "TestSupport.h"
#include <filesystem>
#include <gtest/gtest.h>

namespace {

struct DrawWindowTest : testing::Test {
    DrawWindow dw;
    int end = 1000;
    void SetUp() override
    {
        support::initVideo();
        support::drainQueue();
    }
    // A turn from tick 1000 whose first dot lies at (110, 20).
    void start(Uint8 endBurn = 3)
    {
        SDL_Color rulz{3, 0, 0, endBurn};
        seam::setTicks(1000);
        seam::draws({0, 30, 60});
        dw.init(rulz);
        end = 1000;
    }
    // One judged frame; returns how many dots the pattern then holds.
    size_t judge(bool button, int x = -500, int y = -500, Uint8 accuracy = 25)
    {
        dw.drawEvaluator(button, accuracy, Sint16(x), Sint16(y), end, 7);
        return dw.getLinePattern()->getPoints().size();
    }
    SDL_Rect dot(size_t i) { return dw.getLinePattern()->getPoints().at(i); }
};

} // namespace

TEST_F(DrawWindowTest, StrokeStartsOnPressAndEndsOnReleaseOrExhaustion)
{
    start();
    seam::advance(500);
    EXPECT_EQ(judge(false, 110, 20), 1u); // never pressed: no hit even on the target, nothing spent
    EXPECT_TRUE(dw.getDrawingStatus() == 0 && end == 1000);
    judge(true); // judged at once, and the turn began over 90 ms ago
    EXPECT_TRUE(dw.getDrawingStatus() == 1 && end == 920);
    judge(false, 110, 20);
    EXPECT_EQ(judge(true, 110, 20), 1u); // released: over, and pressing again changes nothing
    EXPECT_TRUE(dw.getDrawingStatus() == 2 && end == 920);
    for (int left : {1, 0, -5}) {
        start();
        judge(true);
        end = left;
        EXPECT_EQ(judge(true, 110, 20), left > 0 ? 10u : 1u) << left;
        EXPECT_EQ(dw.getDrawingStatus(), left > 0 ? 1 : 2) << left;
    }
}

TEST_F(DrawWindowTest, ReachIsAccuracyPlusTargetSizeEdgeIncluded)
{
    const struct {
        Uint8 accuracy;
        int dx, dy;
        bool hit;
    } cases[] = {{0, 8, 0, true},    {0, 9, 0, false},    {0, 0, -8, true},   {2, 6, 8, true},
                 {2, -6, -8, true},  {2, 6, 9, false},    {2, 7, 8, false},   {25, 0, 33, true},
                 {25, -33, 0, true}, {25, 0, -34, false}, {25, 23, 23, true}, {25, 24, 24, false}};
    for (const auto& c : cases) {
        start();
        EXPECT_EQ(judge(true, 110 + c.dx, 20 + c.dy, c.accuracy), c.hit ? 10u : 1u) << c.dx << "," << c.dy;
        EXPECT_EQ(support::drainQueue(), c.hit ? 1 : 0);
    }
}

TEST_F(DrawWindowTest, OneDotPerCallAndEachHitSendsItsRecord)
{
    start();
    judge(true, 110, 20, 255);
    const SDL_Rect next = dot(2);
    judge(true, 110, 20, 255); // every dot lies in reach, yet only the target counts
    EXPECT_TRUE(dot(1).x == next.x && dot(1).y == next.y);
    SDL_Event e;
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(SDL_PollEvent(&e), 1);
        const SDL_Rect* rec = static_cast<const SDL_Rect*>(e.user.data1);
        ASSERT_TRUE(e.type == SDL_USEREVENT && e.user.code == 0 && !e.user.data2 && rec);
        EXPECT_TRUE(rec->x == 0 && rec->y == 0 && rec->w == 7 && rec->h == 1);
    }
    EXPECT_EQ(SDL_PollEvent(&e), 0);
}

TEST_F(DrawWindowTest, BurnPerFrameAfterA90MsGrace)
{
    for (auto [endBurn, burn] : {std::pair{0, 40}, {1, 50}, {2, 66}, {3, 80}, {200, 80}}) {
        start(Uint8(endBurn));
        seam::advance(90);
        judge(true);
        seam::advance(1);
        judge(true);
        EXPECT_EQ(end, 1000 - burn) << endBurn;
    }
    seam::advance(500);
    judge(true, 110, 20); // the call that hits spends nothing, and the grace starts again
    seam::advance(90);
    judge(true);
    EXPECT_EQ(end, 920);
    seam::advance(1);
    judge(true);
    EXPECT_EQ(end, 840);
}

TEST_F(DrawWindowTest, RecordsLiveWhileQueuedAndARefusedOneIsFreed)
{
    start();
    for (size_t i = 1; i <= 3; ++i) {
        judge(true, dot(i > 1).x, dot(i > 1).y);
        EXPECT_EQ(dw.getHitRecords().held(), i);
    }
    EXPECT_EQ(support::drainQueue(), 3);
    judge(true, dot(1).x, dot(1).y);
    EXPECT_EQ(dw.getHitRecords().held(), 1u);
    support::drainQueue();
    for (int i = 0; i < 128; ++i)
        support::pushKey(SDLK_a, true);
    const SDL_Rect next = dot(2);
    judge(true, dot(1).x, dot(1).y);
    EXPECT_EQ(dw.getHitRecords().held(), 0u);
    EXPECT_TRUE(dot(1).x == next.x && dot(1).y == next.y); // the hit still moves the pattern on
    EXPECT_EQ(support::drainQueue(), 0);
}

TEST_F(DrawWindowTest, BackgroundFilledOrBlittedIntoTheArea)
{
    SDL_Surface* canvas = support::makeCanvas(10, 20, 30);
    const std::string dir = support::makeTempDir();
    const auto home = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    {
        testing::internal::CaptureStdout();
        DrawWindow plain; // no picture here: a plain area under the lone first dot
        EXPECT_EQ(testing::internal::GetCapturedStdout().rfind("Image Loading error:", 0), 0u);
        std::filesystem::current_path(home);
        SDL_Color rulz{3, 0, 0, 3};
        seam::draws({0, 30, 60});
        plain.init(rulz);
        plain.render(canvas, true);
        for (auto [x, y, b] : {std::tuple{170, 30, 128}, {469, 329, 128}, {169, 30, 30}, {470, 329, 30}})
            EXPECT_EQ(support::pixel(canvas, x, y).b, b) << x << "," << y;
        EXPECT_EQ(support::pixel(canvas, 280, 50).r, 128);
        EXPECT_EQ(plain.getDimensions().w, 300);
    }

    // A 50x40 picture, written as a BMP under the expected name (the loader goes by content).
    std::filesystem::create_directories(dir + "/media/bkground");
    SDL_Surface* pic = SDL_CreateRGBSurface(SDL_SWSURFACE, 50, 40, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_FillRect(pic, nullptr, SDL_MapRGB(pic->format, 200, 100, 50));
    ASSERT_EQ(SDL_SaveBMP(pic, (dir + "/media/bkground/drawBk.png").c_str()), 0);
    SDL_FreeSurface(pic);
    std::filesystem::current_path(dir);
    {
        DrawWindow framed; // frees its picture and pattern on leaving (the sanitizer build checks)
        std::filesystem::current_path(home);
        SDL_Color rulz{6, 0, 0, 0};
        seam::draws({0, 30, 60});
        framed.init(rulz);
        framed.render(canvas, false);
        const SDL_Color c = support::pixel(canvas, 171, 31);
        const SDL_Rect d = framed.getDimensions();
        EXPECT_TRUE(c.r == 200 && c.g == 100 && c.b == 50);
        EXPECT_TRUE(d.x == 170 && d.y == 30 && d.w == 50 && d.h == 40) << d.w << "x" << d.h;
        seam::draws({0, 49, 39}); // the next pattern lies in the smaller area: (16 + 33, 13 + 26)
        framed.init(rulz);
        EXPECT_TRUE(framed.getLinePattern()->getPoints()[0].x == 49 && framed.getLinePattern()->getPoints()[0].y == 39);
    }
    std::filesystem::current_path(home);
    support::removeTree(dir);
    SDL_FreeSurface(canvas);
}
