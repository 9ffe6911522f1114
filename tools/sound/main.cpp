// makesound: synthesises every sound of the game into the folder given as the only argument, as 44.1 kHz Ogg
// Vorbis files. A synthesiser of our own rather than a sox script: the same source gives the same bytes on every
// run and needs no audio tool, whose version could change the output, at build time.

#include <cstdio>
#include <filesystem>
#include <string>

#include "SoundFiles.h"
#include "ogg.h"
#include "sounds.h"

namespace {

// A cue without a sound here fails the build (-Wswitch): the game would play silence for it.
Wave cueWave(Sound::Cue cue)
{
    switch (cue) {
    case Sound::Stroke:
        return strokeCue();
    case Sound::Release:
        return releaseCue();
    case Sound::Tired:
        return tiredCue();
    case Sound::Blow:
        return blowCue();
    case Sound::HeroPain:
        return painCue(true);
    case Sound::HeroDeath:
        return deathCue(true);
    case Sound::FoePain:
        return painCue(false);
    case Sound::FoeDeath:
        return deathCue(false);
    case Sound::Victory:
        return victoryCue();
    case Sound::Defeat:
        return defeatCue();
    case Sound::Approach:
        return approachCue();
    case Sound::Dot: // one file per note, below
    case Sound::CueCount:
        break;
    }
    return {};
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::printf("usage: makesound <sound folder>\n");
        return 2;
    }
    std::filesystem::path dir = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    bool ok = !ec;
    auto write = [&](const std::string& name, const std::vector<Wave>& channels) {
        if (ok && !writeOgg(dir / (name + soundFiles::suffix), channels)) {
            std::printf("makesound: cannot write %s%s\n", (dir / name).string().c_str(), soundFiles::suffix);
            ok = false;
        }
    };
    for (int cue = 0; cue < Sound::CueCount; ++cue)
        if (cue != Sound::Dot)
            write(soundFiles::cueName[cue], {cueWave(Sound::Cue(cue))});
    for (int n = 1; n <= soundFiles::notes; ++n)
        write(soundFiles::noteName(n), {dotCue(n)});
    write(soundFiles::music, musicLoop());
    if (!ok)
        std::printf("makesound: cannot create %s\n", dir.string().c_str());
    return ok ? 0 : 1;
}
