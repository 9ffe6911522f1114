#include "Combatant.h"
#include "CpuInput.h"
#include "TestSeams.h"
#include "main.h"
#include <gtest/gtest.h>
#include <set>
#include <tuple>
#include <vector>

namespace {

// Upgrade draws modulo 20 by kind.
enum : int { Hp = 0, Dmg = 8, Dist = 11, Angle = 14, Burn = 17 };

struct Made {
    std::string name;
    int hp, maxHp, damage;
    SDL_Color rules;
};

Made make(Uint32 victories, std::vector<int> upgradeDraws)
{
    seam::clearDraws();
    seam::draws({9 + 7}); // the dot rules draw, taken modulo 9
    for (int d : upgradeDraws)
        seam::draws({d});
    Combatant opp;
    CpuInput cpu;
    SDL_Color rules{9, 9, 9, 9};
    makeOpponent(victories, &opp, &cpu, rules);
    EXPECT_EQ(seam::drawsLeft(), 0u);
    return {opp.getName(), opp.getHp(), opp.getMaxHp(), cpu.getDamage(), rules};
}

TEST(Roster, FamilyFollowsTheDominantUpgrades)
{
    struct Case {
        Uint32 v;
        std::vector<int> draws;
        const char* name;
        int maxHp, damage, dist, angle, burn;
    };
    // clang-format off
    const Case cases[] = {
        {0, {}, "Sludge", 8, 2, 0, 0, 0},             {1, {Hp}, "Sludge", 10, 2, 0, 0, 0},
        {1, {Dist}, "Sludge", 8, 2, 1, 0, 0},         {1, {Dmg + 2}, "Apprentice", 8, 3, 0, 0, 0},
        {1, {Angle}, "Mosquitoes", 8, 2, 0, 1, 0},    {1, {Burn + 2}, "Baby Dragon", 8, 2, 0, 0, 1},
        {2, {Hp + 7, Dmg}, "Golem", 10, 3, 0, 0, 0},  {2, {Dmg, Burn}, "Apprentice", 8, 3, 0, 0, 1},
        {4, {Burn, Burn + 1, Burn + 2, Burn}, "Baby Dragon", 9, 2, 0, 0, 3},
        {10, {Dist, Angle, Dist, Angle, Dist, Angle, Dist, Angle, Dist, Angle}, "Red Tide (it flies now)",
         12, 2, 3, 3, 0},
        {20, {Burn, Dist, Burn, Dist, Burn, Dist, Burn, Dist, Burn, Dist, Burn, Dist, Burn, Dist, Burn, Dist, Burn,
              Dist, Burn, Dist}, "Teh Ancient One!", 22, 2, 3, 0, 3},
    };
    // clang-format on
    for (const Case& k : cases) {
        const Made m = make(k.v, k.draws);
        EXPECT_EQ(std::tuple(m.name, m.maxHp, m.hp, m.damage, int(m.rules.r), int(m.rules.g), int(m.rules.b),
                             int(m.rules.unused)),
                  std::tuple(std::string(k.name), k.maxHp, k.maxHp, k.damage, 7, k.dist, k.angle, k.burn));
    }
}

TEST(Roster, TiersChangeAtFiveTenFifteenAndTwenty)
{
    const char* sludges[] = {"Sludge", "Goo", "Slime", "Murgle", "Cubicle"};
    for (Uint32 v : {4u, 5u, 9u, 10u, 14u, 15u, 19u, 20u, 1000u})
        EXPECT_EQ(make(v, std::vector<int>(v, Hp)).name, sludges[v >= 20 ? 4 : v / 5]) << "V " << v;
}

TEST(Roster, StaysInRangeFromZeroToAThousandVictories)
{
    // clang-format off
    const std::set<std::string> names = {
        "Mini Longarms", "Junior Longarms", "Longarms", "Grandpa Longarms", "King Longarms", "Bandit", "Thief",
        "Shadow", "Assassin", "The CEO", "Brute", "Giant", "Andore", "McBamf", "Hammertime", "Crystal", "Shard",
        "Spire", "Obelisk", "Big Shiny", "Fairy", "Sprite", "Mrs. Sparkle", "Titania", "Pretty Pretty Princess!",
        "Mosquitoes", "Killer Beez", "Red Tide (it flies now)", "Locusts", "It Tickles...", "Golem", "Guardian",
        "Tauros", "WarMech", "Killbot2000", "Apprentice", "Wizard", "Necromancer", "Archmage", "Zappity-Doom",
        "Baby Dragon", "Wyrm", "Red Dragon", "Big Mama", "Teh Ancient One!", "Sludge", "Goo", "Slime", "Murgle",
        "Cubicle"};
    // clang-format on
    seam::clearDraws();
    seam::seed(12345);
    for (Uint32 v = 0; v <= 1000; ++v) {
        Combatant opp;
        CpuInput cpu;
        SDL_Color rules{};
        makeOpponent(v, &opp, &cpu, rules);
        ASSERT_TRUE(names.count(opp.getName())) << v << " " << opp.getName();
        ASSERT_TRUE(opp.getMaxHp() >= 8 && opp.getHp() == opp.getMaxHp() && cpu.getDamage() >= 2 &&
                    cpu.getDamage() <= 32768 && rules.r <= 8 && rules.g <= 3 && rules.b <= 3 && rules.unused <= 3)
            << "V " << v;
        // About 120 hit point draws by 300: saturated, never wrapped.
        EXPECT_TRUE(v != 300 || opp.getMaxHp() == 255) << opp.getMaxHp();
    }
}

TEST(Roster, TheShellAsksTheBattleForTheVictories)
{
    seam::clearDraws();
    seam::draws({5});
    Combatant opp;
    setUpNewBadguy(&opp, &oppInput, rulz);
    EXPECT_EQ(opp.getName(), "Sludge");
    EXPECT_EQ(rulz.r, 5);
}

} // namespace
