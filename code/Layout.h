#ifndef LAYOUT_H
#define LAYOUT_H

// What the game and the tool that draws its pictures (tools/art) must agree on: the files under the media folder
// and where things stand on the 640x480 screen.
namespace layout {
constexpr const char* mediaFolder = "media/"; // read relative to the working directory
constexpr const char* battlePicture = "bkground/woodCrap.png";
constexpr const char* drawAreaPicture = "bkground/drawBk.png";
constexpr const char* charactersFolder = "chars";
constexpr const char* heroName = "demoChar";
constexpr const char* opponentName = "demoBadguy";
// The drawing area's top-left corner and side; its picture is that size.
constexpr int drawX = 170, drawY = 30, drawSide = 300;
// The points on screen that the characters' pictures are offset from: their feet, left and right.
constexpr int heroX = 85, opponentX = 555, standY = 280;
} // namespace layout

#endif
