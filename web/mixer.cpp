// What the browser's mixer lacks: channel groups, the format query and the post-mix effect. That layer plays every
// channel through Web Audio, so no sample of the mix ever reaches the program: the game's master stage (the files'
// level given back after the channels' headroom, and the fade in and out on start, M and quit) runs here on a probe
// of constant samples instead, once a frame, and what it makes of them becomes the gain of the page's master node,
// which feeds a limiter and the speakers (page.js).
#include <SDL/SDL_mixer.h>
#include <algorithm>
#include <emscripten.h>
#include <vector>

namespace {
const int rate = 44100, probeLevel = 1024; // quiet enough that the limiter never acts on the probe
const int maxChannels = 64;
int groupOf[maxChannels] = {}; // a channel's group tag plus 1; 0 for none
Mix_EffectFunc_t postMix = nullptr;
void* postMixArg = nullptr;
double lastTick = 0;
} // namespace

int qf_Mix_QuerySpec(int* frequency, Uint16* format, int* channels)
{
    *frequency = rate, *format = AUDIO_S16SYS, *channels = 2;
    return 1;
}

int Mix_GroupChannels(int from, int to, int tag)
{
    int grouped = 0;
    for (int c = from; c <= to; ++c)
        if (c >= 0 && c < maxChannels)
            groupOf[c] = tag + 1, ++grouped;
    return grouped;
}

int Mix_GroupAvailable(int tag)
{
    for (int c = 0; c < maxChannels; ++c)
        if (groupOf[c] == tag + 1 && !Mix_Playing(c))
            return c;
    return -1;
}

int Mix_RegisterEffect(int chan, Mix_EffectFunc_t f, Mix_EffectDone_t, void* arg)
{
    if (chan != MIX_CHANNEL_POST)
        return 0;
    postMix = f, postMixArg = arg, lastTick = emscripten_get_now();
    return 1;
}

void qf_Mix_CloseAudio()
{
    postMix = nullptr;
    EM_ASM(if (Module.quillfrayGain) Module.quillfrayGain(0, 0.02));
    SDL_CloseAudio(); // the layer's own Mix_CloseAudio
}

// The master stage over the time since the last frame; the page ramps its gain to the result over that time.
void qf_mixerTick()
{
    if (!postMix)
        return;
    const double now = emscripten_get_now(), seconds = std::min(1.0, (now - lastTick) / 1000);
    lastTick = now;
    static std::vector<Sint16> probe; // kept: every frame needs about as much
    probe.assign(2 * size_t(std::max(1, int(seconds * rate))), probeLevel);
    postMix(MIX_CHANNEL_POST, probe.data(), int(probe.size() * sizeof(Sint16)), postMixArg);
    EM_ASM(
        {
            if (Module.quillfrayGain)
                Module.quillfrayGain($0, $1);
        },
        probe.back() / double(probeLevel), seconds);
}
