// libFuzzer target for the sound loader: each input becomes both a cue's file (which the mixer decodes whole into a
// chunk) and the music's (which its music player streams), in a private temp folder, and goes through the game's own
// loading of each; what passes the check reaches the mixer's loaders and plays for a few buffers, the cue over the
// music. The device stays open throughout: SDL's disk driver, writing to /dev/null without waiting between buffers.
// The game's sound is built in whole, so that the target reaches its loaders as well as its public calls.
#include "Sound.cpp"
#include <cstdlib>
#include <unistd.h>

namespace {
std::string folder;
std::atomic<int> buffers{0};
void removeFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}
void count(void*, Uint8*, int) { ++buffers; }
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    char templ[] = "/tmp/quillfray-soundfuzz-XXXXXX";
    const char* dir = mkdtemp(templ);
    std::error_code ec;
    if (!dir || chdir(dir) != 0 || !std::filesystem::create_directories("media/sound", ec)) {
        std::perror("SoundFuzz set-up: temp folder");
        std::abort();
    }
    folder = dir;
    std::atexit(removeFolder); // a crash leaves it behind, with the input saved by libFuzzer elsewhere
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    // The game's line for each missing or refused file: one or two per input, which the fuzzer has no use for.
    if (!std::freopen("/dev/null", "w", stdout))
        std::abort();
    Sound::open(); // with no files yet
    if (!opened)
        std::abort();
    finishLoading();
    std::atexit(Sound::close); // before the mixer's state goes with the other globals, while it still plays
    Mix_SetPostMix(count, nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    for (const char* path : {"media/sound/stroke.ogg", "media/sound/music.ogg"}) {
        FILE* f = std::fopen(path, "wb");
        if (!f || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0)
            std::abort();
    }
    chunks[Sound::Stroke] = loadChunk(soundFiles::cueName[Sound::Stroke]);
    Sound::update();
    Sound::play(Sound::Stroke);
    for (const int start = buffers; buffers < start + 4;)
        SDL_Delay(1);
    Mix_HaltChannel(-1);
    Mix_FreeChunk(chunks[Sound::Stroke]), chunks[Sound::Stroke] = nullptr;
    dropMusic();
    return 0;
}
