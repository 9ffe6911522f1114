#include "Battle.h"
#include "Combatant.h"
#include "CpuInput.h"
#include "DrawWindow.h"
#include "Drawing.h"
#include "InputObj.h"
#include "Layout.h"
#include "MediaResource.h"
#include "Sound.h"
#include <sstream>

Battle::Battle()
    : battleTimer(0), battleState(NoBattle), dw(nullptr), endurance(0), accuracy(0), leftTurn(false),
      leftCombatant(nullptr), rightCombatant(nullptr), drawRules{0, 0, 0, 0}, hpBack(0), overkillBonus(0), numHits(0),
      numDmg(0), numVicts(0), countVict(false), bkg(nullptr), lastTicks(0)
{
    reset();
    lastTicks = now();
    bkg = loadPicture((std::string(layout::mediaFolder) + layout::battlePicture).c_str());
}

Battle::~Battle()
{
    delete dw;
    SDL_FreeSurface(bkg);
}

Uint32 Battle::now() const { return SDL_GetTicks(); }

bool Battle::elapsed(Uint32 ms) const { return Uint32(now() - lastTicks) > ms; }

void Battle::reset()
{
    battleState = NoBattle;
    lastTicks = now();
    numVicts = 0;
    hpBack = 0;
    overkillBonus = 0;
    countVict = false;
    leftCombatant = nullptr;
    rightCombatant = nullptr;
}

void Battle::init(Combatant* lComb, Combatant* rComb, SDL_Color& rulz)
{
    endurance = 1000;
    accuracy = 25;
    battleState = Intro;
    lastTicks = now();
    leftCombatant = lComb;
    rightCombatant = rComb;
    // As after every turn, the player must press anew: a button still held through the last victory or an F10
    // would otherwise start the first stroke by itself.
    if (leftCombatant && leftCombatant->getIo())
        leftCombatant->getIo()->clearInput();
    if (leftCombatant)
        leftCombatant->animate(ActionIdle);
    if (rightCombatant)
        rightCombatant->animate(ActionIdle);
    leftTurn = true;
    numHits = 0;
    numDmg = 0;
    hpBack = 0;
    overkillBonus = 0;
    drawRules = rulz;
    if (!dw)
        dw = new DrawWindow();
    dw->init(drawRules);
    Sound::play(Sound::Approach);
}

void Battle::processInput(const SDL_Event& mainEvent)
{
    Combatant* cInUse = leftTurn ? leftCombatant : rightCombatant;
    if (cInUse)
        cInUse->processInput(mainEvent);

    if (mainEvent.type != SDL_USEREVENT)
        return;
    // A hit with no record, or with nobody to land on, is dropped rather than dereferenced.
    const SDL_Rect* att = static_cast<const SDL_Rect*>(mainEvent.user.data1);
    if (!att || !leftCombatant || !rightCombatant)
        return;
    const Uint16 targetC = att->w;
    ++numHits;
    numDmg = att->h;
    (targetC & 1 ? leftCombatant : rightCombatant)->animate(ActionAttk);
    if (targetC & 2) {
        if (rightCombatant->takeDamage(static_cast<Uint8>(numDmg)))
            ++overkillBonus;
    } else {
        Sound::play(Sound::Blow);
        leftCombatant->takeDamage(static_cast<Uint8>(numDmg));
    }
}

void Battle::gameLoop()
{
    Combatant* comb = leftTurn ? leftCombatant : rightCombatant;
    const Uint16 targetCode = leftTurn ? 3 : 0;
    InputObj* io = comb ? comb->getIo() : nullptr;

    switch (battleState) {
    case Intro:
        if (elapsed(1000)) {
            battleState = PlayerDraws;
            lastTicks = now();
        }
        break;
    case TurnSetUp:
        numHits = 0;
        numDmg = 0;
        if (leftCombatant)
            leftCombatant->animate(ActionIdle);
        if (rightCombatant)
            rightCombatant->animate(ActionIdle);
        battleState = leftTurn ? PlayerDraws : OpponentMoves;
        break;
    case PlayerDraws:
        if (io) {
            const SDL_Rect area = dw->getDimensions();
            dw->drawEvaluator(io->getButton1(), accuracy, static_cast<Sint16>(io->getCursorPosX() - area.x),
                              static_cast<Sint16>(io->getCursorPosY() - area.y), endurance, targetCode);
        }
        if (dw->getDrawingStatus() == DrawWindow::Done) {
            battleState = ResultPause;
            lastTicks = now();
        }
        break;
    case OpponentMoves:
        // Not restarting the clock here: the result pause is measured from the set-up of the opponent's turn.
        if (CpuInput* cpu = dynamic_cast<CpuInput*>(io)) {
            cpu->getNextMove();
            if (cpu->getMoveDone())
                battleState = ResultPause;
        } else {
            battleState = ResultPause;
        }
        break;
    case ResultPause:
        if (elapsed(1000)) {
            lastTicks = now();
            const bool leftDead = leftCombatant && leftCombatant->getAreYouDead();
            const bool rightDead = rightCombatant && rightCombatant->getAreYouDead();
            if (!leftDead && !rightDead) {
                leftTurn = !leftTurn;
                endurance = 1000;
                battleState = TurnSetUp;
                if (io)
                    io->clearInput();
                dw->init(drawRules);
            } else {
                battleState = BattleEnd;
                if (leftDead)
                    Sound::play(Sound::Defeat);
            }
        }
        break;
    case BattleEnd: {
        const bool rightDead = rightCombatant && rightCombatant->getAreYouDead();
        const bool leftDead = leftCombatant && leftCombatant->getAreYouDead();
        if (!countVict && rightDead) {
            ++numVicts;
            hpBack = static_cast<Uint8>(hpBack + numVicts / 6 + 1);
            overkillBonus = static_cast<Uint8>(overkillBonus / (numVicts <= 5 ? 10 : numVicts <= 11 ? 8 : 6));
            if (leftCombatant) {
                leftCombatant->addHP(hpBack);
                leftCombatant->addHP(overkillBonus);
            }
            countVict = true;
            Sound::play(Sound::Victory);
        }
        if (rightDead && elapsed(2000)) {
            lastTicks = now();
            countVict = false;
            battleState = NoBattle;
            if (leftCombatant)
                leftCombatant->animate(ActionIdle);
            rightCombatant->animate(ActionIdle);
        } else if (leftDead && elapsed(5000)) {
            lastTicks = now();
            battleState = Defeat;
        }
        break;
    }
    default: // no battle, or a defeat: nothing runs
        break;
    }
}

Uint8 Battle::getStatus() { return battleState; }
Sint32 Battle::getEndurance() { return endurance; }
Uint32 Battle::getNumberOfVictories() { return numVicts; }

void Battle::render(SDL_Surface* dest, TTF_Font* font)
{
    SDL_Color textCol{255, 255, 255, 0};
    SDL_Color textCol2{64, 64, 64, 0};
    SDL_Rect textPosa{0, 0, 0, 0};
    SDL_Rect textPos1{170, 350, 0, 0};

    const bool drawing = (battleState == PlayerDraws || battleState == ResultPause) && leftTurn && dw;
    if (bkg) {
        matchFormat(bkg, dest); // here: the picture loads before the video mode exists
        // The draw window, drawn later on, covers its area: the background there would never show.
        const SDL_Rect hole = drawing ? dw->cover(dest) : SDL_Rect{0, 0, 0, 0};
        drawWhole(bkg, dest, nullptr, &hole);
    } else {
        SDL_FillRect(dest, nullptr, SDL_MapRGB(dest->format, 0, 0, 0));
    }
    textOutput[HintText].draw(dest, font, "Escape = Quit, F10 = restart", textCol, textPosa.x, textPosa.y);

    if (battleState >= Intro && battleState <= BattleEnd)
        renderCombatants(dest, font);
    switch (battleState) {
    case Intro:
        renderBattleIntro(dest, font, textCol, textPos1);
        break;
    case PlayerDraws:
        renderEndurance(dest, font, textCol, textCol2, textPos1);
        break;
    case ResultPause:
        renderResults(dest, font, textCol, textPos1);
        break;
    case BattleEnd:
        renderBattleExtro(dest, font, textCol, textPos1);
        break;
    default:
        break;
    }

    if (drawing) {
        dw->render(dest, leftTurn);
        if (leftCombatant && leftCombatant->getIo())
            leftCombatant->getIo()->render(dest, accuracy);
    }
}

void Battle::renderCombatants(SDL_Surface* dest, TTF_Font* font)
{
    if (leftCombatant)
        leftCombatant->render(dest, font);
    if (rightCombatant)
        rightCombatant->render(dest, font);
    std::ostringstream line;
    line << numVicts << " victories so far...";
    textOutput[VictoriesText].draw(dest, font, line.str(), SDL_Color{192, 192, 192, 0}, 30, 90);
}

void Battle::renderBattleIntro(SDL_Surface* dest, TTF_Font* font, SDL_Color& textCol, SDL_Rect& textPos1)
{
    std::ostringstream line;
    if (rightCombatant)
        line << rightCombatant->getName();
    line << " approaches!";
    textOutput[FirstText].draw(dest, font, line.str(), textCol, textPos1.x, textPos1.y);
}

void Battle::renderEndurance(SDL_Surface* dest, TTF_Font* font, SDL_Color& textCol, SDL_Color& textCol2,
                             SDL_Rect& textPos1)
{
    const int status = dw ? dw->getDrawingStatus() : DrawWindow::Done;
    if (status == DrawWindow::Waiting) {
        textOutput[FirstText].draw(dest, font, "Connect the dots by clicking and dragging the mouse.", textCol,
                                   textPos1.x, textPos1.y);
        return;
    }
    if (status != DrawWindow::Drawing)
        return;
    const Sint32 e = getEndurance();
    const int width = (e < 0 || e > 1000) ? 300 : e * 300 / 1000;
    textPos1.y += 15;
    SDL_Rect endFill{textPos1.x, textPos1.y, static_cast<Uint16>(width), 15};
    const Uint8 shade = e > 250 ? 32 : 160;
    if (width > 0)
        fillRect(dest, &endFill, SDL_MapRGB(dest->format, shade, shade, shade));
    textOutput[SecondText].draw(dest, font, "Endurance", textCol2, textPos1.x, textPos1.y);
    textPos1.y -= 15;

    std::ostringstream line;
    line << "Hits: " << numHits;
    if (overkillBonus != 0)
        line << "( " << unsigned(overkillBonus) << " overkill)";
    textOutput[FirstText].draw(dest, font, line.str(), textCol, textPos1.x, textPos1.y);
}

void Battle::renderResults(SDL_Surface* dest, TTF_Font* font, SDL_Color& textCol, SDL_Rect& textPos1)
{
    std::ostringstream line;
    line << static_cast<long long>(numHits) * numDmg << " Damage Total"; // wide: 16 by 16 bits overflows an int
    if (overkillBonus != 0)
        line << ", with overkill of " << unsigned(overkillBonus) << " Hits.";
    textOutput[FirstText].draw(dest, font, line.str(), textCol, textPos1.x, textPos1.y);
}

void Battle::renderBattleExtro(SDL_Surface* dest, TTF_Font* font, SDL_Color& textCol, SDL_Rect& textPos1)
{
    const bool lost = leftCombatant && leftCombatant->getAreYouDead();
    std::ostringstream line;
    if (lost)
        line << "You Lose. " << numVicts << " victories total.";
    else
        line << "You win! " << numVicts << " victories.";
    textOutput[FirstText].draw(dest, font, line.str(), textCol, textPos1.x, textPos1.y);
    if (lost)
        return;

    std::ostringstream gain;
    gain << "You gain " << unsigned(hpBack) + unsigned(overkillBonus);
    if (overkillBonus != 0)
        gain << " (includes +" << unsigned(overkillBonus) << " overkill bonus)";
    gain << " HP.";
    textPos1.y += 15;
    textOutput[SecondText].draw(dest, font, gain.str(), textCol, textPos1.x, textPos1.y);
    textPos1.y -= 15;
}
