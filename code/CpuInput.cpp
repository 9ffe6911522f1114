#include "CpuInput.h"

CpuInput::CpuInput() : counter(0), damageToPlayer(1), moveDone(false), attStruct(nullptr) {}

void CpuInput::processInput(const SDL_Event&) {}

void CpuInput::render(SDL_Surface* dest, int radius) { drawCursorDisc(dest, radius); }

void CpuInput::getNextMove()
{
    if (++counter <= 5)
        return;
    // A refused push loses the hit, but the turn still ends.
    attStruct = hits.push(0, damageToPlayer);
    counter = 0;
    moveDone = true;
}

void CpuInput::setStats(Uint16 damage) { damageToPlayer = damage; }

void CpuInput::addDamage(Uint16 extra)
{
    Uint32 sum = Uint32(damageToPlayer) + extra;
    damageToPlayer = sum > 32768 ? 32768 : static_cast<Uint16>(sum);
}

bool CpuInput::getMoveDone()
{
    bool done = moveDone;
    moveDone = false;
    return done;
}
