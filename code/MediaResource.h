#ifndef MEDIARESOURCE_H
#define MEDIARESOURCE_H

#include <SDL/SDL.h>
#include <fstream>
#include <string>
#include <vector>

class AnimFrame;

// Action slots: the names in the info file, and the numbers a combatant asks its player for.
enum Action : Uint8 { ActionIdle = 0, ActionAttk = 1, ActionPain = 2, ActionDead = 3 };

struct action {
    std::vector<AnimFrame*> anim;
    Sint32 numLoops;
    Uint32 whatToDoWhenOutOfLoops;
};

// The pictures and actions of one character, read from media/chars/<name>/info.
class MediaResource {
public:
    // What one step of the animation clock did (changePic's result).
    enum Step : Sint32 { Holding = 0, NextFrame = 1, Looped = 2, Frozen = 3, BackToIdle = 4 };

    explicit MediaResource(std::string name);
    MediaResource(const MediaResource&) = delete;
    MediaResource& operator=(const MediaResource&) = delete;
    virtual ~MediaResource();

    SDL_Surface* drawPic(SDL_Surface* dest, SDL_Rect& center, Uint32 animIndex, Uint32 frameIndex);
    Sint32 getLoops(Uint8 animIndex);
    Sint32 changePic(Uint32 timeElapsed, Uint32& animIndex, Uint32& frameIndex, Sint32& numLoops);

    // Read-outs for tests: null when the action was not declared.
    const action* getAction(Uint32 animIndex) const;
    const std::string& getName() const { return name; }

private:
    std::vector<action*> actionList;
    std::string name;
    std::ifstream infile;
};

#endif
