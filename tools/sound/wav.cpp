#include "wav.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>

namespace {

// RIFF fields are little-endian whatever the machine.
void put(std::string& out, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += char((v >> (8 * i)) & 0xff);
}

} // namespace

bool writeWav(const std::filesystem::path& path, const std::vector<Wave>& channels)
{
    const uint32_t count = uint32_t(channels.size()), frames = uint32_t(channels.at(0).size());
    const uint32_t dataBytes = frames * count * 2;
    std::string out = "RIFF";
    put(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    put(out, 16, 4);
    put(out, 1, 2); // PCM
    put(out, count, 2);
    put(out, kRate, 4);
    put(out, kRate * count * 2, 4);
    put(out, count * 2, 2);
    put(out, 16, 2);
    out += "data";
    put(out, dataBytes, 4);
    for (uint32_t i = 0; i < frames; ++i)
        for (const Wave& w : channels)
            put(out, uint32_t(int32_t(std::lround(std::clamp(w[i], -1.0, 1.0) * 32767))), 2);
    std::ofstream file(path, std::ios::binary);
    file.write(out.data(), std::streamsize(out.size()));
    return bool(file.flush());
}
