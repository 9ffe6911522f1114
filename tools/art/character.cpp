#include "character.h"
#include "Layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

namespace {

struct Frame {
    Image pic;
    int xOff = 0, yOff = 0;
    unsigned hold = 100;
};

// Draws one pose, adds the flash tint and a soft ground shadow, and crops to the visible pixels.
// Reports failure when the picture leaves `box`, so no pose can cover the bars or the drawing area; the
// picture is still made, to let all such poses be seen and reported in one run.
bool renderFrame(DrawFn draw, const Pose& pose, bool faceLeft, Vec ref, Box box, Frame& out)
{
    const int margin = 60; // room to see, and report, how far a pose overshoots
    int w = box.x1 - box.x0 + 2 * margin, h = box.y1 - box.y0 + 2 * margin;
    Vec origin{ref.x - box.x0 + margin, ref.y - box.y0 + margin};
    Painter pt(w, h);
    if (!pt.ok())
        return false;
    pt.origin = origin;
    pt.flip = faceLeft;
    pt.light = faceLeft ? Vec{-0.5, -0.85} : Vec{0.5, -0.85};
    draw(pt, pose);
    Image body = pt.resolve();

    int groundY = int(std::lround(origin.y + kGround));
    int minX = w, maxX = -1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = body.at(x, y);
            if (p[3] == 0)
                continue;
            if (pose.flash > 0)
                body.set(x, y, mix(body.rgb(x, y), {255, 132, 112}, pose.flash), p[3]);
            if (y > groundY - 14) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
            }
        }
    Image pic(w, h);
    if (maxX >= minX) {
        double cx = (minX + maxX) / 2.0, rx = (maxX - minX) / 2.0 + 10, ry = 5.5;
        for (int y = groundY - 8; y <= groundY + 8; ++y)
            for (int x = int(cx - rx) - 1; x <= int(cx + rx) + 1; ++x) {
                double d = std::pow((x + 0.5 - cx) / rx, 2) + std::pow((y + 0.5 - groundY) / ry, 2);
                if (d < 1 && x >= 0 && x < w && y >= 0 && y < h)
                    pic.set(x, y, {14, 8, 6}, int(std::lround(100 * smooth(1 - d))));
            }
    }
    composite(pic, body, 0, 0);

    int x0 = w, y0 = h, x1 = -1, y1 = -1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (pic.at(x, y)[3] > 0) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
    if (x1 < 0)
        return false;
    int sx0 = x0 - margin + box.x0, sy0 = y0 - margin + box.y0, sx1 = x1 - margin + box.x0, sy1 = y1 - margin + box.y0;
    bool inside = sx0 >= box.x0 && sy0 >= box.y0 && sx1 < box.x1 && sy1 < box.y1;
    if (!inside)
        std::printf("makeart: pose covers x %d..%d, y %d..%d, outside its area x %d..%d, y %d..%d\n", sx0, sx1, sy0,
                    sy1, box.x0, box.x1 - 1, box.y0, box.y1 - 1);
    out.pic = Image(x1 - x0 + 1, y1 - y0 + 1);
    for (int y = y0; y <= y1; ++y)
        std::copy(pic.at(x0, y), pic.at(x1, y) + 4, out.pic.at(0, y - y0));
    out.xOff = sx0 - int(ref.x);
    out.yOff = sy0 - int(ref.y);
    return inside;
}

} // namespace

bool writeCharacter(const std::filesystem::path& media, const std::string& name, DrawFn draw,
                    const std::vector<Action>& actions, bool faceLeft, Vec ref, Box box)
{
    std::filesystem::path dir = media / layout::charactersFolder / name;
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    std::ofstream info(dir / "info");
    if (!info) {
        std::printf("makeart: cannot write %s\n", (dir / "info").string().c_str());
        return false;
    }
    bool ok = true;
    for (const Action& a : actions) {
        info << a.name << " 0 " << a.loops << ' ' << a.rule << '\n';
        for (size_t k = 0; k < a.frames.size(); ++k) {
            Frame f;
            f.hold = a.frames[k].second;
            std::string file = std::string(a.name) + std::to_string(k) + ".png";
            if (!renderFrame(draw, a.frames[k].first, faceLeft, ref, box, f)) {
                std::printf("makeart: %s/%s does not fit\n", name.c_str(), file.c_str());
                ok = false;
            }
            if (!writePng(dir / file, f.pic)) {
                std::printf("makeart: cannot write %s\n", (dir / file).string().c_str());
                return false;
            }
            info << a.name << " 1 " << f.xOff << ' ' << f.yOff << ' ' << f.hold << '\n';
        }
    }
    return ok && bool(info);
}
