#ifndef CPUINPUT_H
#define CPUINPUT_H

#include "HitRecords.h"
#include "InputObj.h"

// The computer opponent: ignores events and lands one hit on the sixth step of each of its turns.
class CpuInput : public InputObj {
public:
    CpuInput();
    void processInput(const SDL_Event& e) override;
    void render(SDL_Surface* dest, int radius) override;
    virtual void getNextMove();

    void setStats(Uint16 damage);
    void addDamage(Uint16 extra);
    bool getMoveDone();
    Uint16 getDamage() const { return damageToPlayer; }

private:
    Sint8 counter;
    Uint16 damageToPlayer;
    bool moveDone;
    SDL_Rect* attStruct; // record of the latest hit; owned by hits
    HitRecords hits;
};

#endif
