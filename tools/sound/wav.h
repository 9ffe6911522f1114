// WAV output: 16-bit PCM at 44,100 Hz, the format SDL_mixer 1.2 loads (it refuses 32-bit PCM).
#pragma once

#include <filesystem>
#include <vector>

#include "dsp.h"

// One Wave per channel, all of one length; samples beyond +-1 are clipped.
bool writeWav(const std::filesystem::path& path, const std::vector<Wave>& channels);
