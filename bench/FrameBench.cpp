// One main-loop pass without the flip (event drain, battle step, battul.render) in every battle state and in a brisk
// stroke (a hit every frame), the floor it is measured against (a full-screen blit of a picture already in the
// screen's format, and a memcpy of the screen's bytes), and one dot of the path. Run from the run folder, headless.
// --checksums prints a hash of the screen drawn in each state instead, to show that a change of the drawing code leaves
// every pixel as it was.
#include "Combatant.h"
#include "DrawWindow.h"
#include "LinePattern.h"
#include "TestSeams.h"
#include "TestSupport.h"
#include "main.h"
#include <SDL/SDL_image.h>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <unistd.h>

// The scripted clock (TestSeams) stands still unless the benchmark moves it: a state then holds for any number of
// passes (no endurance burn, no phase ending, no animation step), and SDL_Delay never sleeps.
namespace {

// The measured pass: the shell's drain, step and frame, minus pacing, the shell's restart checks and the flip.
void pass()
{
    while (SDL_PollEvent(&mainEvent) == 1)
        battul.processInput(mainEvent);
    battul.gameLoop();
    battul.render(screen, font);
}

// A cursor spot in the drawing area out of reach of the target (reach is 25 + 8 pixels).
SDL_Rect awayFromTarget()
{
    const SDL_Rect t = support::target(*battul.getDrawWindow());
    const SDL_Rect area = battul.getDrawWindow()->getDimensions();
    return {Sint16(t.x < area.x + area.w / 2 ? area.x + area.w - 20 : area.x + 20),
            Sint16(t.y < area.y + area.h / 2 ? area.y + area.h - 20 : area.y + 20), 0, 0};
}

void freshBattle()
{
    while (SDL_PollEvent(&mainEvent) == 1)
        battul.processInput(mainEvent);
    seam::seed(7);
    resetGame();
    addNewBadGuy(); // state 1, the first opponent
}

// State 3 with the stroke on: `dots` dots reached (the first fills the path to 10), cursor off the target.
void drawingWith(int dots)
{
    freshBattle();
    seam::advance(1001);
    pass(); // intro over: state 3
    for (int i = 0; i < dots; ++i) {
        const SDL_Rect t = support::target(*battul.getDrawWindow());
        support::pushMotion(t.x, t.y);
        if (i == 0)
            support::pushButton(SDL_BUTTON_LEFT, true);
        pass();
    }
    const SDL_Rect away = awayFromTarget();
    support::pushMotion(away.x, away.y);
    pass(); // the last hit lands
}

// Each state is reached through real events and passes; 2 and 4 are re-entered before every pass.
void enter(int s)
{
    switch (s) {
    case 0: // after a victory, before the shell brings on the next opponent
        enter(6);
        seam::advance(2001);
        pass();
        break;
    case 1:
        freshBattle();
        break;
    case 3:
        drawingWith(2);
        break;
    case 5:
        drawingWith(2);
        support::pushButton(SDL_BUTTON_LEFT, false);
        pass();
        break;
    case 2: // the opponent's turn being set up
        enter(5);
        seam::advance(1001);
        pass();
        break;
    case 4:
        enter(2);
        pass();
        break;
    case 6: // a victory: nine dots against eight hit points
        drawingWith(9);
        support::pushButton(SDL_BUTTON_LEFT, false);
        pass();
        seam::advance(1001);
        pass();
        pass(); // the victory is counted
        break;
    case 7: // a defeat
        enter(4);
        lComb->takeDamage(255);
        while (battul.getStatus() != 5)
            pass();
        seam::advance(1001);
        pass();
        seam::advance(5001);
        pass();
        break;
    }
    if (battul.getStatus() != s) {
        std::fprintf(stderr, "bench: meant to reach state %d, got %d\n", s, battul.getStatus());
        std::exit(1);
    }
}

void BM_Pass(benchmark::State& st)
{
    const int s = static_cast<int>(st.range(0));
    enter(s);
    const SDL_Rect away = s == Battle::PlayerDraws ? awayFromTarget() : SDL_Rect{0, 0, 0, 0};
    for (auto _ : st) {
        // The turn set-up leaves itself within its pass, the opponent's move within six: play back into them.
        if (battul.getStatus() != s) {
            st.PauseTiming();
            enter(s);
            st.ResumeTiming();
        }
        if (s == Battle::PlayerDraws)
            support::pushMotion(away.x, away.y); // a moving mouse: one event to drain
        pass();
    }
    if (battul.getStatus() != s && s != 2 && s != 4)
        st.SkipWithError("the state changed while measured");
    if (s == 3 && (battul.getDrawWindow()->getDrawingStatus() != 1 ||
                   battul.getDrawWindow()->getLinePattern()->getPoints().size() != 10))
        st.SkipWithError("no stroke with a full path");
}
BENCHMARK(BM_Pass)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);

// A brisk stroke: the hand reaches the target in every pass, so a hit lands, the path moves on and the hit of the
// pass before is applied, frame after frame.
void BM_BriskStroke(benchmark::State& st)
{
    enter(Battle::PlayerDraws);
    for (auto _ : st) {
        const SDL_Rect t = support::target(*battul.getDrawWindow());
        support::pushMotion(t.x, t.y);
        pass();
    }
    if (battul.getStatus() != Battle::PlayerDraws || battul.getDrawWindow()->getDrawingStatus() != DrawWindow::Drawing)
        st.SkipWithError("the stroke ended while measured");
}
BENCHMARK(BM_BriskStroke)->Unit(benchmark::kMicrosecond);

// The floor: what drawing a whole frame costs at the least.
void BM_DisplayFormatBlit(benchmark::State& st)
{
    SDL_Surface* loaded = IMG_Load("media/bkground/woodCrap.png");
    SDL_Surface* bkg = loaded ? SDL_DisplayFormat(loaded) : nullptr;
    SDL_FreeSurface(loaded);
    if (!bkg) {
        st.SkipWithError("no background picture");
        return;
    }
    for (auto _ : st) {
        SDL_Rect at{0, 0, 0, 0};
        SDL_UpperBlit(bkg, nullptr, screen, &at);
    }
    SDL_FreeSurface(bkg);
}
BENCHMARK(BM_DisplayFormatBlit)->Unit(benchmark::kMicrosecond);

void BM_ScreenMemcpy(benchmark::State& st)
{
    const size_t bytes = size_t(screen->pitch) * screen->h;
    std::string from(bytes, '\x40');
    for (auto _ : st) {
        std::memcpy(screen->pixels, from.data(), bytes);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ScreenMemcpy)->Unit(benchmark::kMicrosecond);

void BM_NewDot(benchmark::State& st)
{
    LinePattern lp;
    SDL_Color rules{8, 3, 3, 3};
    const SDL_Rect area{170, 30, 300, 300};
    seam::seed(7);
    lp.init(area, rules);
    lp.getNewLine(area, false); // first hit: the queue is full from here on
    for (auto _ : st)
        lp.getNewLine(area, false);
    benchmark::DoNotOptimize(lp.getPoints().data());
}
BENCHMARK(BM_NewDot)->Unit(benchmark::kNanosecond);

// Console output as usual, plus the medians kept for the table at the end.
class TableReporter : public benchmark::ConsoleReporter {
public:
    TableReporter() : ConsoleReporter(isatty(1) ? OO_Defaults : OO_None) {}
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs)
            if (r.aggregate_name == "median" || (r.run_type == Run::RT_Iteration && !medians.count(base(r)))) {
                const double toNs = 1e9 / benchmark::GetTimeUnitMultiplier(r.time_unit);
                medians[base(r)] = {r.GetAdjustedRealTime() * toNs, r.GetAdjustedCPUTime() * toNs};
            }
        ConsoleReporter::ReportRuns(runs);
    }
    struct Times {
        double real, cpu; // ns
    };
    std::map<std::string, Times> medians;

private:
    static std::string base(const Run& r) { return r.run_name.str(); }
};

// FNV-1a of the whole screen after three passes in each state (the later passes draw from whatever the first
// one left behind).
void printChecksums()
{
    for (int s = 0; s <= 7; ++s) {
        enter(s);
        for (int i = 0; i < 3; ++i) {
            if (battul.getStatus() != s)
                enter(s);
            pass();
        }
        // The colour bytes only: the fourth byte of a pixel is never shown, and blitters fill it differently.
        Uint32 h = 2166136261u;
        for (int y = 0; y < screen->h; ++y) {
            const Uint32* row = static_cast<const Uint32*>(screen->pixels) + y * screen->pitch / 4;
            for (int x = 0; x < screen->w; ++x)
                h = (h ^ (row[x] & 0xFFFFFF)) * 16777619u;
        }
        std::printf("state %d: %08x\n", s, h);
    }
}

} // namespace

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (FILE* f = std::fopen("media/bkground/woodCrap.png", "rb"))
        std::fclose(f);
    else {
        std::fprintf(stderr, "bench: run me from the run folder (build/run)\n");
        return 1;
    }
    if (initEngine() == -1 || initGame() == -1)
        return 1;
    if (argc > 1 && std::strcmp(argv[1], "--checksums") == 0) {
        printChecksums();
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    TableReporter rep;
    benchmark::RunSpecifiedBenchmarks(&rep);

    // Ratios and budgets by CPU time: on a shared machine wall time also counts other processes' turns.
    const auto& m = rep.medians;
    const auto floor = m.find("BM_DisplayFormatBlit");
    if (floor == m.end())
        return 0;
    std::printf("\nmedians; budget: pass <= 3x the floor, one dot < 5 us (by CPU time)\n");
    std::printf("%-24s %10s %10s %8s\n", "", "real us", "CPU us", "x floor");
    auto row = [&](const std::string& what, const std::string& name, bool budget = true) {
        const auto it = m.find(name);
        if (it == m.end())
            return;
        const double ratio = it->second.cpu / floor->second.cpu;
        const char* verdict = !budget ? "" : ratio <= 3.0 ? "ok" : "OVER";
        std::printf("%-24s %10.1f %10.1f %8.2f  %s\n", what.c_str(), it->second.real / 1e3, it->second.cpu / 1e3, ratio,
                    verdict);
    };
    row("floor: blit, same format", "BM_DisplayFormatBlit", false);
    row("screen memcpy", "BM_ScreenMemcpy", false);
    for (int s = 0; s <= 7; ++s)
        row("pass, state " + std::to_string(s), "BM_Pass/" + std::to_string(s));
    row("pass, brisk stroke", "BM_BriskStroke");
    const auto dot = m.find("BM_NewDot");
    if (dot != m.end())
        std::printf("%-24s %10.3f %10.3f %8s  %s\n", "one dot (getNewLine)", dot->second.real / 1e3,
                    dot->second.cpu / 1e3, "", dot->second.cpu < 5000 ? "ok" : "OVER");
    return 0;
}
