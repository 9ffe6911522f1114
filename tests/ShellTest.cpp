#include "Sound.h"
#include "TestSeams.h"
#include "TestSupport.h"
#include "main.h"
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <regex>
#include <string>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace {

// The command line read as the program reads it first: what it returns, prints on standard output and on error.
std::tuple<int, std::string, std::string> run(std::vector<const char*> args)
{
    args.insert(args.begin(), "quillfray");
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = readOptions(int(args.size()), const_cast<char**>(args.data()));
    const std::string out = testing::internal::GetCapturedStdout();
    return {status, out, testing::internal::GetCapturedStderr()};
}

// Help and version answer at once; a mistake is one line naming it and the same usage on standard error, status 2.
// None of them opens a window or leaves a setting behind. Past the first call the parser alone, so that a mistake let
// through fails here instead of starting the game.
TEST(Shell, CommandLineAnswersOrRefusesBeforeAnyWindow)
{
    char name[] = "quillfray", help[] = "--help";
    char* argv[] = {name, help, nullptr};
    testing::internal::CaptureStdout();
    EXPECT_EQ(SDL_main(2, argv), 0);
    const std::string usage = testing::internal::GetCapturedStdout();
    EXPECT_EQ(usage.rfind("Usage: quillfray", 0), 0u);
    EXPECT_EQ(run({"-h", "--windowd"}), std::tuple(0, usage, ""));
    const auto [vStatus, version, vErr] = run({"--version"});
    const std::regex versionLine("quillfray [0-9]+\\.[0-9]+\\.[0-9]+\n");
    EXPECT_TRUE(vStatus == 0 && vErr.empty() && std::regex_match(version, versionLine)) << version;

    const std::pair<std::vector<const char*>, std::string> mistakes[] = {
        {{"--windowed", "--HELP"}, "unknown option '--HELP'"},
        {{"--scale", "2"}, "--scale works only with --windowed"},
        {{"--windowed", "--scale", "3x"}, "--scale wants a whole number from 2 to 4, not '3x'"},
        {{"--windowed", "--scale", "5"}, "--scale wants a whole number from 2 to 4, not '5'"},
        {{"--windowed", "--scale"}, "--scale wants a number"},
    };
    for (const auto& [args, line] : mistakes) {
        EXPECT_EQ(run(args), std::tuple(2, "", "quillfray: " + line + "\n" + usage));
        windowedMode = false;
    }
    EXPECT_EQ(SDL_GetVideoSurface(), nullptr);
    EXPECT_EQ(getenv("SDL12COMPAT_WINDOW_SCALING"), nullptr);

    // Read before SDL starts: the window's size comes from the environment, where it replaces one already there.
    for (const char* n : {"2", "4"}) {
        setenv("SDL12COMPAT_WINDOW_SCALING", "3", 1);
        EXPECT_EQ(run({"--scale", n, "--mute", "--windowed"}), std::tuple(-1, "", ""));
        EXPECT_TRUE(windowedMode && muteMode);
        EXPECT_STREQ(getenv("SDL12COMPAT_WINDOW_SCALING"), n);
        unsetenv("SDL12COMPAT_WINDOW_SCALING");
        windowedMode = muteMode = false;
    }
}

// The program from its entry: start-up ends before any window with one line that says why, or the game plays, without
// sound after a line that says why or when asked, in a window made to fit the screen, until a stop signal ends it
// after the pass it falls in, as Escape does; it then shuts down, and the process dies of the signal (entry.cpp).
TEST(Shell, StartsUpOrSaysWhyNot)
{
    const struct {
        const char *folder, *setting; // the environment's, as NAME=value
        std::vector<const char*> args;
        int status, stop;
        std::string line;
    } cases[] = {
        // clang-format off
        {"media", "SDL_VIDEODRIVER=dummy", {}, -1, 0, "TTF_OpenFont: Couldn't open text/FreeSans.ttf\n"},
        {".", "SDL_VIDEODRIVER=nosuch", {}, -1, 0, "Unable to init SDL: nosuch not available\n"},
        {".", "SDL_VIDEODRIVER=", {}, -1, 0, "Error initializing video: no display found (is DISPLAY set?)"},
        {".", "SDL_AUDIODRIVER=nosuch", {}, 0, SIGINT, "Sound is off: Audio target 'nosuch' not available\n"},
        {".", "SDL_AUDIODRIVER=nosuch", {"--mute", "--windowed", "--scale", "2"}, 0, SIGTERM,
         "A window 2 times as large does not fit the screen (1024x768): playing in a 640x480 window instead\n"},
    }; // clang-format on
    for (const auto& c : cases) {
        support::freshStart();
        const std::string name(c.setting, strchr(c.setting, '='));
        support::ScopedEnv display("DISPLAY", nullptr), wayland("WAYLAND_DISPLAY", nullptr),
            set(name.c_str(), strchr(c.setting, '=') + 1), scaling("SDL12COMPAT_WINDOW_SCALING", nullptr);
        static int stop;
        stop = c.stop;
        // During the first frame, twice: `timeout` signals the game, then its whole process group.
        seam::onNextDelay([] { raise(stop), raise(stop), stop = -1; });
        std::vector<const char*> argv = c.args;
        argv.insert(argv.begin(), "quillfray");
        ASSERT_EQ(chdir(c.folder), 0);
        testing::internal::CaptureStdout();
        EXPECT_EQ(SDL_main(int(argv.size()), const_cast<char**>(argv.data())), c.status);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.line);
        ASSERT_EQ(chdir(c.folder[0] == '.' ? "." : ".."), 0);
        EXPECT_STREQ(getenv("SDL12COMPAT_WINDOW_SCALING"), c.args.empty() ? nullptr : "1"); // the scale that fits
        EXPECT_TRUE(stop == (c.status ? 0 : -1) && stopSignal == c.stop && !SDL_GetVideoSurface() &&
                    (c.status || !(SDL_WasInit(SDL_INIT_EVERYTHING) || TTF_WasInit())));
    }
}

// However long start-up takes, its first frame goes up at once and the next one a frame's time later: the frames'
// clock started before the window opened and the pictures loaded.
TEST(Shell, TheFirstFrameWaitsForNothingAfterStartUp)
{
    support::freshStart();
    ASSERT_EQ(initEngine(), 0);
    seam::advance(400); // the window and the pictures
    ASSERT_EQ(initGame(), 0);
    const Uint32 ready = seam::ticks();
    bool done = false;
    ASSERT_EQ(gamePass(done), 0);
    EXPECT_EQ(seam::ticks(), ready);
    ASSERT_EQ(gamePass(done), 0);
    EXPECT_EQ(seam::ticks(), ready + 33);
    support::freshStart();
}

} // namespace
