#include "CpuInput.h"
#include "TestSupport.h"
#include "UserInput.h"
#include <gtest/gtest.h>

namespace {

SDL_Event mouse(Uint8 type, Uint8 button = 0, Uint16 x = 0, Uint16 y = 0)
{
    SDL_Event e{};
    e.type = type;
    if (type == SDL_MOUSEMOTION) {
        e.motion.x = x;
        e.motion.y = y;
    } else {
        e.button.button = button;
        e.button.x = x;
        e.button.y = y;
    }
    return e;
}

TEST(UserInput, FollowsMotionAndButtonsOneAndThreeOnly)
{
    UserInput in;
    in.processInput(mouse(SDL_MOUSEMOTION, 0, 640, 479));
    in.processInput(mouse(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 5, 5)); // a button event never moves the cursor
    in.processInput(mouse(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT));
    for (Uint8 b : {SDL_BUTTON_MIDDLE, SDL_BUTTON_WHEELUP, SDL_BUTTON_WHEELDOWN})
        in.processInput(mouse(SDL_MOUSEBUTTONUP, b));
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_ESCAPE;
    in.processInput(key);
    EXPECT_TRUE(in.getButton1() && in.getButton2() && !in.getEscKey());
    EXPECT_TRUE(in.getCursorPosX() == 640 && in.getCursorPosY() == 479);

    in.processInput(mouse(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT));
    EXPECT_TRUE(!in.getButton1() && in.getButton2());
    in.clearInput();
    EXPECT_FALSE(in.getButton2());
    Sint16 x = -1, y = -1;
    in.getCursorPos(nullptr, &y);
    EXPECT_TRUE(x == -1 && y == 479); // the position survives, and only the asked coordinate is written
}

TEST(CpuInput, HitsOnEverySixthStepAndReportsEachHitOnce)
{
    support::initVideo();
    support::drainQueue();
    CpuInput cpu;
    cpu.setStats(7);
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 5; ++i) {
            cpu.getNextMove();
            EXPECT_FALSE(cpu.getMoveDone());
        }
        EXPECT_EQ(support::drainQueue(), 0);
        cpu.getNextMove();
        EXPECT_TRUE(cpu.getMoveDone());
        EXPECT_FALSE(cpu.getMoveDone());
        SDL_Event e;
        ASSERT_EQ(SDL_PollEvent(&e), 1);
        ASSERT_TRUE(e.type == SDL_USEREVENT && e.user.code == 0 && e.user.data2 == nullptr);
        const SDL_Rect* rec = static_cast<const SDL_Rect*>(e.user.data1);
        EXPECT_TRUE(rec->x == 0 && rec->y == 0 && rec->w == 0 && rec->h == 7);
    }
}

TEST(CpuInput, DamageSaturatesAt32768)
{
    CpuInput cpu;
    const struct {
        Uint16 start, extra, result;
    } cases[] = {{32700, 100, 32768}, {32768, 65535, 32768}, {32767, 1, 32768}, {65535, 0, 32768}, {5, 6, 11}};
    for (auto k : cases) {
        cpu.setStats(k.start);
        EXPECT_EQ(cpu.getDamage(), k.start);
        cpu.addDamage(k.extra);
        EXPECT_EQ(cpu.getDamage(), k.result) << k.start << "+" << k.extra;
    }
}

TEST(CpuInput, AFullQueueLosesTheHitButEndsTheTurn)
{
    support::initVideo();
    support::drainQueue();
    for (int i = 0; i < 128; ++i)
        support::pushKey(SDLK_a, true);
    CpuInput cpu;
    for (int i = 0; i < 6; ++i)
        cpu.getNextMove();
    EXPECT_TRUE(cpu.getMoveDone());
    EXPECT_EQ(support::drainQueue(), 0); // nothing got in; the refused record was freed (LeakSanitizer checks)
}

} // namespace
