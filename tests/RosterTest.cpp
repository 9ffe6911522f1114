#include "Combatant.h"
#include "CpuInput.h"
#include "TestSeams.h"
#include "main.h"
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

// Upgrade draws modulo 20 by kind.
enum : int { Hp = 0, Dmg = 8, Dist = 11, Angle = 14, Burn = 17 };

struct Made {
    std::string name;
    int hp, maxHp, damage;
    SDL_Color rules;
};

Made make(Uint32 victories, std::vector<int> upgradeDraws, int startDraw = 4)
{
    seam::clearDraws();
    seam::draws({startDraw});
    for (int d : upgradeDraws)
        seam::draws({d});
    Combatant opp;
    CpuInput cpu;
    SDL_Color rules{9, 9, 9, 9};
    makeOpponent(victories, &opp, &cpu, rules);
    EXPECT_EQ(seam::drawsLeft(), 0u);
    EXPECT_FALSE(opp.getSide());
    EXPECT_EQ(opp.getIo(), &cpu);
    return {opp.getName(), opp.getHp(), opp.getMaxHp(), cpu.getDamage(), rules};
}

TEST(Roster, TheFirstOpponentIsABareSludge)
{
    Made m = make(0, {}, 9 + 7);
    EXPECT_EQ(m.name, "Sludge");
    EXPECT_EQ(m.maxHp, 8);
    EXPECT_EQ(m.hp, 8);
    EXPECT_EQ(m.damage, 2);
    EXPECT_EQ(m.rules.r, 7);
    EXPECT_EQ(m.rules.g + m.rules.b + m.rules.unused, 0);
}

TEST(Roster, FamilyFollowsTheDominantUpgrades)
{
    struct Case {
        Uint32 v;
        std::vector<int> draws;
        const char* name;
        int maxHp, damage, dist, angle, burn;
    } cases[] = {
        {1, {Hp}, "Sludge", 10, 2, 0, 0, 0},
        {1, {Dist}, "Sludge", 8, 2, 1, 0, 0},
        {1, {Dmg + 2}, "Apprentice", 8, 3, 0, 0, 0},
        {1, {Angle}, "Mosquitoes", 8, 2, 0, 1, 0},
        {1, {Burn + 2}, "Baby Dragon", 8, 2, 0, 0, 1},
        {2, {Hp + 7, Dmg}, "Golem", 10, 3, 0, 0, 0},
        {2, {Dmg, Burn}, "Apprentice", 8, 3, 0, 0, 1},
        {4, {Burn, Burn + 1, Burn + 2, Burn}, "Baby Dragon", 9, 2, 0, 0, 3},
        {5, {Hp, Hp, Hp, Hp, Hp}, "Goo", 18, 2, 0, 0, 0},
        {10, {Dist, Angle, Dist, Angle, Dist, Angle, Dist, Angle, Dist, Angle}, "Red Tide (it flies now)", 12, 2,
         3, 3, 0},
        {15, std::vector<int>(15, Dmg), "Archmage", 8, 17, 0, 0, 0},
        {20, {Burn, Dist, Burn, Dist, Burn, Dist, Burn, Dist, Burn, Dist, Burn, Dist, Burn, Dist, Burn, Dist, Burn,
              Dist, Burn, Dist},
         "Teh Ancient One!", 22, 2, 3, 0, 3},
    };
    for (const Case& k : cases) {
        Made m = make(k.v, k.draws);
        EXPECT_EQ(m.name, k.name) << "V " << k.v;
        EXPECT_EQ(m.maxHp, k.maxHp) << k.name;
        EXPECT_EQ(m.hp, k.maxHp) << k.name;
        EXPECT_EQ(m.damage, k.damage) << k.name;
        EXPECT_EQ(m.rules.g, k.dist) << k.name;
        EXPECT_EQ(m.rules.b, k.angle) << k.name;
        EXPECT_EQ(m.rules.unused, k.burn) << k.name;
    }
}

TEST(Roster, TiersChangeAtFiveTenFifteenAndTwenty)
{
    const char* sludges[] = {"Sludge", "Goo", "Slime", "Murgle", "Cubicle"};
    for (Uint32 v : {4u, 5u, 9u, 10u, 14u, 15u, 19u, 20u, 1000u}) {
        Made m = make(v, std::vector<int>(v, Hp));
        EXPECT_EQ(m.name, sludges[v >= 20 ? 4 : v / 5]) << "V " << v;
    }
}

TEST(Roster, StaysInRangeFromZeroToAThousandVictories)
{
    const std::set<std::string> names = {
        "Mini Longarms", "Junior Longarms", "Longarms", "Grandpa Longarms", "King Longarms", "Bandit", "Thief",
        "Shadow", "Assassin", "The CEO", "Brute", "Giant", "Andore", "McBamf", "Hammertime", "Crystal", "Shard",
        "Spire", "Obelisk", "Big Shiny", "Fairy", "Sprite", "Mrs. Sparkle", "Titania", "Pretty Pretty Princess!",
        "Mosquitoes", "Killer Beez", "Red Tide (it flies now)", "Locusts", "It Tickles...", "Golem", "Guardian",
        "Tauros", "WarMech", "Killbot2000", "Apprentice", "Wizard", "Necromancer", "Archmage", "Zappity-Doom",
        "Baby Dragon", "Wyrm", "Red Dragon", "Big Mama", "Teh Ancient One!", "Sludge", "Goo", "Slime", "Murgle",
        "Cubicle"};
    seam::clearDraws();
    seam::seed(12345);
    for (Uint32 v = 0; v <= 1000; ++v) {
        Combatant opp;
        CpuInput cpu;
        SDL_Color rules{};
        makeOpponent(v, &opp, &cpu, rules);
        ASSERT_TRUE(names.count(opp.getName())) << v << " " << opp.getName();
        ASSERT_GE(opp.getMaxHp(), 8);
        ASSERT_EQ(opp.getHp(), opp.getMaxHp());
        ASSERT_GE(cpu.getDamage(), 2);
        ASSERT_LE(cpu.getDamage(), 32768);
        ASSERT_LE(rules.r, 8);
        ASSERT_LE(rules.g, 3);
        ASSERT_LE(rules.b, 3);
        ASSERT_LE(rules.unused, 3);
        if (v == 300) {
            EXPECT_EQ(opp.getMaxHp(), 255); // about 120 hit point draws by now: saturated, never wrapped
        }
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
    EXPECT_EQ(oppInput.getDamage(), 2);
}

} // namespace
