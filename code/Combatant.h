#ifndef COMBATANT_H
#define COMBATANT_H

#include "TextLine.h"
#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>
#include <string>

class InputObj;
class MediaPlayer;

// One fighter: 8-bit hit points, a side of the screen, an input source and an animation player.
class Combatant {
public:
    Combatant();
    Combatant(const Combatant&) = delete;
    Combatant& operator=(const Combatant&) = delete;
    ~Combatant();

    void setStats(Uint8 hp, std::string& name);
    void setName(std::string name);
    std::string getName();
    void setInput(InputObj* input);
    InputObj* getIo();
    void setSide(bool left);
    void setMedia(MediaPlayer* player);
    Uint8 getHp();
    Uint8 getMaxHp();
    bool getAreYouDead();

    // True when the damage exceeded the hit points left (an overkill).
    bool takeDamage(Uint8 damage);
    void addHP(Uint8 amount);
    void setMaxHP(Uint8 value);
    void addMaxHP(Uint8 amount);

    void processInput(const SDL_Event& e);
    void animate(Uint8 number);
    void render(SDL_Surface* screen, TTF_Font* font);

private:
    TextLine textOutput[2]; // the name and the hit points, each rendered again only when it changes
    std::string name;
    Uint8 maxHp;
    Uint8 hp;
    bool playerSide;
    bool areYouDead;
    InputObj* io;
    MediaPlayer* mo;
};

#endif
