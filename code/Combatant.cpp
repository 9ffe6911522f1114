#include "Combatant.h"
#include "Drawing.h"
#include "InputObj.h"
#include "Layout.h"
#include "MediaPlayer.h"
#include "MediaResource.h"
#include "Sound.h"
#include <SDL/SDL_gfxPrimitives.h>

Combatant::Combatant() : name("Blank"), maxHp(20), hp(20), playerSide(true), areYouDead(false), io(nullptr), mo(nullptr)
{
}

Combatant::~Combatant() = default;

void Combatant::setStats(Uint8 h, std::string& n)
{
    maxHp = h;
    hp = h;
    name = n;
}

void Combatant::setName(std::string n) { name = std::move(n); }
std::string Combatant::getName() { return name; }
void Combatant::setInput(InputObj* input) { io = input; }
InputObj* Combatant::getIo() { return io; }
void Combatant::setSide(bool left) { playerSide = left; }
void Combatant::setMedia(MediaPlayer* player) { mo = player; }
Uint8 Combatant::getHp() { return hp; }
Uint8 Combatant::getMaxHp() { return maxHp; }
bool Combatant::getAreYouDead() { return areYouDead; }

bool Combatant::takeDamage(Uint8 damage)
{
    bool overkill = damage > hp;
    if (hp <= damage) {
        if (!areYouDead) // overkill hits land on a body that has already died
            Sound::play(playerSide ? Sound::HeroDeath : Sound::FoeDeath);
        hp = 0;
        areYouDead = true;
        animate(ActionDead);
    } else {
        animate(ActionPain);
        Sound::play(playerSide ? Sound::HeroPain : Sound::FoePain);
        hp -= damage;
    }
    return overkill;
}

void Combatant::addHP(Uint8 amount)
{
    unsigned sum = unsigned(hp) + amount;
    hp = sum > maxHp ? maxHp : static_cast<Uint8>(sum);
}

void Combatant::setMaxHP(Uint8 value)
{
    maxHp = value;
    if (hp > maxHp)
        hp = maxHp;
}

void Combatant::addMaxHP(Uint8 amount)
{
    // The field is 8 bits wide: saturate rather than wrap, and never reach 0 (the health bar divides by it).
    unsigned sum = unsigned(maxHp) + amount;
    maxHp = sum > 255 ? 255 : static_cast<Uint8>(sum);
    hp = maxHp;
}

void Combatant::processInput(const SDL_Event& e)
{
    if (io)
        io->processInput(e);
}

void Combatant::animate(Uint8 number)
{
    if (mo)
        mo->changeAnim(number);
}

void Combatant::render(SDL_Surface* screen, TTF_Font* font)
{
    const bool left = playerSide;
    if (mo) {
        SDL_Rect at{static_cast<Sint16>(left ? layout::heroX : layout::opponentX), layout::standY, 0, 0};
        mo->render(screen, at);
    }
    const SDL_Color white{255, 255, 255, 0};
    textOutput[0].draw(screen, font, name, white, left ? 20 : 490, 50);

    const Sint16 barX = left ? 10 : 480;
    SDL_Rect back{barX, 70, 150, 20};
    fillRect(screen, &back, SDL_MapRGBA(screen->format, 32, 32, 32, 230));

    // A maximum of 0 cannot come from the roster, but must never divide.
    const int w = maxHp ? hp * 150 / maxHp : 0;
    const Uint8 grey = maxHp ? static_cast<Uint8>(hp * 255 / maxHp) : 0;
    SDL_Rect fill{static_cast<Sint16>(left ? 10 : 630 - w), 70, static_cast<Uint16>(w), 20};
    if (w > 0)
        fillRect(screen, &fill, SDL_MapRGBA(screen->format, 96, 32, 32, 255));
    rectangleRGBA(screen, barX, 70, barX + 150, 90, grey, grey, grey, 255);

    textOutput[1].draw(screen, font, std::to_string(hp), white, left ? 20 : 610, 70);
}
