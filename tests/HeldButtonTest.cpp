#include "GameFixture.h"

// The winning stroke runs out of endurance with the button held on through the victory: as every other turn, the
// next battle's first waits for a press of its own.
TEST_F(Game, AButtonHeldThroughAVictoryStartsNoStrokeInTheNextBattle)
{
    rComb->takeDamage(7), passFor(1100), trace(); // the winning dot, then held still until the endurance is spent
    passFor(5100), pass();                        // about 1 s to spend it, the pauses, the next opponent's intro
    EXPECT_TRUE(battul.getNumberOfVictories() == 1 && battul.getStatus() == Battle::PlayerDraws);
    EXPECT_EQ(battul.getDrawWindow()->getDrawingStatus(), DrawWindow::Waiting);
}
