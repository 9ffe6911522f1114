#include "TestSupport.h"
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace support {

void initVideo()
{
    static const bool up = SDL_Init(SDL_INIT_VIDEO) == 0;
    ASSERT_TRUE(up) << SDL_GetError();
}

SDL_Surface* makeCanvas(Uint8 r, Uint8 g, Uint8 b)
{
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 640, 480, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, r, g, b));
    return s;
}

SDL_Color pixel(SDL_Surface* s, int x, int y)
{
    SDL_Color c{0, 0, 0, 0};
    SDL_LockSurface(s);
    SDL_GetRGB(static_cast<Uint32*>(s->pixels)[y * (s->pitch / 4) + x], s->format, &c.r, &c.g, &c.b);
    SDL_UnlockSurface(s);
    return c;
}

void pushMotion(Sint16 x, Sint16 y)
{
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION, e.motion.x = Uint16(x), e.motion.y = Uint16(y);
    SDL_PushEvent(&e);
}

void pushButton(Uint8 button, bool down, Sint16 x, Sint16 y)
{
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP, e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.button = button, e.button.x = Uint16(x), e.button.y = Uint16(y);
    SDL_PushEvent(&e);
}

void pushKey(SDLKey key, bool down)
{
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP, e.key.state = down ? SDL_PRESSED : SDL_RELEASED, e.key.keysym.sym = key;
    SDL_PushEvent(&e);
}

int drainQueue()
{
    int hits = 0;
    for (SDL_Event e; SDL_PollEvent(&e) == 1;)
        hits += e.type == SDL_USEREVENT;
    return hits;
}

std::string makeTempDir()
{
    char templ[] = "/tmp/quillfray-test-XXXXXX";
    return mkdtemp(templ) ? templ : "";
}

void removeTree(const std::string& dir)
{
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
}

void writeFile(const std::string& path, const std::string& text)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

long residentKiB()
{
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

} // namespace support
