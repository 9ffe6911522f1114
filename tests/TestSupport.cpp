#include "TestSupport.h"
#include "Combatant.h"
#include "DrawWindow.h"
#include "LinePattern.h"
#include "MediaPlayer.h"
#include "MediaResource.h"
#include "Sound.h"
#include "TestSeams.h"
#include "main.h"
#include <csignal>
#include <filesystem>
#include <fstream>
#include <new>
#include <unistd.h>

namespace support {

namespace {
TTF_Font* testFont = nullptr;

// A global object of the shell as its constructor leaves it.
template <class T> void renew(T& global)
{
    global.~T();
    new (&global) T();
}

template <class T> void dispose(T*& p)
{
    delete p;
    p = nullptr;
}
} // namespace

void freshStart()
{
    seam::reset();
    Sound::close();
    dispose(lComb), dispose(rComb), dispose(mo), dispose(mo2), dispose(mr), dispose(mr2);
    renew(battul), renew(masterInput), renew(oppInput);
    TTF_CloseFont(::font), TTF_CloseFont(testFont);
    ::font = testFont = nullptr;
    // After a failed SDL_Init, sdl12-compat names no video driver until its video is shut down on its own.
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_Quit(); // the screen and the event queue with it
    while (TTF_WasInit())
        TTF_Quit();
    screen = nullptr;
    mainEvent = SDL_Event{}, fpsKeeper = FPSmanager{}, rulz = SDL_Color{0, 0, 0, 0};
    escKeyHit = resetGameHit = windowedMode = muteMode = false;
    gameMode = 0, stopSignal = 0;
    signal(SIGINT, SIG_DFL), signal(SIGTERM, SIG_DFL);
}

bool initVideo() { return SDL_WasInit(SDL_INIT_VIDEO) || SDL_Init(SDL_INIT_VIDEO) == 0; }

TTF_Font* font()
{
    if (!testFont && (TTF_WasInit() || TTF_Init() == 0))
        testFont = TTF_OpenFont("text/FreeSans.ttf", 12);
    return testFont;
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

bool shows(SDL_Surface* s, const std::string& text, int x, int y, SDL_Color c)
{
    SDL_Surface* t = TTF_RenderText_Solid(font(), text.c_str(), c);
    bool all = t != nullptr;
    for (int j = 0; all && j < t->h; ++j)
        for (int i = 0; all && i < t->w; ++i) {
            const SDL_Color p = pixel(s, x + i, y + j);
            all = !static_cast<Uint8*>(t->pixels)[j * t->pitch + i] || (p.r == c.r && p.g == c.g && p.b == c.b);
        }
    SDL_FreeSurface(t);
    return all;
}

void pushMotion(int x, int y)
{
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION, e.motion.x = Uint16(x), e.motion.y = Uint16(y);
    SDL_PushEvent(&e);
}

void pushButton(Uint8 button, bool down, int x, int y)
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

void pushType(Uint8 type)
{
    SDL_Event e{};
    e.type = type;
    SDL_PushEvent(&e);
}

int drainQueue()
{
    int hits = 0;
    for (SDL_Event e; SDL_PollEvent(&e) == 1;)
        hits += e.type == SDL_USEREVENT;
    return hits;
}

SDL_Rect target(DrawWindow& dw)
{
    SDL_Rect t{0, 0, 0, 0};
    dw.getLinePattern()->getContactPoint(t);
    const SDL_Rect area = dw.getDimensions();
    return SDL_Rect{Sint16(area.x + t.x), Sint16(area.y + t.y), t.w, t.h};
}

TempDir::TempDir() : home(std::filesystem::current_path())
{
    char templ[] = "/tmp/quillfray-test-XXXXXX";
    path = mkdtemp(templ);
    std::filesystem::current_path(path);
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::current_path(home, ec);
    std::filesystem::remove_all(path, ec);
}

void writeFile(const std::string& path, const std::string& text)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

ScopedEnv::ScopedEnv(const char* n, const char* value) : name(n), was(getenv(n) != nullptr)
{
    if (was)
        old = getenv(n);
    value ? setenv(n, value, 1) : unsetenv(n);
}

ScopedEnv::~ScopedEnv() { was ? setenv(name.c_str(), old.c_str(), 1) : unsetenv(name.c_str()); }

} // namespace support
