#include "Sound.h"
#include "GameFixture.h"
#include <SDL/SDL_mixer.h>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <fstream>
#include <sstream>
#include <thread>
#include <unistd.h>
#include <vorbis/vorbisfile.h>

namespace {

// Buffers the audio thread has mixed. The test paces itself by this count, not by the clock: a busy machine's audio
// thread falls behind the clock, and then 700 ms of waiting may be 400 ms of sound.
std::atomic<size_t> buffersMixed{0};
void countMix(void*, Uint8*, int) { ++buffersMixed; }
void mixedTo(size_t buffers)
{
    while (buffersMixed < buffers)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

// 16-bit samples, every stride-th: one side of a stereo stream, or all of it.
std::vector<Sint16> samples(std::istream& in, int stride)
{
    std::vector<Sint16> out;
    for (Sint16 s[8]; in.read(reinterpret_cast<char*>(s), 2 * stride);)
        out.push_back(s[0]);
    return out;
}

// The first channel of media/sound/NAME: the one place that knows how the game's sound files are stored.
std::vector<Sint16> sound(const std::string& name)
{
    OggVorbis_File file;
    std::stringstream pcm;
    if (ov_fopen(("media/sound/" + name + ".ogg").c_str(), &file) != 0)
        return {};
    char buffer[4096];
    int link = 0;
    for (long n; (n = ov_read(&file, buffer, sizeof buffer, 0, 2, 1, &link)) > 0;)
        pcm.write(buffer, n);
    const int channels = ov_info(&file, -1)->channels;
    ov_clear(&file);
    return samples(pcm, std::clamp(channels, 1, 8));
}

// Normalised correlation of n samples: 1 for the same wave at any level, near 0 for unrelated ones.
double likeness(const Sint16* a, const Sint16* b, size_t n)
{
    double ab = 0, aa = 1e-9, bb = 1e-9;
    for (size_t i = 0; i < n; ++i)
        ab += double(a[i]) * b[i], aa += double(a[i]) * a[i], bb += double(b[i]) * b[i];
    return ab / std::sqrt(aa * bb);
}

// Loudness (LUFS) of frames [from, to) of a stereo mix: K-weighted by a high shelf and a high-pass (for 44.1 kHz).
double loudness(const std::vector<Sint16>& lr, size_t from, size_t to)
{
    const double k[2][5] = {{1.52454975, -2.59100675, 1.12681907, -1.62370638, 0.68406845},
                            {0.99459218, -1.98918435, 0.99459218, -1.98916967, 0.98919904}}; // b0 b1 b2 a1 a2
    double sum = 0, z[2][2][2] = {};                                                         // side, filter, state
    for (size_t i = 2 * from; i < 2 * to; ++i) {
        double x = lr[i] / 32768.0;
        for (int f = 0; f < 2; ++f) {
            double *s = z[i % 2][f], y = k[f][0] * x + s[0];
            s[0] = k[f][1] * x - k[f][3] * y + s[1], s[1] = k[f][2] * x - k[f][4] * y, x = y;
        }
        sum += x * x;
    }
    return -0.691 + 10 * std::log10(sum / double(to - from));
}

// Samples where the mix steps: its second difference above 800 and ten times its RMS over the 20 ms around. A sound
// cut off mid-wave steps by thousands; a note's fastest onset stays under 800.
size_t clicks(const std::vector<Sint16>& lr)
{
    std::vector<double> e(lr.size()), sum(lr.size() + 1);
    for (size_t i = 4; i < lr.size(); ++i)
        e[i] = lr[i] - 2.0 * lr[i - 2] + lr[i - 4]; // the sides interleaved
    for (size_t i = 0; i < e.size(); ++i)
        sum[i + 1] = sum[i] + e[i] * e[i];
    size_t found = 0;
    for (size_t i = 0; i < e.size(); ++i) {
        const size_t a = i > 882 ? i - 882 : 0, b = std::min(e.size(), i + 882);
        found += std::abs(e[i]) > 800 && e[i] * e[i] > 100 * ((sum[b] - sum[a]) / double(b - a) + 1);
    }
    return found;
}

// A battle under the disk driver, which writes the mix (44.1 kHz 16-bit stereo) to a file, paced by the buffers
// mixed: the count before and after a pass tells the buffers its cues start in. The music alone; five hits three
// buffers apart, the first with the foe's pain; the foe's blow with the hero's pain; a pain cut short by the foe's
// death; M mutes, and unmutes into the victory. Each note is heard in the buffer after its hit, the mute is silent,
// no sample reaches -1 dBFS, nothing clicks, and the music and the blow are as loud as a player needs.
TEST_F(Game, TheMixIsHeardOnTimeNeverClipsNorClicksAndTheCuesStandAboveTheMusic)
{
    const std::string raw = testing::TempDir() + "quillfray-mix-" + std::to_string(getpid()) + ".raw";
    support::ScopedEnv driver("SDL_AUDIODRIVER", "disk"), file("SDL_DISKAUDIOFILE", raw.c_str());
    buffersMixed = 0;
    Mix_SetPostMix(countMix, nullptr), Sound::open();       // counted from the device's first buffer
    ASSERT_NE(Mix_QuerySpec(nullptr, nullptr, nullptr), 0); // else no buffer would ever be counted
    const size_t opened = buffersMixed;                     // the music starts in this buffer at the latest
    std::vector<std::pair<size_t, size_t>> at;              // the buffers mixed before and after the passes checked
    auto timed = [&](auto f) { at.push_back({buffersMixed, 0}), f(), at.back().second = buffersMixed; };
    rComb->setMaxHP(7), passFor(1100), mixedTo(opened + 24); // 0.56 s of music alone: its level, and its start
    support::pushButton(SDL_BUTTON_LEFT, true), held = true, timed([&] { pass(); }); // the stroke's own cue
    for (int n = 0; n < 5; ++n)
        mixedTo(buffersMixed + 3), trace(), timed([&] { pass(); });
    release(), at.emplace_back(); // the pass of the foe's blow
    for (const unsigned blows = Sound::asked(Sound::Blow); Sound::asked(Sound::Blow) == blows;)
        at.back().first = buffersMixed, pass(), at.back().second = buffersMixed;
    for (mixedTo(buffersMixed + 31); battul.getStatus() != Battle::PlayerDraws || !battul.getLeftTurn();)
        pass();
    trace(), pass(), mixedTo(buffersMixed + 5), trace(), pass(), mixedTo(buffersMixed + 9);
    for (bool down : {true, true, false}) // M held, its key-down repeating: on its key-up
        support::pushKey(SDLK_m, down);
    for (timed([&] { pass(); }), release(); battul.getStatus() != Battle::BattleEnd;)
        pass();
    mixedTo(buffersMixed + 26); // the death cry ends unheard
    support::pushKey(SDLK_m, true), support::pushKey(SDLK_m, false), timed([&] { pass(); });
    mixedTo(buffersMixed + 6); // the victory's first 4,096 samples
    Sound::close(), Mix_SetPostMix(nullptr, nullptr);

    std::ifstream both(raw, std::ios::binary), one(raw, std::ios::binary);
    const std::vector<Sint16> lr = samples(both, 1), left = samples(one, 2), tune = sound("music");
    std::remove(raw.c_str());
    // The first frame of buffer b; the device wrote silence, uncounted, before it started.
    auto frame = [uncounted = left.size() / 1024 - buffersMixed](size_t b) { return 1024 * (uncounted + b); };
    // How alike the mix is to a cue's first n samples from its best start in the buffers of the k-th timed pass.
    auto heard = [&](size_t k, const std::string& cue, size_t n) {
        const std::vector<Sint16> wave = sound(cue);
        double best = -1;
        for (size_t f = frame(at[k].first); f <= frame(at[k].second) + 2048 && f + n < left.size(); ++f)
            best = std::max(best, likeness(&left[f], wave.data(), n));
        return best;
    };
    EXPECT_GT(heard(0, "stroke", 1024), 0.5); // on a channel of its own: the music's would keep it silent
    for (int k = 1; k <= 5; ++k)
        EXPECT_GT(heard(k, "dot0" + std::to_string(k), 1024), 0.5) << k; // a wrong note: under 0.2
    EXPECT_TRUE(std::all_of(left.begin() + long(frame(at[7].second) + 1024), left.begin() + long(frame(at[8].first)),
                            [](Sint16 s) { return !s; }));
    EXPECT_GT(heard(8, "victory", 4096), 0.7);
    EXPECT_TRUE(*std::max_element(lr.begin(), lr.end()) <= 29204 && *std::min_element(lr.begin(), lr.end()) >= -29204);
    EXPECT_EQ(clicks(lr), 0u);
    const double music = loudness(lr, frame(opened + 5), frame(at[0].first));
    EXPECT_TRUE(music > -23 && music < -16) << music;
    const size_t blow = frame(at[6].first), over = frame(at[6].second) + 1024 + 14000; // 0.32 s after its latest start
    EXPECT_GT(loudness(lr, blow, blow + 17640) - music, 6);                            // its first 400 ms
    // Then it and the hero's pain are over: the next 200 ms are the music alone, found by its start in the mix. The
    // music's own level swings by 5 LU over such a stretch, so its likeness tells, not its loudness.
    size_t lag = 0;
    double best = -1;
    for (size_t f = 0; f <= frame(opened) + 1024; ++f)
        if (const double l = likeness(&left[f + 22050], &tune[22050], 2048); l > best)
            best = l, lag = f;
    EXPECT_GT(likeness(&left[over], &tune[over - lag], 8820), 0.9);
}

// As many notes as a brisk stroke can strike while the first still rings all sound.
TEST(Sound, SixteenNotesAtOnceAllSound)
{
    Sound::open();
    for (int n = 16; n >= 1; --n) // the last one loaded first: then all are
        Sound::play(Sound::Dot, n);
    EXPECT_EQ(Mix_Playing(-1), 16);
}

TEST(Sound, ALongStrokeWalksBackDownAndNeverPlaysOnePitchTwiceInARow)
{
    for (int n = 1; n < 100; ++n)
        EXPECT_TRUE(Sound::note(n) >= 1 && Sound::note(n) <= 16 && Sound::note(n) != Sound::note(n + 1)) << n;
    EXPECT_TRUE(Sound::note(16) == 16 && Sound::note(17) == 15 && Sound::note(31) == 1 && Sound::note(0) == 1);
}

} // namespace
