#include "LinePattern.h"
#include "TestSeams.h"
#include "TestSupport.h"
#include <cstring>
#include <gtest/gtest.h>

namespace {

const SDL_Rect area{0, 0, 300, 300};
std::pair<int, int> xy(const SDL_Rect& p) { return {p.x, p.y}; }

struct Pattern : LinePattern {
    using LinePattern::addWeight;
    using LinePattern::boundaryNextPoint;
    // The dot after (x, y) at heading a0 in turn class cls under rule bytes g and b, from exactly these draws.
    SDL_Rect next(Sint16 x, Sint16 y, Uint16 a0, Uint8 cls, Uint8 b, Uint8 g, const std::vector<int>& script)
    {
        points.assign(1, SDL_Rect{x, y, 8, 5});
        firstPoint = false, currentAngle = a0, mainAngleIndex = cls, angleBetweenPoints = b, distBetweenPoints = g;
        for (int v : script)
            seam::draws({v});
        SDL_Rect p = generateNextPoint(area);
        EXPECT_EQ(seam::drawsLeft(), 0u) << "draws not consumed as scripted";
        seam::clearDraws();
        return p;
    }
    std::vector<SDL_Rect>& dots() { return points; }
};

// Filled shapes at alpha 255 are written exactly; anti-aliased rims may blend by a unit or two.
void expectColour(SDL_Surface* s, int x, int y, int r, int g, int b, int tolerance = 0)
{
    SDL_Color c = support::pixel(s, x, y);
    EXPECT_TRUE(std::abs(c.r - r) <= tolerance && std::abs(c.g - g) <= tolerance && std::abs(c.b - b) <= tolerance)
        << "at " << x << "," << y << ": " << int(c.r) << "," << int(c.g) << "," << int(c.b);
}

} // namespace

TEST(LinePattern, FirstDotLiesInTheStartCellWithItsHeading)
{
    // Draws: nib, x 330 % 300 / 3 = 10, y 170 % 150 / 3 = 6, and a heading 365 % 360 for the centre cell.
    const struct {
        Uint8 sv;
        int x, y, heading;
    } cases[] = {{0, 10, 106, 135}, {1, 10, 56, 90},    {2, 10, 6, 45},     {3, 110, 6, 0},  {4, 210, 6, 315},
                 {5, 210, 56, 270}, {6, 210, 106, 225}, {7, 110, 106, 180}, {8, 110, 56, 5}, {255, 110, 56, 5}};
    for (const auto& c : cases) {
        LinePattern lp;
        SDL_Color rulz{c.sv, 0, 0, 0};
        seam::draws({0, 330, 170, 365});
        lp.init(SDL_Rect{50, 50, 300, 150}, rulz);
        EXPECT_EQ(seam::drawsLeft(), c.sv < 8 ? 1u : 0u) << int(c.sv);
        seam::clearDraws();
        const SDL_Rect& p = lp.getPoints().at(0);
        EXPECT_EQ(xy(p), std::make_pair(c.x, c.y)) << int(c.sv);
        EXPECT_TRUE(p.w == 8 && p.h == 5 && lp.getCurrentAngle() == c.heading && lp.getMainAngleIndex() == 2);
    }
}

TEST(LinePattern, NextDotFromScriptedDraws)
{
    // Draws in order: turn, [fold penalties], [parity of equal distances], centre penalty, [half-step
    // penalties], class walk, [its direction], [shifts off the newest dot]. ex < 0: position not checked.
    struct Case {
        Sint16 x, y;
        Uint16 a0;
        Uint8 cls, b, g;
        std::vector<int> draws;
        int ex, ey, dir, cls2;
    };
    // clang-format off
    const Case cases[] = {
        // A folds at the top, B runs straight down by the step length and wins.
        {150, 20, 60, 2, 0, 0, {5, 0, 0, 0}, 150, 75, 0, 2}, {150, 20, 60, 2, 0, 1, {5, 0, 0, 0}, 150, 80, 0, 2},
        {150, 20, 60, 2, 0, 2, {5, 0, 0, 0}, 150, 85, 0, 2}, {150, 20, 60, 2, 0, 200, {5, 0, 0, 0}, 150, 90, 0, 2},
        // Neither folds: the nearer wins. The cosine of 360 with this pi is a hair below 1: the step cuts to 54.
        {150, 60, 90, 4, 0, 0, {5, 0, 0}, 150, 115, 0, 4}, {150, 60, 270, 4, 0, 0, {5, 0, 0}, 150, 114, 0, 4},
        // A folds yet lies nearer: 2 against 2, and equal penalties choose B.
        {150, 2, 135, 1, 0, 0, {5, 0, 0, 0}, 204, 2, 90, 1},
        // Equal distances: an even draw books on A, an odd one on B.
        {150, 60, 0, 0, 0, 0, {5, 4, 0, 0}, 123, 107, 330, 0}, {150, 60, 0, 0, 0, 0, {5, 7, 0, 0}, 177, 107, 30, 0},
        // A within half a step of the centre carries 10 and loses although nearer.
        {150, 100, 270, 4, 0, 0, {5, 0, 0, 0}, 150, 46, 180, 4},
        // A step of 54 left from x 27 folds onto the newest dot (a misbooking byte lets it win); it is shifted
        // until it moves, and a shift out of the area is folded back.
        {27, 5, 180, 4, 9, 0, {5, 0, 0, 0, 10, 10, 0, 0}, 17, 5, 0, 4},
        // Class walk from mirrored candidates; bytes above 3 use the last row.
        {150, 40, 0, 0, 0, 0, {5, 0, 9, 10}, -1, 0, 0, 0},   {150, 40, 0, 0, 0, 0, {5, 0, 9, 11, 0}, -1, 0, 0, 1},
        {150, 40, 0, 4, 0, 0, {5, 0, 9, 11, 1}, -1, 0, 0, 3}, {150, 40, 0, 2, 0, 0, {5, 0, 9, 81, 0}, -1, 0, 0, 1},
        {150, 40, 0, 2, 1, 0, {5, 0, 9, 51, 1}, -1, 0, 0, 3}, {150, 40, 0, 4, 7, 0, {5, 0, 9, 70}, -1, 0, 0, 4},
        {150, 40, 0, 4, 7, 0, {5, 0, 9, 71, 1}, -1, 0, 0, 3}, {150, 40, 0, 2, 255, 0, {5, 0, 9, 16, 0}, -1, 0, 0, 1}};
    // clang-format on
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        Pattern lp;
        const SDL_Rect p = lp.next(c.x, c.y, c.a0, c.cls, c.b, c.g, c.draws);
        EXPECT_TRUE(c.ex < 0 || (xy(p) == std::make_pair(c.ex, c.ey) && lp.getCurrentAngle() == c.dir))
            << "case " << i << ": " << p.x << "," << p.y << " heading " << lp.getCurrentAngle();
        EXPECT_EQ(lp.getMainAngleIndex(), c.cls2) << "case " << i;
    }
}

TEST(LinePattern, EdgesFoldPositionAndTurnHeadingAndPenaltiesMayMisbook)
{
    const struct {
        int x, y, dir, ex, ey, edir;
        bool bounced;
    } cases[] = {
        {-10, 150, 200, 10, 150, 110, true},  {-10, 150, 300, 10, 150, 30, true},   {310, 150, 30, 290, 150, 300, true},
        {310, 150, 100, 290, 150, 190, true}, {150, -10, 120, 150, 10, 30, true},   {150, -10, 200, 150, 10, 290, true},
        {150, 310, 45, 150, 290, 135, true},  {150, 310, 300, 150, 290, 210, true}, {-10, 150, 400, 10, 150, 40, true},
        {310, 150, 400, 290, 150, 40, true},  {150, 150, 400, 150, 150, 40, false}, {-12, 5, 0, 12, 5, 0, true},
        {300, 300, 0, 300, 300, 0, false},    {0, 0, -90, 0, 0, 270, false},        {-10, -10, 200, 10, 10, 20, true},
        {700, 150, 0, 0, 150, 270, true}};
    Pattern lp;
    for (const auto& c : cases) {
        SDL_Rect p{Sint16(c.x), Sint16(c.y), 0, 0};
        int dir = c.dir;
        EXPECT_TRUE(lp.boundaryNextPoint(p, area, dir) == c.bounced && xy(p) == std::make_pair(c.ex, c.ey) &&
                    dir == c.edir)
            << c.x << "," << c.y << " heading " << c.dir << " gave " << p.x << "," << p.y << " heading " << dir;
    }
    // With byte 3 a draw below 3 books on the other side; a byte above 9 always does.
    SDL_Color rulz{0, 0, 3, 0};
    lp.init(area, rulz);
    Uint8 a = 0, b = 0;
    seam::draws({2, 3, 13});
    lp.addWeight(a, b, 2);
    lp.addWeight(a, b, 10);
    lp.addWeight(a, b, 1);
    EXPECT_TRUE(a == 11 && b == 2);
    rulz.b = 12;
    lp.init(area, rulz);
    seam::draws({9});
    lp.addWeight(a, b, 5);
    EXPECT_EQ(b, 7);
}

TEST(LinePattern, QueueFillsOnFirstHitThenMovesOnByOne)
{
    LinePattern lp;
    SDL_Color rulz{8, 1, 2, 0};
    lp.init(area, rulz);
    const SDL_Rect first = lp.getPoints()[0];
    lp.getNewLine(area, false);
    EXPECT_EQ(xy(lp.getPoints()[0]), xy(first));
    const int sizes[4][10] = {{1, 8, 5, 5, 4, 4, 3, 3, 2, 2},
                              {1, 8, 5, 5, 4, 4, 3, 2, 2, 3},
                              {1, 8, 5, 5, 4, 4, 3, 2, 3, 3},
                              {1, 8, 5, 5, 4, 4, 3, 3, 3, 3}};
    for (int hit = 0; hit < 6; ++hit) {
        const std::vector<SDL_Rect> before = lp.getPoints();
        ASSERT_EQ(before.size(), 10u);
        for (int k = 0; k < 10; ++k) {
            const int level = k == 0 ? 1 : k == 1 ? 5 : 3;
            EXPECT_TRUE(before[k].w == sizes[std::min(hit, 3)][k] && before[k].h == level) << hit << " dot " << k;
        }
        SDL_Rect target, last;
        EXPECT_EQ(lp.getContactPoint(target) + lp.getLastPoint(last), 20);
        EXPECT_TRUE(xy(target) == xy(before[1]) && xy(last) == xy(before[9]));
        lp.getNewLine(area, false);
        for (int k = 0; k < 9; ++k)
            EXPECT_EQ(xy(lp.getPoints()[k]), xy(before[k + 1]));
    }
}

TEST(LinePattern, ColourConversions)
{
    const struct {
        Uint16 h, s, v;
        Uint8 r, g, b;
    } toRgb[] = {{240, 360, 270, 0, 0, 192}, {240, 360, 191, 0, 0, 135}, {0, 0, 180, 128, 128, 128},
                 {0, 360, 360, 255, 0, 0},   {120, 360, 180, 0, 128, 0}, {300, 360, 360, 255, 0, 255}};
    for (const auto& c : toRgb) {
        Uint8 r, g, b;
        HSVtoRGB(c.h, c.s, c.v, r, g, b);
        EXPECT_TRUE(r == c.r && g == c.g && b == c.b) << c.h << "," << c.s << "," << c.v;
    }
    const struct {
        Uint8 r, g, b;
        Uint16 h, s, v;
    } toHsv[] = {
        {0, 0, 0, 65535, 0, 0}, {128, 128, 128, 0, 0, 180}, {0, 0, 192, 240, 360, 270}, {128, 0, 64, 330, 360, 180}};
    for (const auto& c : toHsv) {
        Uint16 h, s, v;
        RGBtoHSV(c.r, c.g, c.b, h, s, v);
        EXPECT_TRUE(h == c.h && s == c.s && v == c.v) << int(c.r) << "," << int(c.g) << "," << int(c.b);
    }
}

TEST(LinePattern, Drawing)
{
    support::initVideo();
    SDL_Surface* canvas = support::makeCanvas(10, 20, 30);
    SDL_Surface* blank = support::makeCanvas(10, 20, 30);
    const SDL_Rect dim{170, 30, 300, 300};
    Pattern lp;
    lp.render(canvas, dim); // no dots: nothing
    EXPECT_EQ(std::memcmp(canvas->pixels, blank->pixels, size_t(canvas->pitch) * canvas->h), 0);
    SDL_Color rulz{3, 0, 0, 0};
    seam::draws({0, 30, 60});
    lp.init(area, rulz); // first dot at (110, 20), nib along the y axis
    lp.render(canvas, dim);
    expectColour(canvas, 284, 50, 128, 128, 128);
    expectColour(canvas, 288, 50, 192, 192, 192, 2);
    expectColour(canvas, 280, 42, 192, 192, 192, 2);
    expectColour(canvas, 290, 50, 10, 20, 30);

    SDL_BlitSurface(blank, nullptr, canvas, nullptr);
    lp.getNewLine(area, false);
    for (int k = 0; k < 10; ++k) // a row to the right, 30 apart, keeping the sizes
        lp.dots()[k].x = Sint16(15 + 30 * k), lp.dots()[k].y = 100;
    lp.render(canvas, dim);
    const int wedge[9] = {192, 192, 183, 175, 167, 160, 151, 143, 135},
              disc[9] = {0, 255, 192, 183, 175, 167, 160, 151, 143};
    for (int i = 0; i < 9; ++i) {
        const int x = 185 + 30 * i, grey = i == 0 ? 192 : 0, white = i == 1 ? 255 : 0;
        expectColour(canvas, x + 15, 130, grey, grey, wedge[i]);
        if (i > 0)
            expectColour(canvas, x + 1, 130, white, white, disc[i]);
    }
    expectColour(canvas, 185 - 3, 130, 10, 20, 30);       // the tail has no disc
    expectColour(canvas, 185 + 270 + 3, 130, 10, 20, 30); // nor has the newest dot
    expectColour(canvas, 185, 130 + 8, 192, 192, 192, 2); // base corner w of the target below the tail
    SDL_FreeSurface(canvas);
    SDL_FreeSurface(blank);
}
