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
        seam::clearDraws();
    }
    // Starts a turn at tick 1000 with the first dot at (110, 20).
    void start(Uint8 endBurn = 3)
    {
        SDL_Color rulz{3, 0, 0, endBurn};
        seam::setTicks(1000);
        seam::draws({0, 30, 60});
        dw.init(rulz);
        end = 1000;
    }
    SDL_Rect target()
    {
        SDL_Rect p{};
        dw.getLinePattern()->getContactPoint(p);
        return p;
    }
    void judge(bool button, int x, int y, Uint8 accuracy = 25, Uint16 code = 3)
    {
        dw.drawEvaluator(button, accuracy, Sint16(x), Sint16(y), end, code);
    }
    size_t dots() { return dw.getLinePattern()->getPoints().size(); }
};

} // namespace

TEST_F(DrawWindowTest, StrokeStartsOnPressAndEndsOnReleaseOrExhaustion)
{
    start();
    seam::advance(500);
    judge(false, 110, 20);
    EXPECT_EQ(dw.getDrawingStatus(), 0);
    EXPECT_EQ(end, 1000);
    EXPECT_EQ(dots(), 1u);
    judge(true, -500, -500); // the press is judged at once, long after the turn began
    EXPECT_EQ(dw.getDrawingStatus(), 1);
    EXPECT_EQ(end, 920);
    judge(false, 110, 20);
    EXPECT_EQ(dw.getDrawingStatus(), 2);
    EXPECT_EQ(end, 920);
    judge(true, 110, 20); // pressing again does not restart it
    EXPECT_EQ(dw.getDrawingStatus(), 2);
    EXPECT_EQ(dots(), 1u);
    for (int left : {1, 0, -5}) {
        start();
        judge(true, -500, -500);
        end = left;
        judge(true, 110, 20);
        EXPECT_EQ(dw.getDrawingStatus(), left > 0 ? 1 : 2) << left;
        EXPECT_EQ(dots(), left > 0 ? 10u : 1u) << left;
    }
    EXPECT_EQ(support::drainQueue(), 1);
}

TEST_F(DrawWindowTest, ReachIsAccuracyPlusTargetSizeEdgeIncluded)
{
    const struct { Uint8 accuracy; int dx, dy; bool hit; } cases[] = {
        {0, 8, 0, true},    {0, 9, 0, false},   {0, 0, -8, true},  {2, 6, 8, true},  {2, -6, -8, true},
        {2, 6, 9, false},   {2, 7, 8, false},   {25, 0, 33, true}, {25, -33, 0, true}, {25, 0, -34, false},
        {25, 24, 24, false}, {25, 23, 23, true}};
    for (const auto& c : cases) {
        start();
        judge(true, 110 + c.dx, 20 + c.dy, c.accuracy);
        EXPECT_EQ(dots(), c.hit ? 10u : 1u) << int(c.accuracy) << " " << c.dx << "," << c.dy;
        EXPECT_EQ(support::drainQueue(), c.hit ? 1 : 0);
    }
}

TEST_F(DrawWindowTest, OneDotPerCallAndEachHitSendsItsRecord)
{
    start();
    judge(true, 110, 20, 255, 7);
    const SDL_Rect next = dw.getLinePattern()->getPoints()[2];
    judge(true, 110, 20, 255, 7); // every dot lies in reach, yet only the target counts
    EXPECT_EQ(target().x, next.x);
    EXPECT_EQ(target().y, next.y);
    SDL_Event e;
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(SDL_PollEvent(&e), 1);
        EXPECT_EQ(e.type, SDL_USEREVENT);
        EXPECT_EQ(e.user.code, 0);
        EXPECT_EQ(e.user.data2, nullptr);
        const SDL_Rect* rec = static_cast<const SDL_Rect*>(e.user.data1);
        ASSERT_NE(rec, nullptr);
        EXPECT_TRUE(rec->x == 0 && rec->y == 0 && rec->w == 7 && rec->h == 1);
    }
    EXPECT_EQ(SDL_PollEvent(&e), 0);
}

TEST_F(DrawWindowTest, BurnPerFrameFollowsRuleByte)
{
    const struct { Uint8 endBurn; int burn; } cases[] = {{0, 40}, {1, 50}, {2, 66}, {3, 80}, {200, 80}};
    for (const auto& c : cases) {
        start(c.endBurn);
        seam::advance(91);
        judge(true, -500, -500);
        judge(true, -500, -500);
        EXPECT_EQ(end, 1000 - 2 * c.burn) << int(c.endBurn);
    }
}

TEST_F(DrawWindowTest, GraceOf90MsAfterTurnStartAndEachHit)
{
    start();
    seam::advance(90);
    judge(true, -500, -500);
    EXPECT_EQ(end, 1000);
    seam::advance(1);
    judge(true, -500, -500);
    EXPECT_EQ(end, 920);
    seam::advance(500);
    judge(true, 110, 20); // the call that hits spends nothing
    EXPECT_EQ(end, 920);
    seam::advance(90);
    judge(true, -500, -500);
    EXPECT_EQ(end, 920);
    seam::advance(1);
    judge(true, -500, -500);
    EXPECT_EQ(end, 840);
}

TEST_F(DrawWindowTest, RecordsLiveWhileQueuedAndARefusedOneIsFreed)
{
    start();
    for (size_t i = 1; i <= 3; ++i) {
        judge(true, target().x, target().y);
        EXPECT_EQ(dw.getHitRecords().held(), i);
    }
    EXPECT_EQ(support::drainQueue(), 3);
    judge(true, target().x, target().y);
    EXPECT_EQ(dw.getHitRecords().held(), 1u);
    support::drainQueue();
    for (int i = 0; i < 128; ++i)
        support::pushKey(SDLK_a, true);
    const SDL_Rect next = dw.getLinePattern()->getPoints()[2];
    judge(true, target().x, target().y);
    EXPECT_EQ(dw.getHitRecords().held(), 0u);
    EXPECT_EQ(target().x, next.x); // the hit still moves the pattern on
    EXPECT_EQ(support::drainQueue(), 0);
}

TEST_F(DrawWindowTest, MissingPictureIsReportedAndAreaFilled)
{
    testing::internal::CaptureStdout();
    DrawWindow plain;
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.rfind("Image Loading error:", 0), 0u) << out;
    EXPECT_EQ(out.find('\n'), std::string::npos);
    start();
    SDL_Surface* canvas = support::makeCanvas(10, 20, 30);
    dw.render(canvas, true);
    const struct { int x, y, b; } probes[] = {{170, 30, 128}, {469, 329, 128}, {169, 30, 30}, {470, 329, 30}};
    for (const auto& p : probes)
        EXPECT_EQ(support::pixel(canvas, p.x, p.y).b, p.b) << p.x << "," << p.y;
    EXPECT_EQ(support::pixel(canvas, 280, 50).r, 128); // the lone first dot, on top
    const SDL_Rect d = dw.getDimensions();
    EXPECT_TRUE(d.x == 170 && d.y == 30 && d.w == 300 && d.h == 300);
    SDL_FreeSurface(canvas);
}

TEST_F(DrawWindowTest, SmallPictureShrinksTheAreaForTheNextPattern)
{
    const std::string dir = support::makeTempDir();
    std::filesystem::create_directories(dir + "/media/bkground");
    SDL_Surface* pic = SDL_CreateRGBSurface(SDL_SWSURFACE, 50, 40, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_FillRect(pic, nullptr, SDL_MapRGB(pic->format, 200, 100, 50));
    ASSERT_EQ(SDL_SaveBMP(pic, (dir + "/media/bkground/drawBk.png").c_str()), 0);
    SDL_FreeSurface(pic);
    const auto home = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    {
        DrawWindow framed; // frees its picture and pattern on leaving (the sanitizer build checks)
        std::filesystem::current_path(home);
        SDL_Color rulz{6, 0, 0, 0};
        seam::draws({0, 30, 60});
        framed.init(rulz);
        SDL_Surface* canvas = support::makeCanvas();
        framed.render(canvas, false);
        const SDL_Color c = support::pixel(canvas, 171, 31);
        EXPECT_TRUE(c.r == 200 && c.g == 100 && c.b == 50);
        const SDL_Rect d = framed.getDimensions();
        EXPECT_TRUE(d.x == 170 && d.y == 30 && d.w == 50 && d.h == 40) << d.w << "x" << d.h;
        seam::draws({0, 49, 39});
        framed.init(rulz);
        SDL_Rect first;
        framed.getLinePattern()->getContactPoint(first);
        EXPECT_EQ(first.x, 16 + 33);
        EXPECT_EQ(first.y, 13 + 26);
        SDL_FreeSurface(canvas);
    }
    std::filesystem::current_path(home);
    support::removeTree(dir);
}
