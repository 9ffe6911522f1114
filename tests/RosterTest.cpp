#include "Combatant.h"
#include "CpuInput.h"
#include "TestSeams.h"
#include "main.h"
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace {

// Upgrade draws modulo 20, by kind.
enum : int { Hp = 0, Dmg = 8, Dist = 11, Angle = 14, Burn = 17 };

TEST(Roster, FamilyFollowsTheDominantUpgradesAndTierTheVictories)
{
    struct Case {
        Uint32 v;
        std::vector<int> draws; // repeated to fill the victories
        const char* name;
        int maxHp, damage, dist, angle, burn;
    };
    const Case cases[] = {
        {0, {}, "Sludge", 8, 2, 0, 0, 0},
        {1, {Hp}, "Sludge", 10, 2, 0, 0, 0},
        {1, {Dist}, "Sludge", 8, 2, 1, 0, 0},
        {1, {Dmg + 2}, "Apprentice", 8, 3, 0, 0, 0},
        {1, {Angle}, "Mosquitoes", 8, 2, 0, 1, 0},
        {1, {Burn + 2}, "Baby Dragon", 8, 2, 0, 0, 1},
        {2, {Hp + 7, Dmg}, "Golem", 10, 3, 0, 0, 0},
        {2, {Dmg, Burn}, "Apprentice", 8, 3, 0, 0, 1},
        {4, {Burn, Burn + 1, Burn + 2, Burn}, "Baby Dragon", 9, 2, 0, 0, 3},
        {10, {Dist, Angle + 2}, "Red Tide (it flies now)", 12, 2, 3, 3, 0},
        {20, {Burn, Dist + 2}, "Teh Ancient One!", 22, 2, 3, 0, 3},
        {5, {Dist, Dist, Angle, Angle, Burn}, "Killer Beez", 8, 2, 2, 2, 1}, // a lesser upgrade stays out of it
        {4, {Hp}, "Sludge", 16, 2, 0, 0, 0},
        {5, {Hp}, "Goo", 18, 2, 0, 0, 0},
        {19, {Hp}, "Murgle", 46, 2, 0, 0, 0},
        {20, {Hp}, "Cubicle", 48, 2, 0, 0, 0},
        {25, {Hp}, "Cubicle", 58, 2, 0, 0, 0},
        {130, {Hp}, "Cubicle", 255, 2, 0, 0, 0}, // saturated, not wrapped
    };
    for (const Case& k : cases) {
        seam::clearDraws();
        seam::draws({9 + 7}); // the start cell, taken modulo 9
        for (Uint32 i = 0; i < k.v; ++i)
            seam::draws({k.draws[i % k.draws.size()]});
        Combatant opp;
        CpuInput cpu;
        SDL_Color rules{9, 9, 9, 9};
        makeOpponent(k.v, &opp, &cpu, rules);
        EXPECT_EQ(std::tuple(opp.getName(), int(opp.getMaxHp()), int(opp.getHp()), int(cpu.getDamage()), int(rules.r),
                             int(rules.g), int(rules.b), int(rules.unused), seam::drawsLeft()),
                  std::tuple(std::string(k.name), k.maxHp, k.maxHp, k.damage, 7, k.dist, k.angle, k.burn, size_t(0)))
            << k.v << " victories";
    }
}

} // namespace
