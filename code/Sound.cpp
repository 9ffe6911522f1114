#include "Sound.h"
#include "SoundFiles.h"
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {
using soundFiles::notes;

// Each cue has a channel of its own, so that no cue can crowd out another. A side's pain and death share one voice:
// a cry does not restart while the last one still sounds (a stroke lands a hit every frame), and death cuts it off.
// The notes of a stroke take turns on six channels, so that each rings out (160 ms, five frames) under the next.
const int channelOf[] = {0, -1, 1, 2, 3, 4, 4, 5, 5, 6, 7, 8};
static_assert(sizeof channelOf / sizeof *channelOf == Sound::CueCount, "one channel for each cue");
const int firstNoteChannel = 9, noteChannels = 6;

bool opened = false;
unsigned askedFor[Sound::CueCount] = {};
bool muted = false;
int nextNoteChannel = 0;
std::vector<Mix_Chunk*> chunks[Sound::CueCount]; // a null entry is a file that failed: that cue stays silent
Mix_Music* music = nullptr;

std::string pathOf(const std::string& name) { return "media/sound/" + name + ".wav"; }

Mix_Chunk* load(const std::string& path)
{
    Mix_Chunk* c = Mix_LoadWAV(path.c_str());
    if (!c)
        printf("Sound file %s not loaded: %s\n", path.c_str(), Mix_GetError());
    return c;
}
} // namespace

void Sound::open()
{
    if (opened)
        return;
    // 1,024 frames at 44.1 kHz is 23 ms, less than a frame: a hit is heard in the frame that scores it.
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == -1 || Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) == -1) {
        // The audio subsystem stays up until SDL_Quit: quitting it now waits out ALSA's device watcher, 100 ms.
        printf("Sound is off: %s\n", SDL_GetError());
        return;
    }
    opened = true;
    Mix_AllocateChannels(firstNoteChannel + noteChannels);
    for (int cue = 0; cue < CueCount; ++cue) {
        if (cue != Dot) {
            chunks[cue].push_back(load(pathOf(soundFiles::cueName[cue])));
            continue;
        }
        for (int n = 1; n <= notes; ++n)
            chunks[cue].push_back(load(pathOf(soundFiles::noteName(n))));
    }
    const std::string loop = pathOf(soundFiles::music);
    music = Mix_LoadMUS(loop.c_str());
    if (!music) {
        printf("Sound file %s not loaded: %s\n", loop.c_str(), Mix_GetError());
        return;
    }
    Mix_VolumeMusic(MIX_MAX_VOLUME / 2); // beneath the cues, and headroom for a cry over a run of notes
    Mix_PlayMusic(music, -1);
}

void Sound::close()
{
    if (!opened)
        return;
    Mix_HaltMusic();
    Mix_FreeMusic(music);
    music = nullptr;
    Mix_HaltChannel(-1);
    for (std::vector<Mix_Chunk*>& cue : chunks) {
        for (Mix_Chunk* c : cue)
            Mix_FreeChunk(c);
        cue.clear();
    }
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    opened = false;
}

void Sound::play(Cue cue, int n)
{
    if (cue < 0 || cue >= CueCount)
        return;
    ++askedFor[cue];
    if (!opened || muted || chunks[cue].empty())
        return;
    const std::vector<Mix_Chunk*>& v = chunks[cue];
    Mix_Chunk* chunk = v[std::clamp(n, 1, int(v.size())) - 1];
    if (!chunk)
        return;
    int channel = channelOf[cue];
    if (cue == Dot)
        channel = firstNoteChannel + nextNoteChannel++ % noteChannels;
    else if ((cue == HeroPain || cue == FoePain) && Mix_Playing(channel))
        return;
    Mix_PlayChannel(channel, chunk, 0);
}

unsigned Sound::asked(Cue cue) { return cue >= 0 && cue < CueCount ? askedFor[cue] : 0; }

void Sound::toggleMute()
{
    muted = !muted;
    if (!opened)
        return;
    if (muted) {
        Mix_HaltChannel(-1);
        Mix_PauseMusic();
    } else {
        Mix_ResumeMusic();
    }
}
