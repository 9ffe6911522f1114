#include "CpuInput.h"
#include "TestSupport.h"
#include "UserInput.h"
#include <gtest/gtest.h>

namespace {

SDL_Event event(Uint8 type)
{
    SDL_Event e{};
    e.type = type;
    return e;
}

SDL_Event buttonEvent(Uint8 type, Uint8 button)
{
    SDL_Event e = event(type);
    e.button.button = button;
    return e;
}

TEST(UserInput, FollowsMotionAndTheTwoTrackedButtons)
{
    UserInput in;
    SDL_Event motion = event(SDL_MOUSEMOTION);
    motion.motion.x = 640;
    motion.motion.y = 479;
    in.processInput(motion);
    EXPECT_EQ(in.getCursorPosX(), 640);
    EXPECT_EQ(in.getCursorPosY(), 479);

    // Button events carry coordinates of their own, which must not move the cursor.
    SDL_Event down = buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    down.button.x = 5;
    in.processInput(down);
    in.processInput(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT));
    EXPECT_TRUE(in.getButton1());
    EXPECT_TRUE(in.getButton2());
    EXPECT_EQ(in.getCursorPosX(), 640);

    in.processInput(buttonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT));
    EXPECT_FALSE(in.getButton1());
    EXPECT_TRUE(in.getButton2());
}

TEST(UserInput, IgnoresMiddleButtonWheelAndKeys)
{
    UserInput in;
    in.processInput(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT));
    for (Uint8 b : {SDL_BUTTON_MIDDLE, SDL_BUTTON_WHEELUP, SDL_BUTTON_WHEELDOWN}) {
        in.processInput(buttonEvent(SDL_MOUSEBUTTONDOWN, b));
        in.processInput(buttonEvent(SDL_MOUSEBUTTONUP, b));
    }
    SDL_Event key = event(SDL_KEYDOWN);
    key.key.keysym.sym = SDLK_ESCAPE;
    in.processInput(key);
    EXPECT_TRUE(in.getButton1());
    EXPECT_FALSE(in.getButton2());
    EXPECT_FALSE(in.getEscKey());
    EXPECT_EQ(in.getCursorPosX(), 0);
}

TEST(UserInput, ClearInputKeepsThePosition)
{
    UserInput in;
    SDL_Event motion = event(SDL_MOUSEMOTION);
    motion.motion.x = 12;
    motion.motion.y = 34;
    in.processInput(motion);
    in.processInput(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT));
    in.processInput(buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT));
    in.clearInput();
    EXPECT_FALSE(in.getButton1());
    EXPECT_FALSE(in.getButton2());
    Sint16 y = -1;
    in.getCursorPos(nullptr, &y);
    EXPECT_EQ(y, 34);
    Sint16 x = -1;
    in.getCursorPos(&x, nullptr);
    EXPECT_EQ(x, 12);
}

TEST(CpuInput, HitsOnTheSixthStepAndReportsItOnce)
{
    support::initVideo();
    support::drainQueue();
    CpuInput cpu;
    cpu.setStats(7);
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
    ASSERT_EQ(e.type, SDL_USEREVENT);
    EXPECT_EQ(e.user.code, 0);
    EXPECT_EQ(e.user.data2, nullptr);
    const SDL_Rect* rec = static_cast<const SDL_Rect*>(e.user.data1);
    EXPECT_EQ(rec->x, 0);
    EXPECT_EQ(rec->y, 0);
    EXPECT_EQ(rec->w, 0);
    EXPECT_EQ(rec->h, 7);

    // The counter starts over: the next hit comes on the twelfth call.
    for (int i = 0; i < 5; ++i)
        cpu.getNextMove();
    EXPECT_FALSE(cpu.getMoveDone());
    cpu.getNextMove();
    EXPECT_TRUE(cpu.getMoveDone());
    EXPECT_EQ(support::drainQueue(), 1);
}

TEST(CpuInput, DamageSaturatesAt32768)
{
    CpuInput cpu;
    cpu.setStats(32700);
    cpu.addDamage(100);
    EXPECT_EQ(cpu.getDamage(), 32768);
    cpu.addDamage(65535);
    EXPECT_EQ(cpu.getDamage(), 32768);
    cpu.setStats(65535);
    EXPECT_EQ(cpu.getDamage(), 65535);
    cpu.addDamage(0);
    EXPECT_EQ(cpu.getDamage(), 32768);
    cpu.setStats(32767);
    cpu.addDamage(1);
    EXPECT_EQ(cpu.getDamage(), 32768);
}

TEST(HitRecords, LiveWhileQueuedAndAreFreedOnceHandled)
{
    support::initVideo();
    support::drainQueue();
    HitRecords hits;
    SDL_Rect* first = hits.push(0, 3);
    ASSERT_NE(first, nullptr);
    hits.releaseHandled();
    EXPECT_EQ(hits.held(), 1u); // still queued: must stay valid
    EXPECT_EQ(first->h, 3);
    EXPECT_EQ(support::drainQueue(), 1);
    hits.push(0, 4);
    EXPECT_EQ(hits.held(), 1u); // the first one's event is gone, so it was released
    support::drainQueue();
    hits.releaseHandled();
    EXPECT_EQ(hits.held(), 0u);
}

TEST(CpuInput, AFullQueueLosesTheHitButEndsTheTurn)
{
    support::initVideo();
    support::drainQueue();
    int queued = 0;
    while (queued < 1000) {
        SDL_Event filler{};
        filler.type = SDL_USEREVENT + 1;
        if (SDL_PushEvent(&filler) != 0)
            break;
        ++queued;
    }
    ASSERT_LT(queued, 1000);
    CpuInput cpu;
    for (int i = 0; i < 6; ++i)
        cpu.getNextMove();
    EXPECT_TRUE(cpu.getMoveDone());
    EXPECT_EQ(support::drainQueue(), 0); // no type-24 event got in; the refused record was freed (LeakSanitizer)
}

} // namespace
