#ifndef BATTLE_H
#define BATTLE_H

#include "TextLine.h"
#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>
#include <string>

class Combatant;
class DrawWindow;

// One fight between the player (left) and an opponent (right), and the scoring of a whole game.
class Battle {
public:
    // The states of one battle, as getStatus reports them.
    enum State : Uint8 {
        NoBattle = 0,
        Intro = 1,
        TurnSetUp = 2,
        PlayerDraws = 3,
        OpponentMoves = 4,
        ResultPause = 5,
        BattleEnd = 6,
        Defeat = 7,
    };

    Battle();
    Battle(const Battle&) = delete;
    Battle& operator=(const Battle&) = delete;
    ~Battle();

    void reset();
    void init(Combatant* lComb, Combatant* rComb, SDL_Color& rulz);
    void gameLoop();
    void processInput(const SDL_Event& mainEvent);
    Uint8 getStatus();
    Sint32 getEndurance();
    Uint32 getNumberOfVictories();

    void render(SDL_Surface* dest, TTF_Font* font);
    void renderCombatants(SDL_Surface* dest, TTF_Font* font);
    void renderBattleIntro(SDL_Surface* dest, TTF_Font* font, SDL_Color& textCol, SDL_Rect& textPos1);
    void renderEndurance(SDL_Surface* dest, TTF_Font* font, SDL_Color& textCol, SDL_Color& textCol2,
                         SDL_Rect& textPos1);
    void renderResults(SDL_Surface* dest, TTF_Font* font, SDL_Color& textCol, SDL_Rect& textPos1);
    void renderBattleExtro(SDL_Surface* dest, TTF_Font* font, SDL_Color& textCol, SDL_Rect& textPos1);

    // Read-outs for tests and the screens.
    bool getLeftTurn() const { return leftTurn; }
    Uint8 getHpBack() const { return hpBack; }
    Uint8 getOverkillBonus() const { return overkillBonus; }
    Uint16 getNumHits() const { return numHits; }
    Uint16 getNumDmg() const { return numDmg; }
    DrawWindow* getDrawWindow() const { return dw; }
    Combatant* getRightCombatant() const { return rightCombatant; }
    // Test hook: the endurance bar must be checked at values no stroke reaches exactly.
    void setEndurance(Sint32 e) { endurance = e; }

private:
    Uint32 now() const;
    bool elapsed(Uint32 ms) const;
    // The rendered texts, each kept until it changes: the key hint, the victories line, and the first and second
    // line of a state's block.
    enum TextSlot { HintText, VictoriesText, FirstText, SecondText, TextSlots };
    TextLine textOutput[TextSlots];
    [[maybe_unused]] Uint8 battleTimer; // no operation reads it
    Uint8 battleState;
    DrawWindow* dw;
    Sint32 endurance;
    Uint8 accuracy;
    bool leftTurn;
    Combatant* leftCombatant;
    Combatant* rightCombatant;
    SDL_Color drawRules;
    Uint8 hpBack;
    Uint8 overkillBonus;
    Uint16 numHits;
    Uint16 numDmg;
    Uint32 numVicts;
    bool countVict;
    SDL_Surface* bkg;
    Uint32 lastTicks;
};

#endif
