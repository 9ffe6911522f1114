#ifndef MEDIARESOURCE_H
#define MEDIARESOURCE_H

#include <SDL/SDL.h>
#include <fstream>
#include <string>
#include <vector>

class AnimFrame;

struct action {
    std::vector<AnimFrame*> anim;
    Sint32 numLoops;
    Uint32 whatToDoWhenOutOfLoops;
};

// The pictures and actions of one character, read from media/chars/<name>/info.
class MediaResource {
public:
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
