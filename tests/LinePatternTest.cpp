#include "LinePattern.h"
#include "TestSeams.h"
#include "TestSupport.h"
#include <cstring>
#include <gtest/gtest.h>

namespace {

const SDL_Rect area{0, 0, 300, 300};

struct Pattern : LinePattern {
    using LinePattern::addWeight;
    using LinePattern::boundaryNextPoint;
    using LinePattern::generateNextPoint;
    // A pattern whose newest dot is `last`, heading a0, in turn class cls, under rule bytes g and b.
    void place(Sint16 x, Sint16 y, Uint16 a0, Uint8 cls, Uint8 g = 0, Uint8 b = 0)
    {
        points.assign(1, SDL_Rect{x, y, 8, 5});
        firstPoint = false;
        currentAngle = a0;
        mainAngleIndex = cls;
        distBetweenPoints = g;
        angleBetweenPoints = b;
    }
    SDL_Rect next(std::initializer_list<int> script)
    {
        seam::clearDraws();
        seam::draws(script);
        SDL_Rect p = generateNextPoint(area);
        EXPECT_EQ(seam::drawsLeft(), 0u) << "draws not consumed as scripted";
        return p;
    }
    std::vector<SDL_Rect>& dots() { return points; }
};

void expectAt(const SDL_Rect& p, int x, int y)
{
    EXPECT_EQ(p.x, x);
    EXPECT_EQ(p.y, y);
}

} // namespace

TEST(LinePattern, FirstDotLiesInTheStartCellWithItsHeading)
{
    // ang1, x draw 330 % 300 / 3 = 10, y draw 170 % 150 / 3 = 6, then the heading draw for the centre cell.
    const struct { Uint8 sv; int x, y, heading; } cases[] = {
        {0, 10, 106, 135}, {1, 10, 56, 90},   {2, 10, 6, 45},   {3, 110, 6, 0},   {4, 210, 6, 315},
        {5, 210, 56, 270}, {6, 210, 106, 225}, {7, 110, 106, 180}, {8, 110, 56, 5}, {255, 110, 56, 5}};
    for (const auto& c : cases) {
        LinePattern lp;
        SDL_Color rulz{c.sv, 0, 0, 0};
        seam::clearDraws();
        seam::draws({0, 330, 170, 365});
        lp.init(SDL_Rect{50, 50, 300, 150}, rulz);
        EXPECT_EQ(seam::drawsLeft(), c.sv < 8 ? 1u : 0u) << int(c.sv);
        ASSERT_EQ(lp.getPoints().size(), 1u);
        SCOPED_TRACE(int(c.sv));
        expectAt(lp.getPoints()[0], c.x, c.y);
        EXPECT_EQ(lp.getPoints()[0].w, 8);
        EXPECT_EQ(lp.getPoints()[0].h, 5);
        EXPECT_EQ(lp.getCurrentAngle(), c.heading);
        EXPECT_EQ(lp.getMainAngleIndex(), 2);
    }
    seam::clearDraws();
}

TEST(LinePattern, StepLengthFollowsDistanceByte)
{
    // From (150, 20) heading 60 with a turn of 60: A folds at the top, B runs straight down and wins.
    const struct { Uint8 g; int dist; } cases[] = {{0, 55}, {1, 60}, {2, 65}, {3, 70}, {200, 70}};
    for (const auto& c : cases) {
        Pattern lp;
        lp.place(150, 20, 60, 2, c.g);
        expectAt(lp.next({5, 0, 0, 0}), 150, 20 + c.dist);
        EXPECT_EQ(lp.getCurrentAngle(), 0);
    }
}

TEST(LinePattern, EdgesFoldPositionAndTurnHeading)
{
    const struct { int x, y, dir, ex, ey, edir; bool bounced; } cases[] = {
        {-10, 150, 200, 10, 150, 110, true}, {-10, 150, 300, 10, 150, 30, true}, {310, 150, 30, 290, 150, 300, true},
        {310, 150, 100, 290, 150, 190, true}, {150, -10, 120, 150, 10, 30, true}, {150, -10, 200, 150, 10, 290, true},
        {150, 310, 45, 150, 290, 135, true},  {150, 310, 300, 150, 290, 210, true}, {-10, 150, 400, 10, 150, 40, true},
        {310, 150, 400, 290, 150, 40, true},  {150, 150, 400, 150, 150, 40, false}, {-12, 5, 0, 12, 5, 0, true},
        {300, 300, 0, 300, 300, 0, false},    {0, 0, -90, 0, 0, 270, false},
        {-10, -10, 200, 10, 10, 20, true},   // left then top, each on what the one before left
        {700, 150, 0, 0, 150, 270, true}};   // folded past the far edge, then clamped
    for (const auto& c : cases) {
        Pattern lp;
        SDL_Rect p{Sint16(c.x), Sint16(c.y), 0, 0};
        int dir = c.dir;
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " heading " << c.dir);
        EXPECT_EQ(lp.boundaryNextPoint(p, area, dir), c.bounced);
        expectAt(p, c.ex, c.ey);
        EXPECT_EQ(dir, c.edir);
    }
}

TEST(LinePattern, PenaltiesLandAsAimedOrByChanceOnTheOther)
{
    Pattern lp;
    lp.place(150, 150, 0, 2, 0, 3);
    Uint8 a = 0, b = 0;
    seam::draws({2, 3, 13});
    lp.addWeight(a, b, 2);  // 2 < 3: lands on the other
    lp.addWeight(a, b, 10); // 3: as aimed
    lp.addWeight(a, b, 1);  // 13 % 10 = 3
    EXPECT_EQ(a, 11);
    EXPECT_EQ(b, 2);
    lp.place(150, 150, 0, 2, 0, 12); // a byte above 9 always misbooks
    seam::draws({9});
    lp.addWeight(a, b, 5);
    EXPECT_EQ(b, 7);
}

TEST(LinePattern, CandidateChoice)
{
    Pattern lp;
    // Neither folds: the one nearer the centre wins; A's heading 360 is brought to 0.
    lp.place(150, 60, 90, 4);
    expectAt(lp.next({5, 0, 0}), 150, 115);
    lp.place(150, 60, 270, 4); // cos of 360 with this pi is a hair below 1: the step cuts to 54
    expectAt(lp.next({5, 0, 0}), 150, 114);
    EXPECT_EQ(lp.getCurrentAngle(), 0);
    // A folds at the top yet lies nearer the centre: 2 against 2, and equal penalties choose B.
    lp.place(150, 2, 135, 1);
    expectAt(lp.next({5, 0, 0, 0}), 204, 2);
    EXPECT_EQ(lp.getCurrentAngle(), 90);
    // Equal distances: an even draw books on A (B wins), an odd one on B.
    lp.place(150, 60, 0, 0);
    expectAt(lp.next({5, 4, 0, 0}), 123, 107);
    EXPECT_EQ(lp.getCurrentAngle(), 330);
    lp.place(150, 60, 0, 0);
    expectAt(lp.next({5, 7, 0, 0}), 177, 107);
    EXPECT_EQ(lp.getCurrentAngle(), 30);
    // A within half a step of the centre carries 10 and loses although nearer.
    lp.place(150, 100, 270, 4);
    expectAt(lp.next({5, 0, 0, 0}), 150, 46);
    EXPECT_EQ(lp.getCurrentAngle(), 180);
}

TEST(LinePattern, TurnClassWalk)
{
    // From (150, 40) heading down the candidates mirror each other: turn, parity, booking, class and move draws.
    const struct { Uint8 row, cls; int r, move, expected; } cases[] = {
        {0, 0, 10, -1, 0}, {0, 0, 11, 0, 1},   {0, 0, 11, 1, 1},  {0, 4, 11, 1, 3},  {0, 4, 11, 0, 3},
        {0, 2, 80, -1, 2}, {0, 2, 81, 0, 1},   {0, 2, 81, 1, 3},  {1, 2, 51, 1, 3},  {2, 0, 50, -1, 0},
        {3, 4, 70, -1, 4}, {3, 4, 71, 1, 3},   {7, 4, 70, -1, 4}, {7, 4, 71, 1, 3},
        {255, 2, 15, -1, 2}, {255, 2, 16, 0, 1}}; // bytes above 3 use row 3
    for (const auto& c : cases) {
        Pattern lp;
        lp.place(150, 40, 0, c.cls, 0, c.row);
        SCOPED_TRACE(testing::Message() << "row " << int(c.row) << " class " << int(c.cls) << " r " << c.r);
        if (c.move < 0)
            lp.next({5, 0, 9, c.r});
        else
            lp.next({5, 0, 9, c.r, c.move});
        EXPECT_EQ(lp.getMainAngleIndex(), c.expected);
    }
}

TEST(LinePattern, DotOnTheNewestOneIsShifted)
{
    // A step of 54 left from x 27 folds back onto the newest dot; a misbooking byte lets A win.
    Pattern lp;
    lp.place(27, 150, 180, 4, 0, 9);
    expectAt(lp.next({5, 0, 0, 0, 10, 10, 0, 20}), 17, 160);
    EXPECT_EQ(lp.getCurrentAngle(), 0);
}

TEST(LinePattern, QueueFillsOnFirstHitThenMovesOnByOne)
{
    LinePattern lp;
    SDL_Color rulz{8, 1, 2, 0};
    seam::seed(7);
    lp.init(area, rulz);
    SDL_Rect first = lp.getPoints()[0];
    lp.getNewLine(area, false);
    const int sizes[4][10] = {{1, 8, 5, 5, 4, 4, 3, 3, 2, 2}, {1, 8, 5, 5, 4, 4, 3, 2, 2, 3},
                              {1, 8, 5, 5, 4, 4, 3, 2, 3, 3}, {1, 8, 5, 5, 4, 4, 3, 3, 3, 3}};
    expectAt(lp.getPoints()[0], first.x, first.y);
    for (int hit = 0; hit < 6; ++hit) {
        const std::vector<SDL_Rect> before = lp.getPoints();
        ASSERT_EQ(before.size(), 10u);
        for (int k = 0; k < 10; ++k) {
            EXPECT_EQ(before[k].w, sizes[std::min(hit, 3)][k]) << "hit " << hit << " dot " << k;
            EXPECT_EQ(before[k].h, k == 0 ? 1 : k == 1 ? 5 : 3);
            EXPECT_TRUE(before[k].x >= 0 && before[k].x <= 300 && before[k].y >= 0 && before[k].y <= 300);
        }
        SDL_Rect target, last;
        EXPECT_EQ(lp.getContactPoint(target), 10);
        expectAt(target, before[1].x, before[1].y);
        lp.getLastPoint(last);
        expectAt(last, before[9].x, before[9].y);
        lp.getNewLine(area, false);
        for (int k = 0; k < 9; ++k)
            expectAt(lp.getPoints()[k], before[k + 1].x, before[k + 1].y);
    }
}

TEST(LinePattern, ColourConversions)
{
    const struct { Uint16 h, s, v; Uint8 r, g, b; } toRgb[] = {
        {240, 360, 270, 0, 0, 192}, {240, 360, 191, 0, 0, 135}, {0, 0, 180, 128, 128, 128},
        {0, 360, 360, 255, 0, 0},   {120, 360, 180, 0, 128, 0},  {300, 360, 360, 255, 0, 255}};
    for (const auto& c : toRgb) {
        Uint8 r, g, b;
        HSVtoRGB(c.h, c.s, c.v, r, g, b);
        EXPECT_EQ(r, c.r) << c.h << "," << c.s << "," << c.v;
        EXPECT_EQ(g, c.g);
        EXPECT_EQ(b, c.b);
    }
    const struct { Uint8 r, g, b; Uint16 h, s, v; } toHsv[] = {
        {0, 0, 0, 65535, 0, 0}, {128, 128, 128, 0, 0, 180}, {0, 0, 192, 240, 360, 270}, {128, 0, 64, 330, 360, 180}};
    for (const auto& c : toHsv) {
        Uint16 h, s, v;
        RGBtoHSV(c.r, c.g, c.b, h, s, v);
        EXPECT_EQ(h, c.h) << int(c.r) << "," << int(c.g) << "," << int(c.b);
        EXPECT_EQ(s, c.s);
        EXPECT_EQ(v, c.v);
    }
    EXPECT_EQ(MIN(3, -1, 2), -1);
    EXPECT_EQ(MAX(3, -1, 7), 7);
}

namespace {
void expectColour(SDL_Surface* s, int x, int y, int r, int g, int b)
{
    SDL_Color c = support::pixel(s, x, y);
    EXPECT_NEAR(c.r, r, 2) << "at " << x << "," << y;
    EXPECT_NEAR(c.g, g, 2) << "at " << x << "," << y;
    EXPECT_NEAR(c.b, b, 2) << "at " << x << "," << y;
}
} // namespace

TEST(LinePatternDrawing, EmptyPatternDrawsNothingAndLoneDotIsGrey)
{
    support::initVideo();
    SDL_Surface* canvas = support::makeCanvas(10, 20, 30);
    SDL_Surface* blank = support::makeCanvas(10, 20, 30);
    LinePattern lp;
    lp.render(canvas, SDL_Rect{170, 30, 300, 300});
    EXPECT_EQ(std::memcmp(canvas->pixels, blank->pixels, size_t(canvas->pitch) * canvas->h), 0);
    SDL_Color rulz{3, 0, 0, 0};
    seam::draws({0, 30, 60});
    lp.init(area, rulz); // first dot at (110, 20)
    lp.render(canvas, SDL_Rect{170, 30, 300, 300});
    expectColour(canvas, 280, 50, 128, 128, 128);
    expectColour(canvas, 284, 50, 128, 128, 128);
    expectColour(canvas, 288, 50, 192, 192, 192);
    expectColour(canvas, 280, 42, 192, 192, 192);
    expectColour(canvas, 290, 50, 10, 20, 30);
    SDL_FreeSurface(canvas);
    SDL_FreeSurface(blank);
}

TEST(LinePatternDrawing, FullQueueShadesWedgesAndDots)
{
    support::initVideo();
    SDL_Surface* canvas = support::makeCanvas(10, 20, 30);
    Pattern lp;
    SDL_Color rulz{3, 0, 0, 0};
    seam::draws({0});
    lp.init(area, rulz); // nib along the y axis
    lp.getNewLine(area, false);
    for (int k = 0; k < 10; ++k) // a row to the right, 30 apart, keeping the sizes
        lp.dots()[k].x = Sint16(15 + 30 * k), lp.dots()[k].y = 100;
    lp.render(canvas, SDL_Rect{170, 30, 300, 300});
    const int wedge[9] = {192, 192, 183, 175, 167, 160, 151, 143, 135};
    const int disc[9] = {0, 255, 192, 183, 175, 167, 160, 151, 143};
    for (int i = 0; i < 9; ++i) {
        const int x = 170 + 15 + 30 * i, y = 130;
        SCOPED_TRACE(i);
        expectColour(canvas, x + 15, y, i == 0 ? 192 : 0, i == 0 ? 192 : 0, wedge[i]);
        if (i > 0)
            expectColour(canvas, x + 1, y, i == 1 ? 255 : 0, i == 1 ? 255 : 0, disc[i]);
    }
    expectColour(canvas, 185 - 3, 130, 10, 20, 30);      // the tail has no disc
    expectColour(canvas, 185 + 270 + 3, 130, 10, 20, 30); // nor has the newest dot
    expectColour(canvas, 185, 130 + 8, 192, 192, 192);    // base corner w of the target below the tail
    SDL_FreeSurface(canvas);
}
