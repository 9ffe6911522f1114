#include "MediaResource.h"
#include "AnimFrame.h"
#include "Layout.h"
#include <filesystem>
#include <iostream>

static const char* const actionNames[4] = {"Idle", "Attk", "Pain", "Dead"};

// Slot of an exact action name, or -1 for any other word.
static int slotOf(const std::string& word)
{
    for (int i = 0; i < 4; ++i)
        if (word == actionNames[i])
            return i;
    return -1;
}

static void release(action* a)
{
    if (!a)
        return;
    for (AnimFrame* f : a->anim)
        delete f;
    delete a;
}

MediaResource::MediaResource(std::string n) : actionList(4, nullptr)
{
    const std::string base = std::string(layout::mediaFolder) + layout::charactersFolder + "/" + n + "/";
    const std::string path = base + "info";
    // A folder (or any other non-file) opens as a stream too, but reads as nothing.
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec))
        infile.open(path.c_str());
    if (!infile.is_open()) {
        std::cout << "Cannot find file:" << path << std::endl;
        return;
    }
    name = n;

    Uint32 picIndex = 0;
    std::string word;
    // Any failed extraction (a malformed number or the end of the file) ends reading; a record cut short is
    // dropped whole, the records before it stay.
    while (infile >> word) {
        const int slot = slotOf(word);
        if (slot < 0)
            continue;
        Uint32 kind;
        if (!(infile >> kind))
            break;
        if (kind == 0) {
            Sint32 loops;
            Uint32 rule;
            if (!(infile >> loops >> rule))
                break;
            release(actionList[slot]);
            actionList[slot] = new action{{}, loops, rule};
            picIndex = 0;
        } else if (kind == 1) {
            // No action to take the frame: its numbers are skipped as ordinary words.
            if (!actionList[slot])
                continue;
            AnimFrame* frame = new AnimFrame(base + word + std::to_string(picIndex) + ".png");
            if (!frame->isValid()) {
                delete frame;
                continue;
            }
            Sint32 x, y;
            Uint32 t;
            if (!(infile >> x >> y >> t)) {
                delete frame;
                break;
            }
            frame->setOffsetAndTime(x, y, t);
            actionList[slot]->anim.push_back(frame);
            ++picIndex;
        }
    }
}

MediaResource::~MediaResource()
{
    for (action* a : actionList)
        release(a);
    infile.close();
}

// The action and frame named, or null where there is none: undeclared, empty or out of range.
static AnimFrame* frameAt(const std::vector<action*>& list, Uint32 animIndex, Uint32 frameIndex)
{
    if (animIndex >= list.size() || !list[animIndex] || frameIndex >= list[animIndex]->anim.size())
        return nullptr;
    return list[animIndex]->anim[frameIndex];
}

SDL_Surface* MediaResource::drawPic(SDL_Surface* dest, SDL_Rect& center, Uint32 animIndex, Uint32 frameIndex)
{
    if (AnimFrame* f = frameAt(actionList, animIndex, frameIndex))
        f->render(dest, center);
    return nullptr;
}

Sint32 MediaResource::getLoops(Uint8 animIndex)
{
    const action* a = getAction(animIndex);
    return a ? a->numLoops : 0;
}

Sint32 MediaResource::changePic(Uint32 timeElapsed, Uint32& animIndex, Uint32& frameIndex, Sint32& numLoops)
{
    AnimFrame* f = frameAt(actionList, animIndex, frameIndex);
    if (!f || timeElapsed < f->getTime())
        return Holding;
    const action& a = *actionList[animIndex];
    if (++frameIndex < a.anim.size())
        return NextFrame;
    if (numLoops != 0) {
        if (numLoops > 0)
            --numLoops;
        frameIndex = 0;
        return Looped;
    }
    // Out of loops. The counter stays 0 on the fall back to action 0: that action then plays once more and
    // its own rule decides what follows.
    switch (a.whatToDoWhenOutOfLoops) {
    case 0:
        animIndex = ActionIdle;
        frameIndex = 0;
        return BackToIdle;
    case 1:
        --frameIndex;
        return Frozen;
    default:
        animIndex = ActionIdle;
        frameIndex = 0;
        return Looped;
    }
}

const action* MediaResource::getAction(Uint32 animIndex) const
{
    return animIndex < actionList.size() ? actionList[animIndex] : nullptr;
}
