// makeart: draws the game's pictures and writes the character info files into the media folder given as
// the only argument, or with --icon FILE [SIZE] the icon (SIZE 1 to 512, default 128), with --maskable-icon FILE
// [SIZE] the one a platform cuts to its own shape. Everything is drawn from fixed seeds, so every run writes the same
// bytes.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "Layout.h"
#include "character.h"
#include "drawings.h"

int main(int argc, char** argv)
{
    const bool maskable = argc > 1 && std::string(argv[1]) == "--maskable-icon";
    if ((argc == 3 || argc == 4) && (maskable || std::string(argv[1]) == "--icon")) {
        const int size = argc == 4 ? std::atoi(argv[3]) : 128;
        if (size < 1 || size > 512) {
            std::printf("makeart: icon size must be 1 to 512\n");
            return 2;
        }
        return writePng(argv[2], makeIcon(size, maskable), maskable) ? 0 : 1;
    }
    if (argc != 2) {
        std::printf("usage: makeart <media folder> | makeart --icon|--maskable-icon <file.png> [size]\n");
        return 2;
    }
    std::filesystem::path media = argv[1];
    std::error_code ec;
    const std::filesystem::path battle = media / layout::battlePicture, area = media / layout::drawAreaPicture;
    std::filesystem::create_directories(battle.parent_path(), ec);
    if (ec) {
        std::printf("makeart: cannot create %s\n", battle.parent_path().string().c_str());
        return 1;
    }
    bool ok = writePng(battle, makeBackground(), true) && writePng(area, makeDrawArea(), true);
    // Each character stays clear of the drawing area, whose frame it would otherwise overlap.
    const Box heroBox{0, 95, layout::drawX - 1, 471}, foeBox{layout::drawX + layout::drawSide + 2, 95, 640, 471};
    const Vec heroAt{layout::heroX, layout::standY}, foeAt{layout::opponentX, layout::standY};
    ok = writeCharacter(media, layout::heroName, drawHero, heroActions(), false, heroAt, heroBox) && ok;
    ok = writeCharacter(media, layout::opponentName, drawBrute, bruteActions(), true, foeAt, foeBox) && ok;
    if (!ok) {
        std::printf("makeart: failed\n");
        return 1;
    }
    return 0;
}
