// What makeart draws: the two characters, the hall, the drawing area and the desktop icon.
#pragma once

#include <vector>

#include "image.h"
#include "painter.h"
#include "skeleton.h"

void drawHero(Painter& pt, const Pose& p);
std::vector<Action> heroActions();
void drawBrute(Painter& pt, const Pose& p);
std::vector<Action> bruteActions();

// Warm wood shade from a grain value in 0..1.
Rgb woodColour(double g, double tone);
void drawBanner(Image& img, int cx, const Tone& cloth, bool heroSide, int yTop = 106);
Image makeBackground();
Image makeDrawArea();
Image makeIcon(int size = 128); // drawn at 128, averaged down to a smaller size
