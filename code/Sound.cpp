#include "Sound.h"
#include "SoundFiles.h"
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {
using soundFiles::notes;

// Each cue has a channel of its own, so that no cue can crowd out another. A side's pain and death share one voice:
// a cry does not restart while the last one still sounds (a stroke lands a hit every frame), and death cuts it off.
// The notes of a stroke take turns on six channels, so that each rings out (160 ms, five frames) under the next.
const int channelOf[] = {0, -1, 1, 2, 3, 4, 4, 5, 5, 6, 7, 8};
static_assert(sizeof channelOf / sizeof *channelOf == Sound::CueCount, "one channel for each cue");
const int firstNoteChannel = 9, noteChannels = 6, musicChannel = firstNoteChannel + noteChannels;

bool opened = false;
unsigned askedFor[Sound::CueCount] = {};
bool muted = false;
int nextNoteChannel = 0;
std::vector<Mix_Chunk*> chunks[Sound::CueCount]; // a null entry is a file that failed: that cue stays silent
Mix_Chunk* music = nullptr; // looped on a channel of its own: the mixer's music player trusts the file's header

Uint32 le32(const std::string& b, size_t at)
{
    return Uint8(b[at]) | Uint32(Uint8(b[at + 1])) << 8 | Uint32(Uint8(b[at + 2])) << 16 |
           Uint32(Uint8(b[at + 3])) << 24;
}

// Whether the file is RIFF WAVE and holds all the sound data its header claims: the loader would read past the end.
bool whole(const std::string& b)
{
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0)
        return false;
    for (size_t at = 12; at + 8 <= b.size();) {
        const size_t length = le32(b, at + 4);
        if (b.compare(at, 4, "data") == 0)
            return length <= b.size() - at - 8;
        at += 8 + length + (length & 1);
    }
    return false;
}

// The whole file, checked before the mixer sees it, or nothing and a line saying why. Only a regular file is opened:
// a named pipe would block the start.
Mix_Chunk* load(const std::string& name)
{
    const std::string path = "media/sound/" + name + ".wav";
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    const uintmax_t size = std::filesystem::is_regular_file(status) ? std::filesystem::file_size(path, ec) : 0;
    std::string bytes(size < 64u << 20 ? size : 0, '\0');
    const char* why = !std::filesystem::exists(status)            ? "missing"
                      : !std::filesystem::is_regular_file(status) ? "not a file"
                      : bytes.size() != size                      ? "too large"
                      : !std::ifstream(path, std::ios::binary).read(bytes.data(), std::streamsize(size))
                          ? "cannot be read"
                      : !whole(bytes) ? "not a whole WAV file"
                                      : nullptr;
    Mix_Chunk* chunk = why ? nullptr : Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), int(size)), 1);
    if (!chunk)
        printf("Sound file %s not loaded: %s\n", path.c_str(), why ? why : Mix_GetError());
    return chunk;
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
    Mix_AllocateChannels(musicChannel + 1);
    for (int cue = 0; cue < CueCount; ++cue) {
        if (cue != Dot) {
            chunks[cue].push_back(load(soundFiles::cueName[cue]));
            continue;
        }
        for (int n = 1; n <= notes; ++n)
            chunks[cue].push_back(load(soundFiles::noteName(n)));
    }
    music = load(soundFiles::music);
    Mix_Volume(musicChannel, MIX_MAX_VOLUME / 2); // beneath the cues, and headroom for a cry over a run of notes
    if (music)
        Mix_PlayChannel(musicChannel, music, -1);
}

void Sound::close()
{
    if (!opened)
        return;
    Mix_HaltChannel(-1);
    Mix_FreeChunk(music);
    music = nullptr;
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
        for (int c = 0; c < musicChannel; ++c)
            Mix_HaltChannel(c);
        Mix_Pause(musicChannel);
    } else {
        Mix_Resume(musicChannel);
    }
}
