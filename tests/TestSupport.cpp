#include "TestSupport.h"
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace support {

void initVideo()
{
    static bool done = false;
    if (done)
        return;
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    done = true;
}

SDL_Surface* makeCanvas(Uint8 r, Uint8 g, Uint8 b)
{
    SDL_Surface* s =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 640, 480, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, r, g, b));
    return s;
}

SDL_Color pixel(SDL_Surface* s, int x, int y)
{
    SDL_LockSurface(s);
    Uint32 v = static_cast<Uint32*>(s->pixels)[y * (s->pitch / 4) + x];
    SDL_UnlockSurface(s);
    SDL_Color c;
    SDL_GetRGB(v, s->format, &c.r, &c.g, &c.b);
    c.unused = 0;
    return c;
}

void pushMotion(Sint16 x, Sint16 y)
{
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = static_cast<Uint16>(x);
    e.motion.y = static_cast<Uint16>(y);
    SDL_PushEvent(&e);
}

void pushButton(Uint8 button, bool down, Sint16 x, Sint16 y)
{
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = button;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.x = static_cast<Uint16>(x);
    e.button.y = static_cast<Uint16>(y);
    SDL_PushEvent(&e);
}

void pushKey(SDLKey key, bool down)
{
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = key;
    SDL_PushEvent(&e);
}

int drainQueue()
{
    int hits = 0;
    SDL_Event e;
    while (SDL_PollEvent(&e) == 1)
        if (e.type == SDL_USEREVENT)
            ++hits;
    return hits;
}

std::string makeTempDir()
{
    char templ[] = "/tmp/quillfray-test-XXXXXX";
    char* dir = mkdtemp(templ);
    return dir ? std::string(dir) : std::string();
}

void removeTree(const std::string& dir)
{
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
}

void writeFile(const std::string& path, const std::string& text)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary);
    out << text;
}

long residentKiB()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

} // namespace support
