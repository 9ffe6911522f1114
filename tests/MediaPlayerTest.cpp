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

// Rendering as each hold runs out: endless loops stay -1; counted ones run down, and then a rule other than
// 0 or 1 falls back to Idle, which plays once more.
TEST_F(MediaPlayerTest, LoopsRunDownThenTheRuleDecides)
{
    for (auto [loops, expect] : {std::pair{"-1 9", "1.1/-1@3 1.0/-1@6 1.1/-1@9"},
                                 {"2 9", "1.1/2@3 1.0/1@6 1.1/1@9 1.0/0@12 1.1/0@15 0.0/0@18 0.1/0@21"}}) {
        seam::setTicks(5000);
        auto r = load("Idle 0 5 0 Idle 1 0 0 3 Idle 1 0 0 3 Attk 0 " + std::string(loops) +
                      " Attk 1 0 0 3 Attk 1 0 0 3");
        MediaPlayer p(r.get());
        p.changeAnim(1);
        std::string got;
        while (got.size() < std::string(expect).size())
            seam::advance(3), render(p), got += (got.empty() ? "" : " ") + state(p);
        EXPECT_EQ(got, expect) << loops;
    }
}

// A play through time: each render draws the frame current before its step, steps at most once however
// late, and restarts the clock at the step from a fresh reading. Before any changeAnim the counter is 0, so Idle
// plays once and then holds its last frame.
TEST_F(MediaPlayerTest, PlaysByTheClock)
{
    auto r = load("Idle 0 5 1 Idle 1 0 0 0 Idle 1 20 -40 0 Attk 0 1 0 Attk 1 -3 7 100 Attk 1 0 0 100");
    MediaPlayer p(r.get());
    // Wait, then render (-1) or change to an action; what was drawn and the state after.
    // clang-format off
    const struct { Uint32 wait; int anim; const char* expect; } script[] = {
        {0, -1, "I0@0,0 0.1/0@0"}, {0, -1, "I1@20,-40 0.1/0@0"}, {0, -1, "I1@20,-40 0.1/0@0"},
        {5, 4, "0.1/0@0"}, {10, 1, "1.0/1@15"}, {99, -1, "A0@-3,7 1.0/1@15"}, {1, -1, "A0@-3,7 1.1/1@115"},
        {1000, -1, "A1@0,0 1.0/0@1115"}, {50, 1, "1.0/1@1165"}, {100, -1, "A0@-3,7 1.1/1@1265"},
        {100, -1, "A1@0,0 1.0/0@1365"}, {100, -1, "A0@-3,7 1.1/0@1465"}, {100, -1, "A1@0,0 0.0/0@1565"},
        {0, -1, "I0@0,0 0.1/0@1565"}};
    // clang-format on
    for (auto& s : script) {
        seam::advance(s.wait);
        std::string seen = s.anim < 0 ? render(p) + " " : (p.changeAnim(Uint8(s.anim)), "");
        EXPECT_EQ(seen + state(p), s.expect) << "at " << seam::ticks() - 5000;
    }
    seam::tickPerReading(1);
    render(p); // reads 1565 for the hold, then 1566 for the restart
    EXPECT_EQ(state(p), "0.1/0@1566");
}

TEST_F(MediaPlayerTest, NothingToPlayDrawsAndStepsNothing)
{
    auto r = load("Idle 0 3 0 Idle 1 0 0 0 Pain 0 2 0"); // Attk undeclared, Pain empty
    MediaPlayer p(r.get()), none(nullptr);
    for (Uint8 a : {1, 2}) {
        p.changeAnim(a), none.changeAnim(a);
        seam::advance(1000);
        EXPECT_EQ(render(p) + " " + render(none), "- -");
        EXPECT_EQ(state(p) + " " + state(none), std::to_string(a) + ".0/" + (a == 2 ? "2@1000" : "0@0") + " 0.0/0@0");
    }
}
