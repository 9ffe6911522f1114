// libFuzzer target for the character info file reader: each input becomes media/chars/f/info in a private
// temp folder beside two valid pictures, and the resource built from it is drawn and stepped through a player.
#include "MediaPlayer.h"
#include "MediaResource.h"
#include "TestSeams.h"
#include <SDL/SDL.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {
SDL_Surface* canvas = nullptr;
std::string folder;
void removeFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}
} // namespace

static void die(const char* what)
{
    std::fprintf(stderr, "InfoFuzz set-up: %s: %s\n", what, SDL_GetError());
    std::abort();
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    char templ[] = "/tmp/quillfray-fuzz-XXXXXX";
    const char* dir = mkdtemp(templ);
    std::error_code ec;
    if (!dir || chdir(dir) != 0 || !std::filesystem::create_directories("media/chars/f", ec))
        die("temp folder");
    folder = dir;
    std::atexit(removeFolder); // a crash leaves it behind, with the input saved by libFuzzer elsewhere
    // BMP data under .png names: SDL 1.2 writes no PNG, and IMG_Load goes by content.
    for (const char* name : {"media/chars/f/Idle0.png", "media/chars/f/Attk0.png"}) {
        SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 3, 2, 32, 0xFF0000, 0xFF00, 0xFF, 0);
        if (!s || SDL_FillRect(s, nullptr, 0x808080) != 0 || SDL_SaveBMP(s, name) != 0)
            die(name);
        SDL_FreeSurface(s);
    }
    canvas = SDL_CreateRGBSurface(SDL_SWSURFACE, 64, 48, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    if (!canvas)
        die("canvas");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FILE* f = std::fopen("media/chars/f/info", "wb");
    if (!f || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0)
        die("info file");

    seam::setTicks(1000); // the tests' scripted clock: runs reproduce, and every hold time can elapse
    MediaResource res("f");
    MediaPlayer player(&res);
    SDL_Rect center{32, 24, 0, 0};
    // Clock steps that cover "not yet", "just due" and "any 16-bit hold time elapsed".
    static const Uint32 steps[] = {0, 1, 40, 70000};
    for (Uint8 a = 0; a < 6; ++a) { // 4 and 5 must be ignored
        player.changeAnim(a);
        for (int i = 0; i < 12; ++i) {
            seam::advance(steps[(a + i) % 4]);
            player.render(canvas, center);
        }
    }
    // Direct calls past the declared actions and frames must draw and step nothing.
    for (Uint32 a : {0u, 1u, 2u, 3u, 4u, 0xFFFFFFFFu}) {
        res.getLoops(static_cast<Uint8>(a));
        for (Uint32 k : {0u, 1u, 2u, 7u, 0xFFFFFFFFu}) {
            res.drawPic(canvas, center, a, k);
            Uint32 anim = a, frame = k;
            Sint32 loops = res.getLoops(static_cast<Uint8>(a));
            for (int i = 0; i < 3; ++i)
                res.changePic(70000, anim, frame, loops);
        }
    }
    return 0;
}
