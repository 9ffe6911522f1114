// The suite's entry point: every test starts from a fresh start (support::freshStart), so that each passes alone,
// in any order, repeated, in one process; and the process is headless however it is started.
#include "TestSupport.h"
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

// Read by the sanitizers as the process starts, in the sanitizer build. Slow unwinding: SDL2 has no frame pointers,
// and only a whole stack names the library calls that the suppressions file excuses.
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }
extern "C" const char* __lsan_default_options() { return "suppressions=" QF_LSAN_SUPPRESSIONS; }

namespace {
struct FreshStart : testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { support::freshStart(); }
    void OnTestProgramEnd(const testing::UnitTest&) override { support::freshStart(); }
};
} // namespace

int main(int argc, char** argv)
{
    // No window and no sound device. The dummy display's desktop is larger than the game's mode, so every flip
    // scales the screen: nearest-pixel scaling without OpenGL makes that the cheapest. Set already: left alone.
    for (const char* setting : {"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy", "SDL12COMPAT_SCALE_METHOD=nearest",
                                "SDL12COMPAT_OPENGL_SCALING=0"}) {
        const std::string s = setting;
        setenv(s.substr(0, s.find('=')).c_str(), s.substr(s.find('=') + 1).c_str(), 0);
    }
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new FreshStart);
    return RUN_ALL_TESTS();
}
