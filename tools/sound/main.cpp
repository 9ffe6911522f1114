// makesound: synthesises every sound of the game into the folder given as the only argument, as 16-bit
// 44.1 kHz WAV files. A synthesiser of our own rather than a sox script: the same source gives the same bytes
// on every machine and needs no audio tool, whose version could change the output, at build time.

#include <cstdio>
#include <filesystem>
#include <string>

#include "sounds.h"
#include "wav.h"

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
        if (ok && !writeWav(dir / name, channels)) {
            std::printf("makesound: cannot write %s\n", (dir / name).string().c_str());
            ok = false;
        }
    };
    write("stroke.wav", {strokeCue()});
    for (int n = 1; n <= 16; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "dot%02d.wav", n);
        write(name, {dotCue(n)});
    }
    write("release.wav", {releaseCue()});
    write("tired.wav", {tiredCue()});
    write("blow.wav", {blowCue()});
    write("heropain.wav", {painCue(true)});
    write("herodeath.wav", {deathCue(true)});
    write("foepain.wav", {painCue(false)});
    write("foedeath.wav", {deathCue(false)});
    write("victory.wav", {victoryCue()});
    write("defeat.wav", {defeatCue()});
    write("approach.wav", {approachCue()});
    write("music.wav", musicLoop());
    if (!ok)
        std::printf("makesound: cannot create %s\n", dir.string().c_str());
    return ok ? 0 : 1;
}
