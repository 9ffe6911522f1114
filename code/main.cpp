#include "main.h"
#include "Combatant.h"
#include "Layout.h"
#include "MediaPlayer.h"
#include "MediaResource.h"
#include "Sound.h"
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

SDL_Surface* screen = nullptr;
TTF_Font* font = nullptr;
int screenResX = 640;
int screenResY = 480;
SDL_Event mainEvent;
FPSmanager fpsKeeper;
int fpsGoal = 30;
Battle battul;
UserInput masterInput;
CpuInput oppInput;
Combatant* lComb = nullptr;
Combatant* rComb = nullptr;
SDL_Color rulz = {0, 0, 0, 0};
bool escKeyHit = false;
bool resetGameHit = false;
int gameMode = 0;
MediaResource* mr = nullptr;
MediaResource* mr2 = nullptr;
MediaPlayer* mo = nullptr;
MediaPlayer* mo2 = nullptr;
const char title[16] = "QuillfrayBattle";
const char icon[16] = "QuillfrayBattle";
bool windowedMode = false;
bool muteMode = false;
volatile sig_atomic_t stopSignal = 0;

namespace {
// One line per option; the parser below has one case for each.
const char usage[] = "Usage: quillfray [OPTION]...\n"
                     "Trace the dots with the left mouse button held to strike your opponent.\n"
                     "  --windowed   play in a 640x480 window instead of full screen\n"
                     "  --scale N    with --windowed: a window N times as large (N from 2 to 4)\n"
                     "  --mute       play without sound; no audio device is opened\n"
                     "  --version    print the version and exit\n"
                     "  -h, --help   print this text and exit\n"
                     "Keys: Escape (held) quits, F10 starts a new game, M turns the sound off and on.\n"
                     "Run it from the folder that holds media/ and text/.\n";

int usageError(const std::string& line)
{
    fprintf(stderr, "quillfray: %s\n%s", line.c_str(), usage);
    return 2;
}

// The answer to --help or --version is the whole point of the run: when it could not be written, that is a failure.
int answered()
{
    if (fflush(stdout) == 0 && !ferror(stdout))
        return 0;
    fprintf(stderr, "quillfray: cannot write to standard output: %s\n", strerror(errno));
    return 1;
}

volatile sig_atomic_t startingUp = 1; // until the first pass has set up the first battle

void onStopSignal(int sig)
{
    // Start-up may wait in a file's open() (a named pipe) that the handler's return would only resume, and has no
    // screen yet to restore beyond what the window system takes back with the connection: die of it at once.
    if (startingUp) {
        signal(sig, SIG_DFL);
        raise(sig); // delivered as the handler returns
        return;
    }
    stopSignal = sig;
}
} // namespace

int readOptions(int argc, char* argv[])
{
    const char* scale = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string opt = argv[i];
        if (opt == "-h" || opt == "--help") {
            fputs(usage, stdout);
            return answered();
        } else if (opt == "--version") {
            printf("quillfray %s\n", QF_VERSION);
            return answered();
        } else if (opt == "--windowed") {
            windowedMode = true;
        } else if (opt == "--mute") {
            muteMode = true;
        } else if (opt == "--scale") {
            if (++i == argc)
                return usageError("--scale wants a number");
            scale = argv[i];
            if (strlen(scale) != 1 || scale[0] < '2' || scale[0] > '4')
                return usageError("--scale wants a whole number from 2 to 4, not '" + std::string(scale) + "'");
        } else {
            return usageError("unknown option '" + opt + "'");
        }
    }
    if (scale && !windowedMode)
        return usageError("--scale works only with --windowed");
    // sdl12-compat reads it when SDL starts.
    if (scale)
        setenv("SDL12COMPAT_WINDOW_SCALING", scale, 1);
    return -1;
}

void catchStopSignals()
{
    for (int sig : {SIGINT, SIGTERM}) {
        struct sigaction old;
        sigaction(sig, nullptr, &old);
        // One the parent left ignored (a background job of a script) stays ignored, as SDL itself does.
        if (old.sa_handler == SIG_IGN)
            continue;
        // Installed before SDL starts, so that SDL leaves it alone instead of turning the signal into the same
        // quit request as the window system's. It stays installed: `timeout` signals the game and then its whole
        // process group, and that second delivery must not cut the clean-up short.
        struct sigaction act = {};
        act.sa_handler = onStopSignal;
        sigemptyset(&act.sa_mask);
        act.sa_flags = SA_RESTART;
        sigaction(sig, &act, nullptr);
    }
}

int SDL_main(int argc, char* argv[])
{
    const int status = readOptions(argc, argv);
    if (status >= 0)
        return status;
    if (initEngine() == -1)
        return -1;
    if (!muteMode)
        Sound::open();
    if (initGame() == -1 || gameLoop() == -1) {
        Sound::close(); // its threads would go on reading what the exit frees
        return -1;
    }
    SDL_ShowCursor(1);
    SDL_FreeSurface(screen);
    Sound::close();
    SDL_Quit();
    TTF_CloseFont(font); // while the text renderer is still up to free it
    font = nullptr;
    TTF_Quit();
    return 0;
}

Sint8 initEngine()
{
    catchStopSignals();
    if (initSDL(false) == -1 || initGfx(windowedMode) == -1)
        return -1;
    SDL_WM_SetCaption(title, icon);
    return 0;
}

Sint8 initSDL(bool)
{
    if (SDL_Init(SDL_INIT_VIDEO) == -1) {
        printf("Unable to init SDL: %s\n", SDL_GetError());
        return -1;
    }
    // The frames' clock starts before the window opens and the pictures load: the first pass then finds its turn
    // long come and draws at once, where it would otherwise wait out a whole frame's time after start-up.
    SDL_initFramerate(&fpsKeeper);
    SDL_setFramerate(&fpsKeeper, fpsGoal);
    if (TTF_Init() == -1) {
        printf("Unable to init SDL_TTF: %s\n", SDL_GetError());
        return -1;
    }
    font = TTF_OpenFont("text/FreeSans.ttf", 12);
    if (!font) {
        printf("TTF_OpenFont: %s\n", SDL_GetError());
        return -1;
    }
    return 0;
}

// sdl12-compat scales the window by SDL12COMPAT_WINDOW_SCALING when it sets the mode. One that would not fit the
// screen gets the largest whole scale that does, at least 1, and a line that says so.
static void fitWindowScale()
{
    const char* asked = getenv("SDL12COMPAT_WINDOW_SCALING");
    const double scale = asked ? atof(asked) : 1;
    if (scale <= 1)
        return;
    const SDL_VideoInfo* desktop = SDL_GetVideoInfo(); // before the first mode: the desktop's size
    const int w = desktop->current_w, h = desktop->current_h;
    if (screenResX * scale <= w && screenResY * scale <= h)
        return;
    const int fits = std::max(1, std::min(w / screenResX, h / screenResY));
    printf("A window %g times as large does not fit the screen (%dx%d): playing in a %dx%d window instead\n", scale, w,
           h, screenResX * fits, screenResY * fits);
    setenv("SDL12COMPAT_WINDOW_SCALING", std::to_string(fits).c_str(), 1);
}

// With no display SDL quietly falls back to a driver that shows nothing; only someone who chose it (the headless
// tests choose dummy) gets one.
static bool showsNothing()
{
    const char* chosen = getenv("SDL_VIDEODRIVER");
    char name[32] = "";
    if ((chosen && *chosen) || !SDL_VideoDriverName(name, sizeof name))
        return false;
    return strcmp(name, "offscreen") == 0 || strcmp(name, "dummy") == 0;
}

Sint8 initGfx(bool debugMode)
{
    if (showsNothing()) {
        printf("Error initializing video: no display found (is DISPLAY set?)");
        return -1;
    }
    if (debugMode)
        fitWindowScale();
    screen = SDL_SetVideoMode(screenResX, screenResY, 32, debugMode ? 0 : SDL_FULLSCREEN);
    if (!screen) {
        printf("Error initializing video: %s", SDL_GetError());
        return -1;
    }
    mr = new MediaResource(layout::heroName);
    mr2 = new MediaResource(layout::opponentName);
    mo = new MediaPlayer(mr);
    mo2 = new MediaPlayer(mr2);
    resetGame();
    SDL_ShowCursor(0);
    return 0;
}

Sint8 initGame()
{
    if (initGameVariables() == -1 || loadRound() == -1)
        return -1;
    return 0;
}

Sint8 initGameVariables()
{
    SDL_EnableKeyRepeat(1, 30);
    srand(static_cast<unsigned>(time(nullptr)));
    return 0;
}

Sint8 loadRound() { return 0; }

Sint8 gameLoop()
{
    bool done = false;
    while (!done)
        if (gamePass(done) == -1)
            return -1;
    return 0;
}

Sint8 gamePass(bool& done)
{
    Sound::update();
    while (SDL_PollEvent(&mainEvent) == 1) {
        switch (mainEvent.type) {
        case SDL_ACTIVEEVENT:
            if (mainEvent.active.gain == 1)
                masterInput.forceMousePos();
            break;
        case SDL_KEYDOWN:
            if (mainEvent.key.keysym.sym == SDLK_ESCAPE)
                escKeyHit = true;
            break;
        case SDL_KEYUP:
            if (mainEvent.key.keysym.sym == SDLK_ESCAPE)
                escKeyHit = false;
            else if (mainEvent.key.keysym.sym == SDLK_F10)
                resetGameHit = true;
            else if (mainEvent.key.keysym.sym == SDLK_m) // on the key-up: a held key repeats its key-down
                Sound::toggleMute();
            break;
        case SDL_QUIT:
            // Full screen has no close button: there the game ends only on Escape.
            if (windowedMode)
                escKeyHit = true;
            break;
        default:
            break;
        }
        if (gameMode == 1)
            battul.processInput(mainEvent);
        else
            masterInput.processInput(mainEvent);
    }
    battul.gameLoop();
    if (escKeyHit || stopSignal != 0)
        done = true;
    if (resetGameHit)
        resetGame();
    if (gameMode == 1 && battul.getStatus() == Battle::NoBattle)
        addNewBadGuy();
    startingUp = 0; // the first battle's draw window was the last file to read
    return render();
}

Sint8 render()
{
    SDL_framerateDelay(&fpsKeeper);
    if (gameMode == 1)
        battul.render(screen, font);
    else
        SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
    if (SDL_Flip(screen) == -1) {
        printf("Cannot flip screens: %s\n", SDL_GetError());
        return -1;
    }
    return 0;
}

void resetGame()
{
    delete lComb;
    lComb = new Combatant();
    lComb->setInput(&masterInput);
    lComb->setName("Player");
    lComb->setMaxHP(30);
    lComb->setMedia(mo);
    battul.reset();
    gameMode = 1;
    resetGameHit = false;
}

void addNewBadGuy()
{
    delete rComb;
    rComb = new Combatant();
    setUpNewBadguy(rComb, &oppInput, rulz);
    battul.init(lComb, rComb, rulz);
}

namespace {
enum Upgrade { MaxHp, Damage, Dist, Angle, Burn, UpgradeKinds };

struct Family {
    Upgrade a, b;
    const char* tiers[5];
};

// Tested in this order; the last pair that qualifies names the opponent.
const Family families[10] = {
    {Angle, MaxHp, {"Mini Longarms", "Junior Longarms", "Longarms", "Grandpa Longarms", "King Longarms"}},
    {Angle, Damage, {"Bandit", "Thief", "Shadow", "Assassin", "The CEO"}},
    {Dist, Damage, {"Brute", "Giant", "Andore", "McBamf", "Hammertime"}},
    {Burn, MaxHp, {"Crystal", "Shard", "Spire", "Obelisk", "Big Shiny"}},
    {Burn, Angle, {"Fairy", "Sprite", "Mrs. Sparkle", "Titania", "Pretty Pretty Princess!"}},
    {Dist, Angle, {"Mosquitoes", "Killer Beez", "Red Tide (it flies now)", "Locusts", "It Tickles..."}},
    {MaxHp, Damage, {"Golem", "Guardian", "Tauros", "WarMech", "Killbot2000"}},
    {Burn, Damage, {"Apprentice", "Wizard", "Necromancer", "Archmage", "Zappity-Doom"}},
    {Burn, Dist, {"Baby Dragon", "Wyrm", "Red Dragon", "Big Mama", "Teh Ancient One!"}},
    {Dist, MaxHp, {"Sludge", "Goo", "Slime", "Murgle", "Cubicle"}},
};

// A pattern rule rises to 3 at most; a draw beyond that becomes one extra hit point.
void raiseRule(Uint8& rule, Combatant* opponent)
{
    if (rule <= 2)
        ++rule;
    else
        opponent->addMaxHP(1);
}
} // namespace

void setUpNewBadguy(Combatant* opponent, CpuInput* cpu, SDL_Color& rules)
{
    makeOpponent(battul.getNumberOfVictories(), opponent, cpu, rules);
}

void makeOpponent(Uint32 victories, Combatant* opponent, CpuInput* cpu, SDL_Color& rules)
{
    opponent->setInput(cpu);
    cpu->setStats(2);
    opponent->setSide(false);
    std::string firstName = "Bad dude";
    opponent->setStats(8, firstName);

    rules.r = static_cast<Uint8>(rand() % 9);
    rules.g = rules.b = rules.unused = 0;

    Uint32 count[UpgradeKinds] = {};
    for (Uint32 i = 0; i < victories; ++i) {
        const int d = rand() % 20;
        if (d <= 7) {
            opponent->addMaxHP(2);
            ++count[MaxHp];
        } else if (d <= 10) {
            cpu->addDamage(1);
            ++count[Damage];
        } else if (d <= 13) {
            raiseRule(rules.g, opponent);
            ++count[Dist];
        } else if (d <= 16) {
            raiseRule(rules.b, opponent);
            ++count[Angle];
        } else {
            raiseRule(rules.unused, opponent);
            ++count[Burn];
        }
    }

    // Hit point draws are the likeliest, so they weigh less; each weighted count then grows alike on average.
    Uint64 weighted[UpgradeKinds];
    for (int k = 0; k < UpgradeKinds; ++k)
        weighted[k] = Uint64(count[k]) * (k == MaxHp ? 3 : 8);
    Uint8 score[UpgradeKinds] = {};
    for (int k = 0; k < UpgradeKinds; ++k)
        for (int other = 0; other < UpgradeKinds; ++other)
            if (other != k && weighted[k] >= weighted[other])
                ++score[k];

    const int tier = victories >= 20 ? 4 : static_cast<int>(victories / 5);
    for (const Family& f : families)
        if (score[f.a] >= 3 && score[f.b] >= 3 && (score[f.a] == 4 || score[f.b] == 4))
            opponent->setName(f.tiers[tier]);

    opponent->setMedia(mo2);
}
