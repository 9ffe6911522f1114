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
// zoom scales the banner, drawn at it rather than enlarged.
void drawBanner(Image& img, int cx, const Tone& cloth, bool heroSide, int yTop = 106, double zoom = 1);
Image makeBackground();
Image makeDrawArea();
// Drawn at 128 and averaged down to a smaller size, or drawn at a larger one. A maskable icon fills its square: the
// platform cuts its own shape from it.
Image makeIcon(int size = 128, bool maskable = false);
