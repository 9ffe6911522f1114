#include "Sound.h"
#include "SoundFiles.h"
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {
using soundFiles::notes;

// Channel 0 loops the music; cue c plays on channel 1 + c, and never while it still sounds there: cut off mid-wave,
// a sound leaves a step in the output, a click. The notes take any free channel of their own sixteen: a stroke lands
// at most one hit a frame, and a note (0.5 s) has rung out within sixteen frames (530 ms), so one is always free.
const int firstNoteChannel = 1 + Sound::CueCount, noteGroup = 1;

// The channels play a quarter as loud as the files, so that no sum of them can clip before the limiter below.
const int headroom = 4;
const float ceiling = 0.88f * 32768; // -1.1 dBFS
const int ahead = 64;                // the limiter's look-ahead, in frames: 1.5 ms
const double fadeSeconds = 0.02, releaseSeconds = 0.05;

// The last stage of the mix, on the audio thread: the files' level back, a peak limiter that keeps every sample
// under the ceiling and leaves the sound untouched while it stays below, and the fade of the whole sound in and
// out (start, M, quit).
struct Master {
    int channels = 2;
    double fadeStep = 0, releaseStep = 0;
    std::atomic<bool> audible{false}; // what the fade moves toward
    std::atomic<bool> silent{true};   // the fade has reached silence
    float fade = 0, release = 1;
    int at = 0;
    float raw[ahead], held[ahead]; // each frame's own gain, and its gain once held and released
    std::vector<float> delayed;    // the last `ahead` frames, interleaved
} master;

void mixMaster(int, void* stream, int len, void*)
{
    Master& m = master;
    Sint16* s = static_cast<Sint16*>(stream);
    for (int frame = 0; frame < len / 2 / m.channels; ++frame, s += m.channels) {
        float peak = 0;
        for (int c = 0; c < m.channels; ++c) {
            m.delayed[m.at * m.channels + c] = float(s[c] * headroom);
            peak = std::max(peak, std::abs(float(s[c] * headroom)));
        }
        // A peak lowers the gain over the whole look-ahead before it leaves the delay, so the gain never steps.
        m.raw[m.at] = peak > ceiling ? ceiling / peak : 1;
        const float lowest = *std::min_element(std::begin(m.raw), std::end(m.raw));
        m.release = std::min(lowest, float(m.release + (1 - m.release) * m.releaseStep));
        m.held[m.at] = m.release;
        float gain = 0;
        for (float h : m.held)
            gain += h;
        gain = gain / ahead * m.fade;
        m.at = (m.at + 1) % ahead;
        for (int c = 0; c < m.channels; ++c)
            s[c] = Sint16(std::lround(m.delayed[m.at * m.channels + c] * gain));
        const float step = float(m.fadeStep);
        m.fade = m.audible ? std::min(1.0f, m.fade + step) : std::max(0.0f, m.fade - step);
    }
    m.silent = m.fade == 0;
}

bool opened = false;
unsigned askedFor[Sound::CueCount] = {};
bool muted = false;
Mix_Chunk* chunks[Sound::CueCount] = {}; // a null entry is a file that failed: that cue stays silent
Mix_Chunk* noteChunks[notes] = {};
Mix_Chunk* music = nullptr; // looped on channel 0: the mixer's music player trusts the file's header

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
    int rate = 0, channels = 0;
    Uint16 format = 0;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == -1 || Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) == -1 ||
        !Mix_QuerySpec(&rate, &format, &channels) || format != AUDIO_S16SYS) {
        // The audio subsystem stays up until SDL_Quit: quitting it now waits out ALSA's device watcher, 100 ms.
        printf("Sound is off: %s\n", format ? "the device does not take 16-bit samples" : SDL_GetError());
        if (format)
            Mix_CloseAudio();
        return;
    }
    opened = true;
    Mix_AllocateChannels(firstNoteChannel + notes);
    Mix_GroupChannels(firstNoteChannel, firstNoteChannel + notes - 1, noteGroup);
    Mix_Volume(-1, MIX_MAX_VOLUME / headroom);
    for (int cue = 0; cue < CueCount; ++cue)
        if (cue != Dot)
            chunks[cue] = load(soundFiles::cueName[cue]);
    for (int n = 1; n <= notes; ++n)
        noteChunks[n - 1] = load(soundFiles::noteName(n));
    music = load(soundFiles::music);

    master.channels = channels, master.at = 0, master.fade = 0, master.release = 1;
    std::fill(std::begin(master.raw), std::end(master.raw), 1.0f);
    std::fill(std::begin(master.held), std::end(master.held), 1.0f);
    master.delayed.assign(size_t(ahead * channels), 0);
    master.fadeStep = 1 / (fadeSeconds * rate), master.releaseStep = 1 / (releaseSeconds * rate);
    master.audible = !muted;
    Mix_RegisterEffect(MIX_CHANNEL_POST, mixMaster, nullptr, nullptr);
    if (music)
        Mix_PlayChannel(0, music, -1);
}

void Sound::close()
{
    muted = false; // as before open: a game started again starts with its sound on
    if (!opened)
        return;
    master.audible = false; // the sound fades out before the device stops: a cut would click
    for (int wait = 0; wait < 10 && !master.silent; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    Mix_HaltChannel(-1);
    for (Mix_Chunk*& c : chunks)
        Mix_FreeChunk(c), c = nullptr;
    for (Mix_Chunk*& c : noteChunks)
        Mix_FreeChunk(c), c = nullptr;
    Mix_FreeChunk(music), music = nullptr;
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    opened = false;
}

void Sound::play(Cue cue, int n)
{
    if (cue < 0 || cue >= CueCount)
        return;
    ++askedFor[cue];
    if (!opened || muted)
        return;
    Mix_Chunk* chunk = cue == Dot ? noteChunks[note(n) - 1] : chunks[cue];
    const int channel = cue == Dot ? Mix_GroupAvailable(noteGroup) : 1 + cue;
    if (chunk && channel != -1 && !Mix_Playing(channel))
        Mix_PlayChannel(channel, chunk, 0);
}

int Sound::note(int n)
{
    const int step = (std::max(n, 1) - 1) % (2 * notes - 2);
    return 1 + (step < notes ? step : 2 * notes - 2 - step);
}

unsigned Sound::asked(Cue cue) { return cue >= 0 && cue < CueCount ? askedFor[cue] : 0; }

void Sound::toggleMute()
{
    muted = !muted;
    master.audible = opened && !muted;
}
