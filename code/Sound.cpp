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
#include <vorbis/vorbisfile.h>

namespace {
using soundFiles::notes;

// The browser's page fetches the music after the first frame (web/compat.h): until then its file is not there yet.
#ifndef QF_MUSIC_FETCHED_LATER
#define QF_MUSIC_FETCHED_LATER false
#endif
const bool musicFetchedLater = QF_MUSIC_FETCHED_LATER;
// The browser build has no threads (web/compat.h); there the page's decoder does the work, later.
#ifndef QF_NO_THREADS
#define QF_NO_THREADS false
#endif
const bool noThreads = QF_NO_THREADS;

// The music player loops the music. Cue c plays on channel c, and never while it still sounds there: cut off mid-wave,
// a sound leaves a step in the output, a click. The notes take any free channel of their own sixteen: a stroke lands
// at most one hit a frame, and a note (0.5 s) has rung out within sixteen frames (530 ms), so one is always free.
const int firstNoteChannel = Sound::CueCount, noteGroup = 1;

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
    float raw[ahead], held[ahead];   // each frame's own gain, and its gain once held and released
    int rawBelow = 0, heldBelow = 0; // how many of each are under 1: while none is, the scans below are skipped
    std::vector<float> delayed;      // the last `ahead` frames, interleaved
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
        const float raw = peak > ceiling ? ceiling / peak : 1;
        m.rawBelow += (raw < 1) - (m.raw[m.at] < 1);
        m.raw[m.at] = raw;
        const float lowest = m.rawBelow ? *std::min_element(std::begin(m.raw), std::end(m.raw)) : 1.0f;
        m.release = std::min(lowest, float(m.release + (1 - m.release) * m.releaseStep));
        m.heldBelow += (m.release < 1) - (m.held[m.at] < 1);
        m.held[m.at] = m.release;
        float gain = m.heldBelow ? 0 : float(ahead); // a sum of ones, exactly
        if (m.heldBelow)
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
int mixRate = 0;
unsigned askedFor[Sound::CueCount] = {};
bool muted = false;
Mix_Chunk* chunks[Sound::CueCount] = {}; // a null entry is a file that failed: that cue stays silent
Mix_Chunk* noteChunks[notes] = {};
// Checking and decoding every cue takes longer than a frame: a thread loads them while the first frames are drawn,
// and a cue asked for before its chunk is ready waits for it.
std::thread loader;
std::atomic<bool> cueReady[Sound::CueCount], noteReady[notes];
// The music player streams the loop from memory as it plays: it decodes none of it ahead.
std::string musicBytes;
SDL_RWops* musicSource = nullptr;
Mix_Music* music = nullptr;
bool musicLooked = false; // its file has been looked for: since then it plays, or a line has said why not

// Longer than anything the game plays; the mixer holds a whole cue in memory, twice over once made stereo.
const ogg_int64_t longest = 120 * 44100;

struct Memory {
    const std::string& bytes;
    size_t at;
};

size_t readMemory(void* to, size_t size, size_t count, void* from)
{
    Memory& m = *static_cast<Memory*>(from);
    const size_t n = size ? std::min(count, (m.bytes.size() - m.at) / size) : 0;
    std::copy_n(m.bytes.data() + m.at, n * size, static_cast<char*>(to));
    m.at += n * size;
    return n;
}

int seekMemory(void* from, ogg_int64_t offset, int whence)
{
    Memory& m = *static_cast<Memory*>(from);
    const ogg_int64_t size = ogg_int64_t(m.bytes.size()), base = whence == SEEK_CUR   ? ogg_int64_t(m.at)
                                                                 : whence == SEEK_END ? size
                                                                                      : 0;
    if (offset < -base || offset > size - base)
        return -1;
    m.at = size_t(base + offset);
    return 0;
}

long tellMemory(void* from) { return long(static_cast<Memory*>(from)->at); }

// Whether the bytes are Ogg pages from the first to the last, each whole with its checksum right, all of one stream,
// and the last one marks its end: "" if so, else why not.
std::string walk(const std::string& bytes)
{
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    std::copy(bytes.begin(), bytes.end(), ogg_sync_buffer(&sync, long(bytes.size())));
    ogg_sync_wrote(&sync, long(bytes.size()));
    ogg_page page;
    size_t walked = 0;
    int serial = 0;
    bool ended = false, damaged = false;
    // Bytes skipped (n < 0) are no page or a page with a wrong checksum; a page after the end starts another stream.
    for (long n; (n = ogg_sync_pageseek(&sync, &page)) != 0; walked += size_t(std::labs(n))) {
        damaged |= n < 0 || ended || (walked && ogg_page_serialno(&page) != serial);
        serial = n > 0 ? ogg_page_serialno(&page) : serial;
        ended = n > 0 && ogg_page_eos(&page);
    }
    ogg_sync_clear(&sync);
    return damaged ? "damaged" : !ended || walked != bytes.size() ? "cut short" : "";
}

// Why the mixer must not have these bytes, or "" when it may. A chunk is also decoded whole first: the mixer sizes
// it by the length the stream declares and would leave what it could not decode as it found it.
std::string refusal(const std::string& bytes, bool chunk)
{
    // The mixer tells an Ogg file by its first four bytes, and libogg skips anything before a page.
    if (bytes.compare(0, 4, "OggS") != 0)
        return "not Ogg Vorbis";
    if (std::string why = walk(bytes); !why.empty())
        return why;
    Memory source{bytes, 0};
    OggVorbis_File file;
    if (ov_open_callbacks(&source, &file, nullptr, 0, {readMemory, seekMemory, nullptr, tellMemory}) != 0)
        return "not Ogg Vorbis";
    const vorbis_info* info = ov_info(&file, -1);
    const ogg_int64_t frames = ov_pcm_total(&file, -1);
    std::string why = info->rate != mixRate ? std::to_string(info->rate) + " Hz, not " + std::to_string(mixRate)
                      : info->channels < 1 || info->channels > 2
                          ? std::to_string(info->channels) + " channels, not 1 or 2"
                      : frames <= 0      ? "no sound in it"
                      : frames > longest ? "longer than two minutes"
                                         : "";
    if (why.empty() && chunk) {
        const ogg_int64_t want = frames * info->channels * 2;
        ogg_int64_t got = 0;
        char buffer[4096];
        int link = 0;
        long n = 1;
        while (n > 0 && got <= want)
            if ((n = ov_read(&file, buffer, sizeof buffer, 0, 2, 1, &link)) > 0)
                got += n;
        why = n < 0 || got != want ? "damaged" : ""; // a hole, a packet that does not decode, a wrong length
    }
    ov_clear(&file);
    return why;
}

// The whole file, or a line saying why not. Only a regular file is opened: a named pipe would block the start.
std::string readSound(const std::string& path)
{
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    const uintmax_t size = std::filesystem::is_regular_file(status) ? std::filesystem::file_size(path, ec) : 0;
    std::string bytes(size < 16u << 20 ? size : 0, '\0');
    const char* why = !std::filesystem::exists(status)            ? "missing"
                      : !std::filesystem::is_regular_file(status) ? "not a file"
                      : bytes.size() != size                      ? "too large"
                      : !std::ifstream(path, std::ios::binary).read(bytes.data(), std::streamsize(size))
                          ? "cannot be read"
                          : nullptr;
    if (why)
        printf("Sound file %s not loaded: %s\n", path.c_str(), why);
    return why ? "" : bytes;
}

std::string soundPath(const std::string& name) { return "media/sound/" + name + soundFiles::suffix; }

// What the mixer makes of a checked file, or nothing and a line saying why.
Mix_Chunk* loadChunk(const std::string& name)
{
    const std::string path = soundPath(name), bytes = readSound(path);
    if (bytes.empty())
        return nullptr;
    const std::string why = refusal(bytes, true);
    Mix_Chunk* chunk = why.empty() ? Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), int(bytes.size())), 1) : nullptr;
    if (!chunk)
        printf("Sound file %s not loaded: %s\n", path.c_str(), why.empty() ? Mix_GetError() : why.c_str());
    return chunk;
}

// Every cue's chunk in turn, the approach's first: the first battle plays it as it starts.
void loadCues()
{
    for (int k = 0; k < Sound::CueCount; ++k) {
        const int cue = (Sound::Approach + k) % Sound::CueCount;
        chunks[cue] = cue == Sound::Dot ? nullptr : loadChunk(soundFiles::cueName[cue]);
        cueReady[cue] = true;
    }
    for (int n = 1; n <= notes; ++n)
        noteChunks[n - 1] = loadChunk(soundFiles::noteName(n)), noteReady[n - 1] = true;
}

void finishLoading()
{
    if (loader.joinable())
        loader.join();
}

// Stops the music and lets it go: the next update() looks for its file again.
void dropMusic()
{
    Mix_HaltMusic();
    Mix_FreeMusic(music), music = nullptr;
    if (musicSource)
        SDL_RWclose(musicSource), musicSource = nullptr;
    musicBytes.clear(), musicLooked = false;
}
} // namespace

void Sound::open()
{
    if (opened)
        return;
    // 1,024 frames at 44.1 kHz is 23 ms, less than a frame: a hit is heard in the frame that scores it.
    int channels = 0;
    Uint16 format = 0;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == -1 || Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) == -1 ||
        !Mix_QuerySpec(&mixRate, &format, &channels) || format != AUDIO_S16SYS) {
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
    Mix_VolumeMusic(MIX_MAX_VOLUME / headroom);

    master.channels = channels, master.at = 0, master.fade = 0, master.release = 1;
    master.rawBelow = master.heldBelow = 0;
    std::fill(std::begin(master.raw), std::end(master.raw), 1.0f);
    std::fill(std::begin(master.held), std::end(master.held), 1.0f);
    master.delayed.assign(size_t(ahead * channels), 0);
    master.fadeStep = 1 / (fadeSeconds * mixRate), master.releaseStep = 1 / (releaseSeconds * mixRate);
    master.audible = false;
    Mix_RegisterEffect(MIX_CHANNEL_POST, mixMaster, nullptr, nullptr);
    update();                // the music first, at once: the mixer's loaders are not for two threads at a time
    master.audible = !muted; // the fade in starts with the music, whose first sample may be far from silence
    for (std::atomic<bool>& r : cueReady)
        r = false;
    for (std::atomic<bool>& r : noteReady)
        r = false;
    if (noThreads)
        loadCues();
    else
        loader = std::thread(loadCues);
}

void Sound::update()
{
    if (!opened || musicLooked)
        return;
    const std::string path = soundPath(soundFiles::music);
    std::error_code ec;
    if (musicFetchedLater && !std::filesystem::exists(path, ec))
        return;
    finishLoading();
    musicLooked = true;
    musicBytes = readSound(path);
    if (musicBytes.empty())
        return;
    const std::string why = refusal(musicBytes, false);
    musicSource = why.empty() ? SDL_RWFromConstMem(musicBytes.data(), int(musicBytes.size())) : nullptr;
    music = musicSource ? Mix_LoadMUS_RW(musicSource) : nullptr;
    if (music && Mix_PlayMusic(music, -1) == 0)
        return;
    printf("Sound file %s not loaded: %s\n", path.c_str(), why.empty() ? Mix_GetError() : why.c_str());
    dropMusic();
    musicLooked = true;
}

void Sound::close()
{
    muted = false; // as before open: a game started again starts with its sound on
    if (!opened)
        return;
    finishLoading();
    master.audible = false; // the sound fades out before the device stops: a cut would click
    for (int wait = 0; wait < 10 && !master.silent; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    Mix_HaltChannel(-1);
    for (Mix_Chunk*& c : chunks)
        Mix_FreeChunk(c), c = nullptr;
    for (Mix_Chunk*& c : noteChunks)
        Mix_FreeChunk(c), c = nullptr;
    dropMusic();
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
    // Only the first battle's approach may come before its chunk, and that is the first one loaded.
    for (std::atomic<bool>& ready = cue == Dot ? noteReady[note(n) - 1] : cueReady[cue]; !ready;)
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    Mix_Chunk* chunk = cue == Dot ? noteChunks[note(n) - 1] : chunks[cue];
    const int channel = cue == Dot ? Mix_GroupAvailable(noteGroup) : cue;
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
