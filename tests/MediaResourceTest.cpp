#include "AnimFrame.h"
#include "HeroFolder.h"
#include <vector>

using MediaResourceTest = HeroFolder;

// Each action as "loops/rule:" with its frames as "<drawn>~hold", "-" when undeclared.
static std::string describe(MediaResource& r)
{
    std::string out;
    for (Uint32 a = 0; a < 4; ++a) {
        const action* act = r.getAction(a);
        out += (a ? " | " : "") +
               (act ? std::to_string(act->numLoops) + "/" + std::to_string(act->whatToDoWhenOutOfLoops) + ":" : "-");
        for (Uint32 f = 0; act && f < act->anim.size(); ++f)
            out += " " + drawn([&](SDL_Surface* c, SDL_Rect& at) { r.drawPic(c, at, a, f); }) + "~" +
                   std::to_string(act->anim[f]->getTime());
    }
    return out;
}

TEST_F(MediaResourceTest, ReadsRecords)
{
    std::vector<std::pair<std::string, std::string>> cases = {
        {"Idle 0 -1 7\nIdle 1 0 0 10\tIdle\n1 -4 9 65535 Idle 1 3 -2 65536",
         "-1/7: I0@0,0~10 I1@-4,9~65535 I2@3,-2~0 | - | - | -"},
        // 16-bit screen coordinates: 100 + 65541 wraps to 105 and the blit clips at the left edge; offsets at the
        // ends of the 32-bit range wrap the same way, without overflowing on the way.
        {"Idle 0 0 0 Idle 1 2147483647 -2147483647 1 Idle 1 -2147483648 2147483647 2 "
         "Pain 0 0 0 Pain 1 -101 65541 65537", "0/0: I0@-1,1~1 I1@0,-1~2 | - | 0/0: P0@-100,5#2~1 | -"},
        // Every action record, whatever its name, restarts the one picture counter.
        {"Idle 0 1 0 Idle 1 0 0 1 Idle 1 0 0 1 Attk 0 9 0 Idle 0 4 1 Idle 1 0 0 2 Attk 1 0 0 3 Pain 0 2 1 Idle 1 0 0 4",
         "4/1: I0@0,0~2 I0@0,0~4 | 9/0: A1@0,0~3 | 2/1: | -"},
        // Idle3 is missing: dropped, its numbers skipped, and Attk's record then asks for 3 again.
        {"Attk 0 0 0 Idle 0 0 0 Idle 1 0 0 0 Idle 1 0 0 0 Idle 1 0 0 0 Idle 1 5 5 5 Idle 1 6 6 6 Attk 1 0 0 7",
         "0/0: I0@0,0~0 I1@0,0~0 I2@0,0~0 | 0/0: A3@0,0~7 | - | -"},
        // Only exact names count; kind 2 changes nothing; a frame of an undeclared action takes no picture number;
        // stream extraction stops at the letter, so 5 is a hold time and "x" a word to skip.
        {"idle 0 9 0 Idle0 0 9 0 xIdle 0 9 0 IDLE 0 9 0 Attk: 0 9 0 words\n\tPain\n0 3 1 Pain 1 0 0 1 Idle 0 1 0 "
         "Idle 1 0 0 1 Idle 2 0 0 7 Attk 1 0 0 8 Idle 1 0 0 2 Idle 1 3 4 5x Dead 2 Dead 0 5 1",
         "1/0: I0@0,0~1 I1@0,0~2 I2@3,4~5 | - | 3/1: P0@0,0~1 | 5/1:"},
    };
    // An unreadable number or a record cut short by the end of the file ends reading: that record is dropped
    // whole, the earlier ones stay.
    for (std::string tail : {"Attk 0 x 1 Pain 0 1 1", "Attk 0 1 -y Pain 0 1 1", "Attk zz Pain 0 1 1",
                             "Attk 0 2147483648 1 Pain 0 1 1", "Idle 1 3 y 5 Pain 0 1 1", "Idle 0 7 Pain 0 1 1",
                             "Idle 1 0 0", "Attk 0 3", "Idle"})
        cases.push_back({"Idle 0 2 1 Idle 1 0 0 5 " + tail, "2/1: I0@0,0~5 | - | - | -"});
    for (auto& [info, want] : cases)
        EXPECT_EQ(describe(*load(info)), want) << info;
}

// A missing info file is one line of output and a resource with no name and no actions. Neither it nor a read
// one draws or steps anything for an undeclared or empty action or a number out of range.
TEST_F(MediaResourceTest, NothingThereDrawsAndStepsNothing)
{
    testing::internal::CaptureStdout();
    MediaResource missing("nobody");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Cannot find file:media/chars/nobody/info\n");
    auto read = load("Idle 0 3 0 Idle 1 0 0 0 Attk 0 6 1");
    EXPECT_TRUE(missing.getName() == "" && describe(missing) == "- | - | - | -" && read->getName() == "hero");
    for (MediaResource* r : {&missing, read.get()})
        for (auto [a, f] : {std::pair<Uint32, Uint32>{0, 1}, {0, 0xFFFFFFFF}, {1, 0}, {2, 0}, {4, 0}, {~0u, 0}}) {
            EXPECT_EQ(drawn([&](SDL_Surface* c, SDL_Rect& at) { r->drawPic(c, at, a, f); }), "-");
            Uint32 a2 = a, f2 = f;
            Sint32 loops = 0;
            EXPECT_TRUE(r->changePic(100000, a2, f2, loops) == 0 && a2 == a && f2 == f && loops == 0) << a << "/" << f;
        }
    EXPECT_TRUE(read->getLoops(0) == 3 && read->getLoops(1) == 6 && read->getLoops(2) == 0 && read->getLoops(255) == 0);
}
