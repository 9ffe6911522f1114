#include "Battle.h"
#include "Combatant.h"
#include "CpuInput.h"
#include "DrawWindow.h"
#include "LinePattern.h"
#include "MediaPlayer.h"
#include "MediaResource.h"
#include "TestSeams.h"
#include "TestSupport.h"
#include "UserInput.h"
#include <SDL/SDL_ttf.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>

namespace fs = std::filesystem;

// SDL's own words after each "Image Loading error:", up to the next message or line end, become "<text>".
std::string withoutErrorTexts(std::string out)
{
    const std::string tag = "Image Loading error:";
    for (size_t i = out.find(tag); i != std::string::npos; i = out.find(tag, i)) {
        i += tag.size();
        const size_t j = std::min({out.size(), out.find('\n', i), out.find(tag, i), out.find("Cannot find file:", i)});
        out.replace(i, j - i, j > i ? "<text>" : "<none>");
    }
    return out;
}

// The game's media copied and damaged one way per case, the battle built from it directly (the shell's globals
// hold the good media); one battle won by tracing, one lost by clicking off the path, every action played out.
TEST(BadMedia, StartsReportsAndPlaysOn)
{
    enum Damage { Truncate, Remove, Write };
    // Standard output, whole: a background's SDL error text has no line end; a missing info file's line does.
    const std::string B = "Image Loading error:<text>", C = "Cannot find file:media/chars/demoChar/info\n",
                      F = "Cannot find file:media/chars/demoBadguy/info\n", Q(4096, 'Q');
    std::string junk; // 1 MiB of words, numbers and frame records of an undeclared action
    while (junk.size() < (1u << 20))
        junk += "Idlex Attk 1 9 " + std::to_string(junk.size() * 7919) + " -x\n";
    const struct { const char* path; Damage damage; std::string out, text = ""; } cases[] = {
        {"media/bkground/woodCrap.png", Write, B, Q},
        {"media/bkground/woodCrap.png", Truncate, B},
        {"media/bkground/drawBk.png", Write, B, Q},
        {"media/bkground/drawBk.png", Truncate, B},
        {"media/bkground", Remove, B + B},
        {"media/chars/demoChar/Idle0.png", Write, "", Q}, // every Idle frame asks for this one
        {"media/chars/demoBadguy/Attk1.png", Truncate, ""},
        {"media/chars/demoChar/Pain0.png", Remove, ""},
        {"media/chars/demoChar/info", Write, ""},
        {"media/chars/demoBadguy/info", Write, "", junk},
        {"media/chars/demoChar/info", Write, "",
         "Idle 0 -2147483648 1 Idle 1 2147483647 -2147483647 4294967295 Attk 0 2147483647 4294967295 "
         "Attk 1 -2147483647 2147483647 4294967295 Pain 0 -1 4294967295 Dead 0 0 2147483648"},
        {"media/chars/demoChar", Remove, C},
        {"media", Remove, B + C + F + B},
    };
    support::initVideo();
    TTF_Init();
    TTF_Font* font = TTF_OpenFont("text/FreeSans.ttf", 12);
    ASSERT_TRUE(font) << TTF_GetError();
    const fs::path home = fs::current_path();
    for (const auto& c : cases) {
        const std::string dir = support::makeTempDir();
        fs::copy(home / "media", dir + "/media", fs::copy_options::recursive);
        fs::current_path(dir);
        if (c.damage == Remove)
            fs::remove_all(c.path);
        else if (c.damage == Truncate)
            fs::resize_file(c.path, fs::file_size(c.path) / 3);
        else
            support::writeFile(c.path, c.text);
        testing::internal::CaptureStdout();
        Battle battle;
        MediaResource hero("demoChar"), foe("demoBadguy");
        MediaPlayer heroPlayer(&hero), foePlayer(&foe);
        UserInput mouse;
        CpuInput cpu;
        Combatant player, weak, strong;
        std::string n = "Foe";
        cpu.setStats(7), player.setInput(&mouse), player.setMedia(&heroPlayer);
        for (auto [o, hp] : {std::pair{&weak, 1}, {&strong, 200}})
            o->setStats(Uint8(hp), n), o->setSide(false), o->setInput(&cpu), o->setMedia(&foePlayer);
        SDL_Color rules{3, 3, 3, 3};
        battle.init(&player, &weak, rules);
        EXPECT_EQ(withoutErrorTexts(testing::internal::GetCapturedStdout()), c.out) << c.path << " damage " << c.damage;

        SDL_Surface* canvas = support::makeCanvas();
        std::set<int> states;
        for (int pass = 0; pass < 4000 && battle.getStatus() != 7; ++pass, seam::advance(33)) {
            if (battle.getStatus() == 0) // the won battle is over
                battle.init(&player, &strong, rules);
            DrawWindow* w = battle.getDrawWindow();
            SDL_Rect t{}, a{}; // (0, 0) lies off the drawing area
            if (battle.getStatus() == 3 && battle.getRightCombatant() == &weak)
                w->getLinePattern()->getContactPoint(t), a = w->getDimensions();
            support::pushMotion(Sint16(a.x + t.x), Sint16(a.y + t.y));
            support::pushButton(SDL_BUTTON_LEFT, pass % 2, 0, 0); // only motion moves the cursor
            for (SDL_Event e; SDL_PollEvent(&e) == 1;)
                battle.processInput(e);
            battle.gameLoop();
            states.insert(battle.getStatus());
            battle.render(canvas, font);
        }
        EXPECT_EQ(states, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7})) << c.path << " damage " << c.damage;
        SDL_Rect at{320, 240, 0, 0};
        for (Uint8 action = 0; action < 4; ++action) // each held until its loops run out
            for (MediaPlayer* p : {&heroPlayer, &foePlayer})
                for (int i = p->changeAnim(action); i < 60; ++i, seam::advance(100)) // changeAnim gives 0
                    p->render(canvas, at);
        SDL_FreeSurface(canvas);
        support::drainQueue(); // hits left by the lost battle
        fs::current_path(home);
        support::removeTree(dir);
    }
    TTF_CloseFont(font);
}
