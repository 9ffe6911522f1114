// Ogg Vorbis output at 44,100 Hz, quality 5: a twelfth of the size of 16-bit PCM, and the desktop mixer and the
// browser both decode it.
#pragma once

#include <filesystem>
#include <vector>

#include "dsp.h"

// One Wave per channel, all of one length. The same waves give the same bytes on every run: the stream's serial
// number is fixed, not drawn.
bool writeOgg(const std::filesystem::path& path, const std::vector<Wave>& channels);
