#include "LinePattern.h"
#include "TestSeams.h"
#include "TestSupport.h"
#include <array>
#include <gtest/gtest.h>
#include <set>

namespace {

const SDL_Rect area{0, 0, 300, 300};
std::pair<int, int> xy(const SDL_Rect& p) { return {p.x, p.y}; }

struct Case {
    Sint16 x, y;
    Uint16 a0;
    Uint8 cls, b, g;
    std::vector<int> draws;
    int ex, ey, dir, cls2;
};

struct Pattern : LinePattern {
    using LinePattern::boundaryNextPoint;
    SDL_Rect next(const Case& c)
    {
        points.assign(1, SDL_Rect{c.x, c.y, 8, 5});
        firstPoint = false, currentAngle = c.a0, mainAngleIndex = c.cls;
        angleBetweenPoints = c.b, distBetweenPoints = c.g;
        for (int v : c.draws)
            seam::draws({v});
        return generateNextPoint(area);
    }
};

// Packed as 0xRRGGBB, so a pure blue reads as its level.
int rgb(SDL_Surface* s, int x, int y)
{
    SDL_Color c = support::pixel(s, x, y);
    return c.r << 16 | c.g << 8 | c.b;
}

} // namespace

TEST(LinePattern, NextDotFromScriptedDraws)
{
    // From (x, y) at heading a0 in turn class cls under rule bytes b and g, exactly these draws give this dot,
    // heading and class (ex < 0: class only). Draws: turn, [fold penalties], [parity of equal distances], centre
    // penalty, [half-step penalties], class walk, [its direction], [shifts off the newest dot].
    // clang-format off
    const Case cases[] = {
        // A folds at the top, B runs straight down by the step length (55, 60, 65, 70) and wins; the turn
        // draw (mod 11) moves both headings by -5..5 degrees.
        {150, 20, 60, 2, 0, 0, {5, 0, 0, 0}, 150, 75, 0, 2}, {150, 20, 60, 2, 0, 1, {5, 0, 0, 0}, 150, 80, 0, 2},
        {150, 20, 60, 2, 0, 0, {0, 0, 0, 0}, 154, 74, 5, 2}, {150, 20, 60, 2, 0, 0, {10, 0, 0, 0}, 146, 74, 355, 2},
        {150, 20, 60, 2, 0, 2, {5, 0, 0, 0}, 150, 85, 0, 2}, {150, 20, 60, 2, 0, 3, {5, 0, 0, 0}, 150, 90, 0, 2},
        {150, 20, 60, 2, 0, 200, {5, 0, 0, 0}, 150, 90, 0, 2},
        // A is nearer, but byte 3 books on the other side for a draw (mod 10) below 3. Cos 360 with this pi: 54.
        {150, 60, 270, 4, 3, 0, {5, 3, 0}, 150, 114, 0, 4}, {150, 60, 270, 4, 3, 0, {5, 12, 0}, 150, 6, 180, 4},
        // A folds yet lies nearer: 2 against 2, and equal penalties choose B.
        {150, 2, 135, 1, 0, 0, {5, 0, 0, 0}, 204, 2, 90, 1},
        // Equal distances: an even draw books on A, an odd one on B.
        {150, 60, 0, 0, 0, 0, {5, 4, 0, 0}, 123, 107, 330, 0}, {150, 60, 0, 0, 0, 0, {5, 7, 0, 0}, 177, 107, 30, 0},
        // A within half a step of the centre carries 10 and loses although nearer.
        {150, 100, 270, 4, 0, 0, {5, 0, 0, 0}, 150, 46, 180, 4},
        // A folds onto the newest dot and wins by misbooking; it is shifted (draws mod 21) until it moves, and folded
        // back in.
        {27, 5, 180, 4, 9, 0, {5, 0, 0, 0, 31, 31, 0, 0}, 17, 5, 0, 4},
        // Class walk: at the limit it stays, past it walks, folding at 0 and 4; byte 4 shares the last row.
        {150, 40, 0, 0, 0, 0, {5, 0, 9, 10}, -1, 0, 0, 0},    {150, 40, 0, 0, 0, 0, {5, 0, 9, 11, 0}, -1, 0, 0, 1},
        {150, 40, 0, 4, 0, 0, {5, 0, 9, 11, 1}, -1, 0, 0, 3}, {150, 40, 0, 2, 0, 0, {5, 0, 9, 81, 0}, -1, 0, 0, 1},
        {150, 40, 0, 4, 4, 0, {5, 0, 9, 70}, -1, 0, 0, 4}};
    // clang-format on
    for (const Case& c : cases) {
        Pattern lp;
        const SDL_Rect p = lp.next(c);
        EXPECT_TRUE((c.ex < 0 || (xy(p) == std::make_pair(c.ex, c.ey) && lp.getCurrentAngle() == c.dir)) &&
                    lp.getMainAngleIndex() == c.cls2 && seam::drawsLeft() == 0)
            << "case " << &c - cases << ": " << p.x << "," << p.y << " heading " << lp.getCurrentAngle() << " class "
            << int(lp.getMainAngleIndex()) << ", draws left " << seam::drawsLeft();
        seam::clearDraws();
    }
}

TEST(LinePattern, EdgesFoldPositionAndTurnHeading)
{
    // x, y, heading, then the folded x, y, heading, and whether it folded.
    const int cases[][7] = {
        {-12, 150, 200, 12, 150, 110, 1},  {-10, 150, 300, 10, 150, 30, 1},   {310, 150, 30, 290, 150, 300, 1},
        {310, 150, 100, 290, 150, 190, 1}, {150, -10, 120, 150, 10, 30, 1},   {150, -10, 200, 150, 10, 290, 1},
        {150, 310, 45, 150, 290, 135, 1},  {150, 310, 300, 150, 290, 210, 1}, {-10, 150, 400, 10, 150, 40, 1},
        {300, 300, 0, 300, 300, 0, 0},     {0, 0, -90, 0, 0, 270, 0},         {-10, -10, 200, 10, 10, 20, 1},
        {700, 150, 0, 0, 150, 270, 1},     {310, 150, 90, 290, 150, 180, 1},  {310, 150, 89, 290, 150, 359, 1},
        {150, 310, 0, 150, 290, 90, 1},    {150, 310, 271, 150, 290, 181, 1}, {150, 310, 360, 150, 290, 270, 1},
        {-10, 150, 181, 10, 150, 91, 1},   {-10, 150, 270, 10, 150, 0, 1},    {150, -10, 180, 150, 10, 270, 1},
        {150, -10, 91, 150, 10, 1, 1},     {150, 310, 361, 150, 290, 1, 1},   {-10, 150, 269, 10, 150, 179, 1},
        {-10, 150, 359, 10, 150, 89, 1},   {-10, 150, 180, 10, 150, 180, 1},  {310, 150, 179, 290, 150, 269, 1},
        {310, 150, 180, 290, 150, 180, 1}, {150, -10, 179, 150, 10, 89, 1},   {150, -10, 269, 150, 10, 359, 1},
        {150, -10, 90, 150, 10, 90, 1},    {150, 310, 89, 150, 290, 179, 1},  {150, 310, 270, 150, 290, 270, 1},
        {-10, 150, 360, 10, 150, 0, 1},    {150, -10, 270, 150, 10, 270, 1}};
    Pattern lp;
    for (const auto& c : cases) {
        SDL_Rect p{Sint16(c[0]), Sint16(c[1]), 0, 0};
        int dir = c[2];
        EXPECT_TRUE(lp.boundaryNextPoint(p, area, dir) == bool(c[6]) && xy(p) == std::make_pair(c[3], c[4]) &&
                    dir == c[5])
            << c[0] << "," << c[1] << " heading " << c[2] << " gave " << p.x << "," << p.y << " heading " << dir;
    }
}

TEST(LinePattern, ColourConversions)
{
    Uint8 r, g, b;
    for (auto [h, s, v, rgb] :
         {std::array{240, 360, 270, 192}, {240, 360, 191, 135}, {0, 0, 180, 0x808080}, {0, 360, 360, 0xFF0000}}) {
        HSVtoRGB(Uint16(h), Uint16(s), Uint16(v), r, g, b);
        EXPECT_EQ(r << 16 | g << 8 | b, rgb) << h << "," << s << "," << v;
    }
    // r, g, b: h, s, v. No hue (black) is stored as 65535.
    const int hsv[][6] = {{0, 0, 0, 65535, 0, 0},       {128, 128, 128, 0, 0, 180},   {0, 255, 0, 120, 360, 358},
                          {128, 0, 255, 270, 360, 358}, {255, 0, 255, 300, 360, 358}, {0, 255, 255, 180, 360, 358}};
    for (const auto& c : hsv) {
        Uint16 h, s, v;
        RGBtoHSV(Uint8(c[0]), Uint8(c[1]), Uint8(c[2]), h, s, v);
        EXPECT_TRUE(h == c[3] && s == c[4] && v == c[5])
            << c[0] << "," << c[1] << "," << c[2] << ": " << h << "," << s << "," << v;
    }
    Uint8 a;
    EXPECT_TRUE(LinePattern().chooseColor({0, 0, 8, 5}, nullptr, r, g, b, a) == 0 && r == 192 && b == 192 && a == 255);
}

TEST(LinePattern, TheLoneFirstDotIsDrawnThenTheQueueFills)
{
    ASSERT_TRUE(support::initVideo());
    SDL_Surface* canvas = support::makeCanvas(10, 20, 30);
    const SDL_Rect dim{170, 30, 300, 300};
    Pattern lp;
    SDL_Color rulz{3, 0, 0, 0};
    seam::draws({0, 30, 60});
    lp.init(area, rulz); // a lone first dot at (110, 20), nib along the y axis
    lp.render(canvas, dim);
    EXPECT_EQ(rgb(canvas, 284, 50), 0x808080);
    EXPECT_NEAR(rgb(canvas, 288, 50) & 255, 192, 2); // the light rim, which may blend by a unit or two
    lp.getNewLine(area, false);                      // the queue fills on the first hit, the dot reached its tail
    EXPECT_TRUE(lp.getPoints().size() == 10 && xy(lp.getPoints()[0]) == std::make_pair(110, 20));
    // Drawn, the tail's wedge is grey, the target white, the dots ahead and their wedges blue, darker the farther
    // they are. Filled shapes show their exact colours; smoothed rims blend with the olive ground, never pure blue.
    SDL_FillRect(canvas, nullptr, SDL_MapRGB(canvas->format, 40, 80, 0));
    lp.render(canvas, dim);
    std::set<int> blues, others;
    for (int y = dim.y; y <= dim.y + dim.h; ++y)
        for (int x = dim.x; x <= dim.x + dim.w; ++x)
            (rgb(canvas, x, y) < 256 ? blues : others).insert(rgb(canvas, x, y));
    EXPECT_EQ(blues, (std::set<int>{135, 143, 151, 160, 167, 175, 183, 192}));
    EXPECT_TRUE(others.count(0xFFFFFF) && others.count(0xC0C0C0));
    // Along the path, each dot and halfway to the next: the wedge from a dot points at the next one, in the colour
    // of the dot it leaves; the grey one from the dot reached ends on the target's centre.
    const std::vector<SDL_Rect>& p = lp.getPoints();
    std::vector<int> along;
    for (size_t i = 0; i + 1 < p.size(); ++i)
        for (int at : {0, 1})
            along.push_back(rgb(canvas, dim.x + p[i].x + at * (p[i + 1].x - p[i].x) / 2,
                                dim.y + p[i].y + at * (p[i + 1].y - p[i].y) / 2));
    EXPECT_EQ(along, (std::vector<int>{0xC0C0C0, 0xC0C0C0, 0xC0C0C0, 192, 192, 183, 183, 175, 175, 167, 167, 160, 160,
                                       151, 151, 143, 143, 135}));
    SDL_FreeSurface(canvas);
}
