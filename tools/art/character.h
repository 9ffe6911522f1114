// Renders a character's poses into cropped frames and writes its pictures and info file.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "image.h"
#include "painter.h"
#include "skeleton.h"

struct Box {
    int x0, y0, x1, y1; // screen area a character may cover, end exclusive
};

using DrawFn = void (*)(Painter&, const Pose&);

// Writes media/chars/<name>: one PNG per frame and the info file listing actions, offsets and hold times.
// `ref` is the character's reference point on screen; every frame must stay inside `box`.
bool writeCharacter(const std::filesystem::path& media, const std::string& name, DrawFn draw,
                    const std::vector<Action>& actions, bool faceLeft, Vec ref, Box box);
