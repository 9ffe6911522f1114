#ifndef SOUNDFILES_H
#define SOUNDFILES_H

// The files in media/sound/, named once for the game that reads them and for the generator (tools/sound) that
// writes them: "<name>.ogg" for each cue, except the dot's notes "dot01.ogg" to "dot16.ogg", and "music.ogg".
#include "Sound.h"
#include <cstdio>
#include <string>

namespace soundFiles {
constexpr const char* cueName[] = {"stroke",    "dot",     "release",  "tired",   "blow",   "heropain",
                                   "herodeath", "foepain", "foedeath", "victory", "defeat", "approach"};
static_assert(sizeof cueName / sizeof *cueName == Sound::CueCount, "one file name for each cue");
constexpr int notes = 16;
constexpr const char music[] = "music";
constexpr const char suffix[] = ".ogg"; // Ogg Vorbis

// n from 1 to notes.
inline std::string noteName(int n)
{
    char name[8];
    snprintf(name, sizeof name, "dot%02d", n);
    return name;
}
} // namespace soundFiles

#endif
