#include "MediaPlayer.h"
#include "HeroFolder.h"

using MediaPlayerTest = HeroFolder;

// "anim.frame/loopCounter@startTime", the clock counted from 5000.
static std::string state(const MediaPlayer& p)
{
    return std::to_string(p.getAnim()) + "." + std::to_string(p.getFrame()) + "/" + std::to_string(p.getLoopCounter()) +
           "@" + std::to_string(p.getStartTime() - 5000);
}

static std::string render(MediaPlayer& p)
{
    return drawn([&](SDL_Surface* c, SDL_Rect& at) { p.render(c, at); });
}

// Steps with every hold elapsed from frame 0 of an action with its own loop count: "result:anim.frame/loops".
// Idle holds frames 0-2, loop count 5 (never loaded by a fall back), and the rule given.
TEST_F(MediaPlayerTest, SteppingRule)
{
    const char* cases[][4] = {
        {"0", "Attk 0 -1 1 Attk 1 0 0 3 Attk 1 0 0 3", "1", "1:1.1/-1 2:1.0/-1 1:1.1/-1 2:1.0/-1"},
        {"0", "Attk 0 2 9 Attk 1 0 0 3 Attk 1 0 0 3", "1", "1:1.1/2 2:1.0/1 1:1.1/1 2:1.0/0 1:1.1/0 2:0.0/0 1:0.1/0"},
        {"0", "Attk 0 0 1 Attk 1 0 0 3 Attk 1 0 0 3", "1", "1:1.1/0 3:1.1/0 3:1.1/0"},
        {"0", "Pain 0 0 0 Pain 1 0 0 3", "2", "4:0.0/0 1:0.1/0 1:0.2/0 4:0.0/0 1:0.1/0"},
        {"1", "Pain 0 0 0 Pain 1 0 0 3", "2", "4:0.0/0 1:0.1/0 1:0.2/0 3:0.2/0 3:0.2/0"},
        {"0", "Pain 0 0 4294967295 Pain 1 0 0 3", "2", "2:0.0/0 1:0.1/0"},
    };
    for (auto& c : cases) {
        auto r = load(std::string("Idle 0 5 ") + c[0] + " Idle 1 0 0 9 Idle 1 0 0 9 Idle 1 0 0 9 " + c[1]);
        Uint32 anim = Uint32(c[2][0] - '0'), frame = 0;
        Sint32 loops = r->getLoops(Uint8(anim));
        std::string got;
        while (got.size() < std::string(c[3]).size()) {
            const Sint32 res = r->changePic(65535, anim, frame, loops);
            got += (got.empty() ? "" : " ") + std::to_string(res) + ":" + std::to_string(anim) + "." +
                   std::to_string(frame) + "/" + std::to_string(loops);
        }
        EXPECT_EQ(got, c[3]) << c[1];
    }
}

// A play through time: each render draws the frame current before its step, steps at most once however
// late, and restarts the clock at the step. Before any changeAnim the counter is 0, so Idle plays once.
TEST_F(MediaPlayerTest, PlaysByTheClock)
{
    auto r = load("Idle 0 5 1 Idle 1 0 0 0 Idle 1 20 -40 0 Attk 0 1 0 Attk 1 -3 7 100 Attk 1 0 0 100");
    MediaPlayer p(r.get());
    // Three steps a line, read as a time line.
    // clang-format off
    const struct {
        Uint32 wait;
        int anim; // -1: render
        const char* expect;
    } script[] = {
        {0, -1, "I0@0,0 0.1/0@0"}, {0, -1, "I1@20,-40 0.1/0@0"}, {0, -1, "I1@20,-40 0.1/0@0"},
        {5, 4, "0.1/0@0"}, {5, 255, "0.1/0@0"}, {5, 1, "1.0/1@15"},
        {99, -1, "A0@-3,7 1.0/1@15"}, {1, -1, "A0@-3,7 1.1/1@115"}, {1000, -1, "A1@0,0 1.0/0@1115"},
        {50, 1, "1.0/1@1165"}, {99, -1, "A0@-3,7 1.0/1@1165"}, {1, -1, "A0@-3,7 1.1/1@1265"},
        {100, -1, "A1@0,0 1.0/0@1365"}, {100, -1, "A0@-3,7 1.1/0@1465"}, {100, -1, "A1@0,0 0.0/0@1565"},
        {0, -1, "I0@0,0 0.1/0@1565"},
    };
    // clang-format on
    for (auto& s : script) {
        seam::advance(s.wait);
        std::string seen = s.anim < 0 ? render(p) + " " : (p.changeAnim(Uint8(s.anim)), "");
        EXPECT_EQ(seen + state(p), s.expect) << "at " << seam::ticks() - 5000;
    }
}

TEST_F(MediaPlayerTest, ClockRestartsFromAReadingTakenAfterTheStep)
{
    auto r = load("Idle 0 -1 0 Idle 1 0 0 10 Idle 1 0 0 10");
    MediaPlayer p(r.get());
    seam::tickPerReading(1);
    seam::advance(9);
    render(p); // reads 9: too early
    render(p); // reads 10, steps, restarts at 11
    EXPECT_EQ(state(p), "0.1/0@11");
}

TEST_F(MediaPlayerTest, NothingToPlayDrawsAndStepsNothing)
{
    auto r = load("Idle 0 3 0 Idle 1 0 0 0 Pain 0 2 0");
    MediaPlayer p(r.get()), none(nullptr);
    for (Uint8 a : {1, 2, 3}) {
        p.changeAnim(a);
        none.changeAnim(a);
        seam::advance(1000);
        EXPECT_EQ(render(p) + " " + render(none), "- -");
        EXPECT_EQ(state(p), std::to_string(a) + ".0/" + (a == 2 ? "2" : "0") + "@" + std::to_string(a * 1000 - 1000));
        EXPECT_EQ(state(none), "0.0/0@0");
    }
}
